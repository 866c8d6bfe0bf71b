#include "exchange/UddfDefinitions.h"

#include <cctype>

#include "exchange/XmlReading.h"

namespace divelog {

namespace {

std::string idOf(pugi::xml_node element) {
    return std::string(UddfDefinitions::trimmed(attributeNamed(element, "id").value()));
}

std::optional<double> number(pugi::xml_node parent, std::string_view name) {
    pugi::xml_node e = lastChild(parent, name, false);
    return e ? leadingNumber(trimmedText(e)) : std::nullopt;
}

}  // namespace

std::string_view UddfDefinitions::trimmed(std::string_view id) {
    while (!id.empty() && std::isspace(static_cast<unsigned char>(id.front()))) id.remove_prefix(1);
    while (!id.empty() && std::isspace(static_cast<unsigned char>(id.back()))) id.remove_suffix(1);
    return id;
}

void UddfDefinitions::readMix(pugi::xml_node mix) {
    const std::string id = idOf(mix);
    if (id.empty()) return;
    Mix m;
    const auto o2 = number(mix, "o2"), n2 = number(mix, "n2"), he = number(mix, "he");
    m.he = he.value_or(0);
    // Oxygen is what the other gases leave when only they are given.
    m.o2 = o2 ? *o2 : n2 ? 1 - *n2 - m.he : 0.21;
    m.name = textOf(lastChild(mix, "name", false));
    mixes_[id] = m;
}

void UddfDefinitions::read(pugi::xml_node element) {
    const std::string_view kind = localName(element);
    if (kind == "gasdefinitions") {
        for (pugi::xml_node mix : children(element, "mix", false)) readMix(mix);
    } else if (kind == "divesite") {
        for (pugi::xml_node s : children(element, "site", false)) {
            const std::string id = idOf(s);
            if (id.empty()) continue;
            Site site;
            site.name = textOf(lastChild(s, "name", false));
            pugi::xml_node geography = lastChild(s, "geography", false);
            site.location = textOf(lastChild(geography, "location", false));
            site.country =
                textOf(lastChild(lastChild(geography, "address", false), "country", false));
            site.latitude = number(geography, "latitude");
            site.longitude = number(geography, "longitude");
            sites_[id] = std::move(site);
        }
    } else if (kind == "diver") {
        // Tanks sit in the owner's and the buddies' equipment.
        for (std::string_view piece : {"tank", "rebreather"})
            for (pugi::xml_node e : descendants(element, piece, false)) {
                const std::string id = idOf(e);
                if (id.empty()) continue;
                Equipment& q = equipment_[id];
                q.name = textOf(lastChild(e, "name", false));
                q.volume = number(e, "tankvolume");
                q.material = textOf(lastChild(e, "tankmaterial", false));
            }
        for (pugi::xml_node b : children(element, "buddy", false)) {
            const std::string id = idOf(b);
            pugi::xml_node personal = lastChild(b, "personal", false);
            std::string name = textOf(lastChild(personal, "firstname", false));
            const std::string last = textOf(lastChild(personal, "lastname", false));
            if (!last.empty()) name += (name.empty() ? "" : " ") + last;
            if (!id.empty() && !name.empty()) buddies_[id] = std::move(name);
        }
    } else if (kind == "divetrip") {
        for (pugi::xml_node part : descendants(element, "trippart", false)) {
            const std::string boat =
                textOf(lastChild(lastChild(part, "vessel", false), "name", false));
            if (boat.empty()) continue;
            for (pugi::xml_node link :
                 children(lastChild(part, "relateddives", false), "link", false))
                boats_[std::string(trimmed(attributeNamed(link, "ref").value()))] = boat;
        }
    }
}

}  // namespace divelog
