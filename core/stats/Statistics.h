#pragma once

#include <array>
#include <optional>

#include "stats/StatCategory.h"

namespace divelog {

class Carnet;
class EarlierDives;

// The logbook's figures, with or without the diver's earlier dives. Depths
// are whole metres and temperatures whole degrees Celsius, whatever units the
// dives were typed in, since the earlier totals and the depth bands are
// metric. A figure nothing measured is absent, never 0 or a sentinel.
struct Statistics {
    struct Options {
        bool countEarlier = true;  // the window's "no previous dives" box unticked
        bool usUnits = false;      // the dives' depths are feet, temperatures °F
        // The OTU over the profiles walks every sample: a caller that knows
        // the dives unchanged may keep its last figures instead.
        bool oxygenOverProfiles = true;
    };

    std::array<long long, kStatCategoryCount> counts{};
    long long logbookDives = 0;
    long long diveCount = 0;  // N: the logbook's dives and the earlier ones counted
    bool earlierCounted = false;

    std::optional<long long> maxDepth;  // metres
    std::optional<long long> maxTime;   // minutes
    long long depthTotal = 0;           // metres
    long long timeTotal = 0;            // minutes
    std::optional<long long> minTemperature, maxTemperature;
    // Over the logbook's dives that give a temperature only: the earlier
    // dives left no sum to average.
    std::optional<long long> meanTemperature;
    // Oxygen over the profiles of the logbook's dives that have samples (the
    // earlier dives left none): the most one dive took and the sum.
    std::optional<double> highestOtu;
    std::optional<double> otuTotal;

    // The same figures in the units the logbook is kept in (feet and °F under
    // "us units", else the metric ones): whole values of what was typed, so
    // a 100 ft dive shows 100 ft, not the 98 its whole metres make. The
    // earlier dives' metric values are converted into them.
    struct Shown {
        std::optional<long long> maxDepth;
        long long depthTotal = 0;
        std::optional<long long> minTemperature, maxTemperature, meanTemperature;
    } shown;
    std::optional<long long> shownMeanDepth() const;

    long long count(StatCategory c) const { return counts[static_cast<std::size_t>(c)]; }
    // Percent of N in single precision; 0 when there are no dives at all.
    float share(StatCategory c) const;
    std::optional<long long> meanDepth() const;
    std::optional<long long> meanTime() const;

    static Statistics of(const Carnet& carnet, const EarlierDives& earlier, Options options);
};

}  // namespace divelog
