#include "logbook/CarnetWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTableView>
#include <algorithm>

#include "UserPrompts.h"
#include "localisation/UiText.h"
#include "logbook/Carnet.h"
#include "logbook/CarnetSession.h"
#include "logbook/DiveEditWindow.h"
#include "logbook/DiveSearchField.h"
#include "logbook/DiveTableModel.h"
#include "logbook/LogbookToolbar.h"
#include "logbook/RenumberPanel.h"
#include "logbook/ToolbarCarnet.h"
#include "settings/AppContext.h"

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

int columnWidth(std::string_view field) {
    static const std::pair<std::string_view, int> widths[] = {
        {"noPlongee", 48},   {"date", 92},       {"lieu", 150},      {"site", 180},
        {"heure", 52},       {"profondeur", 70}, {"temps", 60},      {"tempEau", 62},
        {"deco", 110},       {"coeff", 84},      {"visibilite", 96}, {"epaves", 52},
        {"inoubliable", 52}, {"gaz", 100},       {"rebreather", 64}};
    for (const auto& [name, width] : widths)
        if (name == field) return width;
    return 90;
}

}  // namespace

CarnetWindow::CarnetWindow(std::unique_ptr<divelog::Carnet> carnet, divelog::AppContext& context,
                           const UiText& text, UserPrompts& prompts)
    : DocumentWindow(std::move(carnet), context, text, prompts),
      session_(std::make_unique<divelog::CarnetSession>(this->carnet(), context)) {
    divelog::DiveTable::writeDefaultColumnSwitches(context_.settings());
    buildTable();
    buildToolbar();
    buildMenuActions();

    found_ = new QLabel(this);
    found_->setObjectName(QStringLiteral("foundDives"));
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("diveCount"));
    count_->setContentsMargins(0, 0, 12, 0);
    statusBar()->addWidget(found_, 1);
    statusBar()->addPermanentWidget(count_);
    statusBar()->setSizeGripEnabled(false);

    observeNotifications();
    resize(1240, 620);
    // An opened logbook shows its last dive, in the table and in the form.
    if (const std::size_t n = this->carnet().recordCount())
        session_->select({n - 1});
    else
        session_->refresh();
    afterCommand();
}

CarnetWindow::~CarnetWindow() {
    context_.notifications().removeObserver(this);
    // The session dies before the child widgets; none of them may reach it
    // or this window's slots while they are taken down.
    disconnect(table_->selectionModel(), nullptr, this, nullptr);
    disconnect(model_, nullptr, this, nullptr);
    delete edit_;
    delete table_;
    delete model_;
}

divelog::Carnet& CarnetWindow::carnet() { return static_cast<divelog::Carnet&>(document()); }

void CarnetWindow::buildTable() {
    model_ = new DiveTableModel(*session_, text_, this);
    model_->readAppearance(context_.settings());
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("diveTable"));
    table_->setModel(model_);
    QFont bold = table_->font();
    bold.setBold(true);
    model_->setBoldFont(bold);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    table_->setAlternatingRowColors(true);
    table_->setWordWrap(false);
    table_->setIconSize(QSize(16, 16));
    // Fixed row heights and set widths: sizing to contents would visit every
    // dive of a large logbook.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
    table_->verticalHeader()->hide();
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setStretchLastSection(true);
    for (int c = 0; c < model_->columnCount(); ++c)
        table_->setColumnWidth(c, columnWidth(DiveTableModel::field(c)));
    applyColumnVisibility();
    setCentralWidget(table_);

    connect(header, &QHeaderView::sectionClicked, this, &CarnetWindow::sortByColumn);
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CarnetWindow::onSelectionChanged);
    connect(table_, &QTableView::doubleClicked, this, &CarnetWindow::openEditWindow);
    connect(model_, &DiveTableModel::cellEdited, this, [this] { afterCommand(); });
}

void CarnetWindow::buildToolbar() {
    toolbar_ = new LogbookToolbar(q(std::string(divelog::ToolbarCarnet::kTableToolbar)),
                                  context_.settings(), text_, this);
    search_ = new DiveSearchField(text_);
    toolbar_->setSearchWidget(search_);
    addToolBar(toolbar_);
    connect(search_, &DiveSearchField::searchRequested, this, &CarnetWindow::find);

    toolbar_->setHandler("saveDocument", [this] { save(); });
    toolbar_->setHandler("newDive", [this] { newDive(); });
    toolbar_->setHandler("deleteDive", [this] { deleteDive(); });
    // Printing, the profile, the imports, the dive card and the statistics
    // come with later versions; their items keep their place meanwhile.
    for (const char* later :
         {"imprimer", "profil", "profilData", "importUDCF", "importUDDF", "synthese", "statistics"})
        toolbar_->setHandler(later, [this] { notAvailable(); });
}

void CarnetWindow::buildMenuActions() {
    auto add = [this](const char* name, const char* key, QKeySequence keys,
                      void (CarnetWindow::*slot)()) {
        auto* a = new QAction(text_.carnet(key, key), this);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(keys);
        connect(a, &QAction::triggered, this, slot);
        menuActions_ << a;
        return a;
    };
    add("logbookNewDive", "New dive", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N),
        &CarnetWindow::newDive);
    add("logbookEditDive", "Edit dive", QKeySequence(Qt::CTRL | Qt::Key_E),
        &CarnetWindow::openEditWindow);
    add("logbookDeleteDive", "Delete dive", QKeySequence::Delete, &CarnetWindow::deleteDive);
}

void CarnetWindow::observeNotifications() {
    namespace n = divelog::notification;
    auto& centre = context_.notifications();
    centre.addObserver(this, n::kUpdateTableView, [this] { redisplay(); });
    centre.addObserver(this, n::kUpdateColumnsTableView, [this] {
        applyColumnVisibility();
        redisplay();
    });
    centre.addObserver(this, n::kProfile, [] {
        // Nothing to redraw until the logbook has its profile view.
    });
    centre.addObserver(this, n::kUpdateEditDive, [this] { refreshForm(); });
    centre.addObserver(this, n::kUpdateDeco, [this] { refreshForm(); });
    centre.addObserver(this, n::kRenumDives, [this] {
        const int first = carnet().recordCount() ? carnet().dive(0).noPlongee() : 1;
        renumberPanel()->present(first);
    });
}

DiveEditWindow* CarnetWindow::editWindow() {
    if (edit_) return edit_;
    edit_ = new DiveEditWindow(*session_, context_, text_, prompts_, this);
    LogbookToolbar* bar = edit_->toolbar();
    bar->setHandler("addDiveToList", [this] { addDive(); });
    bar->setHandler("insertDive", [this] { insertDive(); });
    bar->setHandler("updateDive", [this] { updateDive(); });
    bar->setHandler("blankFields", [this] { blankFields(); });
    for (const char* later : {"profil", "profilData", "importUDCF", "importUDDF"})
        bar->setHandler(later, [this] { notAvailable(); });
    bar->updateEnabling(carnet().recordCount());
    connect(edit_, &DiveEditWindow::previousRequested, this, &CarnetWindow::previousDive);
    connect(edit_, &DiveEditWindow::nextRequested, this, &CarnetWindow::nextDive);
    connect(edit_, &DiveEditWindow::closing, this, &CarnetWindow::onEditWindowClosing);
    return edit_;
}

RenumberPanel* CarnetWindow::renumberPanel() {
    if (!renumber_) {
        renumber_ = new RenumberPanel(text_, this);
        connect(renumber_, &RenumberPanel::renumber, this, &CarnetWindow::renumber);
    }
    return renumber_;
}

void CarnetWindow::newDive() {
    session_->newDive();
    editWindow()->present(this);
    afterCommand();
    edit_->control("noPlongee")->setFocus();
}

void CarnetWindow::addDive() {
    const auto alerts = session_->addDive();
    afterCommand(alerts);
    table_->scrollToBottom();
}

void CarnetWindow::insertDive() { afterCommand(session_->insertDive()); }

void CarnetWindow::updateDive() { afterCommand(session_->updateDive()); }

void CarnetWindow::deleteDive() {
    if (session_->selection().empty()) return;
    QApplication::beep();
    if (!prompts_.confirm(this, text_.main("Erase dive"))) return;
    session_->deleteSelected();
    afterCommand();
}

void CarnetWindow::previousDive() { afterCommand(session_->previousDive()); }

void CarnetWindow::nextDive() { afterCommand(session_->nextDive()); }

void CarnetWindow::blankFields() {
    session_->blankFields();
    session_->refresh();
    afterCommand();
    if (edit_) edit_->control("noPlongee")->setFocus();
}

void CarnetWindow::openEditWindow() {
    session_->editWindow();
    editWindow()->present(this);
    afterCommand();
}

void CarnetWindow::closeEditWindow() {
    if (edit_)
        edit_->close();  // the window's closing stores the form
    else
        afterCommand(session_->closeEditWindow());
}

void CarnetWindow::onEditWindowClosing() { afterCommand(session_->closeEditWindow()); }

void CarnetWindow::find(const QString& field, const QString& text) {
    const divelog::SearchResult result = session_->find(field.toStdString(), text.toStdString());
    found_->setText(q(result.countText));
    showingSelection_ = true;
    showSelection();
    showingSelection_ = false;
    if (!result.rows.empty())
        table_->scrollTo(model_->index(static_cast<int>(result.rows.front()), 0));
}

void CarnetWindow::sortByColumn(int column) {
    const std::string_view field = DiveTableModel::field(column);
    if (field.empty()) return;
    session_->sortByColumn(field);
    afterCommand();
}

void CarnetWindow::renumber(int firstNumber) {
    session_->renumber(firstNumber);
    afterCommand();
}

void CarnetWindow::reloadView() {
    session_->documentLoaded();
    afterCommand();
}

void CarnetWindow::closeEvent(QCloseEvent* event) {
    // What was typed for the selected dive is not lost with the window.
    if (edit_ && edit_->isVisible()) afterCommand(session_->closeEditWindow());
    DocumentWindow::closeEvent(event);
}

void CarnetWindow::applyColumnVisibility() {
    const auto visible = divelog::DiveTable::visibleColumns(context_.settings());
    for (int c = 0; c < model_->columnCount(); ++c) {
        const bool shown =
            std::find(visible.begin(), visible.end(), DiveTableModel::field(c)) != visible.end();
        table_->setColumnHidden(c, !shown);
    }
}

void CarnetWindow::redisplay() {
    model_->readAppearance(context_.settings());
    model_->sync();
}

void CarnetWindow::refreshForm() {
    session_->refresh();
    if (edit_) edit_->showForm();
    count_->setText(q(session_->readouts().diveCount));
}

void CarnetWindow::notAvailable() { prompts_.inform(this, text_.main("Feature not available")); }

void CarnetWindow::afterCommand(const std::vector<std::string>& alerts) {
    found_->clear();  // the count of the last search no longer says what is selected
    showingSelection_ = true;
    model_->sync();
    showSelection();
    showingSelection_ = false;

    count_->setText(q(session_->readouts().diveCount));
    const std::size_t dives = carnet().recordCount();
    toolbar_->updateEnabling(dives);
    if (edit_) {
        edit_->toolbar()->updateEnabling(dives);
        edit_->showForm();
    }
    documentEdited();
    QWidget* parent = edit_ && edit_->isVisible() ? static_cast<QWidget*>(edit_) : this;
    for (const std::string& key : alerts) prompts_.report(parent, text_.carnet(key), QString());
}

void CarnetWindow::showSelection() {
    // One call for the whole selection: a search may select thousands of rows.
    const std::vector<std::size_t>& rows = session_->selection();
    QItemSelection selection;
    const int last = model_->columnCount() - 1;
    for (std::size_t i = 0; i < rows.size();) {
        std::size_t j = i;
        while (j + 1 < rows.size() && rows[j + 1] == rows[j] + 1) ++j;
        selection.select(model_->index(static_cast<int>(rows[i]), 0),
                         model_->index(static_cast<int>(rows[j]), last));
        i = j + 1;
    }
    QItemSelectionModel* model = table_->selectionModel();
    model->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (auto row = session_->singleSelection()) {
        const QModelIndex index = model_->index(static_cast<int>(*row), 0);
        model->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        table_->scrollTo(index);
    }
    for (QAction* a : menuActions_)
        if (a->objectName() == QLatin1String("logbookDeleteDive")) a->setEnabled(!rows.empty());
}

void CarnetWindow::onSelectionChanged() {
    if (showingSelection_) return;
    session_->select(selectedRows());
    // select() refreshes only when it loads a dive; the enabling follows any selection.
    if (session_->selection().size() != 1) session_->refresh();
    if (edit_) edit_->showForm();
    for (QAction* a : menuActions_)
        if (a->objectName() == QLatin1String("logbookDeleteDive"))
            a->setEnabled(!session_->selection().empty());
}

std::vector<std::size_t> CarnetWindow::selectedRows() const {
    std::vector<std::size_t> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows())
        rows.push_back(static_cast<std::size_t>(index.row()));
    return rows;
}
