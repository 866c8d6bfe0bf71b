#include "profile/OxygenDose.h"

#include <cmath>
#include <iterator>

namespace divelog {

namespace {

struct Limit {
    double ppO2;     // bar
    double minutes;  // the NOAA single-exposure limit
};

constexpr Limit kNoaa[] = {{0.6, 720}, {0.7, 570}, {0.8, 450}, {0.9, 360}, {1.0, 300}, {1.1, 240},
                           {1.2, 210}, {1.3, 180}, {1.4, 150}, {1.5, 120}, {1.6, 45}};
constexpr double kNoDoseAtOrBelow = 0.5;

}  // namespace

std::optional<double> OxygenDose::limitMinutes(double ppO2) {
    if (!(ppO2 > kNoDoseAtOrBelow)) return std::nullopt;  // not a number too
    if (ppO2 <= kNoaa[0].ppO2) return kNoaa[0].minutes;
    for (std::size_t k = 1; k < std::size(kNoaa); ++k) {
        const Limit lo = kNoaa[k - 1], hi = kNoaa[k];
        if (ppO2 <= hi.ppO2)
            return lo.minutes + (ppO2 - lo.ppO2) / (hi.ppO2 - lo.ppO2) * (hi.minutes - lo.minutes);
    }
    return std::prev(std::end(kNoaa))->minutes;
}

double OxygenDose::otuPerMinute(double ppO2) {
    if (!(ppO2 > kNoDoseAtOrBelow)) return 0;
    return std::pow((ppO2 - kNoDoseAtOrBelow) / 0.5, 0.83);
}

void OxygenDose::add(double ppO2, double minutes) {
    if (!(minutes > 0)) return;
    if (auto limit = limitMinutes(ppO2)) cnsPercent += minutes / *limit * 100;
    otu += minutes * otuPerMinute(ppO2);
}

}  // namespace divelog
