// The logbook's everyday commands on a large logbook: selecting a row with
// its form refresh, a search that hits many dives, deleting many selected
// rows and renumbering every dive. Each runs at three sizes so the growth
// shows (Big O is fitted over them). The same delete on a register, whose
// cards share the logbook's list machinery.

#include <benchmark/benchmark.h>

#include <memory>

#include "BenchLogbook.h"
#include "BenchRegister.h"
#include "localisation/Localisation.h"
#include "logbook/CarnetCommands.h"
#include "logbook/CarnetSession.h"
#include "registers/RegisterSession.h"
#include "settings/PickLists.h"

namespace {

using namespace divelog;

constexpr std::size_t kSamples = 500;

struct World {
    InMemorySettingsStore store;
    AppContext context{store};
    std::unique_ptr<Carnet> carnet;
    std::unique_ptr<CarnetSession> session;

    explicit World(std::size_t dives) {
        context.initialize();
        carnet = bench::makeBenchLogbook(dives, kSamples);
        // Three dives in ten were made from the same boat: the search's hits.
        for (std::size_t i = 0; i < dives; ++i)
            carnet->setField(i, Plongee::Field::bateau,
                             i % 10 < 3 ? std::string("Alcyon II") : std::string("Zodiac"));
        carnet->history().clear();
        session = std::make_unique<CarnetSession>(*carnet, context);
    }
};

World& world(std::size_t dives) {
    static std::unique_ptr<World> w;
    if (!w || w->carnet->recordCount() != dives) w = std::make_unique<World>(dives);
    return *w;
}

void BM_SelectRowWithFormRefresh(benchmark::State& state) {
    World& w = world(static_cast<std::size_t>(state.range(0)));
    std::size_t row = 0;
    for (auto _ : state) {
        w.session->select({row});
        row = (row + 7919) % w.carnet->recordCount();
    }
    state.SetComplexityN(state.range(0));
}

void BM_SearchManyHits(benchmark::State& state) {
    World& w = world(static_cast<std::size_t>(state.range(0)));
    std::size_t hits = 0;
    for (auto _ : state) hits = w.session->find(Plongee::Field::bateau, "alcyon").rows.size();
    state.counters["hits"] = static_cast<double>(hits);
    state.SetComplexityN(state.range(0));
}

void BM_RenumberAll(benchmark::State& state) {
    World& w = world(static_cast<std::size_t>(state.range(0)));
    std::int32_t first = 1;
    for (auto _ : state) w.session->renumber(first++);
    state.SetComplexityN(state.range(0));
}

// A tenth of the logbook's rows (1,000 at 10,000 dives), at scattered places.
std::vector<std::size_t> scatteredTenth(std::size_t dives) {
    std::vector<std::size_t> rows;
    for (std::size_t i = 0; i < dives; i += 10) rows.push_back((i * 7) % dives);
    return rows;
}

// Deletes a tenth of the logbook, selected at scattered places; the logbook
// is rebuilt outside the timing.
void BM_DeleteSelectedRows(benchmark::State& state) {
    const auto dives = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto w = std::make_unique<World>(dives);
        w->session->select(scatteredTenth(dives));
        state.ResumeTiming();
        w->session->deleteSelected();
        state.PauseTiming();
        w.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}

// Takes back that delete: the 1,000 dives go back to their rows.
void BM_UndoDeleteSelectedRows(benchmark::State& state) {
    const auto dives = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto w = std::make_unique<World>(dives);
        w->session->select(scatteredTenth(dives));
        w->session->deleteSelected();
        state.ResumeTiming();
        w->session->undo();
        state.PauseTiming();
        w.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}

// 1,000 single-dive edits through the form; the counter is what the history
// holds per edit, against the size of one dive.
void BM_HistoryOfSingleDiveEdits(benchmark::State& state) {
    World& w = world(2500);
    double perEdit = 0, diveBytes = 0;
    for (auto _ : state) {
        w.carnet->history().clear();
        for (int edit = 0; edit < 1000; ++edit) {
            w.session->select({static_cast<std::size_t>(edit) * 2});
            w.session->form().setText(Plongee::Field::temps, std::to_string(30 + edit % 40));
            w.session->update();
        }
        perEdit = static_cast<double>(w.carnet->history().heldBytes()) / 1000.0;
        diveBytes = static_cast<double>(sizeof(Plongee) + w.carnet->dive(0).heldBytes());
    }
    state.counters["history_bytes_per_edit"] = perEdit;
    state.counters["one_dive_bytes"] = diveBytes;
    state.counters["ratio"] = perEdit / diveBytes;
}

// Deletes every card of a 1,000-card wreck directory, selected one row at a
// time as a shift-click gathers them.
void BM_RegisterDeleteSelectedRows(benchmark::State& state) {
    const auto cards = static_cast<std::size_t>(state.range(0));
    InMemorySettingsStore store;
    PickLists lists{store};
    Localisation texts;
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = bench::makeBenchWrecks(cards);
        auto session = std::make_unique<RegisterSession>(*doc, lists, texts);
        std::vector<std::size_t> all;
        for (std::size_t i = 0; i < cards; ++i) all.push_back((i * 7) % cards);
        session->select(all);
        state.ResumeTiming();
        session->deleteSelected();
        state.PauseTiming();
        session.reset();
        doc.reset();
        state.ResumeTiming();
    }
}

}  // namespace

BENCHMARK(BM_RegisterDeleteSelectedRows)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_UndoDeleteSelectedRows)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_HistoryOfSingleDiveEdits)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SelectRowWithFormRefresh)
    ->Arg(2500)
    ->Arg(5000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(BM_SearchManyHits)
    ->Arg(2500)
    ->Arg(5000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(BM_RenumberAll)
    ->Arg(2500)
    ->Arg(5000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(BM_DeleteSelectedRows)
    ->Arg(2500)
    ->Arg(5000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Complexity();
