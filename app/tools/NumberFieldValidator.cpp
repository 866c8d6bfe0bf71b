#include "tools/NumberFieldValidator.h"

#include <QApplication>
#include <QToolTip>
#include <QWidget>

NumberFieldValidator::NumberFieldValidator(QWidget* field, const divelog::NumberRule& rule)
    : NumberFieldValidator(field, rule, [rule](const std::string& text) {
          return Verdict{divelog::checkNumberText(rule, text), {}};
      }) {}

NumberFieldValidator::NumberFieldValidator(QWidget* field, const divelog::NumberRule& rule,
                                           Check check)
    : QValidator(field), field_(field), rule_(rule), check_(std::move(check)) {}

QValidator::State NumberFieldValidator::validate(QString& input, int& position) const {
    using V = divelog::NumberVerdict;
    // Digits typed after a field's "-" for none give a value: the dash goes.
    if (rule_.dashForNone && !rule_.negative && input.size() > 1 &&
        input.front() == QLatin1Char('-') && input.at(1).isDigit()) {
        input.remove(0, 1);
        if (position > 0) --position;
    }
    const Verdict v = check_(input.toStdString());
    // Only what the user types speaks; a value the program sets stays quiet.
    const bool typing = field_->hasFocus();
    if (v.verdict == V::Acceptable) {
        if (typing) QToolTip::hideText();
        return Acceptable;
    }
    if (typing) {
        if (v.verdict == V::Invalid) QApplication::beep();
        if (!v.message.empty())
            QToolTip::showText(field_->mapToGlobal(QPoint(0, field_->height())),
                               QString::fromStdString(v.message), field_);
    }
    return v.verdict == V::Invalid ? Invalid : Intermediate;
}
