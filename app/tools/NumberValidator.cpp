#include "tools/NumberValidator.h"

QValidator::State NumberValidator::validate(QString& input, int& position) const {
    // Digits typed after a field's "-" for none give a value: the dash goes.
    if (rule_.dashForNone && !rule_.negative && input.size() > 1 &&
        input.front() == QLatin1Char('-') && input.at(1).isDigit()) {
        input.remove(0, 1);
        if (position > 0) --position;
    }
    switch (divelog::checkTyping(rule_, input.toStdString())) {
        case divelog::Typed::Refused: return Invalid;
        case divelog::Typed::Unfinished: return Intermediate;
        case divelog::Typed::Complete: return Acceptable;
    }
    return Invalid;
}
