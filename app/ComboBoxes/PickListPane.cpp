#include "ComboBoxes/PickListPane.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

#include "UserPrompts.h"
#include "localisation/UiText.h"
#include "settings/PickLists.h"

// Shows a copy of the list taken at the last redisplay: the shared list may
// change under it (a form's prompt, a reload) and the view must never index
// past its end.
class PickListModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    const std::vector<std::string>& shown() const { return shown_; }
    void show(const std::vector<std::string>& entries) {
        beginResetModel();
        shown_ = entries;
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(shown_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : 1;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid() ||
            static_cast<std::size_t>(index.row()) >= shown_.size())
            return {};
        return QString::fromStdString(shown_[static_cast<std::size_t>(index.row())]);
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

private:
    std::vector<std::string> shown_;
};

PickListPane::PickListPane(divelog::PickLists& lists, std::string key, const UiText& text,
                           UserPrompts& prompts, QWidget* parent)
    : QWidget(parent), lists_(lists), key_(std::move(key)), text_(text), prompts_(prompts) {
    setObjectName(QString::fromStdString(key_));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* entryRow = new QHBoxLayout;
    entry_ = new QLineEdit(this);
    entry_->setPlaceholderText(text.main("New entry"));
    add_ = new QPushButton(text.main("Add"), this);
    entryRow->addWidget(entry_, 1);
    entryRow->addWidget(add_);
    layout->addLayout(entryRow);

    model_ = new PickListModel(this);
    table_ = new QTableView(this);
    table_->setModel(model_);
    table_->horizontalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setAlternatingRowColors(true);
    table_->setShowGrid(false);
    layout->addWidget(table_, 1);

    auto* footer = new QHBoxLayout;
    count_ = new QLabel(this);
    delete_ = new QPushButton(text.main("Delete"), this);
    footer->addWidget(count_, 1);
    footer->addWidget(delete_);
    layout->addLayout(footer);

    connect(add_, &QPushButton::clicked, this, &PickListPane::addEntry);
    connect(entry_, &QLineEdit::returnPressed, this, &PickListPane::addEntry);
    connect(delete_, &QPushButton::clicked, this, &PickListPane::deleteSelection);
    auto* erase = new QShortcut(QKeySequence::Delete, table_);
    erase->setContext(Qt::WidgetShortcut);
    connect(erase, &QShortcut::activated, this, &PickListPane::deleteSelection);

    redisplay();
}

void PickListPane::redisplay(bool force) {
    const auto& live = lists_.list(key_);
    if (force || live != model_->shown()) model_->show(live);
    updateCount();
}

void PickListPane::updateCount() {
    count_->setText(text_.format("Carnet", "Entries", "error !",
                                 {static_cast<std::int64_t>(model_->rowCount())}));
}

void PickListPane::addEntry() {
    if (!lists_.addEntry(key_, entry_->text().toStdString())) {
        QApplication::beep();
        entry_->selectAll();
        emit entryRefused();
        return;
    }
    entry_->clear();
    redisplay();
}

std::vector<std::size_t> PickListPane::selectedRows() const {
    std::vector<std::size_t> rows;
    for (const QModelIndex& i : table_->selectionModel()->selectedRows())
        rows.push_back(static_cast<std::size_t>(i.row()));
    return rows;
}

void PickListPane::deleteSelection() {
    const std::vector<std::size_t> rows = selectedRows();
    // Rows index what is shown; if the list changed behind the table they
    // would name other entries, so show the list again instead of deleting.
    if (!rows.empty() && lists_.list(key_) != model_->shown()) {
        redisplay();
    } else if (!rows.empty()) {
        QApplication::beep();
        if (prompts_.confirm(window(), text_.main("Erase selection"))) {
            lists_.removeRows(key_, rows);
            table_->clearSelection();
            redisplay();
        }
    }
    entry_->clear();
}
