#pragma once

#include <QToolBar>
#include <vector>

class QActionGroup;
class UiText;

// The preferences window's toolbar: one item per view, fixed in place (it
// cannot be moved, customised or hidden). Item identifiers are the actions'
// object names.
class ToolBarPrefs : public QToolBar {
    Q_OBJECT
public:
    struct Item {
        const char* identifier;
        const char* labelKey;  // table "Main"
        const char* image;     // icon resource name
    };
    // In view order: item n shows view n + 1.
    static const std::vector<Item>& items();

    ToolBarPrefs(const UiText& text, QWidget* parent = nullptr);

    QAction* item(const QString& identifier) const;
    // Marks the item of a view (1 to 5) as the one shown.
    void select(int view);

signals:
    void viewChosen(int view);

private:
    QActionGroup* group_ = nullptr;
};
