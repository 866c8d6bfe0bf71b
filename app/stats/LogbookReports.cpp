#include "stats/LogbookReports.h"

#include <QDateTime>
#include <QHeaderView>
#include <QLocale>
#include <QPrinter>
#include <QTableView>
#include <QTextDocument>

#include "Printing.h"
#include "UserPrompts.h"
#include "localisation/UiText.h"
#include "logbook/CardScopePanel.h"
#include "logbook/Carnet.h"
#include "logbook/CarnetSession.h"
#include "logbook/CarnetWindow.h"
#include "logbook/DiveTableModel.h"
#include "settings/AppContext.h"
#include "stats/EarlierDives.h"
#include "stats/EarlierDivesWindow.h"
#include "stats/Graphes.h"
#include "stats/GraphesWindow.h"
#include "stats/StatisticsChart.h"
#include "stats/StatisticsReport.h"
#include "stats/StatisticsTexts.h"
#include "stats/StatisticsWindow.h"
#include "tools/StyledTextDocument.h"
#include "tools/StyledTextWindow.h"

namespace {
using divelog::DiveCard;
constexpr auto kPortrait = QPageLayout::Portrait;
// Dives per part of a card of every dive: a part is written between two events.
constexpr std::size_t kCardPart = 200;
}  // namespace

LogbookReports::LogbookReports(CarnetWindow& window, divelog::AppContext& context,
                               const UiText& text)
    : window_(window), context_(context), text_(text) {
    window_.carnet().addObserver(this, [this](const divelog::ListChange&) { onChange(); });
    namespace n = divelog::notification;
    // Units change what the figures and the card say. The logbook refreshes
    // its form on the same notification, and the shown windows follow that.
    context_.notifications().addObserver(this, n::kUpdateEditDive, [this] { onChange(); });
    context_.notifications().addObserver(this, n::kProfile, [this] {
        if (graphes_) graphes_->redraw();
    });
}

LogbookReports::~LogbookReports() {
    context_.notifications().removeObserver(this);
    window_.carnet().removeObserver(this);
    delete statistics_;
    delete report_;
    delete graphes_;
    delete earlier_;
    delete card_;
    delete scope_;
}

void LogbookReports::onChange() {
    statsStale_ = true;
    cardStale_ = true;
}

// ---- Statistics ----------------------------------------------------------

StatisticsWindow* LogbookReports::statisticsWindow() {
    if (statistics_) return statistics_;
    statistics_ = new StatisticsWindow(text_, context_.settings(), &window_);
    connect(statistics_, &StatisticsWindow::countEarlierChanged, this, [this] {
        statsStale_ = true;
        formRefreshed();
    });
    connect(statistics_, &StatisticsWindow::earlierDivesRequested, this,
            &LogbookReports::showEarlierDives);
    connect(statistics_, &StatisticsWindow::reportRequested, this, &LogbookReports::showReport);
    connect(statistics_, &StatisticsWindow::graphsRequested, this, &LogbookReports::showGraphs);
    connect(statistics_, &StatisticsWindow::printRequested, this,
            &LogbookReports::printStatisticsWithDialog);
    return statistics_;
}

StyledTextWindow* LogbookReports::reportWindow() {
    if (report_) return report_;
    report_ = new StyledTextWindow(QStringLiteral("Statistics report"), text_.main("Print..."),
                                   context_.settings(), &window_);
    report_->setObjectName(QStringLiteral("statisticsReport"));
    report_->setWindowTitle(text_.carnet("Statistics report title"));
    connect(report_, &StyledTextWindow::printRequested, this,
            &LogbookReports::printStatisticsWithDialog);
    return report_;
}

GraphesWindow* LogbookReports::graphesWindow() {
    if (graphes_) return graphes_;
    graphes_ = new GraphesWindow(context_, text_, &window_);
    connect(graphes_, &GraphesWindow::printRequested, this, &LogbookReports::printGraphsWithDialog);
    connect(graphes_, &GraphesWindow::pageSetupRequested, this,
            [this] { Printing::pageSetup(graphes_, graphsPrinter()); });
    return graphes_;
}

EarlierDivesWindow* LogbookReports::earlierDivesWindow() {
    if (earlier_) return earlier_;
    earlier_ = new EarlierDivesWindow(text_, &window_);
    connect(earlier_, &EarlierDivesWindow::validated, this, &LogbookReports::storeEarlierDives);
    earlier_->setReporter(
        [this](const QString& why) { window_.prompts().report(earlier_, why, QString()); });
    return earlier_;
}

bool LogbookReports::statisticsShown() const {
    return (statistics_ && statistics_->isVisible()) || (report_ && report_->isVisible()) ||
           (graphes_ && graphes_->isVisible());
}

void LogbookReports::recompute() {
    divelog::Statistics::Options options;
    options.countEarlier = !statistics_ || statistics_->countsEarlierDives();
    options.usUnits = context_.settings().boolForKey("us units");
    if (statsStale_ || (oxygen_ && oxygen_->usUnits != options.usUnits)) oxygen_.reset();
    options.oxygenOverProfiles = !oxygen_;
    stats_ = divelog::Statistics::of(window_.carnet(),
                                     divelog::EarlierDives::read(context_.settings()), options);
    if (oxygen_) {
        stats_.highestOtu = oxygen_->highestOtu;
        stats_.otuTotal = oxygen_->otuTotal;
    } else {
        oxygen_ = Oxygen{stats_.highestOtu, stats_.otuTotal, options.usUnits};
    }
    ++computations_;
    statsStale_ = false;
    statsRefresh_ = window_.session().refreshCount();
}

void LogbookReports::showFigures() {
    if (statistics_)
        statistics_->display(divelog::StatisticsTexts::of(
            stats_, context_.localisation(), context_.settings().boolForKey("us units")));
    if (report_) report_->setText(report());
    if (graphes_) graphes_->view()->setShares(divelog::StatisticsShares::of(stats_));
}

divelog::StyledText LogbookReports::report() const {
    const std::string path = window_.document().filePath();
    const divelog::StatisticsReport::Source source{
        path.empty() ? window_.displayName().toStdString() : path,
        QLocale().toString(QDateTime::currentDateTime(), QLocale::LongFormat).toStdString()};
    return divelog::StatisticsReport::build(
        stats_,
        divelog::StatisticsTexts::of(stats_, context_.localisation(),
                                     context_.settings().boolForKey("us units")),
        context_.localisation(), source);
}

void LogbookReports::showStatistics() {
    statisticsWindow()->present();
    recompute();
    showFigures();
}

void LogbookReports::showReport() {
    reportWindow()->present();
    recompute();
    showFigures();
}

void LogbookReports::showGraphs() {
    graphesWindow()->present();
    recompute();
    showFigures();
}

void LogbookReports::showEarlierDives() {
    earlierDivesWindow()->load(divelog::EarlierDives::read(context_.settings()));
    earlier_->show();
    earlier_->raise();
    earlier_->activateWindow();
}

void LogbookReports::storeEarlierDives() {
    earlier_->values().store(context_.settings());
    statsStale_ = true;
    formRefreshed();
}

// ---- Dive card -----------------------------------------------------------

CardScopePanel* LogbookReports::scopePanel() {
    if (scope_) return scope_;
    scope_ = new CardScopePanel(text_, &window_);
    connect(scope_, &CardScopePanel::chosen, this, &LogbookReports::showCard);
    return scope_;
}

StyledTextWindow* LogbookReports::cardWindow() {
    if (card_) return card_;
    card_ = new StyledTextWindow(QStringLiteral("Synthese"), text_.main("Print..."),
                                 context_.settings(), &window_);
    card_->setObjectName(QStringLiteral("diveCard"));
    card_->setWindowTitle(text_.carnet("Card title"));
    connect(card_, &StyledTextWindow::printRequested, this, &LogbookReports::printCardWithDialog);
    return card_;
}

void LogbookReports::showCardScope() { scopePanel()->present(); }

void LogbookReports::showCard(int scope) {
    cardScope_ = scope == 1 ? DiveCard::Scope::AllDives : DiveCard::Scope::SelectedDive;
    cardWindow()->present();
    rebuildCard();
}

divelog::StyledText LogbookReports::card() const {
    const divelog::CarnetSession& session = window_.session();
    return DiveCard(context_.localisation(), context_.settings().boolForKey("us units"))
        .build(window_.carnet(), cardScope_, session.singleSelection());
}

void LogbookReports::rebuildCard() {
    const auto row = window_.session().singleSelection();
    cardDive_ = row ? std::optional(window_.carnet().idAt(*row)) : std::nullopt;
    const std::size_t count = window_.carnet().recordCount();
    if (cardScope_ == DiveCard::Scope::AllDives && count > kCardPart) {
        // A card of thousands of dives shows its first ones at once.
        StyledTextWindow::Parts parts;
        parts.count = count;
        parts.size = kCardPart;
        parts.make = [this](std::size_t first, std::size_t last) {
            divelog::StyledText text;
            DiveCard(context_.localisation(), context_.settings().boolForKey("us units"))
                .appendRows(window_.carnet(), first, last, text);
            return text;
        };
        parts.cancelLabel = text_.main("Cancel");
        parts.stoppedNote = [this](std::size_t done, std::size_t all) {
            return text_.format("Carnet", "Card stopped", "%@ / %@",
                                {std::to_string(done), std::to_string(all)});
        };
        cardWindow()->setTextInParts(std::move(parts));
    } else {
        cardWindow()->setText(card(), text_.carnet("Card nothing selected"));
    }
    ++cardBuilds_;
    cardStale_ = false;
}

// ---- Following the form --------------------------------------------------

void LogbookReports::formRefreshed() {
    if (statisticsShown() && (statsStale_ || statsRefresh_ != window_.session().refreshCount())) {
        recompute();
        showFigures();
    }
    if (card_ && card_->isVisible()) {
        const auto row = window_.session().singleSelection();
        const auto shown = row ? std::optional(window_.carnet().idAt(*row)) : std::nullopt;
        if (cardStale_ || (cardScope_ == DiveCard::Scope::SelectedDive && shown != cardDive_))
            rebuildCard();
    }
}

// ---- Printing ------------------------------------------------------------

QPrinter& LogbookReports::printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

int LogbookReports::printLogbookOn(QPrinter& printer, const Printing::PageHook& hook) {
    // Every row with the columns the table shows, in the order it shows them.
    const QTableView* table = window_.table();
    const QHeaderView* header = table->horizontalHeader();
    QList<int> columns;
    for (int v = 0; v < header->count(); ++v) {
        const int c = header->logicalIndex(v);
        if (!table->isColumnHidden(c)) columns << c;
    }
    return Printing::printTable(printer, *window_.model(), columns, window_.displayName(),
                                PrintSettings::logbook(QPageLayout::Landscape), hook);
}

int LogbookReports::printCardOn(QPrinter& printer, const Printing::PageHook& hook) {
    if (hook && !hook(0, 0)) return 0;
    QTextDocument document;
    styledtext::fill(document, card());
    return Printing::printDocument(printer, document, PrintSettings::logbook(kPortrait), hook);
}

int LogbookReports::printStatisticsOn(QPrinter& printer) {
    recompute();
    showFigures();
    QTextDocument document;
    styledtext::fill(document, report());
    return Printing::printDocument(printer, document, PrintSettings::logbook(kPortrait));
}

int LogbookReports::printLogbook(QPrinter& p) {
    Printing::apply(p, PrintSettings::logbook(QPageLayout::Landscape));
    return printLogbookOn(p);
}

int LogbookReports::printCard(QPrinter& p) {
    Printing::apply(p, PrintSettings::logbook(kPortrait));
    return printCardOn(p);
}

int LogbookReports::printStatistics(QPrinter& p) {
    Printing::apply(p, PrintSettings::logbook(kPortrait));
    return printStatisticsOn(p);
}

int LogbookReports::printGraphsOn(QPrinter& p) {
    recompute();
    graphesWindow()->view()->setShares(divelog::StatisticsShares::of(stats_));
    graphes_->print(p);
    return 1;
}

int LogbookReports::printGraphs(QPrinter& p) {
    Printing::apply(p, PrintSettings::chart());
    return printGraphsOn(p);
}

void LogbookReports::printLogbookWithDialog() {
    Printing::apply(printer(), PrintSettings::logbook(QPageLayout::Landscape));
    if (!Printing::ask(&window_, printer())) return;
    // A logbook of thousands of dives prints hundreds of pages: the diver sees it go and may stop
    // it.
    PrintProgress progress(&window_, text_.main("Printing"), text_.main("Cancel"));
    printLogbookOn(printer(), progress.hook());
}

void LogbookReports::printCardWithDialog() {
    Printing::apply(printer(), PrintSettings::logbook(kPortrait));
    QWidget* parent = card_ && card_->isVisible() ? static_cast<QWidget*>(card_) : &window_;
    if (!Printing::ask(parent, printer())) return;
    PrintProgress progress(parent, text_.main("Printing"), text_.main("Cancel"));
    printCardOn(printer(), progress.hook());
}

void LogbookReports::printStatisticsWithDialog() {
    Printing::apply(printer(), PrintSettings::logbook(kPortrait));
    if (Printing::ask(&window_, printer())) printStatisticsOn(printer());
}

void LogbookReports::printGraphsWithDialog() {
    QWidget* parent =
        graphes_ && graphes_->isVisible() ? static_cast<QWidget*>(graphes_) : &window_;
    if (Printing::ask(parent, graphsPrinter())) printGraphsOn(graphsPrinter());
}

QPrinter& LogbookReports::graphsPrinter() {
    // The graphs' page set-up once: Page Setup and the print dialog change it after.
    if (!graphsPrinter_) {
        graphsPrinter_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        Printing::apply(*graphsPrinter_, PrintSettings::chart());
    }
    return *graphsPrinter_;
}
