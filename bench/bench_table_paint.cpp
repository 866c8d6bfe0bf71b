// Repainting the visible rows of the dive table on a 10,000-dive logbook,
// offscreen: what a scroll or a notification costs the diver. Also the cost
// of the model reset that follows a sort or a delete.

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <memory>

#include "BenchLogbook.h"
#include "UserPrompts.h"
#include "localisation/UiText.h"
#include "logbook/CarnetWindow.h"
#include "settings/AppContext.h"

namespace {

using namespace divelog;

struct Window {
    InMemorySettingsStore store;
    AppContext context{store};
    UiText text{context.localisation()};
    UserPrompts prompts{text};
    std::unique_ptr<CarnetWindow> window;

    Window() {
        context.initialize();
        loadLocalisationResources(context.localisation());
        store.setBool("mix in color", true);
        store.setBool("foreign in color", true);
        window = std::make_unique<CarnetWindow>(bench::makeBenchLogbook(10'000, 500), context,
                                                text, prompts);
        window->resize(1400, 900);
        window->show();
    }
};

// Made on first use and taken down in main(), while the QApplication still
// exists: a static would outlive it and crash at exit.
std::unique_ptr<Window> shared;

Window& window() {
    if (!shared) shared = std::make_unique<Window>();
    return *shared;
}

void BM_PaintVisibleRows(benchmark::State& state) {
    Window& w = window();
    QTableView* table = w.window->table();
    QWidget* viewport = table->viewport();
    QImage image(viewport->size(), QImage::Format_ARGB32_Premultiplied);
    int scroll = 0;
    for (auto _ : state) {
        // A different page each time, so nothing is served from a cache.
        table->verticalScrollBar()->setValue(scroll);
        scroll = (scroll + 997) % table->verticalScrollBar()->maximum();
        viewport->render(&image);
    }
    state.counters["rows_shown"] =
        static_cast<double>(table->rowAt(viewport->height() - 1) - table->rowAt(0) + 1);
}

void BM_ResetModelAndPaint(benchmark::State& state) {
    Window& w = window();
    QWidget* viewport = w.window->table()->viewport();
    QImage image(viewport->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        w.context.notifications().post("updateTableView");
        viewport->render(&image);
    }
}

}  // namespace

BENCHMARK(BM_PaintVisibleRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResetModelAndPaint)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    shared.reset();
    return 0;
}
