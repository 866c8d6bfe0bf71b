#pragma once

#include <QWidget>

#include "dive/Plongee.h"

namespace divelog {
class SettingsStore;
}
class QLineEdit;
class QToolButton;
class UiText;

// The logbook's search field with its find menu, one scope per searchable
// dive field. Choosing a scope searches at once; Return searches the scope
// chosen last, which the next logbook window starts with too.
class DiveSearchField : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kScopeKey = "find scope";

    DiveSearchField(const UiText& text, divelog::SettingsStore& store, QWidget* parent = nullptr);

    QLineEdit* lineEdit() const { return edit_; }
    divelog::Plongee::Field scopeField() const { return field_; }

signals:
    void searchRequested(divelog::Plongee::Field field, const QString& text);

private:
    void chooseScope(std::size_t scope);

    QLineEdit* edit_ = nullptr;
    QToolButton* menuButton_ = nullptr;
    divelog::Plongee::Field field_ = divelog::Plongee::Field::bateau;
    const UiText& text_;
    divelog::SettingsStore& store_;
};
