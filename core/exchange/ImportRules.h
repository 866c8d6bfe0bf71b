#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "exchange/ExchangeFormat.h"

namespace divelog {

// "1 dive", "3 dives": how the import reports count dives.
inline std::string diveCount(std::size_t n) {
    return n == 1 ? "1 dive" : std::to_string(n) + " dives";
}

// What the readers share: a gas from its oxygen and helium fractions, a
// date from its parts, a sampling interval, a list choice by position.
class ImportRules {
public:
    // The fields of cylinder 1 or 2.
    struct Cylinder {
        DiveForm::TagField gas;
        DiveForm::TextField o2, he, volume, start, end;
    };
    static const Cylinder& cylinder(int number);  // 2, else 1

    // A read dive begins with the conditions as not recorded and the type of
    // dive as not known, whatever the blank form would propose.
    static void unrecordedConditions(DiveDraft& dive);

    // The fractions rounded to whole percent, then named as a read mix is
    // (dive/GasFamily.h), by the mix's name where the file gives one. Sets
    // the gas, oxygen and helium of cylinder 1 or 2.
    static void gas(DiveDraft& dive, double o2Fraction, double heFraction, int cylinder = 1,
                    std::string_view name = {});
    // Date and time of day from year, month, day, hour and minute elements;
    // a part that does not exist leaves both as the blank form has them.
    static void dateAndTime(DiveDraft& dive, pugi::xml_node date, pugi::xml_node time, bool anyCase,
                            std::vector<std::string>& notes);
    // Date and time of day from an ISO 8601 text ("2019-02-28T09:07", with or
    // without seconds, a fraction, "Z" or an offset). The clock is taken as
    // written, the zone ignored: dive software writes the diver's wall clock,
    // often under a wrong "Z". A date without a time sets the date at 00:00.
    // False, and nothing set and a note, for a text that holds no such date.
    static bool dateTimeText(DiveDraft& dive, std::string_view text,
                             std::vector<std::string>& notes);
    // The sampling code of an interval in whole seconds; none for another interval.
    static std::optional<std::int32_t> samplingCode(std::int64_t seconds);
    // The code whose interval is nearest to `seconds` (the shorter on a tie).
    static std::int32_t nearestSamplingCode(double seconds);
    // The code at a position of the form's list for `field`; none outside it.
    static std::optional<std::int32_t> choiceAt(Plongee::Field field, std::int64_t position);
    // A depth sample a logbook can hold: finite, above -100 m, below 10,000 m.
    static bool plausibleDepth(double metres);
    // The place and the site of a text the UDCF export joins with " - ": the
    // split whose place or site the pick lists know, else the last " - ".
    static std::pair<std::string, std::string> placeAndSite(std::string_view text,
                                                            const ReadContext& context);
    // The site and the place of a name written "Site, Place" or "Site, Place,
    // Country": cut where the pick lists know the site or the place; a name
    // they know no part of is all site, as is a name without a comma.
    static std::pair<std::string, std::string> siteAndPlace(std::string_view name,
                                                            const ReadContext& context);
};

// Numbers read from an element's text as its leading number, blanks and a
// unit after it allowed ("32.4 m", "18 C", "200bar"). A unit that changes
// the meaning is converted to the logbook's metres, degrees Celsius, bar and
// litres; one that cannot be (a cylinder sized in cubic feet of gas) or that
// is unknown leaves the value out, counted for the report. A text without a
// number gives none. `imperial`: a number without a unit is in feet,
// Fahrenheit and psi.
class QuantityReader {
public:
    explicit QuantityReader(bool imperial = false) : imperial_(imperial) {}

    std::optional<double> depth(std::string_view text);        // metres
    std::optional<double> temperature(std::string_view text);  // degrees Celsius
    std::optional<double> pressure(std::string_view text);     // bar
    std::optional<double> volume(std::string_view text);       // litres of water
    // The same; a size in cubic feet of gas becomes the water volume that
    // holds it at the working pressure, when that is known.
    std::optional<double> volume(std::string_view text, std::optional<double> workingBar);
    std::optional<double> mass(std::string_view text);  // kilograms
    // One line each for what was left out.
    void report(std::vector<std::string>& notes) const;

private:
    bool imperial_;
    std::size_t unknown_ = 0, cubicFeet_ = 0;
};

}  // namespace divelog
