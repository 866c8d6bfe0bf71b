#include "logbook/DiveFormBinder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTimeEdit>

#include "dive/DiveChoices.h"
#include "logbook/DiveForm.h"
#include "logbook/DiveFormCombos.h"
#include "logbook/DiveNumbers.h"
#include "logbook/LogbookIcons.h"
#include "settings/AppContext.h"
#include "tools/NumberFieldValidator.h"

using divelog::DiveForm;
using Kind = DiveForm::ControlKind;

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

QDateTime toQt(divelog::Date d) {
    const divelog::DateParts p = divelog::localParts(d);
    return QDateTime(QDate(p.year, p.month, p.day), QTime(p.hour, p.minute, p.second));
}

// The edited part replaces its own fields only: the day of "date" keeps its
// time, the time of "heure" keeps its day.
divelog::Date withDay(divelog::Date d, QDate day) {
    divelog::DateParts p = divelog::localParts(d);
    p.year = day.year();
    p.month = day.month();
    p.day = day.day();
    return divelog::dateFromLocalParts(p);
}

divelog::Date withTime(divelog::Date d, QTime time) {
    divelog::DateParts p = divelog::localParts(d);
    p.hour = time.hour();
    p.minute = time.minute();
    p.second = 0;
    return divelog::dateFromLocalParts(p);
}

}  // namespace

DiveFormBinder::DiveFormBinder(divelog::DiveForm& form, divelog::AppContext& context,
                               QObject* parent)
    : QObject(parent), form_(form), context_(context) {}

QWidget* DiveFormBinder::widget(const std::string& name) {
    auto it = widgets_.find(name);
    if (it != widgets_.end()) return it->second;
    QWidget* w = make(name);
    w->setObjectName(q(name));
    widgets_[name] = w;
    ++filling_;
    fillOne(name, w);
    --filling_;
    return w;
}

QAbstractButton* DiveFormBinder::selectorButton(int code) const {
    return selector_ ? selector_->button(code) : nullptr;
}

std::vector<std::string> DiveFormBinder::unboundControls() const {
    std::vector<std::string> out;
    for (const auto& c : DiveForm::controls())
        if (!widgets_.count(std::string(c.name))) out.emplace_back(c.name);
    return out;
}

QWidget* DiveFormBinder::make(const std::string& name) {
    switch (DiveForm::kindOf(name).value_or(Kind::Text)) {
        case Kind::Text: return makeTextField(name);
        case Kind::Tag: return makeChoice(name);
        case Kind::Selector: return makeSelector(name);
        case Kind::Switch: {
            auto* box = new QCheckBox;
            connect(box, &QCheckBox::toggled, this, [this, name](bool on) {
                if (filling_) return;
                form_.setSwitch(name, on);
                emit committed(q(name));
            });
            return box;
        }
        case Kind::Slider: {
            auto* slider = new QSlider(Qt::Horizontal);
            slider->setRange(0, 5);
            slider->setPageStep(1);
            slider->setTickPosition(QSlider::TicksBelow);
            slider->setTickInterval(1);
            connect(slider, &QSlider::valueChanged, this, [this, name](int v) {
                if (filling_) return;
                form_.setTag(name, v);
                emit committed(q(name));
            });
            return slider;
        }
        case Kind::Date: {
            const bool time = name == "heure";
            QDateTimeEdit* edit = time ? static_cast<QDateTimeEdit*>(new QTimeEdit)
                                       : static_cast<QDateTimeEdit*>(new QDateEdit);
            edit->setDisplayFormat(time ? QStringLiteral("HH:mm") : QStringLiteral("yyyy-MM-dd"));
            edit->setCalendarPopup(!time);
            connect(edit, &QDateTimeEdit::dateTimeChanged, this, [this, name, edit, time] {
                if (filling_) return;
                const divelog::Date old = form_.date(name);
                form_.setDate(name,
                              time ? withTime(old, edit->time()) : withDay(old, edit->date()));
            });
            connect(edit, &QDateTimeEdit::editingFinished, this,
                    [this, name] { emit committed(q(name)); });
            return edit;
        }
    }
    return nullptr;
}

QValidator* DiveFormBinder::numberValidator(QWidget* field, divelog::Plongee::Field which) {
    const auto rule = divelog::DiveNumbers::rule(which, false).value_or(divelog::NumberRule{});
    return new NumberFieldValidator(field, rule, [this, which](const std::string& text) {
        const auto c = divelog::DiveNumbers::check(form_, which, text,
                                                   context_.settings().boolForKey("us units"),
                                                   context_.localisation());
        return NumberFieldValidator::Verdict{c.verdict, c.message};
    });
}

QWidget* DiveFormBinder::makeTextField(const std::string& name) {
    if (name == "runtime" || name == "notes") {
        auto* area = new QPlainTextEdit;
        area->setTabChangesFocus(true);
        connect(area, &QPlainTextEdit::textChanged, this, [this, name, area] {
            if (!filling_) form_.setText(name, area->toPlainText().toStdString());
        });
        return area;
    }
    const auto pickList = divelog::DiveFormCombos::pickListKey(name);
    const auto* fixed = divelog::DiveFormCombos::fixedList(name);
    if (pickList || fixed) {
        auto* box = new QComboBox;
        box->setEditable(true);
        // The list is only changed by the question asked at the end of editing.
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(fixed ? 5 : 12);
        auto* completer = new QCompleter(box->model(), box);
        completer->setCaseSensitivity(Qt::CaseInsensitive);
        completer->setFilterMode(Qt::MatchContains);
        completer->setCompletionMode(QCompleter::PopupCompletion);
        box->setCompleter(completer);
        setItems(box, fixed ? *fixed : divelog::DiveFormCombos::items(name, context_.pickLists()));
        if (const auto field = divelog::Plongee::fieldNamed(name);
            field && divelog::DiveNumbers::rule(*field, false))
            box->setValidator(numberValidator(box, *field));
        connect(box, &QComboBox::editTextChanged, this, [this, name](const QString& t) {
            if (!filling_) form_.setText(name, t.toStdString());
        });
        connect(box, &QComboBox::activated, this, [this, name] { emit committed(q(name)); });
        connect(box->lineEdit(), &QLineEdit::editingFinished, this, [this, name, pickList] {
            if (filling_) return;
            emit committed(q(name));
            if (pickList) emit pickListEditFinished(q(name));
        });
        return box;
    }
    auto* edit = new QLineEdit;
    if (divelog::DiveNumbers::rule(name, false)) {
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        edit->setMaximumWidth(90);
        if (const auto field = divelog::Plongee::fieldNamed(name))
            edit->setValidator(numberValidator(edit, *field));
    }
    // Nitrogen follows oxygen and helium; typing it would be undone.
    if (name == "n2Mix" || name == "n2Mix_2") {
        edit->setReadOnly(true);
        edit->setFrame(false);
        edit->setFocusPolicy(Qt::NoFocus);
        QPalette look = edit->palette();
        look.setColor(QPalette::Base, Qt::transparent);
        edit->setPalette(look);
    }
    connect(edit, &QLineEdit::textEdited, this,
            [this, name](const QString& t) { form_.setText(name, t.toStdString()); });
    connect(edit, &QLineEdit::editingFinished, this, [this, name] { emit committed(q(name)); });
    return edit;
}

QWidget* DiveFormBinder::makeChoice(const std::string& name) {
    auto* box = new QComboBox;
    for (const divelog::Choice& c : divelog::DiveChoices::items(name, context_.localisation()))
        box->addItem(LogbookIcons::icon(c.image), q(c.title), c.tag);
    connect(box, &QComboBox::currentIndexChanged, this, [this, name, box](int index) {
        if (filling_ || index < 0) return;
        form_.setTag(name, box->itemData(index).toInt());
        emit committed(q(name));
    });
    return box;
}

QWidget* DiveFormBinder::makeSelector(const std::string& name) {
    auto* cells = new QWidget;
    auto* row = new QHBoxLayout(cells);
    row->setContentsMargins(0, 0, 0, 0);
    selector_ = new QButtonGroup(cells);
    for (const divelog::Choice& c : divelog::DiveChoices::items(name, context_.localisation())) {
        auto* cell = new QRadioButton(q(c.title), cells);
        cell->setObjectName(q(name + "_" + std::to_string(c.tag)));
        selector_->addButton(cell, c.tag);
        row->addWidget(cell);
    }
    row->addStretch();
    connect(selector_, &QButtonGroup::idToggled, this, [this, name](int id, bool on) {
        if (filling_ || !on) return;
        form_.setTag(name, id);
        emit committed(q(name));
    });
    return cells;
}

void DiveFormBinder::setItems(QComboBox* box, const std::vector<std::string>& items) {
    QStringList list;
    for (const auto& i : items) list << q(i);
    QStringList shown;
    for (int i = 0; i < box->count(); ++i) shown << box->itemText(i);
    if (shown == list) return;
    const QString text = box->currentText();
    ++filling_;
    box->clear();
    box->addItems(list);
    box->setEditText(text);
    --filling_;
}

void DiveFormBinder::reloadPickLists() {
    for (auto& [name, w] : widgets_)
        if (divelog::DiveFormCombos::pickListKey(name))
            setItems(static_cast<QComboBox*>(w),
                     divelog::DiveFormCombos::items(name, context_.pickLists()));
}

void DiveFormBinder::fill() {
    ++filling_;
    for (auto& [name, w] : widgets_) fillOne(name, w);
    --filling_;
    reloadPickLists();
}

void DiveFormBinder::fillOne(const std::string& name, QWidget* w) {
    const DiveForm::ControlValue value = form_.value(name);
    if (const auto* text = std::get_if<std::string>(&value)) {
        const QString t = q(*text);
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            if (edit->text() != t) edit->setText(t);
        } else if (auto* box = qobject_cast<QComboBox*>(w)) {
            if (box->currentText() != t) box->setEditText(t);
        } else if (auto* area = qobject_cast<QPlainTextEdit*>(w)) {
            if (area->toPlainText() != t) area->setPlainText(t);
        }
    } else if (const auto* tag = std::get_if<std::int32_t>(&value)) {
        if (auto* box = qobject_cast<QComboBox*>(w))
            box->setCurrentIndex(box->findData(*tag));  // an unknown code shows nothing
        else if (auto* slider = qobject_cast<QSlider*>(w))
            slider->setValue(*tag);
        else if (selector_ && selector_->button(*tag))
            selector_->button(*tag)->setChecked(true);
    } else if (const auto* on = std::get_if<bool>(&value)) {
        if (auto* box = qobject_cast<QCheckBox*>(w)) box->setChecked(*on);
    } else if (const auto* date = std::get_if<divelog::Date>(&value)) {
        if (auto* edit = qobject_cast<QDateTimeEdit*>(w)) edit->setDateTime(toQt(*date));
    }
}
