#pragma once

#include "logbook/Carnet.h"

namespace divelog::samples {

// The sample logbook's dives: made up, over several years and seas, with air,
// nitrox, trimix and a closed-circuit dive, stops, profiles with gas switches
// and pressures, buddies and notes. Deterministic.
Carnet::DiveList sampleDives();

}  // namespace divelog::samples
