#include "exchange/CompanionImport.h"

#include <algorithm>
#include <cmath>

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

// The whole number the file's element holds, as the companion writes its
// summaries: 18.6 m is 18.
std::string truncated(double v) {
    return integerText(static_cast<std::int64_t>(std::trunc(std::clamp(v, -1e9, 1e9))));
}
}  // namespace

ImportResult CompanionImport::read(std::span<const std::uint8_t> bytes, const ReadContext&) const {
    ImportResult result;
    ParsedXml xml;
    parseXml(bytes, xml);
    reportNotXml(xml, result);
    QuantityReader numbers;
    std::size_t empty = 0;
    for (pugi::xml_node dive : elementsUnder(xml.document, "repgroup", "dive", true)) {
        DiveDraft d;
        auto text = [&](const char* element) -> std::optional<std::string_view> {
            pugi::xml_node e = lastChild(dive, element, true);
            if (!e) return std::nullopt;
            return trimmedText(e);
        };
        if (text("place")) d.setText(F::lieu, lastChild(dive, "place", true).child_value());
        if (text("site")) d.setText(F::site, lastChild(dive, "site", true).child_value());
        ImportRules::dateAndTime(d, lastChild(dive, "date", true), lastChild(dive, "time", true),
                                 true, result.notes);
        for (auto [element, field] :
             {Choice{"weather", F::meteo}, Choice{"current", F::courant},
              Choice{"visibility", F::visibilite}, Choice{"divetype", F::typePlongee}})
            if (auto v = text(element))
                if (auto code = ImportRules::choiceAt(field.field, leadingInteger(*v).value_or(-1)))
                    d.setTag(field, *code);
        if (auto v = text("maxdepth"))
            if (auto m = numbers.depth(*v)) d.setText(F::profondeur, truncated(*m));
        if (auto v = text("divetime"))
            if (auto m = leadingNumber(*v)) d.setText(F::temps, truncated(*m));
        if (auto v = text("watertemperature"))
            if (auto c = numbers.temperature(*v)) d.setText(F::tempEau, truncated(*c));
        // The companion writes the air temperature with two r.
        if (auto v = text("airrtemperature"))
            if (auto c = numbers.temperature(*v)) d.setText(F::tempAir, truncated(*c));
        if (auto v = text("altitude"))
            if (auto m = numbers.depth(*v)) d.setText(F::altitude, truncated(*m));
        if (auto v = text("surfaceinterval"); v && *v == "infinity") d.setText(F::surface, "--:--");
        if (!text("date") && !text("time") && !text("maxdepth") && !text("divetime")) {
            ++empty;
            continue;
        }
        pugi::xml_node mix = firstChild(firstChild(dive, "gases", true), "mix", true);
        if (mix) {
            const auto o2 = leadingNumber(textOf(lastChild(mix, "o2", true)));
            const auto he = leadingNumber(textOf(lastChild(mix, "he", true)));
            if (o2 || he) ImportRules::gas(d, o2.value_or(0), he.value_or(0));
            if (pugi::xml_node tank = firstChild(mix, "tank", true)) {
                if (pugi::xml_node e = lastChild(tank, "tankvolume", true))
                    if (auto l = numbers.volume(trimmedText(e)))
                        d.setText(F::volumeBloc, decimalText(*l));
                if (pugi::xml_node e = lastChild(tank, "pstart", true))
                    if (auto bar = numbers.pressure(trimmedText(e)))
                        d.setText(F::pressionDepart, decimalText(*bar));
                if (pugi::xml_node e = lastChild(tank, "pend", true))
                    if (auto bar = numbers.pressure(trimmedText(e)))
                        d.setText(F::pressionFin, decimalText(*bar));
            }
        }
        result.dives.push_back(std::move(d));
    }
    result.skipped += empty;
    if (xml.any && !xml.complete)
        result.notes.insert(result.notes.begin(),
                            damageNote(bytes, xml.errorOffset, result.dives.size()));
    if (empty)
        result.notes.push_back(std::to_string(empty) +
                               (empty == 1 ? " dive element held" : " dive elements held") +
                               " no date, depth, duration or sample: skipped, as no dive");
    numbers.report(result.notes);
    return result;
}

}  // namespace divelog
