// Repainting the visible rows of the dive table on a 10,000-dive logbook,
// offscreen: what a scroll or a notification costs the diver. Also the cost
// of the model reset that follows a sort or a delete, and the repaint of a
// 1,000-card register's table.

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <memory>

#include "BenchLogbook.h"
#include "BenchRegister.h"
#include "UserPrompts.h"
#include "localisation/UiText.h"
#include "logbook/CarnetWindow.h"
#include "registers/RegisterWindow.h"
#include "settings/AppContext.h"

namespace {

using namespace divelog;

struct Window {
    InMemorySettingsStore store;
    AppContext context{store};
    UiText text{context.localisation()};
    UserPrompts prompts{text};
    std::unique_ptr<CarnetWindow> window;
    std::unique_ptr<RegisterWindow> wrecks;

    Window() {
        context.initialize();
        loadLocalisationResources(context.localisation());
        store.setBool("mix in color", true);
        store.setBool("foreign in color", true);
        window = std::make_unique<CarnetWindow>(bench::makeBenchLogbook(10'000, 500), context, text,
                                                prompts);
        window->resize(1400, 900);
        window->show();
        wrecks =
            std::make_unique<RegisterWindow>(bench::makeBenchWrecks(1'000), context, text, prompts);
        wrecks->resize(1400, 900);
        wrecks->show();
    }
};

// Made on first use and taken down in main(), while the QApplication still
// exists: a static would outlive it and crash at exit.
std::unique_ptr<Window> shared;

Window& window() {
    if (!shared) shared = std::make_unique<Window>();
    return *shared;
}

void paintPages(benchmark::State& state, QTableView* table) {
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

void BM_PaintVisibleRows(benchmark::State& state) { paintPages(state, window().window->table()); }

void BM_RegisterPaintVisibleRows(benchmark::State& state) {
    paintPages(state, window().wrecks->table());
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
BENCHMARK(BM_RegisterPaintVisibleRows)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    shared.reset();
    return 0;
}
