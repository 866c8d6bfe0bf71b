#pragma once

#include <QList>
#include <QWidget>
#include <string>

namespace divelog {
class AppContext;
}
class PickListPane;
class UiText;
class UserPrompts;

// A pick-list editor window: one or more panes, created on first use and kept
// for the life of the application (closing only hides it). Its frame is
// remembered under its layout name.
class PickListWindow : public QWidget {
    Q_OBJECT
public:
    PickListWindow(divelog::AppContext& context, const UiText& text, UserPrompts& prompts,
                   const QString& layout);
    ~PickListWindow() override;

    QString layoutName() const { return objectName(); }
    const QList<PickListPane*>& panes() const { return panes_; }
    PickListPane* pane(const std::string& listKey) const;

    // Shows the lists as they are now and brings the window to the front.
    void present();

protected:
    PickListPane* makePane(const std::string& listKey);
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

    divelog::AppContext& context_;
    const UiText& text_;
    UserPrompts& prompts_;

private:
    QList<PickListPane*> panes_;
    bool placed_ = false;
};

// The editor of one pick list (locations, sites, buddies, shops, ...).
class PickListEditor : public PickListWindow {
    Q_OBJECT
public:
    PickListEditor(divelog::AppContext& context, const UiText& text, UserPrompts& prompts,
                   const QString& layout, const std::string& listKey);
};
