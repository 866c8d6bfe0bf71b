// Takes the screenshots of the README from the sample logbook: the table,
// a dive's form, its profile and the statistics, each window grabbed as
// drawn on a real display (run under xvfb-run by scripts/screenshots).
//   take_screenshots OUT_DIR

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "AppTestHarness.h"
#include "logbook/CarnetWindow.h"
#include "logbook/DiveEditWindow.h"
#include "logbook/DiveTableModel.h"
#include "profile/ProfilWindow.h"
#include "stats/LogbookReports.h"
#include "stats/StatisticsWindow.h"

namespace {

bool grab(QWidget* w, const QDir& out, const char* name) {
    w->raise();
    w->activateWindow();
    QTest::qWait(400);  // let the window manager-less server map and paint it
    const QString path = out.filePath(QString::fromLatin1(name));
    if (!w->grab().save(path, "PNG")) {
        std::fprintf(stderr, "take_screenshots: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("DiveLog"));
    QApplication::setOrganizationName(QStringLiteral("DiveLog"));
    QApplication::setApplicationDisplayName(QStringLiteral("DiveLog"));
    if (argc != 2) {
        std::fprintf(stderr, "usage: take_screenshots OUT_DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    // The diver's own settings and sample copy are left alone.
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir scratch;
    AppHarness harness(scratch.filePath(QStringLiteral("settings.ini")));
    auto* w = qobject_cast<CarnetWindow*>(harness.controller->openSampleLogbook());
    if (!w) {
        std::fprintf(stderr, "take_screenshots: no sample logbook\n");
        return 1;
    }
    w->move(0, 0);
    w->resize(1200, 720);
    // The trimix dive on the wreck off Ouessant: stops, gas switches, pressures.
    int row = 0;
    for (std::size_t i = 0; i < w->carnet().recordCount(); ++i)
        if (w->carnet().dive(i).epaves().value_or("") == "Swansea Vale") {
            row = static_cast<int>(i);
            break;
        }
    w->table()->selectRow(row);  // as a click does: the form follows
    w->table()->scrollTo(w->model()->index(row, 0), QAbstractItemView::PositionAtCenter);
    bool ok = grab(w, out, "screenshot-table.png");

    w->openEditWindowOn(row);
    w->editWindow()->move(40, 40);
    ok = grab(w->editWindow(), out, "screenshot-edit.png") && ok;
    w->editWindow()->hide();

    w->displayProfilWindow();
    w->profileWindow()->resize(1000, 600);
    ok = grab(w->profileWindow(), out, "screenshot-profile.png") && ok;
    w->profileWindow()->hide();

    w->reports().showStatistics();
    ok = grab(w->reports().statisticsWindow(), out, "screenshot-statistics.png") && ok;

    harness.prompts->saveAnswer = UserPrompts::SaveChoice::Discard;
    harness.controller->closeAll();
    return ok ? 0 : 1;
}
