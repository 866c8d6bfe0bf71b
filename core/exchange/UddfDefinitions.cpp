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
            sites_[id] = std::move(site);
        }
    } else if (kind == "diver") {
        // Tanks sit in the owner's and the buddies' equipment.
        for (pugi::xml_node tank : descendants(element, "tank", false)) {
            const std::string id = idOf(tank);
            if (auto v = number(tank, "tankvolume"); v && !id.empty()) tanks_[id] = *v;
        }
    }
}

}  // namespace divelog
