#pragma once

#include <QObject>
#include <QStringList>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace divelog {
class PreferencesModel;
}
class ColourButton;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QWidget;
class UiText;

// Binds the preferences window's widgets to the preferences model, one widget
// per settings key. A user change goes to the model (which stores it and posts
// its notification), then `changed` asks the window to refresh; refreshing
// only shows the model, so it never feeds back into it.
class PreferencesControls : public QObject {
    Q_OBJECT
public:
    PreferencesControls(divelog::PreferencesModel& model, const UiText& text,
                        QObject* parent = nullptr);

    QCheckBox* check(const std::string& key, const char* labelKey, QWidget* parent);
    // Text keys keep what is typed; number keys read "," or "." as the
    // decimal point, let in only what their rule does, and put back the last
    // good value, with a word, when what was typed is unreadable or out of range.
    QLineEdit* field(const std::string& key, int widthInChars, QWidget* parent);
    ColourButton* colour(const std::string& key, const char* tipKey, QWidget* parent);
    // The item index is the stored code.
    QComboBox* choice(const std::string& key, const QStringList& items, QWidget* parent);
    // Widgets (labels, units) enabled and disabled with a key's control.
    void follow(const std::string& key, QWidget* companion);

    QWidget* control(const std::string& key) const;
    // Shows every control's model value and applies the enabling rules.
    void refresh();

signals:
    void changed();
    // A typed number was refused: what to tell the user.
    void refused(const QString& message);

private:
    struct Binding {
        QWidget* control = nullptr;
        std::function<void()> show;
        std::vector<QWidget*> companions;
    };
    Binding& bind(const std::string& key, QWidget* control, std::function<void()> show);
    void commitField(const std::string& key, QLineEdit* edit);

    divelog::PreferencesModel& model_;
    const UiText& text_;
    std::map<std::string, Binding> bindings_;
};
