#include "logbook/NewDiveSettings.h"

#include <cstdint>

#include "logbook/Carnet.h"
#include "settings/AppContext.h"

namespace {

// A hand-edited setting may hold any number; out-of-range casts are undefined.
std::int32_t toInt32(double v) {
    if (!(v > -2147483648.0)) return v < 0 ? INT32_MIN : 0;
    if (v >= 2147483647.0) return INT32_MAX;
    return static_cast<std::int32_t>(v);
}

}  // namespace

divelog::NewDiveDefaults newDiveDefaults(const divelog::AppContext& context,
                                         const divelog::Carnet& carnet,
                                         const divelog::Plongee* previous) {
    const divelog::SettingsStore& s = context.settings();
    divelog::NewDiveDefaults d;
    d.number = carnet.nextDiveNumber();
    d.now = divelog::dateNow();
    d.countryCode = s.stringForKey("country code");
    d.gpsTemplate = context.localisation().text("Carnet", "GPS template");
    // A stop spacing of 0 (unset or unreadable) would stack every stop at the surface.
    const double interval = s.numberForKey("stop interval");
    d.stopInterval = interval == 0 ? 3 : interval;
    d.tankVolume = toInt32(s.numberForKey("tank volume"));
    d.tankPressure = toInt32(s.numberForKey("tank pressure"));
    d.fabricant = s.stringForKey("fabricant");
    d.ordinateur = s.stringForKey("ordinateur");
    d.serie = s.stringForKey("serie");
    d.previous = previous;
    return d;
}
