#include "tools/NumberValidator.h"

QValidator::State NumberValidator::validate(QString& input, int&) const {
    switch (divelog::checkTyping(rule_, input.toStdString())) {
        case divelog::Typed::Refused: return Invalid;
        case divelog::Typed::Unfinished: return Intermediate;
        case divelog::Typed::Complete: return Acceptable;
    }
    return Invalid;
}
