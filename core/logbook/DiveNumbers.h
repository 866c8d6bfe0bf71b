#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "dive/Plongee.h"
#include "util/NumberCheck.h"

namespace divelog {

class DiveForm;
class Localisation;

// The number fields of the dive form: what each accepts as typed and the
// range a diver's real values fit in, in the units the logbook is kept in.
// One table states it for the window's validators, the form's refusal
// before storing, and the messages that say why.
class DiveNumbers {
public:
    // The rule of a number control of the dive form; none for any other control.
    static std::optional<NumberRule> rule(Plongee::Field field, bool usUnits);
    static std::optional<NumberRule> rule(std::string_view control, bool usUnits);

    using Verdict = NumberVerdict;
    struct Check {
        Verdict verdict = Verdict::Acceptable;
        std::string message;  // why, in the diver's words, when not acceptable
    };
    // `text` in `field` of `form` (whose other fields give the mix's other gas).
    static Check check(const DiveForm& form, Plongee::Field field, std::string_view text,
                       bool usUnits, const Localisation& texts);

    // The first number field of the form holding what it does not accept,
    // with the message; none when every one is acceptable.
    struct Refusal {
        Plongee::Field field;
        std::string message;
    };
    static std::optional<Refusal> refusal(const DiveForm& form, bool usUnits,
                                          const Localisation& texts);
};

}  // namespace divelog
