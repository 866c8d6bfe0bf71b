#pragma once

#include <QWidget>
#include <string>
#include <vector>

namespace divelog {
class PickLists;
}
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class PickListModel;
class UiText;
class UserPrompts;

// One pick list being edited: an entry field, the entries in a read-only
// table, their count, and the add and delete commands. The list itself is
// the process-wide one, so what is added here is offered by every form.
class PickListPane : public QWidget {
    Q_OBJECT
public:
    PickListPane(divelog::PickLists& lists, std::string key, const UiText& text,
                 UserPrompts& prompts, QWidget* parent = nullptr);

    const std::string& listKey() const { return key_; }
    QLineEdit* entryField() const { return entry_; }
    QTableView* table() const { return table_; }
    QLabel* countLabel() const { return count_; }
    QPushButton* addButton() const { return add_; }
    QPushButton* deleteButton() const { return delete_; }

    // Shows the list as it is now; a no-op when nothing changed, so the
    // selection survives coming back to the window.
    void redisplay(bool force = true);

signals:
    // A blank entry was refused (after the beep); nothing was added.
    void entryRefused();

public slots:
    // Adds the field's text as it is, also when already listed; a blank text
    // is refused with a beep and left in the field, selected.
    void addEntry();
    // Asks, then removes the selected rows; the field is emptied either way.
    void deleteSelection();

private:
    std::vector<std::size_t> selectedRows() const;
    void updateCount();

    divelog::PickLists& lists_;
    const std::string key_;
    const UiText& text_;
    UserPrompts& prompts_;
    PickListModel* model_ = nullptr;
    QLineEdit* entry_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* count_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* delete_ = nullptr;
};
