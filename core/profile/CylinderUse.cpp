#include "profile/CylinderUse.h"

#include <algorithm>

#include "dive/Plongee.h"

namespace divelog {

CylinderUse CylinderUse::of(std::int64_t volume, std::int64_t start, std::int64_t end) {
    CylinderUse c;
    if (volume == 0) return c;
    auto clamp32 = [](std::int64_t v) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
    };
    c.present = true;
    c.available = volume * start;
    c.used = volume * (start - end);
    c.gaugeMaximum = clamp32(start);
    c.gaugeValue = clamp32(end);
    c.gaugeTicks = clamp32(std::max<std::int64_t>(start / 10, 0));
    return c;
}

DiveGasUse DiveGasUse::of(const Plongee& d) {
    DiveGasUse g;
    g.usedPressure = {std::int64_t{d.pressionDepart()} - d.pressionFin(),
                      std::int64_t{d.pressionDepart_2()} - d.pressionFin_2()};
    const std::int32_t stageVolume[] = {d.volPony1(), d.volPony2(), d.volPony3()};
    const std::int32_t stageStart[] = {d.pressDepartPony1(), d.pressDepartPony2(),
                                       d.pressDepartPony3()};
    const std::int32_t stageEnd[] = {d.pressFinPony1(), d.pressFinPony2(), d.pressFinPony3()};
    for (std::size_t k = 0; k < 3; ++k)
        g.stages[k] = CylinderUse::of(stageVolume[k], stageStart[k], stageEnd[k]);
    g.bailouts[0] = CylinderUse::of(d.volBailout1(), d.pressDepartBailout1(), d.pressFinBailout1());
    g.bailouts[1] = CylinderUse::of(d.volBailout2(), d.pressDepartBailout2(), d.pressFinBailout2());
    return g;
}

}  // namespace divelog
