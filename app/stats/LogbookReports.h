#pragma once

#include <QObject>
#include <cstdint>
#include <memory>
#include <optional>

#include "Printing.h"
#include "logbook/DiveCard.h"
#include "stats/Statistics.h"

namespace divelog {
class AppContext;
struct ListChange;
}  // namespace divelog
class CardScopePanel;
class CarnetWindow;
class EarlierDivesWindow;
class GraphesWindow;
class QPrinter;
class StatisticsWindow;
class StyledTextWindow;
class UiText;

// What a logbook reports beside its table: the statistics with their report
// and graphs, the earlier-dives editor, the dive card and every print of the
// logbook. Windows are made on first use and kept. The figures and the card
// follow the logbook only while a window shows them, so a logbook of
// thousands of dives costs nothing here until one is opened.
class LogbookReports : public QObject {
    Q_OBJECT
public:
    LogbookReports(CarnetWindow& window, divelog::AppContext& context, const UiText& text);
    ~LogbookReports() override;

    // showStatisticsWindow, showEditStatisticsWindow, statsSynthesisWindow,
    // displayGraphesWindow: each window in front, up to date.
    void showStatistics();
    void showEarlierDives();
    void showReport();
    void showGraphs();
    // divesForSynthesisWindow: asks the card's scope; syntheseWindow: the
    // card of that scope (0 the selected dive, 1 every dive) in front.
    void showCardScope();
    void showCard(int scope);

    // printLogbook, printSynthesis, printStatistics and the graphs' print:
    // the default settings, the print dialog, then the print.
    void printLogbookWithDialog();
    void printCardWithDialog();
    void printStatisticsWithDialog();
    void printGraphsWithDialog();
    // The same straight onto `printer` with the default settings; a PDF
    // printer needs no dialog. Each returns the pages printed.
    int printLogbook(QPrinter& printer);
    int printCard(QPrinter& printer);
    int printStatistics(QPrinter& printer);
    int printGraphs(QPrinter& printer);

    // The form was refreshed (a dive shown, a command done).
    void formRefreshed();

    StatisticsWindow* statisticsWindow();
    StyledTextWindow* reportWindow();
    GraphesWindow* graphesWindow();
    EarlierDivesWindow* earlierDivesWindow();
    StyledTextWindow* cardWindow();
    CardScopePanel* scopePanel();
    const divelog::Statistics& statistics() const { return stats_; }
    std::size_t statisticsComputations() const { return computations_; }
    std::size_t cardBuilds() const { return cardBuilds_; }

private:
    bool statisticsShown() const;
    void recompute();
    void showFigures();
    void rebuildCard();
    divelog::StyledText card() const;
    divelog::StyledText report() const;
    void onChange();
    void storeEarlierDives();
    QPrinter& printer();
    // The graphs' own printer: their page set-up is kept apart from the texts'.
    QPrinter& graphsPrinter();
    int printLogbookOn(QPrinter& printer, const Printing::PageHook& hook = {});
    int printCardOn(QPrinter& printer, const Printing::PageHook& hook = {});
    int printStatisticsOn(QPrinter& printer);
    int printGraphsOn(QPrinter& printer);

    CarnetWindow& window_;
    divelog::AppContext& context_;
    const UiText& text_;
    StatisticsWindow* statistics_ = nullptr;
    StyledTextWindow* report_ = nullptr;
    GraphesWindow* graphes_ = nullptr;
    EarlierDivesWindow* earlier_ = nullptr;
    StyledTextWindow* card_ = nullptr;
    CardScopePanel* scope_ = nullptr;
    std::unique_ptr<QPrinter> printer_;  // the printer chosen, kept between prints
    std::unique_ptr<QPrinter> graphsPrinter_;

    divelog::Statistics stats_;
    bool statsStale_ = true;
    // The OTU over the profiles, kept while the dives and units stay the
    // same: a form refresh alone changes none of it.
    struct Oxygen {
        std::optional<double> highestOtu, otuTotal;
        bool usUnits = false;
    };
    std::optional<Oxygen> oxygen_;
    std::size_t statsRefresh_ = 0;  // the form refresh the figures were made after
    std::size_t computations_ = 0;
    divelog::DiveCard::Scope cardScope_ = divelog::DiveCard::Scope::SelectedDive;
    bool cardStale_ = true;
    std::optional<std::uint64_t> cardDive_;  // the dive a selected-dive card shows
    std::size_t cardBuilds_ = 0;
};
