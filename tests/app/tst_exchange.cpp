// Exports from Save As and imports into the logbook window.

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "AppTestHarness.h"
#include "logbook/CarnetSession.h"
#include "logbook/CarnetWindow.h"

using divelog::Plongee;

class ExchangeWindows : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(dir_.isValid());
        app_ = std::make_unique<AppHarness>(dir_.filePath("settings.ini"));
        app_->controller->newCarnetDocumentMenuAction();
        w_ = qobject_cast<CarnetWindow*>(app_->controller->windows().last());
        divelog::Carnet::DiveList dives;
        for (int n = 1; n <= 2; ++n) {
            auto d = std::make_unique<Plongee>(divelog::makeNewDive(divelog::NewDiveDefaults{n}));
            d->setLieu(std::string("Niolon"));
            d->setSite(std::string("Site ") + std::to_string(n));
            d->setTemps(40 + n);
            dives.push_back(std::move(d));
        }
        w_->carnet().loadList(std::move(dives));
    }
    void cleanup() {
        app_.reset();
        flushDeletes();
    }

    void saveAsOffersTheExportTypesAndKeepsTheDocument() {
        app_->prompts->nextSavePath = dir_.filePath("dives");
        app_->prompts->nextSaveFilter =
            QStringLiteral("Export UDCF (Universal Dive Computer Format) (*.udcf)");
        QVERIFY(w_->saveAs());
        QCOMPARE(app_->prompts->offeredFilters.size(), 9);  // the logbook and eight export types
        // The panel shows the types in English; their French keys stay what files are matched by.
        const QString offered = app_->prompts->offeredFilters.join('\n');
        for (const char* french : {"Point-virgule", "Virgule", "Tabulation", "Carnet", "Profils"})
            QVERIFY2(!offered.contains(french), french);
        QFile file(dir_.filePath("dives.udcf"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("<PLACE>Niolon - Site 2</PLACE>"));
        QVERIFY2(w_->document().filePath().empty(), "an export is not the document's file");

        // A place Mac OS Roman cannot hold: the save fails, says why, writes nothing.
        w_->session().select({0});
        w_->session().form().setText("lieu", "Ηράκλειο");
        w_->updateDive();
        app_->prompts->nextSavePath = dir_.filePath("list.csv");
        app_->prompts->nextSaveFilter = QStringLiteral("Export logbook CSV (commas) (*.csv)");
        QVERIFY(!w_->saveAs());
        QCOMPARE(app_->prompts->reports.size(), 1);
        QVERIFY(app_->prompts->reports.first().reason.contains("Η"));
        QVERIFY(!QFile::exists(dir_.filePath("list.csv")));

        // The panel added the logbook's extension to a bare name: the export gets its own.
        w_->session().form().setText("lieu", "Niolon");
        w_->updateDive();
        app_->prompts->nextSavePath = dir_.filePath("exp_comma.divelog");
        QVERIFY(w_->saveAs());
        QVERIFY(QFile::exists(dir_.filePath("exp_comma.csv")));
        QVERIFY(!QFile::exists(dir_.filePath("exp_comma.divelog.csv")));
    }

    void anImportIsOneStepAndSaysWhatItRead() {
        QFile file(dir_.filePath("in.udcf"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            "<PROFILE><REPGROUP><DIVE><PLACE>Riou - Imperial</PLACE><DIVETIME>50</DIVETIME></DIVE>"
            "<DIVE><PLACE>Jarre</PLACE><MAXDEPTH>12</MAXDEPTH></DIVE></REPGROUP></PROFILE>");
        file.close();
        w_->carnet().clearChanged();
        QVERIFY(w_->importFile(QStringLiteral("UDCF"), file.fileName()));
        QCOMPARE(w_->carnet().recordCount(), std::size_t(4));
        QCOMPARE(w_->carnet().dive(2).site(), std::optional<std::string>("Imperial"));
        QCOMPARE(w_->carnet().dive(3).noPlongee(), 4);
        QVERIFY(w_->isWindowModified());
        QCOMPARE(app_->prompts->notes.size(), 1);
        QVERIFY(app_->prompts->notes.first().contains('2'));
        QVERIFY(w_->undoAction()->text().contains("Import"));
        w_->undoAction()->trigger();
        QCOMPARE(w_->carnet().recordCount(), std::size_t(2));
        QVERIFY(!w_->isWindowModified());

        QFile junk(dir_.filePath("junk.xml"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("<nothing/>");
        junk.close();
        QVERIFY(!w_->importFile(QStringLiteral("UDDF"), junk.fileName()));
        QCOMPARE(app_->prompts->notes.last(), app_->text.carnet("Import found nothing"));
        QCOMPARE(w_->carnet().recordCount(), std::size_t(2));
    }

private:
    QTemporaryDir dir_;
    std::unique_ptr<AppHarness> app_;
    CarnetWindow* w_ = nullptr;
};

QTEST_MAIN(ExchangeWindows)
#include "tst_exchange.moc"
