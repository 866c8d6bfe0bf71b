// What a launch shows: the most recent document, or in its place, when it is
// lost or damaged, a report and an untitled logbook; never no window at all,
// and never the memo alone. A recent entry that cannot be opened leaves the list.

#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

#include "AppTestHarness.h"
#include "logbook/Carnet.h"
#include "logbook/CarnetWindow.h"
#include "logbook/DiveTableModel.h"
#include "tools/MemoWindow.h"

namespace {

// A logbook of `dives` dives saved at `path`.
bool saveLogbook(const QString& path, int dives) {
    divelog::Carnet carnet;
    for (int i = 1; i <= dives; ++i) {
        divelog::NewDiveDefaults d;
        d.number = i;
        carnet.add(divelog::makeNewDive(d));
    }
    std::string error;
    return carnet.save(path.toStdString(), error);
}

bool isUntitledLogbook(DocumentWindow* w) {
    return qobject_cast<CarnetWindow*>(w) && w->document().filePath().empty() &&
           w->document().recordCount() == 0;
}

}  // namespace

class DocumentLaunch : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(dir_.isValid());
        app_ = std::make_unique<AppHarness>(dir_.filePath("settings.ini"));
    }
    void cleanup() {
        app_.reset();
        flushDeletes();
        for (const QString& f : QDir(dir_.path()).entryList(QDir::Files))
            QFile::remove(dir_.filePath(f));
    }

    void firstLaunchCreatesOneUntitledLogbook() {
        QVERIFY(app_->controller->applicationOpenUntitledFile());
        QCOMPARE(app_->controller->windows().size(), 1);
        QVERIFY(isUntitledLogbook(app_->controller->windows().first()));
        QVERIFY(!app_->controller->hasDefaultType());
        QVERIFY(!app_->controller->memoWindow());
    }

    void launchReopensTheMostRecentDocument() {
        QVERIFY(saveLogbook(dir_.filePath("last.divelog"), 2));
        app_->controller->noteRecentDocument(dir_.filePath("last.divelog"));
        relaunch();
        QVERIFY(app_->controller->applicationOpenUntitledFile());
        QCOMPARE(app_->controller->windows().size(), 1);
        auto* reopened = qobject_cast<CarnetWindow*>(app_->controller->windows().first());
        QVERIFY(reopened);
        QCOMPARE(QString::fromStdString(reopened->document().filePath()),
                 dir_.filePath("last.divelog"));
        QCOMPARE(reopened->model()->rowCount(), 2);
        QVERIFY(app_->prompts->reports.isEmpty());
    }

    void aLostOrDamagedRecentFileIsReportedOnceThenForgotten_data() {
        QTest::addColumn<bool>("damaged");
        QTest::newRow("lost") << false;
        QTest::newRow("damaged") << true;
    }
    void aLostOrDamagedRecentFileIsReportedOnceThenForgotten() {
        QFETCH(bool, damaged);
        const QString older = dir_.filePath("older.divelog");
        const QString bad = dir_.filePath("bad.divelog");
        QVERIFY(saveLogbook(older, 1));
        if (damaged) {
            QVERIFY(saveLogbook(bad, 3));
            QFile f(bad);
            QVERIFY(f.resize(f.size() - 10));
        }
        app_->controller->noteRecentDocument(older);
        app_->controller->noteRecentDocument(bad);
        app_->store.setBool("pense bete", true);
        relaunch();

        QVERIFY(app_->controller->applicationOpenUntitledFile());
        QCOMPARE(app_->prompts->reports.size(), 1);
        QVERIFY(app_->prompts->reports.first().message.contains("bad.divelog"));
        QCOMPARE(app_->controller->windows().size(), 1);
        QVERIFY(isUntitledLogbook(app_->controller->windows().first()));
        QVERIFY(app_->controller->memoWindow() && app_->controller->memoWindow()->isVisible());
        QCOMPARE(app_->controller->recentDocuments(), QStringList{older});
        // A damaged file is kept as it is: maybe something can still be saved from it.
        QCOMPARE(QFile::exists(bad), damaged);

        relaunch();
        QVERIFY(app_->controller->applicationOpenUntitledFile());
        QVERIFY(app_->prompts->reports.isEmpty());
        QCOMPARE(app_->controller->windows().size(), 1);
        QCOMPARE(QString::fromStdString(app_->controller->windows().first()->document().filePath()),
                 older);
    }

    void namedFilesThatAllFailLeaveAnUntitledLogbook() {
        QFile text(dir_.filePath("notes.txt"));
        QVERIFY(text.open(QIODevice::WriteOnly) && text.write("hello") == 5);
        text.close();
        app_->controller->launch({dir_.filePath("gone.divelog"), dir_.filePath("notes.txt")});
        QCOMPARE(app_->prompts->reports.size(), 2);
        QCOMPARE(app_->controller->windows().size(), 1);
        QVERIFY(isUntitledLogbook(app_->controller->windows().first()));
        QVERIFY(app_->controller->recentDocuments().isEmpty());
    }

    void namedFilesOpenWithoutAnUntitledLogbookBeside() {
        QVERIFY(saveLogbook(dir_.filePath("one.divelog"), 1));
        app_->controller->launch({dir_.filePath("gone.divelog"), dir_.filePath("one.divelog")});
        QCOMPARE(app_->prompts->reports.size(), 1);
        QCOMPARE(app_->controller->windows().size(), 1);
        QCOMPARE(app_->controller->windows().first()->document().recordCount(), std::size_t(1));
    }

    void aRecentMenuEntryThatFailsLeavesTheList() {
        QVERIFY(saveLogbook(dir_.filePath("kept.divelog"), 1));
        app_->controller->noteRecentDocument(dir_.filePath("gone.divelog"));
        app_->controller->noteRecentDocument(dir_.filePath("kept.divelog"));
        app_->controller->newCarnetDocumentMenuAction();
        auto* recent = app_->controller->windows().first()->findChild<QMenu*>("openRecentMenu");
        QVERIFY(recent);
        emit recent->aboutToShow();
        QAction* gone = nullptr;
        for (QAction* a : recent->actions())
            if (a->data().toString() == dir_.filePath("gone.divelog")) gone = a;
        QVERIFY(gone);
        gone->trigger();
        QCOMPARE(app_->prompts->reports.size(), 1);
        QCOMPARE(app_->prompts->reports.first().reason, app_->text.main("File not found"));
        QCOMPARE(app_->controller->recentDocuments(), QStringList{dir_.filePath("kept.divelog")});
        emit recent->aboutToShow();
        for (QAction* a : recent->actions())
            QVERIFY(a->data().toString() != dir_.filePath("gone.divelog"));
    }

    // The memo has no menus: alone, it could neither make a document nor quit.
    void theMemoNeverStaysAlone() {
        app_->store.setBool("pense bete", true);
        QVERIFY(app_->controller->applicationOpenUntitledFile());
        MemoWindow* memo = app_->controller->memoWindow();
        QVERIFY(memo && memo->isVisible());
        app_->controller->newCarnetDocumentMenuAction();
        QVERIFY(app_->controller->windows().first()->close());
        QVERIFY(memo->isVisible());
        QVERIFY(app_->controller->windows().first()->close());
        QVERIFY(app_->controller->windows().isEmpty());
        QVERIFY(!memo->isVisible());
    }

    void recentListIsNewestFirstWithoutDuplicatesAndCapped() {
        for (int i = 0; i < 12; ++i)
            app_->controller->noteRecentDocument(dir_.filePath(QString("d%1.divelog").arg(i)));
        app_->controller->noteRecentDocument(dir_.filePath("d5.divelog"));
        const QStringList recent = app_->controller->recentDocuments();
        QCOMPARE(recent.size(), MyDocumentController::kMaxRecent);
        QCOMPARE(app_->store.listForKey(MyDocumentController::kRecentKey).size(),
                 std::size_t(MyDocumentController::kMaxRecent));
        QCOMPARE(recent.first(), dir_.filePath("d5.divelog"));
        QCOMPARE(recent.at(1), dir_.filePath("d11.divelog"));
        QCOMPARE(recent.count(dir_.filePath("d5.divelog")), 1);
        QVERIFY(!recent.contains(dir_.filePath("d0.divelog")));
    }

private:
    // A new process over the same settings file.
    void relaunch() {
        app_.reset();
        flushDeletes();
        app_ = std::make_unique<AppHarness>(dir_.filePath("settings.ini"));
    }

    QTemporaryDir dir_;
    std::unique_ptr<AppHarness> app_;
};

QTEST_MAIN(DocumentLaunch)
#include "tst_document_launch.moc"
