#include "profile/ProfileSummary.h"

#include <algorithm>

#include "dive/DiveCodes.h"
#include "localisation/Localisation.h"
#include "util/Numbers.h"

namespace divelog {

ProfileSummary ProfileSummary::of(const ProfileSeries& p) {
    const auto& depths = p.profilProfondeur;
    const std::size_t n = depths.size();
    ProfileSummary s;
    float sum = 0;
    for (double d : depths) {
        float f = narrowToFloat(d);
        if (f > s.maxDepth) s.maxDepth = f;
        sum += f;
    }
    s.meanDepth = n ? sum / static_cast<float>(n) : 0.0f;
    s.points = n >= 2 ? n : 0;

    // Flag series are indexed by depth sample; a longer one is read no further.
    auto counted = [n](const std::vector<std::int32_t>& flags) {
        return std::min(n, flags.size());
    };
    for (std::size_t i = 0; i < counted(p.SLOW_Flag); ++i) s.slowCount += p.SLOW_Flag[i];
    for (std::size_t i = 0; i < counted(p.CEIL_Flag); ++i) s.ceilCount += p.CEIL_Flag[i];
    const std::size_t surf = counted(p.SURF_Flag);
    for (std::size_t i = 0; i < surf; ++i) s.surfacings += p.SURF_Flag[i];
    // A flag on the last sample ends the dive rather than interrupting it.
    if (s.surfacings > 0 && p.SURF_Flag[surf - 1] == 1) --s.surfacings;
    for (std::size_t i = 0; i < counted(p.GAZ_Flag); ++i)
        if (p.GAZ_Flag[i] != 0) ++s.gasSwitches;
    return s;
}

ProfileSummaryText ProfileSummaryText::of(const ProfileSummary& s, std::int32_t samplingCode,
                                          const Localisation& texts) {
    constexpr std::string_view table = "Carnet", fallback = "error !";
    ProfileSummaryText t;
    t.depth = texts.format(table, "Max and average depth", fallback,
                           {double{s.maxDepth}, double{s.meanDepth}});
    std::string interval = DiveCodes::title(Plongee::Field::samplingRate, samplingCode, texts);
    t.sampling =
        texts.format(table, "Sampling rate", fallback, {interval.empty() ? "-" : interval});
    t.points =
        texts.format(table, "Recorded points", fallback, {static_cast<std::int64_t>(s.points)});
    return t;
}

}  // namespace divelog
