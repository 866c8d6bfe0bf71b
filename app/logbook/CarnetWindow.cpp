#include "logbook/CarnetWindow.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <algorithm>

#include "UserPrompts.h"
#include "localisation/UiText.h"
#include "logbook/Carnet.h"
#include "logbook/DiveTableModel.h"
#include "logbook/NewDiveSettings.h"
#include "settings/AppContext.h"

CarnetWindow::CarnetWindow(std::unique_ptr<divelog::Carnet> carnet, divelog::AppContext& context,
                           const UiText& text, UserPrompts& prompts)
    : DocumentWindow(std::move(carnet), context, text, prompts) {
    model_ = new DiveTableModel(this->carnet(), text_, this);
    table_ = new QTableView(this);
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setAlternatingRowColors(true);
    table_->setWordWrap(false);
    // Fixed row heights and set widths: sizing to contents would visit every
    // dive of a large logbook.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
    table_->verticalHeader()->hide();
    const int widths[DiveTableModel::ColumnCount] = {60, 100, 70, 220, 220, 90, 90};
    for (int c = 0; c < DiveTableModel::ColumnCount; ++c) table_->setColumnWidth(c, widths[c]);
    table_->horizontalHeader()->setStretchLastSection(true);
    setCentralWidget(table_);

    count_ = new QLabel(this);
    count_->setContentsMargins(0, 0, 12, 0);
    statusBar()->addPermanentWidget(count_);
    statusBar()->setSizeGripEnabled(false);

    buildToolBar();
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CarnetWindow::updateActions);
    refreshCount();
    updateActions();
    resize(960, 560);
    if (model_->rowCount() > 0) table_->scrollToBottom();
}

divelog::Carnet& CarnetWindow::carnet() { return static_cast<divelog::Carnet&>(document()); }

void CarnetWindow::buildToolBar() {
    QToolBar* bar = addToolBar(text_.main("Toolbar"));
    bar->setObjectName(QStringLiteral("tableViewToolbar"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    save_ = bar->addAction(style()->standardIcon(QStyle::SP_DialogSaveButton), text_.main("Save"));
    save_->setToolTip(text_.carnet("Tip save"));
    connect(save_, &QAction::triggered, this, [this] { save(); });
    bar->addSeparator();

    newDive_ = bar->addAction(style()->standardIcon(QStyle::SP_FileIcon), text_.carnet("New dive"));
    newDive_->setToolTip(text_.carnet("Tip add"));
    newDive_->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_N);
    connect(newDive_, &QAction::triggered, this, &CarnetWindow::newDive);

    deleteDive_ = bar->addAction(style()->standardIcon(QStyle::SP_TrashIcon),
                                 text_.carnet("Delete dive"));
    deleteDive_->setToolTip(text_.carnet("Tip delete"));
    deleteDive_->setShortcut(QKeySequence::Delete);
    connect(deleteDive_, &QAction::triggered, this, &CarnetWindow::deleteDive);
}

void CarnetWindow::newDive() {
    const divelog::Plongee* previous = nullptr;
    if (auto rows = selectedRows(); !rows.empty()) previous = &carnet().dive(rows.back());
    divelog::NewDiveDefaults defaults = newDiveDefaults(context_, carnet(), previous);
    carnet().addDive(std::make_unique<divelog::Plongee>(divelog::makeNewDive(defaults)));
    model_->diveAppended();
    table_->scrollToBottom();
    refreshCount();
    documentEdited();
}

void CarnetWindow::deleteDive() {
    std::vector<std::size_t> rows = selectedRows();
    if (rows.empty()) return;
    QApplication::beep();
    if (!prompts_.confirm(this, text_.main("Erase dive"))) return;
    table_->clearSelection();
    carnet().deleteDives(std::move(rows));
    model_->reload();
    refreshCount();
    documentEdited();
}

void CarnetWindow::reloadView() {
    model_->reload();
    refreshCount();
}

std::vector<std::size_t> CarnetWindow::selectedRows() const {
    std::vector<std::size_t> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows())
        rows.push_back(static_cast<std::size_t>(index.row()));
    std::sort(rows.begin(), rows.end());
    return rows;
}

void CarnetWindow::refreshCount() {
    const auto n = static_cast<std::int64_t>(carnet().recordCount());
    count_->setText(n == 1 ? text_.carnet("One dive")
                           : text_.format("Carnet", "Dive count", "error !", {n}));
    updateActions();
}

void CarnetWindow::updateActions() {
    if (deleteDive_) deleteDive_->setEnabled(table_->selectionModel()->hasSelection());
}
