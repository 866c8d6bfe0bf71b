// What a diver sees first: the welcome view of an empty logbook, which
// follows the dive list's changes, the sample logbook opened as the diver's
// own copy, and About listing what the program reads and writes.

#include <QAction>
#include <QCryptographicHash>
#include <QFile>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "AppTestHarness.h"
#include "SampleFiles.h"
#include "SampleLogbook.h"
#include "exchange/ExchangeFormats.h"
#include "logbook/CarnetSession.h"
#include "logbook/CarnetWindow.h"
#include "logbook/DiveEditWindow.h"

namespace {

QByteArray digestOf(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

QAction* action(QWidget* w, const char* name) { return w->findChild<QAction*>(name); }

}  // namespace

class FirstSight : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() {
        QVERIFY(dir_.isValid());
        const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QDir(data).removeRecursively();
        app_ = std::make_unique<AppHarness>(dir_.filePath("settings.ini"));
        app_->prompts->newDiveAnswer = UserPrompts::NewDiveChoice::Discard;
        app_->controller->newCarnetDocumentMenuAction();
        w_ = qobject_cast<CarnetWindow*>(app_->controller->windows().last());
        QVERIFY(w_);
    }
    void cleanup() {
        app_->prompts->saveAnswer = UserPrompts::SaveChoice::Discard;
        app_.reset();
        flushDeletes();
        QFile::remove(dir_.filePath("settings.ini"));
    }

    void welcomeStandsInForTheEmptyTableAndFollowsTheDives() {
        QVERIFY(w_->showsWelcome());
        const auto buttons = w_->welcomeView()->findChildren<QPushButton*>();
        QCOMPARE(buttons.size(), 3);
        for (QPushButton* b : buttons)
            QVERIFY2(!b->text().contains("error"), qPrintable(b->text()));

        // New dive opens the form; the welcome stays until the dive is added.
        w_->welcomeView()->findChild<QPushButton*>("welcomeNewDive")->click();
        QVERIFY(w_->editWindow()->isVisible());
        QVERIFY(w_->showsWelcome());
        action(w_, "logbookAddDive")->trigger();
        QCOMPARE(w_->carnet().recordCount(), std::size_t(1));
        QVERIFY(!w_->showsWelcome());

        // Undo takes the dive back, redo brings it; deleting the last dive
        // brings the welcome back.
        w_->undo();
        QVERIFY(w_->showsWelcome());
        w_->redo();
        QVERIFY(!w_->showsWelcome());
        w_->session().select({0});
        w_->deleteDive();
        QCOMPARE(w_->carnet().recordCount(), std::size_t(0));
        QVERIFY(w_->showsWelcome());

        // Dives arriving from outside a command (a whole list read) count too.
        divelog::Carnet::DiveList dives;
        dives.push_back(
            std::make_unique<divelog::Plongee>(divelog::makeNewDive(divelog::NewDiveDefaults{1})));
        w_->carnet().loadList(std::move(dives));
        QVERIFY(!w_->showsWelcome());
    }

    void importADiveFileFindsItsFormat() {
        // A UDDF file without the name saying so: the content tells.
        divelog::Carnet::DiveList dives;
        auto d =
            std::make_unique<divelog::Plongee>(divelog::makeNewDive(divelog::NewDiveDefaults{7}));
        d->setSite(std::string("Planier"));
        d->setProfondeur(24);
        d->setTemps(40);
        d->setProfilProfondeur(std::vector<double>{0, 12, 24, 10, 0});
        dives.push_back(std::move(d));
        const QString path = dir_.filePath("from-computer.xml");
        {
            std::string why;
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly));
            struct Sink : divelog::ByteOutput {
                QFile* f;
                bool write(std::span<const std::uint8_t> b) override {
                    return f->write(reinterpret_cast<const char*>(b.data()),
                                    static_cast<qint64>(b.size())) == qint64(b.size());
                }
            } sink;
            sink.f = &out;
            const divelog::ExportContext context{app_->context.localisation(), false,
                                                 divelog::dateNow()};
            QVERIFY(divelog::exportDives(dives, "Export UDDF 3.2 (standard)", context, sink, why));
        }
        app_->prompts->nextOpenPath = path;
        action(w_, "importAnyDiveFile")->trigger();
        QCOMPARE(w_->carnet().recordCount(), std::size_t(1));
        QCOMPARE(w_->carnet().dive(0).profondeur(), 24.0f);
        QCOMPARE(w_->carnet().dive(0).profilProfondeur()->size(), std::size_t(5));
        QVERIFY(!w_->showsWelcome());
        QVERIFY(app_->prompts->reports.isEmpty());
    }

    void theSampleOpensAsTheDiversOwnCopy() {
        const QString shipped = SampleLogbook::shippedFile();
        QVERIFY2(!shipped.isEmpty(), qPrintable(SampleLogbook::searchFolders().join(", ")));
        const QByteArray before = digestOf(shipped);

        w_->welcomeView()->findChild<QPushButton*>("welcomeSample")->click();
        auto* sample = qobject_cast<CarnetWindow*>(app_->controller->windows().last());
        QVERIFY(sample && sample != w_);
        QVERIFY(sample->carnet().recordCount() >= 38);
        QVERIFY(!sample->showsWelcome());
        const QString copy = QString::fromStdString(sample->carnet().filePath());
        QVERIFY(copy.startsWith(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));

        // The diver's changes go to the copy, never to the shipped file, and
        // the copy keeps them the next time.
        sample->session().select({0});
        sample->deleteDive();
        QVERIFY(sample->save());
        QCOMPARE(digestOf(shipped), before);
        const std::size_t kept = sample->carnet().recordCount();
        QVERIFY(sample->close());
        flushDeletes();
        auto* again = qobject_cast<CarnetWindow*>(app_->controller->openSampleLogbook());
        QVERIFY(again);
        QCOMPARE(again->carnet().recordCount(), kept);

        // A damaged copy is made again from the shipped file, with no error.
        QVERIFY(again->close());
        flushDeletes();
        {
            QFile damaged(copy);
            QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
            damaged.write("not a logbook");
        }
        auto* fresh = qobject_cast<CarnetWindow*>(app_->controller->openSampleLogbook());
        QVERIFY(fresh);
        QVERIFY(fresh->carnet().recordCount() > kept);
        QVERIFY(app_->prompts->reports.isEmpty());

        // The Help menu opens it from any window, a register's too.
        QVERIFY(action(w_, "openSampleLogbook"));
    }

    void aboutNamesTheVersionLicenceAndFormats() {
        const QString about = app_->delegate->aboutText();
        QVERIFY(about.contains(QStringLiteral(DIVELOG_TEST_VERSION)));
        QVERIFY(about.contains("GPL-3.0-or-later"));
        for (const auto& i : divelog::ExchangeFormats::importers())
            QVERIFY2(about.contains(QString::fromUtf8(i->name().data(), i->name().size())),
                     i->name().data());
        for (const auto& e : divelog::ExchangeFormats::exporters()) {
            const std::string name(e->typeName());
            QVERIFY2(about.contains(app_->text.main(name, name).toHtmlEscaped()), name.c_str());
        }
        for (const auto& k : divelog::documentKinds())
            QVERIFY(about.contains(app_->text.kindName(k).toHtmlEscaped()));
        QVERIFY(!about.contains("error !"));
    }

private:
    QTemporaryDir dir_;
    std::unique_ptr<AppHarness> app_;
    CarnetWindow* w_ = nullptr;
};

QTEST_MAIN(FirstSight)
#include "tst_first_sight.moc"
