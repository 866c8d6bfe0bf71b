#include "stats/Statistics.h"

#include <algorithm>
#include <cmath>

#include "dive/Units.h"
#include "logbook/Carnet.h"
#include "profile/ProfileModel.h"
#include "stats/EarlierDives.h"

namespace divelog {

namespace {

// Whole metres, truncated as a depth gauge's logbook rounds them down; a
// depth that is no number counts as 0.
long long wholeMetres(float typed, bool usUnits) {
    const double m = units::metresOfTypedDepth(static_cast<double>(typed), usUnits);
    if (!std::isfinite(m) || std::fabs(m) > 1e9) return 0;
    return static_cast<long long>(std::trunc(m));
}

// Whole degrees Celsius of a typed water temperature, rounded to nearest.
long long wholeCelsius(std::int32_t typed, bool usUnits) {
    if (!usUnits) return typed;  // whole already; rounding costs a call per dive
    return static_cast<long long>(std::lround(units::celsiusOfFahrenheit(typed)));
}

void takeMax(std::optional<long long>& extreme, long long v) {
    extreme = extreme ? std::max(*extreme, v) : v;
}
void takeMin(std::optional<long long>& extreme, long long v) {
    extreme = extreme ? std::min(*extreme, v) : v;
}

}  // namespace

float Statistics::share(StatCategory c) const {
    if (diveCount <= 0) return 0.0f;
    return static_cast<float>(count(c)) / static_cast<float>(diveCount) * 100.0f;
}

std::optional<long long> Statistics::meanDepth() const {
    if (diveCount <= 0) return std::nullopt;
    return depthTotal / diveCount;
}

std::optional<long long> Statistics::shownMeanDepth() const {
    if (diveCount <= 0) return std::nullopt;
    return shown.depthTotal / diveCount;
}

std::optional<long long> Statistics::meanTime() const {
    if (diveCount <= 0) return std::nullopt;
    return timeTotal / diveCount;
}

Statistics Statistics::of(const Carnet& carnet, const EarlierDives& earlier, Options options) {
    Statistics s;
    s.logbookDives = static_cast<long long>(carnet.recordCount());
    s.diveCount = s.logbookDives;
    if (options.countEarlier) {
        s.earlierCounted = true;
        for (const StatCategoryInfo& i : StatCategories::all())
            s.counts[static_cast<std::size_t>(i.id)] = earlier.count(i.earlierKey);
        s.depthTotal = earlier.count("total profondeur");
        s.timeTotal = earlier.count("total temps");
        s.diveCount += earlier.count("total plongees");
        // Extremes of earlier dives only when there were earlier dives.
        if (earlier.entered()) {
            s.maxDepth = earlier.extreme("prof max");
            s.maxTime = earlier.extreme("temps max");
            s.minTemperature = earlier.extreme("temperature min");
            s.maxTemperature = earlier.extreme("temperature max");
        }
    }

    auto bump = [&s](StatCategory c) { ++s.counts[static_cast<std::size_t>(c)]; };
    long long temperatureSum = 0, temperatureCount = 0;
    long long shownDepthTotal = 0, shownTemperatureSum = 0;
    for (const auto& dive : carnet.dives()) {
        const Plongee& d = *dive;
        if (auto c = StatCategories::ofDiveType(d.typePlongee())) bump(*c);
        if (d.nocturne() == 1) bump(StatCategory::Night);
        if (d.configuration() == 1) bump(StatCategory::Tek);
        if (auto c = StatCategories::ofApparatus(d.rebreather())) bump(*c);
        bump(StatCategories::gasFamily(d.rebreather(), d.gaz()));

        const long long depth = wholeMetres(d.profondeur(), options.usUnits);
        takeMax(s.maxDepth, depth);
        s.depthTotal += depth;
        bump(StatCategories::depthBand(depth));
        if (options.usUnits) {
            const long long typedDepth = wholeMetres(d.profondeur(), false);
            takeMax(s.shown.maxDepth, typedDepth);
            shownDepthTotal += typedDepth;
        }

        takeMax(s.maxTime, d.temps());
        s.timeTotal += d.temps();

        if (options.oxygenOverProfiles)
            if (const auto dose = oxygenOverProfile(d, options.usUnits)) {
                s.highestOtu = std::max(s.highestOtu.value_or(0), dose->otu);
                s.otuTotal = s.otuTotal.value_or(0) + dose->otu;
            }

        if (d.tempEau() != units::kNoTemperature) {
            const long long w = wholeCelsius(d.tempEau(), options.usUnits);
            temperatureSum += w;
            ++temperatureCount;
            takeMin(s.minTemperature, w);
            takeMax(s.maxTemperature, w);
            if (options.usUnits) {
                shownTemperatureSum += d.tempEau();
                takeMin(s.shown.minTemperature, d.tempEau());
                takeMax(s.shown.maxTemperature, d.tempEau());
            }
        }
    }
    if (temperatureCount > 0) {
        s.meanTemperature = temperatureSum / temperatureCount;
        s.shown.meanTemperature = shownTemperatureSum / temperatureCount;
    }
    // The earlier dives' metres and degrees Celsius, in the logbook's units.
    s.shown.depthTotal = shownDepthTotal;
    if (!options.usUnits) {
        s.shown = {s.maxDepth, s.depthTotal, s.minTemperature, s.maxTemperature, s.meanTemperature};
    } else if (s.earlierCounted) {
        auto feet = [](long long m) { return std::llround(units::feetOfMetres(double(m))); };
        auto fahrenheit = [](long long c) {
            return std::llround(units::fahrenheitOfCelsius(double(c)));
        };
        s.shown.depthTotal += feet(earlier.count("total profondeur"));
        if (earlier.entered()) {
            if (auto m = earlier.extreme("prof max")) takeMax(s.shown.maxDepth, feet(*m));
            if (auto c = earlier.extreme("temperature min"))
                takeMin(s.shown.minTemperature, fahrenheit(*c));
            if (auto c = earlier.extreme("temperature max"))
                takeMax(s.shown.maxTemperature, fahrenheit(*c));
        }
    }
    return s;
}

}  // namespace divelog
