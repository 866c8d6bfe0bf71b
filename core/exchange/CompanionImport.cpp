#include "exchange/CompanionImport.h"

#include "exchange/ImportRules.h"
#include "exchange/XmlReading.h"
#include "util/Numbers.h"

namespace divelog {

namespace {
using F = Plongee::Field;
// An element and the field its value goes to.
struct Choice {
    const char* element;
    DiveForm::TagField field;
};
struct Number {
    const char* element;
    DiveForm::TextField field;
};
}  // namespace

ImportResult CompanionImport::read(std::span<const std::uint8_t> bytes) const {
    ImportResult result;
    ParsedXml xml;
    parseXml(bytes, xml);
    reportDamage(xml, result);
    const pugi::xml_node root = xml.document.document_element();
    for (pugi::xml_node dive : elementsAt(root, {"repgroup", "dive"}, true)) {
        DiveDraft d;
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
        if (auto v = text("place"))
            d.setText(F::lieu, lastChild(dive, "place", true).child_value());
        if (auto v = text("site")) d.setText(F::site, lastChild(dive, "site", true).child_value());
        ImportRules::dateAndTime(d, lastChild(dive, "date", true), lastChild(dive, "time", true),
                                 true, result.notes);
        for (auto [element, field] :
             {Choice{"weather", F::meteo}, Choice{"current", F::courant},
              Choice{"visibility", F::visibilite}, Choice{"divetype", F::typePlongee}})
            if (auto v = text(element))
                if (auto code = ImportRules::choiceAt(field.field, leadingInteger(*v).value_or(-1)))
                    d.setTag(field, *code);
        for (auto [element, field] :
             {Number{"maxdepth", F::profondeur}, Number{"divetime", F::temps},
              Number{"watertemperature", F::tempEau}, Number{"airrtemperature", F::tempAir},
              Number{"altitude", F::altitude}})
            if (auto v = whole(element)) d.setText(field, *v);
        if (auto v = text("surfaceinterval"); v && *v == "infinity") d.setText(F::surface, "--:--");
        pugi::xml_node mix = firstChild(firstChild(dive, "gases", true), "mix", true);
        if (mix) {
            const auto o2 = leadingNumber(textOf(lastChild(mix, "o2", true)));
            const auto he = leadingNumber(textOf(lastChild(mix, "he", true)));
            if (o2 || he) ImportRules::gas(d, o2.value_or(0), he.value_or(0));
            if (pugi::xml_node tank = firstChild(mix, "tank", true))
                for (auto [element, field] :
                     {Number{"tankvolume", F::volumeBloc}, Number{"pstart", F::pressionDepart},
                      Number{"pend", F::pressionFin}})
                    if (pugi::xml_node e = lastChild(tank, element, true))
                        d.setText(field, textOf(e));
        }
        result.dives.push_back(std::move(d));
    }
    return result;
}

}  // namespace divelog
