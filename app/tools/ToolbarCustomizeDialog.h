#pragma once

#include <QDialog>
#include <string>
#include <vector>

namespace divelog {
struct ToolbarLayout;
}
class QListWidget;
class QListWidgetItem;
class UiText;

// Chooses and orders the items of one toolbar: what the toolbar allows on the
// left, its items in order on the right. Separators and spaces may be added
// any number of times, command items once.
class ToolbarCustomizeDialog : public QDialog {
    Q_OBJECT
public:
    ToolbarCustomizeDialog(const divelog::ToolbarLayout& toolbar,
                           const std::vector<std::string>& order, const UiText& text,
                           QWidget* parent);

    std::vector<std::string> order() const;
    void addItem(const std::string& id);
    void removeCurrent();
    void moveCurrent(int by);
    void restoreDefaults();

private:
    QListWidgetItem* makeItem(const std::string& id) const;
    QString title(const std::string& id) const;
    void refreshAvailable();

    const divelog::ToolbarLayout& toolbar_;
    const UiText& text_;
    QListWidget* available_ = nullptr;
    QListWidget* chosen_ = nullptr;
};
