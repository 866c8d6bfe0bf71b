#pragma once

#include <map>
#include <string>

#include "settings/SettingsStore.h"

namespace divelog {

// The defaults registered at every start-up; they answer only for keys that
// hold no stored value.
std::map<std::string, SettingValue> registeredDefaults();

}  // namespace divelog
