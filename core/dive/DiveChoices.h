#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dive/Plongee.h"

namespace divelog {

class Localisation;

// One item of a dive form choice list: the record's code as its tag, its
// title in the "Carnet" table, and the picture the table shows for it.
struct Choice {
    std::int32_t tag;
    std::string title;
    std::string image;  // empty for none
};

// What each choice list of the dive form offers, read from the dive codes in
// their display order. Codes that mean "not given" are items too, so a blank
// form always shows a selection; legacy codes without a meaning are left out.
class DiveChoices {
public:
    // The items of a choice list or of the apparatus selector; empty for any
    // other control (the difficulty is a slider, not a list).
    static std::vector<Choice> items(Plongee::Field field, const Localisation& texts);
    static std::vector<Choice> items(std::string_view control, const Localisation& texts);
};

}  // namespace divelog
