#pragma once

#include <QWidget>
#include <vector>

class QActionGroup;
class QLineEdit;
class QToolButton;
class UiText;

// The logbook's search field with its find menu: five scopes, each a dive
// field. Choosing a scope searches at once; Return searches the scope chosen
// last.
class DiveSearchField : public QWidget {
    Q_OBJECT
public:
    struct Scope {
        const char* command;   // action object name, as the menu commands are called
        const char* field;     // the dive field searched
        const char* titleKey;  // table "Carnet"
    };
    static const std::vector<Scope>& scopes();

    DiveSearchField(const UiText& text, QWidget* parent = nullptr);

    QLineEdit* lineEdit() const { return edit_; }
    QString scopeField() const { return field_; }

signals:
    void searchRequested(const QString& field, const QString& text);

private:
    void chooseScope(const Scope& scope, const QString& title);

    QLineEdit* edit_ = nullptr;
    QToolButton* menuButton_ = nullptr;
    QString field_;
    const UiText& text_;
};
