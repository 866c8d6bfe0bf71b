#include "settings/PreferencesControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>

#include "localisation/UiText.h"
#include "settings/PreferencesModel.h"
#include "tools/ColourButton.h"
#include "tools/NumberFieldValidator.h"
#include "util/Numbers.h"

using divelog::PreferenceType;

PreferencesControls::PreferencesControls(divelog::PreferencesModel& model, const UiText& text,
                                         QObject* parent)
    : QObject(parent), model_(model), text_(text) {}

PreferencesControls::Binding& PreferencesControls::bind(const std::string& key, QWidget* control,
                                                        std::function<void()> show) {
    control->setObjectName(QString::fromStdString(key));
    Binding& b = bindings_[key];
    b.control = control;
    b.show = std::move(show);
    return b;
}

QCheckBox* PreferencesControls::check(const std::string& key, const char* labelKey,
                                      QWidget* parent) {
    auto* box = new QCheckBox(text_.main(labelKey), parent);
    bind(key, box, [this, box, key] { box->setChecked(model_.boolControl(key)); });
    // clicked, not toggled: only the user's gesture reaches the model.
    connect(box, &QCheckBox::clicked, this, [this, key](bool on) {
        model_.change(key, on);
        emit changed();
    });
    return box;
}

QLineEdit* PreferencesControls::field(const std::string& key, int widthInChars, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    const divelog::PreferenceKey* preference = divelog::preferenceKey(key);
    const bool numeric = preference->type != PreferenceType::Text;
    if (numeric || preference->range) edit->setAlignment(Qt::AlignRight);
    if (preference->range)
        edit->setValidator(new NumberFieldValidator(edit, preference->range->typing));
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * widthInChars +
                          16);
    bind(key, edit, [this, edit, key, numeric] {
        edit->setText(QString::fromStdString(
            numeric ? divelog::decimalText(model_.numberControl(key)) : model_.textControl(key)));
        edit->setModified(false);
    });
    connect(edit, &QLineEdit::editingFinished, this, [this, key, edit] { commitField(key, edit); });
    return edit;
}

void PreferencesControls::commitField(const std::string& key, QLineEdit* edit) {
    // Leaving a field untouched is no change and posts nothing.
    if (!edit->isModified()) return;
    edit->setModified(false);
    const std::string typed = edit->text().toStdString();
    using Entry = divelog::PreferencesModel::Entry;
    const Entry entry = model_.enter(key, typed);
    // Also after a refused number, which the refresh replaces by the kept value.
    emit changed();
    if (entry == Entry::Stored) return;
    if (entry == Entry::OutOfOrder) {
        namespace gf = divelog::gradientFactors;
        emit refused(
            text_.format("Main", "Gradient factors order", "error !",
                         {divelog::decimalText(model_.numberControl(gf::kLowKey)),
                          divelog::decimalText(model_.numberControl(gf::kHighKey)), typed}));
        return;
    }
    const divelog::PreferenceKey* preference = divelog::preferenceKey(key);
    if (!preference->range) {
        emit refused(text_.format("Main", "Preference unreadable", "error !", {typed}));
        return;
    }
    const divelog::PreferenceRange& range = *preference->range;
    emit refused(text_.format(
        "Main", range.messageKey, "error !",
        {divelog::decimalText(range.minimum), divelog::decimalText(range.maximum), typed}));
}

ColourButton* PreferencesControls::colour(const std::string& key, const char* tipKey,
                                          QWidget* parent) {
    auto* button = new ColourButton(parent);
    button->setToolTip(text_.main(tipKey));
    bind(key, button, [this, button, key] {
        const std::optional<divelog::Colour> c = model_.colourControl(key);
        button->setColour(c ? std::optional<QColor>(toQColor(*c)) : std::nullopt);
    });
    connect(button, &ColourButton::colourChosen, this, [this, key](const QColor& c) {
        model_.change(key, divelog::colourValue(toColour(c)));
        emit changed();
    });
    return button;
}

QComboBox* PreferencesControls::choice(const std::string& key, const QStringList& items,
                                       QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->addItems(items);
    bind(key, combo, [this, combo, key] {
        const int code = static_cast<int>(model_.numberControl(key));
        // Codes past the listed ones mean the last item.
        combo->setCurrentIndex(code >= 0 && code < combo->count() ? code : combo->count() - 1);
    });
    connect(combo, &QComboBox::activated, this, [this, key](int index) {
        model_.change(key, static_cast<double>(index));
        emit changed();
    });
    return combo;
}

void PreferencesControls::follow(const std::string& key, QWidget* companion) {
    bindings_.at(key).companions.push_back(companion);
}

QWidget* PreferencesControls::control(const std::string& key) const {
    auto it = bindings_.find(key);
    return it == bindings_.end() ? nullptr : it->second.control;
}

void PreferencesControls::refresh() {
    for (auto& [key, b] : bindings_) {
        b.show();
        const bool on = model_.isEnabled(key);
        b.control->setEnabled(on);
        for (QWidget* w : b.companions) w->setEnabled(on);
    }
}
