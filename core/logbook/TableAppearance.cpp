#include "logbook/TableAppearance.h"

#include <cmath>

namespace divelog {

TableAppearance TableAppearance::read(const SettingsStore& s) {
    TableAppearance a;
    a.displayUnits = s.boolForKey("display units");
    a.usUnits = s.boolForKey("us units");
    a.depthTimeInColor = s.boolForKey("depth time in color");
    a.depthColor = s.colourForKey("depth color");
    a.timeColor = s.colourForKey("time color");
    a.colorItem = s.boolForKey("color item");
    a.colouredText = s.stringForKey("coloured text");
    a.colouredTheme = static_cast<int>(s.numberForKey("coloured theme"));
    a.lowTemperatureInColor = s.boolForKey("low temperature in color");
    // The threshold is read as an integer; text that is no number reads 0.
    double threshold = s.numberForKey("low temperature value");
    a.lowTemperatureValue =
        std::fabs(threshold) < 1e6 ? static_cast<int>(std::trunc(threshold)) : 0;
    a.lowTemperatureColor = s.colourForKey("low temperature color");
    a.mixInColor = s.boolForKey("mix in color");
    a.foreignInColor = s.boolForKey("foreign in color");
    a.foreignColor = s.colourForKey("foreign color");
    a.nocturnesInColor = s.boolForKey("nocturnes in color");
    a.countryCode = s.stringForKey("country code");
    return a;
}

}  // namespace divelog
