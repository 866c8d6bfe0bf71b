// A logbook's road through the front end: made, edited, saved, closed and
// reopened; bad files refused with a reason; settings kept across a relaunch.

#include <QFile>
#include <QLabel>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "AppTestHarness.h"
#include "logbook/Carnet.h"
#include "logbook/CarnetSession.h"
#include "logbook/CarnetWindow.h"
#include "logbook/DiveTableModel.h"
#include "registers/RegisterDocument.h"
#include "registers/RegisterWindow.h"
#include "tools/MemoWindow.h"

using divelog::SettingValue;

namespace {

QStringList tableTexts(const DiveTableModel& model) {
    QStringList out;
    for (int r = 0; r < model.rowCount(); ++r)
        for (int c = 0; c < model.columnCount(); ++c)
            out << model.index(r, c).data().toString();
    return out;
}

// Types `count` dives into the form and adds each, as the edit window does.
void addDives(CarnetWindow& w, int count) {
    for (int i = 0; i < count; ++i) {
        w.newDive();
        divelog::DiveForm& form = w.session().form();
        form.setText("lieu", "Port-Cros " + std::to_string(i));
        form.setText("site", "La Gabinière, \"tombant\"");
        form.setText("profondeur", std::to_string(18 + i) + ",5");
        form.setText("temps", std::to_string(40 + i));
        w.addDive();
    }
    w.closeEditWindow();
}

}  // namespace

class LogbookRoundTrip : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(dir_.isValid());
        app_ = std::make_unique<AppHarness>(dir_.filePath("settings.ini"));
    }
    void cleanup() {
        app_.reset();
        flushDeletes();
        for (const QString& f : QDir(dir_.path()).entryList(QDir::Files)) QFile::remove(dir_.filePath(f));
    }

    void savedLogbookReopensWithTheSameDives() {
        app_->controller->newCarnetDocumentMenuAction();
        QCOMPARE(app_->controller->windows().size(), 1);
        auto* w = qobject_cast<CarnetWindow*>(app_->controller->windows().first());
        QVERIFY(w);
        QVERIFY(w->windowTitle().startsWith("Untitled"));
        addDives(*w, 3);
        QCOMPARE(w->model()->rowCount(), 3);
        QVERIFY(w->isWindowModified());
        QCOMPARE(w->countLabel()->text(), QString("3 dives"));
        const QStringList before = tableTexts(*w->model());
        QCOMPARE(before.mid(0, 1), QStringList{"1"});
        QVERIFY(before.contains("Port-Cros 2"));
        QVERIFY(before.contains("20.5 m"));

        // No suffix typed: the kind's extension is added so the file reopens as a logbook.
        app_->prompts->nextSavePath = dir_.filePath("trip");
        QVERIFY(w->save());
        const QString path = dir_.filePath("trip.divelog");
        QVERIFY(QFile::exists(path));
        QVERIFY(!w->isWindowModified());
        QCOMPARE(w->windowTitle(), QString("trip.divelog[*]"));
        QCOMPARE(app_->controller->recentDocuments().value(0), path);

        QVERIFY(w->close());
        QCOMPARE(app_->prompts->saveQuestions, 0);
        QVERIFY(app_->controller->windows().isEmpty());
        flushDeletes();

        auto* again = qobject_cast<CarnetWindow*>(app_->controller->openDocument(path));
        QVERIFY(again);
        QCOMPARE(tableTexts(*again->model()), before);
        QCOMPARE(again->countLabel()->text(), QString("3 dives"));
        QVERIFY(!again->isWindowModified());
        // Opening it a second time shows the same window.
        QCOMPARE(app_->controller->openDocument(path), again);
        QVERIFY(app_->prompts->reports.isEmpty());
    }

    void unsavedChangesAskBeforeClosingAndFailedSavesChangeNothing() {
        app_->controller->newCarnetDocumentMenuAction();
        auto* w = qobject_cast<CarnetWindow*>(app_->controller->windows().first());
        addDives(*w, 1);

        app_->prompts->saveAnswer = UserPrompts::SaveChoice::Cancel;
        QVERIFY(!w->close());
        QCOMPARE(app_->controller->windows().size(), 1);

        app_->prompts->saveAnswer = UserPrompts::SaveChoice::Save;
        app_->prompts->nextSavePath = dir_.filePath("no/such/folder/trip.divelog");
        QVERIFY(!w->close());
        QCOMPARE(app_->prompts->reports.size(), 1);
        QVERIFY(!app_->prompts->reports.first().reason.isEmpty());
        QVERIFY(w->document().filePath().empty());
        QVERIFY(w->isWindowModified());

        app_->prompts->saveAnswer = UserPrompts::SaveChoice::Discard;
        QVERIFY(w->close());
        QCOMPARE(app_->prompts->saveQuestions, 3);
        QVERIFY(app_->controller->windows().isEmpty());
    }

    void deleteRemovesEverySelectedDiveOnlyAfterOk() {
        app_->controller->newCarnetDocumentMenuAction();
        auto* w = qobject_cast<CarnetWindow*>(app_->controller->windows().first());
        addDives(*w, 4);
        w->carnet().clearChanged();
        QItemSelectionModel* sel = w->table()->selectionModel();
        auto selectRow = [&](int r) {
            sel->select(w->model()->index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        };
        selectRow(0);
        selectRow(2);
        QAction* remove = w->findChild<QAction*>("deleteDive");
        QVERIFY(remove && remove->isEnabled());

        app_->prompts->confirmAnswer = false;
        remove->trigger();
        QCOMPARE(w->model()->rowCount(), 4);
        QVERIFY(!w->carnet().isChanged());
        QCOMPARE(app_->prompts->confirmations.value(0), app_->text.main("Erase dive"));

        app_->prompts->confirmAnswer = true;
        remove->trigger();
        const int number = DiveTableModel::columnOf("noPlongee");
        QCOMPARE(w->model()->rowCount(), 2);
        QCOMPARE(w->model()->index(0, number).data().toString(), QString("2"));
        QCOMPARE(w->model()->index(1, number).data().toString(), QString("4"));
        QVERIFY(w->isWindowModified());
        QCOMPARE(w->countLabel()->text(), QString("2 dives"));
        QVERIFY(!sel->hasSelection());
        QVERIFY(!w->findChild<QAction*>("logbookDeleteDive")->isEnabled());
    }

    void badFilesAreReportedAndOpenNothing_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("garbage") << "garbage.divelog" << QByteArray("not a logbook at all\n\x01\x02", 23);
        QTest::newRow("empty") << "empty.divelog" << QByteArray();
        QTest::newRow("truncated") << "truncated.divelog" << QByteArray("truncate");
        QTest::newRow("wrecks as logbook") << "wrecks.divelog" << QByteArray("wrecks");
        QTest::newRow("unknown extension") << "notes.txt" << QByteArray("hello");
        QTest::newRow("missing file") << "missing.divelog" << QByteArray("missing");
    }
    void badFilesAreReportedAndOpenNothing() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        const QString path = dir_.filePath(name);
        if (bytes == "truncate" || bytes == "wrecks") {
            // A real file of another shape: a saved logbook cut short, or a
            // wreck register renamed to the logbook's extension.
            std::unique_ptr<divelog::Document> doc;
            if (bytes == "wrecks") {
                doc = std::make_unique<divelog::RegisterDocument>(divelog::DocumentKind::Epaves);
            } else {
                auto carnet = std::make_unique<divelog::Carnet>();
                for (int i = 1; i <= 3; ++i) {
                    divelog::NewDiveDefaults d;
                    d.number = i;
                    carnet->addDive(std::make_unique<divelog::Plongee>(divelog::makeNewDive(d)));
                }
                doc = std::move(carnet);
            }
            std::string error;
            QVERIFY(doc->save(path.toStdString(), error));
            if (bytes == "truncate") {
                QFile f(path);
                QVERIFY(f.resize(f.size() / 2));
            }
        } else if (bytes != "missing") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        QCOMPARE(app_->controller->openDocument(path), nullptr);
        QCOMPARE(app_->prompts->reports.size(), 1);
        QVERIFY(app_->prompts->reports.first().message.contains(QFileInfo(path).fileName()));
        QVERIFY(!app_->prompts->reports.first().reason.trimmed().isEmpty());
        QVERIFY(app_->controller->windows().isEmpty());
        QVERIFY(app_->controller->recentDocuments().isEmpty());
    }

    void everyRegisterKindSavesAndReopensAsItself() {
        for (const auto& kind : divelog::documentKinds()) {
            if (kind.kind == divelog::DocumentKind::Carnet) continue;
            app_->controller->newDocumentOfKind(kind.kind);
            QVERIFY(!app_->controller->hasDefaultType());
            auto* w = qobject_cast<RegisterWindow*>(app_->controller->windows().last());
            QVERIFY2(w, kind.id.data());
            QCOMPARE(w->document().kind(), kind.kind);

            const QString path = dir_.filePath(QString("register.") + kind.extension.data());
            app_->prompts->nextSavePath = path;
            QVERIFY(w->save());
            QVERIFY(w->close());
            auto* again = qobject_cast<RegisterWindow*>(app_->controller->openDocument(path));
            QVERIFY2(again, qPrintable(path));
            QCOMPARE(again->document().kind(), kind.kind);
            QVERIFY(again->close());
        }
        QVERIFY(app_->prompts->reports.isEmpty());
    }

    void settingsStoreKeepsEveryValueWithItsType() {
        const std::map<std::string, SettingValue> values = {
            {"bool", true},
            {"false bool", false},
            {"number", 0.1},
            {"negative", -1234.5e10},
            {"text", std::string("a, b; \"quoted\" = é\nnext line")},
            {"number-like text", std::string("3")},
            {"list", divelog::SettingList{"Marseille", "", "Cassis, Calanques"}},
            {"empty list", divelog::SettingList{}},
            {"dictionary", divelog::SettingDictionary{{"dives", 412}, {"hours, total", 300.25}}},
            {"bytes", divelog::SettingData{0, 1, 255, '\n', '=', 0}},
        };
        {
            QtSettingsStore store(dir_.filePath("types.ini"));
            for (const auto& [k, v] : values) store.store(k, v);
        }
        QtSettingsStore reread(dir_.filePath("types.ini"));
        for (const auto& [k, v] : values) {
            auto got = reread.storedValue(k);
            QVERIFY2(got.has_value(), k.c_str());
            QCOMPARE(got->index(), v.index());
            QVERIFY2(*got == v, k.c_str());
        }
        reread.remove("bool");
        QVERIFY(!reread.storedValue("bool"));
    }

    void foreignValuesInTheSettingsFileReadAsAbsent() {
        {
            QSettings raw(dir_.filePath("foreign.ini"), QSettings::IniFormat);
            raw.setValue("plain", "true");
            raw.setValue("list", QStringList{"a", "b"});
            raw.setValue("wrong type", R"({"t":"bool","v":3})");
            raw.setValue("unknown tag", R"({"t":"colour","v":"red"})");
            raw.setValue("bad bytes", R"({"t":"data","v":"**"})");
            raw.setValue("mixed list", R"({"t":"list","v":["a",1]})");
        }
        QtSettingsStore store(dir_.filePath("foreign.ini"));
        for (const char* key : {"plain", "list", "wrong type", "unknown tag", "bad bytes", "mixed list"})
            QVERIFY2(!store.storedValue(key), key);
    }

    void storedValueBeatsRegisteredDefaultAfterRelaunch() {
        QCOMPARE(app_->store.stringForKey("stop interval"), std::string("3"));
        app_->store.setString("stop interval", "6");
        app_->store.setBool("fill plot", false);
        app_.reset();
        app_ = std::make_unique<AppHarness>(dir_.filePath("settings.ini"));
        QCOMPARE(app_->store.stringForKey("stop interval"), std::string("6"));
        QCOMPARE(app_->store.boolForKey("fill plot"), false);
        QCOMPARE(app_->store.boolForKey("x minor ticks"), true);
    }

    void launchReopensTheMostRecentDocument() {
        app_->controller->newCarnetDocumentMenuAction();
        auto* w = qobject_cast<CarnetWindow*>(app_->controller->windows().first());
        addDives(*w, 2);
        app_->prompts->nextSavePath = dir_.filePath("last.divelog");
        QVERIFY(w->save());
        app_.reset();
        flushDeletes();

        app_ = std::make_unique<AppHarness>(dir_.filePath("settings.ini"));
        QVERIFY(app_->controller->applicationOpenUntitledFile());
        QCOMPARE(app_->controller->windows().size(), 1);
        auto* reopened = qobject_cast<CarnetWindow*>(app_->controller->windows().first());
        QVERIFY(reopened);
        QCOMPARE(QString::fromStdString(reopened->document().filePath()), dir_.filePath("last.divelog"));
        QCOMPARE(reopened->model()->rowCount(), 2);
        QVERIFY(!app_->controller->memoWindow());
    }

    void launchWithALostRecentFileReportsAndCreatesNothing() {
        app_->controller->noteRecentDocument(dir_.filePath("gone.divelog"));
        app_->store.setBool("pense bete", true);
        QVERIFY(app_->controller->applicationOpenUntitledFile());
        QVERIFY(app_->controller->windows().isEmpty());
        QCOMPARE(app_->prompts->reports.size(), 1);
        QVERIFY(app_->controller->memoWindow() && app_->controller->memoWindow()->isVisible());
    }

    void firstLaunchCreatesOneUntitledLogbook() {
        QVERIFY(app_->controller->applicationOpenUntitledFile());
        QCOMPARE(app_->controller->windows().size(), 1);
        QVERIFY(qobject_cast<CarnetWindow*>(app_->controller->windows().first()));
        QVERIFY(!app_->controller->hasDefaultType());
        QVERIFY(!app_->controller->memoWindow());
    }

    void recentListIsNewestFirstWithoutDuplicatesAndCapped() {
        for (int i = 0; i < 12; ++i) app_->controller->noteRecentDocument(dir_.filePath(QString("d%1.divelog").arg(i)));
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
    QTemporaryDir dir_;
    std::unique_ptr<AppHarness> app_;
};

QTEST_MAIN(LogbookRoundTrip)
#include "tst_logbook_roundtrip.moc"
