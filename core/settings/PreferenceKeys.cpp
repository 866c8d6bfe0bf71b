#include "settings/PreferenceKeys.h"

#include <cmath>

#include "archive/BinaryArchive.h"
#include "dive/DiveColumns.h"
#include "util/Numbers.h"

namespace divelog {

namespace {
// A minus is let in, so "-3" is refused with its range rather than read as 3.
constexpr NumberRule kDecimal{.decimals = true, .negative = true, .maxDigits = 6};
constexpr NumberRule kWhole{.negative = true, .maxDigits = 6};
}  // namespace

SettingValue colourValue(const Colour& c) { return encodeColourArchive(c); }

bool gradientFactors::usable(double low, double high) {
    auto inRange = [](double v) { return std::isfinite(v) && v >= kLeast && v <= kMost; };
    return inRange(low) && inRange(high) && low <= high;
}

const std::vector<std::string>& columnKeys() { return DiveColumns::visibilityKeys(); }

const std::vector<PreferenceKey>& preferenceKeys() {
    using P = PreferenceType;
    static const std::vector<PreferenceKey> keys = [] {
        const Colour blue{0, 0, 1, 1}, red{1, 0, 0, 1}, grey{0.5f, 0.5f, 0.5f, 1};
        auto c = [](float r, float g, float b) { return colourValue(Colour{r, g, b, 1}); };
        auto text = [](const char* s) { return SettingValue(std::string(s)); };
        std::vector<PreferenceKey> k = {
            // A cylinder's water volume and its working pressure.
            {"tank volume",
             P::Number,
             {},
             15.0,
             PreferenceRange{0.5, 50, "Range tank volume", kDecimal}},
            {"tank pressure",
             P::Number,
             {},
             230.0,
             PreferenceRange{50, 450, "Range tank pressure", kWhole}},
            {"us units", P::Boolean, {}, false},
            {"display units", P::Boolean, true, true},
            {"depth time in color", P::Boolean, true, true},
            {"depth color", P::Colour, colourValue(blue), c(0.5f, 0, 0.5f)},
            {"time color", P::Colour, colourValue(blue), c(0, 0, 0.6f)},
            {"color item", P::Boolean, false, false},
            {"coloured text", P::Text, text(""), text("")},
            {"coloured theme", P::Number, false, 0.0},
            {"low temperature in color", P::Boolean, false, false},
            // Degrees Celsius or Fahrenheit, as the units say.
            {"low temperature value", P::Text, text(""), text(""),
             PreferenceRange{-50, 120, "Range low temperature", kWhole}},
            {"low temperature color", P::Colour, colourValue(blue), colourValue(blue)},
            {"mix in color", P::Boolean, {}, true},
            {"foreign in color", P::Boolean, {}, true},
            {"foreign color", P::Colour, {}, c(0.725f, 1, 0.674f)},
            {"nocturnes in color", P::Boolean, {}, {}},
            {"country code", P::Text, {}, text("FRA")},
        };
        // Reset gives the columns a fresh install shows; the wreck switch is the logbook's.
        for (const auto& col : columnKeys()) {
            const DiveColumn* c = DiveColumns::withKey(col);
            if (c->inPreferences)
                k.push_back({col, P::Boolean, {}, c->shownAtFirst});
            else
                k.push_back({col, P::Boolean, {}, {}});
        }
        std::vector<PreferenceKey> rest = {
            {"plot color", P::Colour, colourValue(red), c(1, 0.5f, 0)},
            {"fill plot", P::Boolean, true, true},
            {"fill color", P::Colour, colourValue(blue), c(0.1f, 0.1f, 1)},
            {"alpha fill color", P::TextOrNumber, text("0.5"), 0.4,
             PreferenceRange{0, 1, "Range opacity", kDecimal}},
            {"background color", P::Colour, colourValue(grey), c(0.855f, 0.49f, 0.149f)},
            {"alpha background color", P::TextOrNumber, text("0.5"), 0.2,
             PreferenceRange{0, 1, "Range opacity", kDecimal}},
            {"gradient yes", P::Boolean, {}, true},
            {"gradient lines color", P::Colour, {}, c(0.702f, 0.702f, 0.702f)},
            {"x minor ticks", P::Boolean, true, true},
            {"y minor ticks", P::Boolean, true, true},
            {"dashed lines", P::Boolean, {}, true},
            {"ppO2 line", P::Boolean, {}, false},
            // Metres, or feet with the US units.
            {"stop interval", P::TextOrNumber, text(decimalText(kDefaultStopInterval).c_str()),
             kDefaultStopInterval, PreferenceRange{1, 10, "Range stop interval", kDecimal}},
            {gradientFactors::kLowKey, P::Number, gradientFactors::kDefaultLow,
             gradientFactors::kDefaultLow,
             PreferenceRange{gradientFactors::kLeast, gradientFactors::kMost,
                             "Range gradient factor", kWhole}},
            {gradientFactors::kHighKey, P::Number, gradientFactors::kDefaultHigh,
             gradientFactors::kDefaultHigh,
             PreferenceRange{gradientFactors::kLeast, gradientFactors::kMost,
                             "Range gradient factor", kWhole}},
            {"pense bete", P::Boolean, {}, {}},
            {"fabricant", P::Text, {}, {}},
            {"ordinateur", P::Text, {}, {}},
            {"serie", P::Text, {}, {}},
            {"statistics values", P::Dictionary, {}, {}},
        };
        k.insert(k.end(), rest.begin(), rest.end());
        return k;
    }();
    return keys;
}

const PreferenceKey* preferenceKey(const std::string& key) {
    for (const auto& k : preferenceKeys())
        if (k.key == key) return &k;
    return nullptr;
}

}  // namespace divelog
