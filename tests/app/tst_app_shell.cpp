// The application shell: menus and their texts, tool windows kept for the
// life of the application, new-dive defaults read from the settings, and the
// desktop files that must name every document kind.

#include <QComboBox>
#include <QFile>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

#include "AppTestHarness.h"
#include "calculators/CalculatorWindow.h"
#include "document/DocumentError.h"
#include "logbook/Carnet.h"
#include "logbook/CarnetSession.h"
#include "logbook/CarnetWindow.h"
#include "logbook/DiveEditWindow.h"
#include "logbook/DiveTableModel.h"
#include "registers/RegisterWindow.h"

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

    // Every toolbar and marker picture is SVG: without the image plugin the
    // windows would show blank buttons.
    void picturesCanBeDrawn() {
        QVERIFY(QImageReader::supportedImageFormats().contains("svg"));
        QIcon icon(":/icons/divelog.svg");
        QVERIFY(!icon.pixmap(32, 32).isNull());
    }

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
        QVERIFY(!app_->text.kindName(divelog::kindInfo(divelog::DocumentKind::Epaves))
                     .contains("error"));
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
        QVERIFY(logbook->actions().contains(w->findChild<QAction*>("logbookNewDive")));
        QAction* renumber = w->findChild<QAction*>("sendRenumDivesNotification");
        QVERIFY(logbook->actions().contains(renumber) && renumber->isEnabled());
    }

    // The File > New menu is the kind table: each entry makes an untitled
    // document of its row's kind in that kind's window, and leaves no default
    // type behind for the next generic request.
    void newMenuMakesEveryKindOfTheTable() {
        app_->controller->newCarnetDocumentMenuAction();
        QMainWindow* first = app_->controller->windows().first();
        QMenu* file = topMenu(first, app_->text.main("File"));
        for (const auto& kind : divelog::documentKinds()) {
            QString command = QString::fromLatin1(kind.newCommand.data(), kind.newCommand.size());
            QAction* action = nullptr;
            for (QAction* a : allActions(file))
                if (a->objectName() == command.remove(':')) action = a;
            QVERIFY2(action, qPrintable(command));
            QCOMPARE(action->text(), app_->text.kindName(kind));
            action->trigger();
            QVERIFY(!app_->controller->hasDefaultType());
            DocumentWindow* made = app_->controller->windows().last();
            QCOMPARE(made->document().kind(), kind.kind);
            QCOMPARE(made->document().info().id, kind.id);
            const bool logbook = kind.kind == divelog::DocumentKind::Carnet;
            QCOMPARE(qobject_cast<CarnetWindow*>(made) != nullptr, logbook);
            QCOMPARE(qobject_cast<RegisterWindow*>(made) != nullptr, !logbook);
        }
        QCOMPARE(app_->controller->windows().size(), 1 + int(divelog::documentKinds().size()));
        app_->controller->openUntitledDocumentAndDisplay();
        QCOMPARE(app_->controller->windows().last()->document().kind(),
                 divelog::DocumentKind::Carnet);
    }

    // Files are recognised by their content, so the panel also lets any file through.
    void openPanelOffersAllDiveFilesEachKindAndAllFiles() {
        const QStringList filters = app_->controller->openFilter().split(";;");
        const auto& kinds = divelog::documentKinds();
        QCOMPARE(filters.size(), int(kinds.size()) + 2);
        QVERIFY(filters.first().startsWith(app_->text.main("All dive files") + " ("));
        for (std::size_t i = 0; i < kinds.size(); ++i) {
            const QString glob = QString("*.") + kinds[i].extension.data();
            QVERIFY2(filters.first().contains(glob + ' ') || filters.first().contains(glob + ')'),
                     qPrintable(glob));
            QCOMPARE(filters.at(int(i) + 1), app_->text.kindName(kinds[i]) + " (" + glob + ")");
        }
        QCOMPARE(filters.last(), app_->text.main("All files") + " (*)");
        for (const QString& f : filters) QVERIFY(!f.contains("error !"));
    }

    // Every reason a file can be refused for has its words in the table.
    void everyFileProblemHasItsWords() {
        using divelog::DocumentProblem;
        for (int p = int(DocumentProblem::FileNotFound); p <= int(DocumentProblem::Damaged); ++p) {
            for (bool withOffset : {false, true}) {
                divelog::DocumentError e{DocumentProblem(p), std::nullopt, "technical"};
                if (withOffset) e.offset = 1204;
                for (const auto& words :
                     {divelog::openProblemText(e), divelog::saveProblemText(e)}) {
                    QVERIFY2(app_->context.localisation().has("Main", words.key), words.key.data());
                    QCOMPARE(app_->text.main(words.key),
                             QString::fromUtf8(words.english.data(), words.english.size()));
                }
                QVERIFY(!app_->text.openProblem(e).contains("%@"));
                QCOMPARE(app_->text.openProblem(e).contains(QLocale().toString(1204)),
                         withOffset && e.problem == DocumentProblem::Damaged);
            }
        }
    }

    void toolWindowsAreMadeOnceAndKept() {
        app_->controller->newCarnetDocumentMenuAction();
        QMainWindow* w = app_->controller->windows().first();
        QAction* nitrox = w->findChild<QAction*>("displayBestMixWindow");
        QVERIFY(nitrox);
        nitrox->trigger();
        CalculatorWindow* first = app_->delegate->toolWindow("Nitrox Best Mix");
        QVERIFY(first && first->isVisible());
        QVERIFY(!first->windowTitle().contains("error"));
        first->close();
        nitrox->trigger();
        QCOMPARE(app_->delegate->toolWindow("Nitrox Best Mix"), first);
        QVERIFY(first->isVisible());
        QVERIFY(!app_->delegate->toolWindow("Nitrox Prof Max"));
    }

    void newDiveTakesItsDefaultsFromTheSettings() {
        app_->store.setNumber("stop interval", 0);
        app_->store.setString("country code", "ESP");
        app_->store.setNumber("tank volume", 12);
        app_->store.setString("tank pressure", "232");
        app_->store.setString("ordinateur", "Perdix");
        app_->controller->newCarnetDocumentMenuAction();
        auto* w = qobject_cast<CarnetWindow*>(app_->controller->windows().first());
        w->newDive();
        DiveEditWindow* edit = w->editWindow();
        QVERIFY(edit->isVisible());
        auto shown = [edit](const char* name) {
            QWidget* c = edit->control(name);
            if (auto* line = qobject_cast<QLineEdit*>(c)) return line->text();
            return qobject_cast<QComboBox*>(c)->currentText();
        };
        QCOMPARE(shown("noPlongee"), QString("1"));
        QCOMPARE(shown("decoDepth_Level_2"),
                 QString("6"));  // 0 would stack every stop at the surface
        QCOMPARE(shown("countryCode"), QString("ESP"));
        QCOMPARE(shown("volumeBloc"), QString("12"));
        QCOMPARE(shown("pressionBloc"), QString("232"));
        QCOMPARE(shown("ordinateur"), QString("Perdix"));
        QCOMPARE(shown("gps"), app_->text.carnet("GPS template"));
        QVERIFY(shown("gps") != "error !");
        QCOMPARE(edit->windowTitle(), QString("Dive 1"));

        // Read again at the next new dive; the number follows the last dive.
        app_->store.setString("stop interval", "4,5");
        w->session().form().setText("noPlongee", "41");
        w->addDive();
        w->newDive();
        QCOMPARE(shown("noPlongee"), QString("42"));
        QCOMPARE(shown("decoDepth_Level_2"), QString("9"));
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
