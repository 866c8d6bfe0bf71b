#pragma once

#include <QToolBar>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace divelog {
class SettingsStore;
}
class QWidgetAction;
class UiText;

// One of the logbook's two toolbars, built from the core's item table. Every
// command item the toolbar allows has one action, named by its identifier and
// kept while items come and go; the user's order is remembered in the
// settings store and can be changed from the toolbar's context menu.
class LogbookToolbar : public QToolBar {
    Q_OBJECT
public:
    // `identifier` is "tableViewToolbar" or "editWindowToolbar".
    LogbookToolbar(const QString& identifier, divelog::SettingsStore& store, const UiText& text,
                   QWidget* parent);

    QString identifier() const { return objectName(); }
    // The action of a command item the toolbar allows; null otherwise.
    QAction* action(const std::string& id) const;
    void setHandler(const std::string& id, std::function<void()> handler);
    // The widget the "rechercher" item holds.
    void setSearchWidget(QWidget* widget);

    // Items needing a dive are enabled only when the logbook holds one;
    // Update only when the form shows a dive of the logbook to write into.
    void updateEnabling(std::size_t diveCount, bool formShowsDive = true);

    std::vector<std::string> configuration() const { return order_; }
    // Stores the order and rebuilds the toolbar from it.
    void setConfiguration(const std::vector<std::string>& order);
    // Lets the user choose and order the items.
    void customize();

private:
    void rebuild();

    divelog::SettingsStore& store_;
    const UiText& text_;
    std::map<std::string, QAction*> actions_;
    QWidgetAction* search_ = nullptr;
    QAction* customize_ = nullptr;
    std::vector<QAction*> fillers_;  // separators and spaces of the current build
    std::vector<std::string> order_;
};
