#pragma once

#include "logbook/Plongee.h"

namespace divelog {
class AppContext;
class Carnet;
}  // namespace divelog

// What a new dive proposes, read from the settings at the moment of use so a
// preference changed a second ago applies. `previous` is the dive shown
// before, whose bail-out values carry over; it may be null.
divelog::NewDiveDefaults newDiveDefaults(const divelog::AppContext& context,
                                         const divelog::Carnet& carnet,
                                         const divelog::Plongee* previous);
