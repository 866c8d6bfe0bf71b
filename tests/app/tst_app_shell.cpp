// The application shell: menus and their texts, tool windows kept for the
// life of the application, new-dive defaults read from the settings, and the
// desktop files that must name every document kind.

#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

#include "AppTestHarness.h"
#include "logbook/Carnet.h"
#include "logbook/CarnetWindow.h"
#include "logbook/DiveTableModel.h"
#include "logbook/NewDiveSettings.h"
#include "tools/PlaceholderWindow.h"

namespace {

// Every action under a menu, depth first, submenus included.
QList<QAction*> allActions(QMenu* menu) {
    QList<QAction*> out;
    for (QAction* a : menu->actions()) {
        out << a;
        if (a->menu()) out << allActions(a->menu());
    }
    return out;
}

QMenu* topMenu(QMainWindow* w, const QString& title) {
    for (QAction* a : w->menuBar()->actions())
        if (a->text() == title) return a->menu();
    return nullptr;
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class AppShell : public QObject {
    Q_OBJECT

private slots:
    void init() { app_ = std::make_unique<AppHarness>(dir_.filePath("settings.ini")); }
    void cleanup() {
        app_.reset();
        flushDeletes();
    }

    void everyMenuTextIsLocalised() {
        app_->controller->newCarnetDocumentMenuAction();
        QMainWindow* w = app_->controller->windows().first();
        QCOMPARE(w->menuBar()->actions().size(), 6);
        int texts = 0;
        for (QAction* top : w->menuBar()->actions()) {
            QVERIFY(top->text() != "error !");
            for (QAction* a : allActions(top->menu())) {
                if (a->isSeparator() || a->data().isValid()) continue;  // recent files show names
                QVERIFY2(!a->text().isEmpty() && !a->text().contains("error !"),
                         qPrintable(top->text() + " / " + a->objectName()));
                ++texts;
            }
        }
        QVERIFY(texts > 50);
        auto* carnet = qobject_cast<CarnetWindow*>(w);
        for (int c = 0; c < carnet->model()->columnCount(); ++c)
            QVERIFY(carnet->model()->headerData(c, Qt::Horizontal).toString() != "error !");
        QVERIFY(!carnet->countLabel()->text().contains("error"));
        QVERIFY(!app_->text.kindName(divelog::kindInfo(divelog::DocumentKind::Epaves)).contains("error"));
    }

    void menusHoldTheCommandsOfEachFamily() {
        app_->controller->newCarnetDocumentMenuAction();
        QMainWindow* w = app_->controller->windows().first();
        QStringList names;
        for (QAction* a : allActions(topMenu(w, app_->text.main("File")))) names << a->objectName();
        for (const auto& kind : divelog::documentKinds()) {
            QString command = QString::fromLatin1(kind.newCommand.data(), kind.newCommand.size());
            QVERIFY2(names.contains(command.remove(':')), qPrintable(command));
        }
        auto named = [](QMenu* m) {
            int n = 0;
            for (QAction* a : m->actions()) n += !a->objectName().isEmpty();
            return n;
        };
        QCOMPARE(named(topMenu(w, app_->text.main("Calculators"))), 13);
        QCOMPARE(named(topMenu(w, app_->text.main("Lists"))), 15);
        QMenu* logbook = topMenu(w, app_->text.main("Logbook"));
        QVERIFY(logbook->actions().contains(qobject_cast<CarnetWindow*>(w)->newDiveAction()));
    }

    void newKindsInARowDoNotLeakTheirType() {
        app_->controller->newEpavesDocumentMenuAction();
        QVERIFY(!app_->controller->hasDefaultType());
        app_->controller->openUntitledDocumentAndDisplay();
        QCOMPARE(app_->controller->windows().size(), 2);
        QCOMPARE(app_->controller->windows().at(0)->document().kind(), divelog::DocumentKind::Epaves);
        QCOMPARE(app_->controller->windows().at(1)->document().kind(), divelog::DocumentKind::Carnet);
    }

    void toolWindowsAreMadeOnceAndKept() {
        app_->controller->newCarnetDocumentMenuAction();
        QMainWindow* w = app_->controller->windows().first();
        QAction* nitrox = w->findChild<QAction*>("displayBestMixWindow");
        QVERIFY(nitrox);
        nitrox->trigger();
        PlaceholderWindow* first = app_->delegate->toolWindow("Nitrox Best Mix");
        QVERIFY(first && first->isVisible());
        QVERIFY(!first->note().contains("error"));
        first->close();
        nitrox->trigger();
        QCOMPARE(app_->delegate->toolWindow("Nitrox Best Mix"), first);
        QVERIFY(first->isVisible());
        QVERIFY(!app_->delegate->toolWindow("Nitrox Prof Max"));
    }

    void newDiveTakesItsDefaultsFromTheSettings() {
        divelog::Carnet carnet;
        app_->store.setNumber("stop interval", 0);
        app_->store.setString("country code", "ESP");
        app_->store.setNumber("tank volume", 12);
        app_->store.setString("tank pressure", "232");
        app_->store.setString("ordinateur", "Perdix");
        divelog::NewDiveDefaults d = divelog::NewDiveDefaults{};
        d = newDiveDefaults(app_->context, carnet, nullptr);
        QCOMPARE(d.number, 1);
        QCOMPARE(d.stopInterval, 3.0);  // 0 would put every stop at the surface
        QCOMPARE(d.countryCode, std::string("ESP"));
        QCOMPARE(d.tankVolume, 12);
        QCOMPARE(d.tankPressure, 232);
        QCOMPARE(d.ordinateur, std::string("Perdix"));
        QCOMPARE(QString::fromStdString(d.gpsTemplate), app_->text.carnet("GPS template"));
        QVERIFY(d.gpsTemplate != "error !");

        app_->store.setString("stop interval", "4,5");
        app_->store.setNumber("tank volume", 1e30);
        divelog::Plongee last;
        last.setNoPlongee(41);
        carnet.addDive(std::make_unique<divelog::Plongee>(last));
        d = newDiveDefaults(app_->context, carnet, &carnet.dive(0));
        QCOMPARE(d.number, 42);
        QCOMPARE(d.stopInterval, 4.5);
        QCOMPARE(d.tankVolume, INT32_MAX);
        QCOMPARE(d.previous, &carnet.dive(0));
    }

    void desktopFilesNameEveryDocumentKind() {
        const QByteArray desktop = readFile(DIVELOG_PACKAGING_DIR "/divelog.desktop");
        const QByteArray mime = readFile(DIVELOG_PACKAGING_DIR "/divelog-mime.xml");
        QVERIFY(desktop.contains("Exec=divelog %F"));
        for (const auto& kind : divelog::documentKinds()) {
            const QByteArray type(kind.mimeType.data(), kind.mimeType.size());
            const QByteArray glob = "*." + QByteArray(kind.extension.data(), kind.extension.size());
            QVERIFY2(desktop.contains(type + ';'), type.constData());
            QVERIFY2(mime.contains("<mime-type type=\"" + type + "\">"), type.constData());
            QVERIFY2(mime.contains("<glob pattern=\"" + glob + "\"/>"), glob.constData());
        }
    }

private:
    QTemporaryDir dir_;
    std::unique_ptr<AppHarness> app_;
};

QTEST_MAIN(AppShell)
#include "tst_app_shell.moc"
