#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace divelog {

class Localisation;

// One item of a dive form choice list: the record's code as its tag, a title
// looked up in the "Carnet" table, and for the marks the picture the table
// shows for that code.
struct Choice {
    std::int32_t tag;
    std::string title;
    std::string image;  // empty for none
};

// What each choice list of the dive form offers, in display order. Codes that
// mean "not given" are items too, so a blank form always shows a selection;
// legacy codes without a meaning (dive type 2) are left out.
class DiveChoices {
public:
    // The items of a choice list or of the apparatus selector; empty for any
    // other control.
    static std::vector<Choice> items(std::string_view control, const Localisation& texts);
};

}  // namespace divelog
