#include "tools/ListTableBinding.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

#include "document/ListSession.h"

ListTableBinding::ListTableBinding(QTableView* table, divelog::ListSession& session, Ask ask,
                                   QWidget* window)
    : QObject(window), table_(table), session_(session), ask_(std::move(ask)), window_(window) {
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ListTableBinding::onSelectionChanged);
}

ListTableBinding::~ListTableBinding() = default;

void ListTableBinding::configure(QTableView* table) {
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setAlternatingRowColors(true);
    table->setWordWrap(false);
    // No shaping beyond what a script needs: for the Latin text of most
    // cells it is the greater part of a repaint.
    QFont font = table->font();
    font.setStyleStrategy(QFont::PreferNoShaping);
    table->setFont(font);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    table->verticalHeader()->hide();
    QHeaderView* header = table->horizontalHeader();
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setStretchLastSection(true);
}

void ListTableBinding::setOnSelected(std::function<void(const Alerts&)> onSelected) {
    onSelected_ = std::move(onSelected);
}

void ListTableBinding::setOnStored(std::function<void(const Alerts&)> onStored) {
    onStored_ = std::move(onStored);
}

void ListTableBinding::setQuestionParent(std::function<QWidget*()> parent) {
    questionParent_ = std::move(parent);
}

void ListTableBinding::setLeaveGuard(std::function<bool()> guard) {
    leaveGuard_ = std::move(guard);
}

void ListTableBinding::detach() { disconnect(table_->selectionModel(), nullptr, this, nullptr); }

bool ListTableBinding::settleUnstored() {
    if (!session_.hasUnstoredRecord()) return true;
    QWidget* parent = questionParent_ ? questionParent_() : window_;
    switch (ask_(parent ? parent : window_)) {
        case UserPrompts::NewDiveChoice::Add: {
            const Alerts alerts = session_.keepUnstoredRecord();
            const bool stored = !session_.refused();
            if (onStored_) onStored_(alerts);
            return stored;
        }
        case UserPrompts::NewDiveChoice::Discard: session_.discardUnstoredRecord(); return true;
        case UserPrompts::NewDiveChoice::Cancel: return false;
    }
    return false;
}

void ListTableBinding::showSelection() {
    showing_ = true;
    const auto* model = table_->model();
    const int last = model->columnCount() - 1;
    QItemSelection selection;
    for (auto [first, end] : divelog::rowRuns(session_.selection()))
        selection.select(model->index(static_cast<int>(first), 0),
                         model->index(static_cast<int>(end), last));
    QItemSelectionModel* selected = table_->selectionModel();
    selected->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (auto row = session_.singleSelection()) {
        const QModelIndex index = model->index(static_cast<int>(*row), 0);
        selected->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        table_->scrollTo(index);
    }
    showing_ = false;
}

std::vector<std::size_t> ListTableBinding::selectedRows() const {
    std::vector<std::size_t> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows())
        rows.push_back(static_cast<std::size_t>(index.row()));
    return rows;
}

void ListTableBinding::onSelectionChanged() {
    // The window showing the session's selection, or the view following the
    // session's own change of the list: nothing the user chose.
    if (showing_ || session_.isChanging()) return;
    const std::vector<std::size_t> rows = selectedRows();
    if (leaveGuard_ && session_.wouldShowAnother(rows) && !leaveGuard_()) {
        showSelection();  // back to what was selected
        return;
    }
    // One row loads its record into the form, which would drop a new record typed there.
    const bool asked = session_.wouldDropUnstored(rows);
    if (asked && !settleUnstored()) {
        showSelection();
        return;
    }
    const Alerts alerts = session_.select(rows);
    // Adding the new record showed the session's selection meanwhile; a
    // refused selection (the form cannot be stored) goes back to it.
    if (asked || session_.refused()) showSelection();
    if (onSelected_) onSelected_(alerts);
}
