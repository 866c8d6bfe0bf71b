#include "logbook/CarnetWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "UserPrompts.h"
#include "exchange/DiveImport.h"
#include "exchange/ExchangeFormats.h"
#include "localisation/UiText.h"
#include "logbook/Carnet.h"
#include "logbook/CarnetSession.h"
#include "logbook/DiveEditWindow.h"
#include "logbook/DiveSearchField.h"
#include "logbook/DiveTableModel.h"
#include "logbook/DiveTableView.h"
#include "logbook/LogbookToolbar.h"
#include "logbook/RenumberPanel.h"
#include "logbook/ToolbarCarnet.h"
#include "profile/ProfilWindow.h"
#include "profile/ProfileDataWindow.h"
#include "settings/AppContext.h"
#include "stats/LogbookReports.h"
#include "tools/ListTableBinding.h"

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

int columnWidth(divelog::Plongee::Field field) {
    using F = divelog::Plongee::Field;
    static const std::pair<F, int> widths[] = {
        {F::noPlongee, 48},   {F::date, 92},       {F::lieu, 150},      {F::site, 180},
        {F::heure, 52},       {F::profondeur, 70}, {F::temps, 64},      {F::tempEau, 88},
        {F::deco, 110},       {F::coeff, 84},      {F::visibilite, 96}, {F::epaves, 52},
        {F::inoubliable, 52}, {F::gaz, 100},       {F::rebreather, 64}};
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
    buildStatisticsAndCard();

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
    // An opened logbook shows its last dive, in the table and in the form;
    // an empty one proposes its first dive.
    if (const std::size_t n = this->carnet().recordCount())
        session_->select({n - 1});
    else
        session_->documentLoaded();
    afterCommand();
}

CarnetWindow::~CarnetWindow() {
    context_.notifications().removeObserver(this);
    // The session dies before the child widgets; none of them may reach it
    // or this window's slots while they are taken down.
    binding_->detach();
    disconnect(model_, nullptr, this, nullptr);
    delete edit_;
    delete table_;
    delete model_;
}

divelog::Carnet& CarnetWindow::carnet() { return static_cast<divelog::Carnet&>(document()); }

void CarnetWindow::buildTable() {
    model_ = new DiveTableModel(*session_, text_, this);
    model_->readAppearance(context_.settings());
    table_ = new DiveTableView(this);
    table_->setObjectName(QStringLiteral("diveTable"));
    table_->setModel(model_);
    ListTableBinding::configure(table_);
    QFont bold = table_->font();
    bold.setBold(true);
    model_->setBoldFont(bold);
    table_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    table_->setIconSize(QSize(16, 16));
    // Set widths: sizing to contents would visit every dive of a large logbook.
    for (int c = 0; c < model_->columnCount(); ++c)
        table_->setColumnWidth(c, columnWidth(DiveTableModel::field(c)));
    applyColumnVisibility();
    pages_ = new QStackedWidget(this);
    pages_->addWidget(table_);
    welcome_ = buildWelcome();
    pages_->addWidget(welcome_);
    setCentralWidget(pages_);
    // The table's own change events say when the first dive came or the last went.
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(model_, signal, this, &CarnetWindow::showWelcomeWhenEmpty);
    connect(model_, &QAbstractItemModel::modelReset, this, &CarnetWindow::showWelcomeWhenEmpty);
    showWelcomeWhenEmpty();

    connect(table_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &CarnetWindow::sortByColumn);
    binding_ = new ListTableBinding(
        table_, *session_, [this](QWidget* parent) { return prompts_.askToAddDive(parent); }, this);
    binding_->setQuestionParent([this]() -> QWidget* {
        return edit_ && edit_->isVisible() ? static_cast<QWidget*>(edit_) : this;
    });
    binding_->setLeaveGuard([this] { return settleProfileData(); });
    binding_->setOnStored([this](const std::vector<std::string>& alerts) { afterCommand(alerts); });
    binding_->setOnSelected(
        [this](const std::vector<std::string>& alerts) { afterSelection(alerts); });
    connect(table_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { openEditWindowOn(index.row()); });
    // After the editor has closed: moving the current index while the view
    // still commits would close it under the view.
    connect(
        model_, &DiveTableModel::cellEdited, this, [this] { afterCommand(); },
        Qt::QueuedConnection);
}

QWidget* CarnetWindow::buildWelcome() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("welcomeView"));
    auto* column = new QVBoxLayout(page);
    column->addStretch(2);
    auto* title = new QLabel(text_.carnet("Welcome title"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);
    auto* hint = new QLabel(text_.carnet("Welcome text"));
    // Wrapped text centred in a layout gets no size of its own: give it one.
    hint->setWordWrap(true);
    hint->setFixedWidth(520);
    hint->setMinimumHeight(hint->heightForWidth(520));
    for (QLabel* l : {title, hint}) {
        l->setAlignment(Qt::AlignCenter);
        column->addWidget(l, 0, Qt::AlignHCenter);
    }
    column->addSpacing(18);
    auto button = [&](const char* name, const char* key, auto&& run) {
        auto* b = new QPushButton(text_.carnet(key));
        b->setObjectName(QString::fromLatin1(name));
        b->setMinimumWidth(280);
        connect(b, &QPushButton::clicked, this, run);
        column->addWidget(b, 0, Qt::AlignHCenter);
        return b;
    };
    button("welcomeNewDive", "New dive", [this] { newDive(); })->setDefault(true);
    button("welcomeImport", "Import a dive file...", [this] { importDives(QString()); });
    button("welcomeSample", "Open the sample logbook", [this] { emit sampleLogbookRequested(); });
    column->addStretch(3);
    return page;
}

bool CarnetWindow::showsWelcome() const { return pages_->currentWidget() == welcome_; }

void CarnetWindow::showWelcomeWhenEmpty() {
    pages_->setCurrentWidget(carnet().recordCount() == 0 ? welcome_ : table_);
}

void CarnetWindow::buildToolbar() {
    toolbar_ = new LogbookToolbar(q(std::string(divelog::ToolbarCarnet::kTableToolbar)),
                                  context_.settings(), text_, this);
    search_ = new DiveSearchField(text_, context_.settings());
    toolbar_->setSearchWidget(search_);
    addToolBar(toolbar_);
    connect(search_, &DiveSearchField::searchRequested, this, &CarnetWindow::find);

    toolbar_->setHandler("saveDocument", [this] { save(); });
    toolbar_->setHandler("newDive", [this] { newDive(); });
    toolbar_->setHandler("deleteDive", [this] { deleteDive(); });
    toolbar_->setHandler("profil", [this] { displayProfilWindow(); });
    toolbar_->setHandler("profilData", [this] { profilInfo(); });
    toolbar_->setHandler("importUDCF", [this] { importDives(QStringLiteral("UDCF")); });
    toolbar_->setHandler("importUDDF", [this] { importDives(QStringLiteral("UDDF")); });
    toolbar_->setHandler("importSubsurface", [this] { importDives(QStringLiteral("Subsurface")); });
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
    add("logbookAddDive", "Add dive", QKeySequence(Qt::CTRL | Qt::Key_Return),
        &CarnetWindow::addDive);
    add("logbookInsertDive", "Insert dive", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Return),
        &CarnetWindow::insertDive);
    add("logbookUpdateDive", "Update dive", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Return),
        &CarnetWindow::updateDive);
    add("logbookProfile", "Profile", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P),
        &CarnetWindow::displayProfilWindow);
    add("logbookProfileData", "Profile datas", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D),
        &CarnetWindow::profilInfo);
    auto* any = new QAction(text_.carnet("Import a dive file..."), this);
    any->setObjectName(QStringLiteral("importAnyDiveFile"));
    any->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    connect(any, &QAction::triggered, this, [this] { importDives(QString()); });
    menuActions_ << any;
    for (const auto& importer : divelog::ExchangeFormats::importers()) {
        const QString format = q(std::string(importer->name()));
        const std::string key = "Import " + std::string(importer->name()) + " menu";
        auto* a = new QAction(text_.carnet(key, key), this);
        a->setObjectName(QStringLiteral("import") + format);
        connect(a, &QAction::triggered, this, [this, format] { importDives(format); });
        menuActions_ << a;
    }
    // Undo and redo are this document's; the Edit menu shows them.
    makeHistoryActions([this] { undo(); }, [this] { redo(); });
    updateHistoryActions();
}

void CarnetWindow::buildStatisticsAndCard() {
    reports_ = std::make_unique<LogbookReports>(*this, context_, text_);
    LogbookReports* r = reports_.get();
    toolbar_->setHandler("imprimer", [r] { r->printLogbookWithDialog(); });
    toolbar_->setHandler("synthese", [r] { r->showCardScope(); });
    toolbar_->setHandler("statistics", [r] { r->showStatistics(); });
    auto add = [this](const char* name, const QString& label, void (LogbookReports::*slot)(),
                      QKeySequence keys = {}) {
        auto* a = new QAction(label, this);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(keys);
        connect(a, &QAction::triggered, reports_.get(), slot);
        menuActions_ << a;
    };
    add("logbookStatistics", text_.carnet("Statistics"), &LogbookReports::showStatistics,
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T));
    add("logbookSynthesis", text_.main("Synthesis card"), &LogbookReports::showCardScope,
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Y));
    add("printLogbook", text_.main("Print logbook"), &LogbookReports::printLogbookWithDialog);
    add("printSynthesis", text_.main("Print synthesis"), &LogbookReports::printCardWithDialog);
    add("printStatistics", text_.main("Print statistics"),
        &LogbookReports::printStatisticsWithDialog);
}

void CarnetWindow::observeNotifications() {
    namespace n = divelog::notification;
    auto& centre = context_.notifications();
    centre.addObserver(this, n::kUpdateTableView, [this] { redisplay(); });
    centre.addObserver(this, n::kUpdateColumnsTableView, [this] {
        applyColumnVisibility();
        redisplay();
    });
    centre.addObserver(this, n::kProfile, [this] {
        if (profile_) profile_->redraw();
    });
    // A refresh of the form redisplays the table too: units and the home
    // country change what its cells say.
    centre.addObserver(this, n::kUpdateEditDive, [this] {
        redisplay();
        refreshForm();
    });
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
    bar->setHandler("profil", [this] { displayProfilWindow(); });
    bar->setHandler("profilData", [this] { profilInfo(); });
    bar->setHandler("importUDCF", [this] { importDives(QStringLiteral("UDCF")); });
    bar->setHandler("importUDDF", [this] { importDives(QStringLiteral("UDDF")); });
    bar->setHandler("importSubsurface", [this] { importDives(QStringLiteral("Subsurface")); });
    bar->updateEnabling(carnet().recordCount(), session_->canUpdate());
    connect(edit_, &DiveEditWindow::previousRequested, this, &CarnetWindow::previousDive);
    connect(edit_, &DiveEditWindow::nextRequested, this, &CarnetWindow::nextDive);
    connect(edit_, &DiveEditWindow::formRefreshed, this, &CarnetWindow::updateProfileWindows);
    edit_->setCloseGuard([this] { return onEditWindowClosing(); });
    shareShortcutsWith(edit_);
    // The edit window answers the shortcuts of the commands used while typing a dive.
    static const QStringList shared{
        QStringLiteral("logbookAddDive"),     QStringLiteral("logbookInsertDive"),
        QStringLiteral("logbookUpdateDive"),  QStringLiteral("logbookProfile"),
        QStringLiteral("logbookProfileData"), QStringLiteral("logbookStatistics"),
        QStringLiteral("logbookSynthesis")};
    for (QAction* a : menuActions_)
        if (shared.contains(a->objectName())) edit_->addAction(a);
    return edit_;
}

ProfilWindow* CarnetWindow::profileWindow() {
    if (!profile_) profile_ = new ProfilWindow(context_, text_, this);
    return profile_;
}

ProfileDataWindow* CarnetWindow::profileDataWindow() {
    if (!profileData_) {
        profileData_ = new ProfileDataWindow(text_, this);
        connect(profileData_, &ProfileDataWindow::applyRequested, this,
                &CarnetWindow::importProfil);
        profileData_->setCloseGuard([this] { return settleProfileData(); });
    }
    return profileData_;
}

void CarnetWindow::displayProfilWindow() {
    profileWindow()->present();
    followModelNeed();
    updateProfileWindows();
}

void CarnetWindow::profilInfo() {
    profileDataFilled_ = false;
    profileDataWindow()->present();
    updateProfileWindows();
}

void CarnetWindow::importProfil() { applyProfileData(); }

bool CarnetWindow::applyProfileData() {
    const auto applied = session_->applyProfile(profileDataWindow()->sheet());
    if (!applied.sheet.ok) {
        const divelog::SeriesInfo& s = divelog::ProfileSeries::info(*applied.sheet.badSeries);
        prompts_.report(
            profileData_,
            text_.format("Carnet", "Profile value not a number", "error !",
                         {static_cast<std::int64_t>(applied.sheet.badLine), std::string(s.field)}),
            QString());
        return false;
    }
    profileDataFilled_ = false;  // shown again from what was stored
    afterCommand(applied.alerts);
    return true;
}

bool CarnetWindow::settleProfileData() {
    if (!profileData_ || !profileData_->isVisible() || !profileData_->hasUnappliedEdits())
        return true;
    switch (prompts_.askToApplyProfile(profileData_)) {
        case UserPrompts::ApplyChoice::Apply: return applyProfileData();
        case UserPrompts::ApplyChoice::Discard:
            profileDataFilled_ = false;  // shown again from the form
            updateProfileWindows();
            return true;
        case UserPrompts::ApplyChoice::Cancel: return false;
    }
    return false;
}

bool CarnetWindow::settleBeforeLeavingDive() { return settleProfileData() && settleUnstoredDive(); }

QList<DocumentWindow::ExportType> CarnetWindow::exportTypes() const {
    QList<ExportType> types;
    for (const auto& e : divelog::ExchangeFormats::exporters()) {
        const std::string name(e->typeName());
        types.append({q(name), q(std::string(e->extension())), text_.main(name, name)});
    }
    return types;
}

bool CarnetWindow::exportTo(const QString& type, const QString& path) {
    prepareToSave();
    const divelog::ExportContext context{
        context_.localisation(), context_.settings().boolForKey("us units"), divelog::dateNow()};
    std::string why, error;
    const bool written = divelog::writeFileAtomically(
        path.toStdString(),
        [&](divelog::ByteOutput& out) {
            return divelog::exportDives(carnet().dives(), type.toStdString(), context, out, why);
        },
        error);
    if (!written)
        prompts_.report(this, text_.format("Main", "Save failed", "error !", {path.toStdString()}),
                        q(why.empty() ? error : why), q(error));
    return written;
}

void CarnetWindow::importDives(const QString& format) {
    QStringList filters, all;
    for (const auto& importer : divelog::ExchangeFormats::importers()) {
        const QString name = q(std::string(importer->name()));
        if (!format.isEmpty() && name != format) continue;
        QStringList globs;
        for (std::string_view ext : importer->extensions())
            globs << QStringLiteral("*.") + q(std::string(ext));
        all << globs;
        filters << name + QStringLiteral(" (") + globs.join(' ') + ')';
    }
    if (filters.isEmpty()) return;
    // A file is read as what it holds, so any name may be chosen.
    if (format.isEmpty()) {
        all.removeDuplicates();
        filters.prepend(text_.main("All dive files") + QStringLiteral(" (") + all.join(' ') + ')');
        filters << text_.main("All files") + QStringLiteral(" (*)");
    }
    const QString path = prompts_.openPath(this, filters.join(QStringLiteral(";;")));
    if (!path.isEmpty()) importFile(format, path);
}

bool CarnetWindow::importFile(const QString& format, const QString& path) {
    const divelog::DiveImporter* importer =
        format.isEmpty() ? nullptr : divelog::ExchangeFormats::importer(format.toStdString());
    std::vector<std::uint8_t> bytes;
    std::string error;
    if ((!format.isEmpty() && !importer) ||
        !divelog::readWholeFile(path.toStdString(), bytes, error)) {
        prompts_.report(this, text_.carnet("Import failed"), q(error), QString());
        return false;
    }
    // Long imports show their progress and can be cancelled; nothing is added then.
    std::unique_ptr<QProgressDialog> progress;
    const std::string fileName = QFileInfo(path).fileName().toStdString();
    divelog::DiveImport::Outcome imported = divelog::DiveImport::run(
        {bytes, fileName, importer}, carnet().numberAfterHighest(), context_.settings(),
        context_.localisation(), [&](std::size_t done, std::size_t total) {
            if (!progress) {
                progress = std::make_unique<QProgressDialog>(text_.carnet("Importing dives"),
                                                             text_.main("Cancel"), 0,
                                                             static_cast<int>(total), this);
                progress->setWindowModality(Qt::WindowModal);
                progress->setMinimumDuration(500);
            }
            progress->setValue(static_cast<int>(done));
            return !progress->wasCanceled();
        });
    if (progress) progress->reset();
    if (imported.cancelled) return false;
    const std::size_t added = imported.dives.size();
    if (added) session_->importDives(std::move(imported.dives));
    afterCommand();
    if (added) table_->scrollToBottom();
    QString report = added == 0   ? text_.carnet("Import found nothing")
                     : added == 1 ? text_.carnet("Import report one")
                                  : text_.format("Carnet", "Import report", "error !",
                                                 {static_cast<std::int64_t>(added)});
    QStringList details;
    for (const std::string& line : imported.report) details << q(line);
    if (!details.isEmpty()) report += QStringLiteral("\n\n") + details.join('\n');
    prompts_.inform(this, report);
    return added > 0;
}

void CarnetWindow::updateProfileWindows() {
    if (reports_) reports_->formRefreshed();
    const bool profileShown = profile_ && profile_->isVisible();
    const bool dataShown = profileData_ && profileData_->isVisible();
    if (!profileShown && !dataShown) return;
    const divelog::DiveForm& form = session_->form();
    if (profileShown) profile_->show(form.profileChartData(), session_->readouts());
    if (dataShown && (!profileDataFilled_ || profileDataDive_ != session_->boundRecord())) {
        profileData_->fill(
            form.profile(),
            text_.format("Carnet", "Dive number profile datas title", "error !",
                         {std::int64_t{form.intValue(divelog::Plongee::Field::noPlongee)}}));
        profileDataDive_ = session_->boundRecord();
        profileDataFilled_ = true;
    }
}

RenumberPanel* CarnetWindow::renumberPanel() {
    if (!renumber_) {
        renumber_ = new RenumberPanel(text_, this);
        connect(renumber_, &RenumberPanel::renumber, this, &CarnetWindow::renumber);
    }
    return renumber_;
}

bool CarnetWindow::settleUnstoredDive() { return binding_->settleUnstored(); }

void CarnetWindow::showAlerts(const std::vector<std::string>& alerts) {
    QWidget* parent = edit_ && edit_->isVisible() ? static_cast<QWidget*>(edit_) : this;
    // An alert is a key of the table, or a message the session already put into words.
    for (const std::string& key : alerts)
        prompts_.report(parent, text_.carnet(key, key), QString());
    // A refused command leaves the form as it was: show the field that refused it.
    if (session_->refused() && edit_)
        if (auto field = session_->refusedField())
            edit_->focusControl(std::string(divelog::Plongee::nameOf(*field)));
}

void CarnetWindow::newDive() {
    if (!settleBeforeLeavingDive()) return;
    const auto alerts = session_->newRecord();
    editWindow()->present(this);
    afterCommand(alerts);
    edit_->control("noPlongee")->setFocus();
}

void CarnetWindow::addDive() {
    const auto alerts = session_->add();
    afterCommand(alerts);
    table_->scrollToBottom();
}

void CarnetWindow::insertDive() { afterCommand(session_->insert()); }

void CarnetWindow::updateDive() { afterCommand(session_->update()); }

void CarnetWindow::deleteDive() {
    if (session_->selection().empty()) return;
    QApplication::beep();
    if (!prompts_.confirm(this, text_.main("Erase dive"))) return;
    session_->deleteSelected();
    afterCommand();
}

void CarnetWindow::previousDive() {
    if (settleProfileData()) afterCommand(session_->previous());
}

void CarnetWindow::nextDive() {
    if (settleProfileData()) afterCommand(session_->next());
}

void CarnetWindow::blankFields() {
    // A new dive typed there is asked about, as a new card is in the registers.
    if (!settleBeforeLeavingDive()) return;
    afterCommand(session_->blankFields());
    if (edit_) edit_->control("noPlongee")->setFocus();
}

void CarnetWindow::openEditWindow() {
    const auto alerts = session_->editWindow();
    editWindow()->present(this);
    afterCommand(alerts);
}

void CarnetWindow::openEditWindowOn(int row) {
    if (row < 0) return;
    const std::vector<std::size_t> rows{static_cast<std::size_t>(row)};
    if (session_->wouldShowAnother(rows) && !settleProfileData()) return;
    if (session_->wouldDropUnstored(rows) && !settleUnstoredDive()) return;
    const auto alerts = session_->editWindow(static_cast<std::size_t>(row));
    editWindow()->present(this);
    afterCommand(alerts);
}

void CarnetWindow::closeEditWindow() {
    if (edit_)
        edit_->close();  // the window's closing stores the form
    else
        afterCommand(session_->closeEditWindow());
}

bool CarnetWindow::onEditWindowClosing() {
    if (!settleUnstoredDive()) return false;
    afterCommand(session_->closeEditWindow());
    return !session_->refused();
}

void CarnetWindow::find(divelog::Plongee::Field field, const QString& text) {
    // One hit shows its dive as a click would.
    if (!settleProfileData()) return;
    const divelog::SearchResult result = session_->find(field, text.toStdString());
    afterCommand(result.alerts);
    found_->setText(q(result.countText));
    if (!result.rows.empty())
        table_->scrollTo(model_->index(static_cast<int>(result.rows.front()), 0));
}

void CarnetWindow::sortByColumn(int column) {
    session_->sortByColumn(DiveTableModel::field(column));
    afterCommand();
}

void CarnetWindow::renumber(int firstNumber) {
    session_->renumber(firstNumber);
    afterCommand();
}

void CarnetWindow::undo() {
    if (!session_->canUndo()) return;
    afterCommand(session_->undo());
}

void CarnetWindow::redo() {
    if (!session_->canRedo()) return;
    afterCommand(session_->redo());
}

void CarnetWindow::updateHistoryActions() {
    showHistory(session_->canUndo(), session_->canRedo(), session_->undoName(),
                session_->redoName());
}

void CarnetWindow::reloadView() {
    session_->documentLoaded();
    afterCommand();
}

bool CarnetWindow::prepareToSave() {
    afterCommand(session_->storePendingEdits());
    return !session_->refused();
}

void CarnetWindow::closeEvent(QCloseEvent* event) {
    // What was typed is not lost with the window: a new dive and samples not
    // applied are asked about, the edits of the dive shown are stored.
    if (!settleBeforeLeavingDive()) {
        event->ignore();
        return;
    }
    afterCommand(session_->closeEditWindow());
    if (session_->refused()) {
        event->ignore();
        return;
    }
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
    model_->repaintAll();
}

void CarnetWindow::followModelNeed() {
    session_->wantProfileModel((profile_ && profile_->isVisible()) ||
                               (edit_ && edit_->isVisible()));
}

void CarnetWindow::refreshForm() {
    followModelNeed();
    session_->refresh();
    if (edit_) edit_->showForm();
    updateProfileWindows();
    count_->setText(q(session_->readouts().diveCount));
}

void CarnetWindow::afterCommand(const std::vector<std::string>& alerts) {
    found_->clear();  // the count of the last search no longer says what is selected
    binding_->showSelection();
    count_->setText(q(session_->readouts().diveCount));
    toolbar_->updateEnabling(carnet().recordCount());
    afterSelection(alerts);
}

void CarnetWindow::afterSelection(const std::vector<std::string>& alerts) {
    followModelNeed();
    if (edit_) {
        edit_->toolbar()->updateEnabling(carnet().recordCount(), session_->canUpdate());
        edit_->showForm();
    }
    for (QAction* a : menuActions_)
        if (a->objectName() == QLatin1String("logbookDeleteDive"))
            a->setEnabled(!session_->selection().empty());
    updateHistoryActions();
    updateProfileWindows();
    documentEdited();
    showAlerts(alerts);
}
