#pragma once

#include <QValidator>
#include <functional>
#include <string>

#include "util/NumberCheck.h"

// A number field's validator over a core check: a keystroke no further
// typing could make good is refused with a beep, and the reason shows at the
// field, as it does while the value is not good yet.
class NumberFieldValidator : public QValidator {
public:
    struct Verdict {
        divelog::NumberVerdict verdict;
        std::string message;  // why, when not acceptable
    };
    using Check = std::function<Verdict(const std::string& text)>;

    NumberFieldValidator(QWidget* field, Check check);
    State validate(QString& input, int& pos) const override;

private:
    QWidget* field_;
    Check check_;
};
