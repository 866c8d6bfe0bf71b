#pragma once

#include <QValidator>
#include <functional>
#include <string>

#include "util/NumberCheck.h"

// A number field's validator over the core's rule: a keystroke or paste no
// further typing could make good never reaches the text and beeps; a value
// not good yet (a lone "-", a separator in a whole number) stays shown, and
// the reason shows at the field when the check words one.
class NumberFieldValidator : public QValidator {
public:
    struct Verdict {
        divelog::NumberVerdict verdict;
        std::string message;  // why, when not acceptable; empty says nothing
    };
    using Check = std::function<Verdict(const std::string& text)>;

    NumberFieldValidator(QWidget* field, const divelog::NumberRule& rule);
    // A check beyond the rule's characters: ranges and mixes in words.
    NumberFieldValidator(QWidget* field, const divelog::NumberRule& rule, Check check);

    State validate(QString& input, int& pos) const override;
    const divelog::NumberRule& rule() const { return rule_; }

private:
    QWidget* field_;
    divelog::NumberRule rule_;
    Check check_;
};
