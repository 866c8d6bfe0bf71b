#pragma once

#include <QList>
#include <QMainWindow>
#include <functional>
#include <memory>

namespace divelog {
class AppContext;
class RegisterSession;
}  // namespace divelog
class DocumentToolbar;
class QButtonGroup;
class QLabel;
class QPushButton;
class QStackedWidget;
class RegisterFormBinder;
class UiText;

// The edit window of a register: the session's form on the register's
// views, shown one at a time, with the edit toolbar and, on every view, the
// previous and next buttons. List commands belong to the register window,
// which is told through the signals and the toolbar's handlers.
class RegisterEditWindow : public QMainWindow {
    Q_OBJECT
public:
    RegisterEditWindow(divelog::RegisterSession& session, divelog::AppContext& context,
                       const UiText& text, QWidget* parent);
    ~RegisterEditWindow() override;

    DocumentToolbar* toolbar() const { return toolbar_; }
    RegisterFormBinder& binder() { return *binder_; }
    QWidget* control(const std::string& field) const;
    int currentView() const;  // 1 based
    // Shows a view; the window keeps the size the user gave it and a view
    // larger than it scrolls.
    void goView(int view);
    // The form, its dependent controls and the navigation into the widgets.
    void showForm();
    // Brings the window to the front, beside `owner` the first time.
    void present(QWidget* owner);
    // The first view, its first field taking the focus with its text selected.
    void focusFirstField();
    // Asked before the window closes; false keeps it open.
    void setCloseGuard(std::function<bool()> guard) { closeGuard_ = std::move(guard); }
    QLabel* countLabel() const { return counts_.value(currentView() - 1); }

signals:
    void previousRequested();
    void nextRequested();
    void formEdited();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* wrapView(QWidget* view);

    divelog::RegisterSession& session_;
    const UiText& text_;
    std::unique_ptr<RegisterFormBinder> binder_;
    DocumentToolbar* toolbar_ = nullptr;
    QStackedWidget* views_ = nullptr;
    QButtonGroup* navigation_ = nullptr;
    QList<QWidget*> contents_;
    QList<QLabel*> counts_;
    QList<QPushButton*> previous_, next_;
    std::function<bool()> closeGuard_;
    bool placed_ = false;
};
