#include "calculators/CalculatorWindow.h"

#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QVBoxLayout>

#include "calculators/CalcAnswer.h"
#include "localisation/UiText.h"
#include "settings/AppContext.h"
#include "tools/NumberValidator.h"
#include "tools/WindowFrame.h"

namespace {

// Digits with one "," or "." as decimal point and an optional exponent (a
// converted value may show one); no words or hex.
QValidator* numberValidator(bool negative, QObject* parent) {
    const QString pattern =
        QStringLiteral("^%1\\d{0,9}(?:[.,]\\d*)?(?:[eE][-+]?\\d{0,3})?$").arg(negative ? "-?" : "");
    return new QRegularExpressionValidator(QRegularExpression(pattern), parent);
}

const QColor kAlertColour(200, 0, 0);

QString nameOf(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

}  // namespace

CalculatorWindow::CalculatorWindow(divelog::AppContext& context, const UiText& text,
                                   const QString& layout)
    : QWidget(nullptr, Qt::Window), context_(context), text_(text) {
    setObjectName(layout);
    setWindowTitle(text.main(layout.toStdString()));
    box_ = new QVBoxLayout(this);
    box_->setContentsMargins(16, 16, 16, 16);
    box_->setSpacing(10);
    form_ = new QFormLayout;
    form_->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box_->addLayout(form_);
}

CalculatorWindow::~CalculatorWindow() {
    if (placed_ && isVisible()) windowframe::remember(this, context_.settings(), layoutName());
}

const divelog::Localisation& CalculatorWindow::loc() const { return context_.localisation(); }

void CalculatorWindow::present() {
    const bool first = !placed_;
    if (first) {
        placed_ = true;
        adjustSize();
        if (!windowframe::restore(this, context_.settings(), layoutName(), true))
            if (QScreen* screen = QGuiApplication::primaryScreen())
                move(screen->availableGeometry().center() - rect().center());
    }
    show();
    raise();
    activateWindow();
    // Only the first time: a window brought back keeps the field left last.
    if (first) {
        QWidget* start = firstField_;
        for (QWidget* w = nextInFocusChain(); !start && w != this; w = w->nextInFocusChain())
            if (qobject_cast<QLineEdit*>(w) && !static_cast<QLineEdit*>(w)->isReadOnly()) start = w;
        if (start) start->setFocus();
    }
}

double CalculatorWindow::value(const QLineEdit* field) {
    return divelog::fieldValue(field->text().toStdString());
}

void CalculatorWindow::setAlert(QWidget* widget, bool alert) {
    widget->setProperty("alert", alert);
    QPalette p = widget->parentWidget() ? widget->parentWidget()->palette() : QPalette();
    if (alert) {
        p.setColor(QPalette::WindowText, kAlertColour);
        p.setColor(QPalette::Text, kAlertColour);
    }
    widget->setPalette(p);
}

bool CalculatorWindow::isAlert(const QWidget* widget) {
    return widget->palette().color(QPalette::WindowText) == kAlertColour;
}

QLineEdit* CalculatorWindow::numberField(std::string_view name, bool negative) {
    auto* field = new QLineEdit(this);
    field->setObjectName(nameOf(name));
    field->setValidator(numberValidator(negative, field));
    field->setMinimumWidth(120);
    // However many lines a result takes, the fields keep their height.
    field->setMinimumHeight(field->sizeHint().height());
    connect(field, &QLineEdit::returnPressed, this, &CalculatorWindow::compute);
    return field;
}

QLineEdit* CalculatorWindow::addNumberField(const QString& label, std::string_view name,
                                            bool negative) {
    QLineEdit* field = numberField(name, negative);
    form_->addRow(label, field);
    return field;
}

QLineEdit* CalculatorWindow::addNumberField(const QString& label, std::string_view name,
                                            const divelog::NumberTyping& typing) {
    QLineEdit* field = numberField(name);
    delete field->validator();
    field->setValidator(new NumberValidator(typing, field));
    form_->addRow(label, field);
    return field;
}

QPushButton* CalculatorWindow::addComputeButton(const QString& title) {
    auto* button = new QPushButton(title, this);
    button->setObjectName(QStringLiteral("computeButton"));
    button->setDefault(true);
    connect(button, &QPushButton::clicked, this, &CalculatorWindow::compute);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(button);
    box_->addLayout(row);
    return button;
}

QLabel* CalculatorWindow::addResult(std::string_view name) {
    auto* result = new QLabel(this);
    result->setObjectName(nameOf(name));
    result->setWordWrap(true);
    result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    result->setTextFormat(Qt::PlainText);
    QFont bold = result->font();
    bold.setBold(true);
    result->setFont(bold);
    result->setMinimumHeight(result->fontMetrics().lineSpacing() * 2);
    result->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    box_->addWidget(result);
    if (!note_) {
        note_ = new QLabel(this);
        note_->setObjectName(QStringLiteral("noteField"));
        note_->setWordWrap(true);
        note_->setTextFormat(Qt::PlainText);
        QFont italic = note_->font();
        italic.setItalic(true);
        note_->setFont(italic);
        note_->hide();
        box_->addWidget(note_);
    }
    return result;
}

divelog::Shown CalculatorWindow::textOf(const divelog::Answer& answer,
                                        const divelog::ResultFormat& format) const {
    return divelog::show(loc(), answer, format);
}

void CalculatorWindow::showAnswer(QLabel* result, const divelog::Shown& shown) {
    result->setText(QString::fromStdString(shown.text));
    setAlert(result, shown.alert);
    if (note_) {
        note_->setText(QString::fromStdString(shown.note));
        note_->setVisible(!shown.note.empty());
    }
    // A result grown to more lines makes the window taller, not its fields lower.
    box_->activate();
    const int needed = box_->totalHeightForWidth(width());
    if (needed > height()) resize(width(), needed);
}

void CalculatorWindow::hideEvent(QHideEvent* event) {
    if (placed_) windowframe::remember(this, context_.settings(), layoutName());
    QWidget::hideEvent(event);
}
