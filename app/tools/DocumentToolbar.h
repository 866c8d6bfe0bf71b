#pragma once

#include <QToolBar>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace divelog {
class SettingsStore;
struct ToolbarLayout;
}  // namespace divelog
class QWidgetAction;
class UiText;

// A document window's customisable toolbar, built from a core layout. Every
// command item the toolbar allows has one action, named by its identifier and
// kept while items come and go; the user's order is remembered in the
// settings store and can be changed from the toolbar's context menu.
class DocumentToolbar : public QToolBar {
    Q_OBJECT
public:
    DocumentToolbar(const divelog::ToolbarLayout& layout, divelog::SettingsStore& store,
                    const UiText& text, QWidget* parent);

    QString identifier() const { return objectName(); }
    const divelog::ToolbarLayout& layout() const { return layout_; }
    // The action of a command item the toolbar allows; null otherwise.
    QAction* action(const std::string& id) const;
    void setHandler(const std::string& id, std::function<void()> handler);
    // The widget an item without a picture holds (a search field).
    void setItemWidget(const std::string& id, QWidget* widget);
    // Enables each command item as `enabled` says.
    void updateEnabling(const std::function<bool(const std::string&)>& enabled);
    std::vector<std::string> configuration() const { return order_; }
    // Stores the order and rebuilds the toolbar from it.
    void setConfiguration(const std::vector<std::string>& order);
    // Lets the user choose and order the items.
    void customize();
    // Puts the buttons in the window's Tab order, so a keyboard alone can
    // press them (Space); a toolbar's buttons take no focus otherwise.
    void setButtonsTakeFocus(bool take);

private:
    void rebuild();

    const divelog::ToolbarLayout& layout_;
    divelog::SettingsStore& store_;
    const UiText& text_;
    std::map<std::string, QAction*> actions_;
    std::map<std::string, QWidgetAction*> widgetItems_;
    QAction* customize_ = nullptr;
    std::vector<QAction*> fillers_;  // separators and spaces of the current build
    std::vector<std::string> order_;
    bool buttonsTakeFocus_ = false;
};
