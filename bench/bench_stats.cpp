// Statistics, graph data and the dive card on a 10,000-dive logbook: what
// opening the statistics or the card costs, what a refresh costs while they
// are shown, and that a row click costs no card work while the card is hidden.

#include <QApplication>
#include <QItemSelectionModel>
#include <QTableView>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <memory>

#include "BenchLogbook.h"
#include "UserPrompts.h"
#include "localisation/UiText.h"
#include "logbook/CarnetSession.h"
#include "logbook/CarnetWindow.h"
#include "logbook/DiveCard.h"
#include "logbook/DiveTableModel.h"
#include "settings/AppContext.h"
#include "stats/EarlierDives.h"
#include "stats/LogbookReports.h"
#include "stats/Statistics.h"
#include "stats/StatisticsChart.h"
#include "stats/StatisticsReport.h"
#include "stats/StatisticsTexts.h"
#include "tools/StyledTextDocument.h"
#include "tools/StyledTextWindow.h"

namespace {

using namespace divelog;

const std::size_t kDives = qEnvironmentVariableIntValue("BENCH_DIVES") > 0
                               ? std::size_t(qEnvironmentVariableIntValue("BENCH_DIVES"))
                               : 10'000;
constexpr std::size_t kSamples = 60;  // the profile plays no part here

struct World {
    InMemorySettingsStore store;
    AppContext context{store};
    UiText text{context.localisation()};
    UserPrompts prompts{text};
    std::unique_ptr<CarnetWindow> window;

    World() {
        context.initialize();
        loadLocalisationResources(context.localisation());
        EarlierDives earlier;
        earlier.set("total plongees", 250);
        earlier.set("air", 200);
        earlier.store(store);
        window = std::make_unique<CarnetWindow>(bench::makeBenchLogbook(kDives, kSamples), context,
                                                text, prompts);
        window->resize(1400, 900);
        window->show();
    }
};

std::unique_ptr<World> theWorld;

World& world() {
    if (!theWorld) theWorld = std::make_unique<World>();
    return *theWorld;
}

// The statistics and the graph data, as every refresh recomputes them while
// shown: the OTU over the profiles are kept from the last change of the dives.
void BM_StatisticsAndGraphData(benchmark::State& state) {
    World& w = world();
    const EarlierDives earlier = EarlierDives::read(w.store);
    Statistics::Options options;
    options.oxygenOverProfiles = false;
    for (auto _ : state) {
        const Statistics s = Statistics::of(w.window->carnet(), earlier, options);
        benchmark::DoNotOptimize(StatisticsShares::of(s));
    }
}

// After a change of the dives: the same with the OTU of every sample of every dive.
void BM_StatisticsWithOxygenOverProfiles(benchmark::State& state) {
    World& w = world();
    const EarlierDives earlier = EarlierDives::read(w.store);
    for (auto _ : state) {
        const Statistics s = Statistics::of(w.window->carnet(), earlier, {});
        benchmark::DoNotOptimize(StatisticsShares::of(s));
    }
}

// All the window shows: the figures as text, the report and the chart geometry.
void BM_StatisticsTextsReportAndChart(benchmark::State& state) {
    World& w = world();
    const Localisation& l = w.context.localisation();
    const Statistics s = Statistics::of(w.window->carnet(), EarlierDives::read(w.store), {});
    for (auto _ : state) {
        const StatisticsTexts x = StatisticsTexts::of(s, l);
        benchmark::DoNotOptimize(StatisticsReport::build(s, x, l, {"logbook", "today"}));
        benchmark::DoNotOptimize(layoutStatisticsChart(StatisticsShares::of(s), {}, 900, 480, l));
    }
}

void BM_CardOfAllDives_Core(benchmark::State& state) {
    World& w = world();
    const DiveCard card(w.context.localisation(), false);
    std::size_t runs = 0;
    for (auto _ : state)
        runs = card.build(w.window->carnet(), DiveCard::Scope::AllDives, {}).runs().size();
    state.counters["runs"] = static_cast<double>(runs);
}

// The card of every dive into the text window's document.
void BM_CardOfAllDives_Document(benchmark::State& state) {
    World& w = world();
    const StyledText text = DiveCard(w.context.localisation(), false)
                                .build(w.window->carnet(), DiveCard::Scope::AllDives, {});
    QTextDocument document;
    for (auto _ : state) styledtext::fill(document, text);
    state.counters["chars"] = static_cast<double>(document.characterCount());
}

// Opening the card window on every dive, until it shows its first dives
// (the rest follows behind a progress bar).
void BM_OpenCardOfAllDives(benchmark::State& state) {
    World& w = world();
    for (auto _ : state) {
        w.window->reports().showCard(1);
        QCoreApplication::processEvents();
        w.window->reports().cardWindow()->hide();
    }
}

// Until the last dive of the card of every dive is written.
void BM_WriteCardOfAllDives(benchmark::State& state) {
    World& w = world();
    for (auto _ : state) {
        w.window->reports().showCard(1);
        while (w.window->reports().cardWindow()->isWriting()) QCoreApplication::processEvents();
        w.window->reports().cardWindow()->hide();
    }
}

// A click on another row, through the table's selection as the user makes it.
void clickRows(benchmark::State& state, World& w) {
    QTableView* table = w.window->table();
    int row = 0;
    const std::size_t builds = w.window->reports().cardBuilds();
    for (auto _ : state) {
        row = (row + 37) % static_cast<int>(kDives);
        table->selectionModel()->select(
            w.window->model()->index(row, 0),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    state.counters["card_builds"] = static_cast<double>(w.window->reports().cardBuilds() - builds);
}

void BM_RowClick_CardNeverOpened(benchmark::State& state) { clickRows(state, world()); }

void BM_RowClick_CardOfAllDivesHidden(benchmark::State& state) {
    World& w = world();
    w.window->reports().showCard(1);
    w.window->reports().cardWindow()->hide();
    clickRows(state, w);
}

void BM_RowClick_CardOfSelectedDiveShown(benchmark::State& state) {
    World& w = world();
    w.window->reports().showCard(0);
    clickRows(state, w);
    w.window->reports().cardWindow()->hide();
}

void BM_RowClick_StatisticsShown(benchmark::State& state) {
    World& w = world();
    w.window->reports().showStatistics();
    clickRows(state, w);
}

}  // namespace

BENCHMARK(BM_StatisticsAndGraphData)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StatisticsWithOxygenOverProfiles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StatisticsTextsReportAndChart)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CardOfAllDives_Core)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CardOfAllDives_Document)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenCardOfAllDives)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_WriteCardOfAllDives)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_RowClick_CardNeverOpened)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RowClick_CardOfAllDivesHidden)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RowClick_CardOfSelectedDiveShown)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RowClick_StatisticsShown)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theWorld.reset();  // its windows go before the application
    return 0;
}
