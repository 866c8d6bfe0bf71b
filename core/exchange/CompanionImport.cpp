#include "exchange/CompanionImport.h"

#include "exchange/ImportRules.h"
#include "exchange/XmlReading.h"
#include "util/Numbers.h"

namespace divelog {

ImportResult CompanionImport::read(std::span<const std::uint8_t> bytes) const {
    ImportResult result;
    ParsedXml xml;
    parseXml(bytes, xml);
    reportDamage(xml, result);
    const pugi::xml_node root = xml.document.document_element();
    for (pugi::xml_node dive : elementsAt(root, {"repgroup", "dive"}, true)) {
        ImportedDive d;
        auto text = [&](const char* element) -> std::optional<std::string> {
            pugi::xml_node e = lastChild(dive, element, true);
            if (!e) return std::nullopt;
            return textOf(e);
        };
        auto whole = [&](const char* element) -> std::optional<std::string> {
            auto t = text(element);
            if (!t) return std::nullopt;
            return integerText(leadingInteger(*t).value_or(0));
        };
        if (auto v = text("place")) d.set("lieu", lastChild(dive, "place", true).child_value());
        if (auto v = text("site")) d.set("site", lastChild(dive, "site", true).child_value());
        ImportRules::dateAndTime(d, lastChild(dive, "date", true), lastChild(dive, "time", true),
                                 true, result.notes);
        for (auto [element, control] :
             {std::pair{"weather", "meteo"}, std::pair{"current", "courant"},
              std::pair{"visibility", "visibilite"}, std::pair{"divetype", "typePlongee"}})
            if (auto v = text(element))
                if (auto code = ImportRules::choiceAt(control, leadingInteger(*v).value_or(-1)))
                    d.setTag(control, *code);
        for (auto [element, control] :
             {std::pair{"maxdepth", "profondeur"}, std::pair{"divetime", "temps"},
              std::pair{"watertemperature", "tempEau"}, std::pair{"airrtemperature", "tempAir"},
              std::pair{"altitude", "altitude"}})
            if (auto v = whole(element)) d.set(control, *v);
        if (auto v = text("surfaceinterval"); v && *v == "infinity") d.set("surface", "--:--");
        pugi::xml_node mix = firstChild(firstChild(dive, "gases", true), "mix", true);
        if (mix) {
            const auto o2 = leadingNumber(textOf(lastChild(mix, "o2", true)));
            const auto he = leadingNumber(textOf(lastChild(mix, "he", true)));
            if (o2 || he) ImportRules::gas(d, o2.value_or(0), he.value_or(0));
            if (pugi::xml_node tank = firstChild(mix, "tank", true))
                for (auto [element, control] :
                     {std::pair{"tankvolume", "volumeBloc"}, std::pair{"pstart", "pressionDepart"},
                      std::pair{"pend", "pressionFin"}})
                    if (pugi::xml_node e = lastChild(tank, element, true))
                        d.set(control, textOf(e));
        }
        result.dives.push_back(std::move(d));
    }
    return result;
}

}  // namespace divelog
