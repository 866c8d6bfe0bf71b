#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dive/Plongee.h"

namespace divelog {

// A column of the dive table, identified by the dive field it shows.
struct DiveColumn {
    Plongee::Field field;
    std::string_view visibilityKey;  // boolean setting
    std::string_view titleKey;       // table "Carnet": the header and the preference switch
    bool shownAtFirst;               // on a fresh install, and again after the preferences' reset
    bool inPreferences;              // the wreck column's switch is written by the logbook alone
};

// The one list of dive table columns, in their initial order: the table, its
// column switches and the preferences window all read it.
class DiveColumns {
public:
    static std::span<const DiveColumn> all();
    static const DiveColumn* of(Plongee::Field field);
    static const DiveColumn* withKey(std::string_view visibilityKey);
    // The switches: those the preferences save, in column order, then the others.
    static const std::vector<std::string>& visibilityKeys();
};

}  // namespace divelog
