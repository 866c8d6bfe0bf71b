// A document's road through the front end: made, edited, saved, closed and
// reopened as the kind its file says; bad files refused with a reason in the
// user's words; settings kept across a relaunch.

#include <QFile>
#include <QLabel>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "AppTestHarness.h"
#include "archive/BinaryArchive.h"
#include "logbook/Carnet.h"
#include "logbook/CarnetSession.h"
#include "logbook/CarnetWindow.h"
#include "logbook/DiveTableModel.h"
#include "registers/RegisterDocument.h"
#include "registers/RegisterWindow.h"
#include "registers/RepEpaves.h"

using divelog::SettingValue;

namespace {

QStringList tableTexts(const DiveTableModel& model) {
    QStringList out;
    for (int r = 0; r < model.rowCount(); ++r)
        for (int c = 0; c < model.columnCount(); ++c) out << model.index(r, c).data().toString();
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

std::unique_ptr<divelog::Carnet> logbookOf(int dives) {
    auto carnet = std::make_unique<divelog::Carnet>();
    for (int i = 1; i <= dives; ++i) {
        divelog::NewDiveDefaults d;
        d.number = i;
        carnet->add(divelog::makeNewDive(d));
    }
    return carnet;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
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
        for (const QString& f : QDir(dir_.path()).entryList(QDir::Files))
            QFile::remove(dir_.filePath(f));
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
        QCOMPARE(app_->prompts->reports.first().reason, app_->text.main("Save folder missing"));
        QVERIFY(app_->prompts->reports.first().details.contains("no/such/folder"));
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
            sel->select(w->model()->index(r, 0),
                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
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
        const int number = DiveTableModel::columnOf(divelog::Plongee::Field::noPlongee);
        QCOMPARE(w->model()->rowCount(), 2);
        QCOMPARE(w->model()->index(0, number).data().toString(), QString("2"));
        QCOMPARE(w->model()->index(1, number).data().toString(), QString("4"));
        QVERIFY(w->isWindowModified());
        QCOMPARE(w->countLabel()->text(), QString("2 dives"));
        QVERIFY(!sel->hasSelection());
        QVERIFY(!w->findChild<QAction*>("logbookDeleteDive")->isEnabled());
    }

    // Each refusal says what is wrong in the user's words, keeps the technical
    // reason for the details, and drops the file from the recent list.
    void badFilesAreReportedAndOpenNothing_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reasonKey");
        QTest::newRow("garbage") << "garbage.divelog"
                                 << QByteArray("not a logbook at all\n\x01\x02", 23)
                                 << "Not a dive log file";
        QTest::newRow("empty") << "empty.divelog" << QByteArray() << "Not a dive log file";
        QTest::newRow("text") << "notes.txt" << QByteArray("hello") << "Not a dive log file";
        QTest::newRow("truncated")
            << "truncated.divelog" << QByteArray("truncate") << "File damaged near byte";
        QTest::newRow("newer") << "newer.divelog" << QByteArray("newer")
                               << "File from a newer version";
        QTest::newRow("missing") << "missing.divelog" << QByteArray("missing") << "File not found";
        QTest::newRow("folder") << "folder.divelog" << QByteArray("folder") << "File is a folder";
    }
    void badFilesAreReportedAndOpenNothing() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reasonKey);
        const QString path = dir_.filePath(name);
        if (bytes == "truncate") {
            std::string error;
            QVERIFY(logbookOf(3)->save(path.toStdString(), error));
            QFile f(path);
            QVERIFY(f.resize(f.size() / 2));
        } else if (bytes == "newer") {
            divelog::RecordListEncoder newer("logbook",
                                             {{"Plongee", divelog::Plongee::kClassVersion + 1}}, 1);
            divelog::Plongee().encode(newer.beginRecord("Plongee"));
            newer.endRecord();
            const auto b = newer.finish();
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(reinterpret_cast<const char*>(b.data()), qint64(b.size()));
        } else if (bytes == "folder") {
            QVERIFY(QDir(dir_.path()).mkdir(name));
        } else if (bytes != "missing") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        app_->controller->noteRecentDocument(dir_.filePath("other.divelog"));
        app_->controller->noteRecentDocument(path);
        QCOMPARE(app_->controller->openDocument(path), nullptr);
        QCOMPARE(app_->prompts->reports.size(), 1);
        const CapturingPrompts::Report& report = app_->prompts->reports.first();
        QCOMPARE(report.message,
                 app_->text.format("Main", "Open failed", "error !", {name.toStdString()}));
        const QString words = app_->text.main(reasonKey.toStdString());
        QVERIFY2(report.reason.startsWith(words.section("%@", 0, 0)), qPrintable(report.reason));
        QVERIFY(!report.reason.contains("%@"));
        QVERIFY(!report.details.trimmed().isEmpty());
        QVERIFY(report.details != report.reason || reasonKey == "Not a dive log file");
        QVERIFY(app_->controller->windows().isEmpty());
        QCOMPARE(app_->controller->recentDocuments(), QStringList{dir_.filePath("other.divelog")});
        QDir(path).removeRecursively();
    }

    // Files saved under a dotted name by earlier versions have no extension;
    // a register renamed ".divelog" is still a register.
    void filesOpenAsTheKindTheirHeaderNames() {
        std::string error;
        QVERIFY(logbookOf(2)->save(dir_.filePath("J.Doe log").toStdString(), error));
        divelog::RegisterDocument wrecks(divelog::DocumentKind::Epaves,
                                         divelog::RepEpaves::instance());
        QVERIFY(wrecks.save(dir_.filePath("wrecks.divelog").toStdString(), error));

        auto* logbook =
            qobject_cast<CarnetWindow*>(app_->controller->openDocument(dir_.filePath("J.Doe log")));
        QVERIFY(logbook);
        QCOMPARE(logbook->model()->rowCount(), 2);
        QCOMPARE(logbook->windowTitle(), QString("J.Doe log[*]"));
        auto* register_ = qobject_cast<RegisterWindow*>(
            app_->controller->openDocument(dir_.filePath("wrecks.divelog")));
        QVERIFY(register_);
        QCOMPARE(register_->document().kind(), divelog::DocumentKind::Epaves);
        QVERIFY(app_->prompts->reports.isEmpty());
    }

    // "Dives v1.5" has a suffix, "5", but not the logbook's extension.
    void savingAddsTheKindsExtensionAndAsksBeforeReplacing() {
        app_->controller->newCarnetDocumentMenuAction();
        auto* w = qobject_cast<CarnetWindow*>(app_->controller->windows().first());
        addDives(*w, 2);
        app_->prompts->nextSavePath = dir_.filePath("Dives v1.5");
        QVERIFY(w->saveAs());
        QCOMPARE(QString::fromStdString(w->document().filePath()),
                 dir_.filePath("Dives v1.5.divelog"));
        QVERIFY(!QFile::exists(dir_.filePath("Dives v1.5")));
        app_->prompts->nextSavePath = dir_.filePath("Trip.DIVELOG");
        QVERIFY(w->saveAs());
        QVERIFY(QFile::exists(dir_.filePath("Trip.DIVELOG")));
        QVERIFY(!QFile::exists(dir_.filePath("Trip.DIVELOG.divelog")));
        QVERIFY(app_->prompts->questions.isEmpty());

        // The panel asked about "Dives v1.5" only; the file really written is asked about here.
        app_->controller->newCarnetDocumentMenuAction();
        auto* other = qobject_cast<CarnetWindow*>(app_->controller->windows().last());
        addDives(*other, 1);
        const QByteArray before = readAll(dir_.filePath("Dives v1.5.divelog"));
        app_->prompts->nextSavePath = dir_.filePath("Dives v1.5");
        app_->prompts->askAnswer = false;
        QVERIFY(!other->saveAs());
        QCOMPARE(app_->prompts->questions.size(), 1);
        QVERIFY(app_->prompts->questions.first().contains("Dives v1.5.divelog"));
        QCOMPARE(readAll(dir_.filePath("Dives v1.5.divelog")), before);
        QVERIFY(other->isWindowModified());
        app_->prompts->askAnswer = true;
        QVERIFY(other->saveAs());
        QVERIFY(readAll(dir_.filePath("Dives v1.5.divelog")) != before);
        QVERIFY(app_->prompts->reports.isEmpty());
    }

    void revertAsksAndNeedsChangesToThrowAway() {
        app_->controller->newCarnetDocumentMenuAction();
        auto* w = qobject_cast<CarnetWindow*>(app_->controller->windows().first());
        addDives(*w, 2);
        QVERIFY2(!w->canRevert(), "never saved: nothing to go back to");
        app_->prompts->nextSavePath = dir_.filePath("log.divelog");
        QVERIFY(w->save());
        QVERIFY2(!w->canRevert(), "saved and unchanged");
        QVERIFY(!w->revert());
        QVERIFY(app_->prompts->confirmations.isEmpty());

        addDives(*w, 1);
        QVERIFY(w->canRevert());
        app_->prompts->confirmAnswer = false;
        QVERIFY(!w->revert());
        QCOMPARE(app_->prompts->confirmations, QStringList{app_->text.main("Revert question")});
        QCOMPARE(w->model()->rowCount(), 3);
        app_->prompts->confirmAnswer = true;
        QVERIFY(w->revert());
        QCOMPARE(w->model()->rowCount(), 2);
        QVERIFY(!w->isWindowModified());
        QVERIFY2(!w->undoAction()->isEnabled(), "the history went with the changes");
    }

    void revertOfADamagedFileSaysWhyAndKeepsTheDives() {
        app_->controller->newCarnetDocumentMenuAction();
        auto* w = qobject_cast<CarnetWindow*>(app_->controller->windows().first());
        addDives(*w, 2);
        app_->prompts->nextSavePath = dir_.filePath("log.divelog");
        QVERIFY(w->save());
        addDives(*w, 1);
        QFile f(dir_.filePath("log.divelog"));
        QVERIFY(f.resize(f.size() - 3));
        QVERIFY(!w->revert());
        QCOMPARE(app_->prompts->reports.size(), 1);
        QVERIFY(app_->prompts->reports.first().reason.startsWith(
            app_->text.main("File damaged near byte").section("%@", 0, 0)));
        QCOMPARE(w->model()->rowCount(), 3);
    }

    void everyRegisterKindSavesAndReopensAsItself() {
        for (const auto& kind : divelog::documentKinds()) {
            if (kind.kind == divelog::DocumentKind::Carnet) continue;
            app_->controller->newDocumentOfKind(kind.kind);
            QVERIFY(!app_->controller->hasDefaultType());
            DocumentWindow* w = app_->controller->windows().last();
            QVERIFY(!qobject_cast<CarnetWindow*>(w));
            QVERIFY2(w, kind.id.data());
            QCOMPARE(w->document().kind(), kind.kind);

            app_->prompts->nextSavePath = dir_.filePath("register v2");
            QVERIFY(w->save());
            const QString path = dir_.filePath(QString("register v2.") + kind.extension.data());
            QCOMPARE(QString::fromStdString(w->document().filePath()), path);
            QVERIFY(w->close());
            DocumentWindow* again = app_->controller->openDocument(path);
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
        for (const char* key :
             {"plain", "list", "wrong type", "unknown tag", "bad bytes", "mixed list"})
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

private:
    QTemporaryDir dir_;
    std::unique_ptr<AppHarness> app_;
};

QTEST_MAIN(LogbookRoundTrip)
#include "tst_logbook_roundtrip.moc"
