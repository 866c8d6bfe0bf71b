#pragma once

#include <array>
#include <cstdint>

namespace divelog {

class Plongee;

// A cylinder's gas at the surface and its gauge, from its volume in litres
// and its start and end pressures in bar. 64 bits: a volume times a pressure
// difference cannot overflow them.
struct CylinderUse {
    bool present = false;           // a volume of 0 means no such cylinder
    std::int64_t available = 0;     // volume x start
    std::int64_t used = 0;          // volume x (start - end)
    std::int32_t gaugeMaximum = 0;  // start pressure
    std::int32_t gaugeValue = 0;    // end pressure
    std::int32_t gaugeTicks = 0;    // one per 10 bar of the start pressure

    static CylinderUse of(std::int64_t volume, std::int64_t start, std::int64_t end);
    friend bool operator==(const CylinderUse&, const CylinderUse&) = default;
};

// The pressures and volumes a stored dive used: the two main cylinders'
// pressure drops, the three stage and two bail-out cylinders.
struct DiveGasUse {
    std::array<std::int64_t, 2> usedPressure{};  // start minus end
    std::array<CylinderUse, 3> stages;
    std::array<CylinderUse, 2> bailouts;

    static DiveGasUse of(const Plongee& dive);
    friend bool operator==(const DiveGasUse&, const DiveGasUse&) = default;
};

}  // namespace divelog
