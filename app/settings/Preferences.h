#pragma once

#include <QMainWindow>
#include <memory>
#include <string>

namespace divelog {
class AppContext;
class PreferencesModel;
}  // namespace divelog
class PreferencesControls;
class QLabel;
class QPushButton;
class QStackedWidget;
class ToolBarPrefs;
class UiText;
class UserPrompts;

// The preferences window: five views chosen from its toolbar, every control
// bound to the preferences model. The window decides nothing itself: what is
// stored, what is posted, what is enabled and how the threshold is labelled
// all come from the model. Created once and kept; closing only hides it.
class Preferences : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* kLayout = "Preferences";

    Preferences(divelog::AppContext& context, const UiText& text, UserPrompts& prompts);
    ~Preferences() override;

    divelog::PreferencesModel& model() { return *model_; }
    ToolBarPrefs* toolBar() const { return toolBar_; }
    // 1 to 5.
    int currentView() const;
    // The control bound to a settings key (its object name is the key).
    QWidget* control(const std::string& key) const;
    QLabel* temperatureUnitLabel() const { return temperatureUnit_; }
    QPushButton* saveButton() const { return save_; }
    QPushButton* resetButton() const { return reset_; }

    // Rereads the store when the window was hidden, then brings it to the front.
    void present();

public slots:
    // Shows view 1 to 5, as its toolbar item does.
    void goView(int view);
    void savePrefs();
    // Asks first: every preference of the five views goes back to its default.
    void resetPreferences();
    void refreshWindow();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* buildGeneralView();
    QWidget* buildLogbookView();
    QWidget* buildDisplayView();
    QWidget* buildProfileView();
    QWidget* buildDecoView();

    divelog::AppContext& context_;
    const UiText& text_;
    UserPrompts& prompts_;
    std::unique_ptr<divelog::PreferencesModel> model_;
    PreferencesControls* controls_ = nullptr;
    ToolBarPrefs* toolBar_ = nullptr;
    QStackedWidget* views_ = nullptr;
    QLabel* temperatureUnit_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* reset_ = nullptr;
    bool placed_ = false;
};
