#include "tools/NumberFieldValidator.h"

#include <QApplication>
#include <QToolTip>
#include <QWidget>

NumberFieldValidator::NumberFieldValidator(QWidget* field, Check check)
    : QValidator(field), field_(field), check_(std::move(check)) {}

QValidator::State NumberFieldValidator::validate(QString& input, int&) const {
    using V = divelog::NumberVerdict;
    const Verdict v = check_(input.toStdString());
    // Only what the user types speaks; a value the program sets stays quiet.
    const bool typing = field_->hasFocus();
    if (v.verdict == V::Acceptable) {
        if (typing) QToolTip::hideText();
        return Acceptable;
    }
    if (typing) {
        if (v.verdict == V::Invalid) QApplication::beep();
        QToolTip::showText(field_->mapToGlobal(QPoint(0, field_->height())),
                           QString::fromStdString(v.message), field_);
    }
    return v.verdict == V::Invalid ? Invalid : Intermediate;
}
