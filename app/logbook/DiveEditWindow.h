#pragma once

#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "logbook/DiveEditParts.h"

namespace divelog {
class AppContext;
class CarnetSession;
}  // namespace divelog
class DiveFormBinder;
class LogbookToolbar;
class QButtonGroup;
class QLabel;
class QPushButton;
class QDialog;
class QStackedWidget;
class UiText;
class UserPrompts;

// The edit window of a logbook: the session's dive form on six views, shown
// one at a time, with the edit toolbar. It shows what the form and its
// read-outs hold and passes user edits to the form; list commands (add,
// previous, next...) belong to the logbook window, which is told through the
// signals and the toolbar's handlers.
class DiveEditWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kViewCount = 6;

    DiveEditWindow(divelog::CarnetSession& session, divelog::AppContext& context,
                   const UiText& text, UserPrompts& prompts, QWidget* parent);
    ~DiveEditWindow() override;

    LogbookToolbar* toolbar() const { return toolbar_; }
    DiveFormBinder& binder() { return *binder_; }
    // The widget bound to a form control.
    QWidget* control(const std::string& name);
    const DiveEditParts& parts() const { return parts_; }
    // The dive count, as the shown view's footer says it.
    QLabel* diveCountLabel() const { return counts_.value(currentView() - 1); }
    int currentView() const;  // 1..6

    // goView_1 .. goView_6: shows a view and refreshes the form. The window
    // keeps the size and place the user gave it; a view larger than it scrolls.
    void goView(int view);
    // Shows the view holding a control and puts the focus in it.
    void focusControl(const std::string& name);
    // Asked before the window closes; false keeps it open.
    void setCloseGuard(std::function<bool()> guard) { closeGuard_ = std::move(guard); }

    // The form and its read-outs into the widgets.
    void showForm();
    // Brings the window to the front, placed beside `logbook` the first time.
    void present(QWidget* logbook);
    // The consumption sheet over this window (made on first use); it follows
    // every refresh of the form while it is open.
    QDialog* consumptionSheet();
    void showConsumption();

signals:
    void previousRequested();
    void nextRequested();
    // The form was refreshed after an edit made in this window.
    void formRefreshed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* wrapView(QWidget* view);
    void buildNavigation(QWidget* bar);
    void showReadouts();
    void onCommitted();
    void onPickListEditFinished(const QString& name);
    void preset(void (*apply)(divelog::CarnetSession&));

    divelog::CarnetSession& session_;
    divelog::AppContext& context_;
    const UiText& text_;
    UserPrompts& prompts_;
    std::unique_ptr<DiveFormBinder> binder_;
    DiveEditParts parts_;
    LogbookToolbar* toolbar_ = nullptr;
    QStackedWidget* views_ = nullptr;
    QButtonGroup* navigation_ = nullptr;
    QList<QLabel*> counts_;
    QList<QWidget*> contents_;  // the six views inside their scroll areas
    QList<QPushButton*> previous_, next_;
    std::function<bool()> closeGuard_;
    QDialog* consumption_ = nullptr;
    QLabel* consumptionText_ = nullptr;
    QLabel* consumptionOxygen_ = nullptr;          // the CNS clock beside the profile's oxygen
    std::map<std::string, std::string> declined_;  // per combo box: the text answered "No"
    bool asking_ = false;
    bool placed_ = false;
};
