#pragma once

#include <QValidator>

#include "util/NumberTyping.h"

// Lets into a line only what the field's typing rule lets through: a
// refused keystroke or paste never reaches the text, an unfinished one (a
// lone minus sign) waits for what follows.
class NumberValidator : public QValidator {
    Q_OBJECT
public:
    NumberValidator(const divelog::NumberTyping& rule, QObject* parent)
        : QValidator(parent), rule_(rule) {}

    State validate(QString& input, int& position) const override;
    const divelog::NumberTyping& rule() const { return rule_; }

private:
    divelog::NumberTyping rule_;
};
