// What using the logbook as a diver found, mended in its windows: samples
// typed in the profile-data window are asked about before they could be
// dropped, Erase asks about a typed new dive, the set point follows the
// apparatus, and an edit window answers the document's keys.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "AppTestHarness.h"
#include "RegisterWindowKit.h"
#include "logbook/CarnetSession.h"
#include "logbook/CarnetWindow.h"
#include "logbook/DiveEditWindow.h"
#include "profile/ProfilWindow.h"
#include "profile/ProfileDataWindow.h"
#include "registers/RegisterEditWindow.h"
#include "stats/EarlierDives.h"
#include "stats/EarlierDivesWindow.h"
#include "stats/GraphesWindow.h"
#include "stats/LogbookReports.h"

using divelog::SeriesId;

namespace {

divelog::Carnet::DiveList threeDives() {
    divelog::Carnet::DiveList dives;
    for (int n = 1; n <= 3; ++n) {
        auto d =
            std::make_unique<divelog::Plongee>(divelog::makeNewDive(divelog::NewDiveDefaults{n}));
        d->setSite("Site " + std::to_string(n));
        d->setProfilProfondeur(std::vector<double>{0, 10.0 * n, 0});
        dives.push_back(std::move(d));
    }
    return dives;
}

bool hasShortcut(QWidget* w, const QKeySequence& key) {
    for (QAction* a : w->actions())
        if (a->shortcuts().contains(key)) return true;
    return false;
}

}  // namespace

class LogbookMends : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(dir_.isValid());
        app_ = std::make_unique<AppHarness>(dir_.filePath("settings.ini"));
        app_->controller->newCarnetDocumentMenuAction();
        w_ = qobject_cast<CarnetWindow*>(app_->controller->windows().last());
        QVERIFY(w_);
        w_->carnet().loadList(threeDives());
        w_->session().select({0});
    }
    void cleanup() {
        app_->prompts->applyAnswer = UserPrompts::ApplyChoice::Discard;
        app_->prompts->newDiveAnswer = UserPrompts::NewDiveChoice::Discard;
        app_.reset();
        flushDeletes();
        QFile::remove(dir_.filePath("settings.ini"));
    }

    void samplesTypedAndNotAppliedAreAskedAbout() {
        w_->profilInfo();
        ProfileDataWindow* data = w_->profileDataWindow();
        QVERIFY(!data->hasUnappliedEdits());
        data->replaceBox(SeriesId::Depth)->setChecked(true);
        data->area(SeriesId::Depth)->setPlainText("0\n7\n8\n0");

        // Another dive clicked: Cancel keeps the dive and the samples.
        app_->prompts->applyAnswer = UserPrompts::ApplyChoice::Cancel;
        w_->table()->selectRow(1);
        QCOMPARE(app_->prompts->applyQuestions, 1);
        QCOMPARE(w_->session().boundRow(), std::optional<std::size_t>(0));
        QCOMPARE(data->area(SeriesId::Depth)->toPlainText(), QString("0\n7\n8\n0"));

        // Apply stores them into the dive they were typed for, then shows the other.
        app_->prompts->applyAnswer = UserPrompts::ApplyChoice::Apply;
        w_->table()->selectRow(1);
        QCOMPARE(app_->prompts->applyQuestions, 2);
        QCOMPARE(w_->carnet().dive(0).profilProfondeur(), (std::vector<double>{0, 7, 8, 0}));
        QCOMPARE(w_->session().boundRow(), std::optional<std::size_t>(1));
        QVERIFY(!data->hasUnappliedEdits());

        // Discard on closing the window: the dive keeps its samples.
        data->area(SeriesId::Depth)->setPlainText("0\n1\n0");
        app_->prompts->applyAnswer = UserPrompts::ApplyChoice::Discard;
        QVERIFY(data->close());
        QCOMPARE(app_->prompts->applyQuestions, 3);
        QCOMPARE(w_->carnet().dive(1).profilProfondeur(), (std::vector<double>{0, 20, 0}));

        // Next and previous ask as well; untouched samples ask nothing.
        w_->profilInfo();
        w_->nextDive();
        QCOMPARE(app_->prompts->applyQuestions, 3);
        data->area(SeriesId::Depth)->setPlainText("0\n2\n0");
        app_->prompts->applyAnswer = UserPrompts::ApplyChoice::Cancel;
        w_->previousDive();
        QCOMPARE(app_->prompts->applyQuestions, 4);
        QCOMPARE(w_->session().boundRow(), std::optional<std::size_t>(2));
    }

    void eraseAsksAboutANewDiveAndTitlesTheFormAsNew() {
        w_->newDive();
        DiveEditWindow* edit = w_->editWindow();
        auto* site = qobject_cast<QComboBox*>(edit->control("site"));
        QVERIFY(site);
        site->lineEdit()->setText("Typed");
        emit site->lineEdit()->textEdited("Typed");
        site->setEditText("Typed");
        QVERIFY(w_->session().hasUnstoredRecord());
        app_->prompts->newDiveAnswer = UserPrompts::NewDiveChoice::Cancel;
        w_->blankFields();
        QCOMPARE(app_->prompts->newDiveQuestions, 1);
        QVERIFY2(w_->session().hasUnstoredRecord(), "Cancel keeps the typed dive");
        app_->prompts->newDiveAnswer = UserPrompts::NewDiveChoice::Add;
        w_->blankFields();
        QCOMPARE(w_->carnet().recordCount(), std::size_t(4));
        QCOMPARE(w_->carnet().dive(3).site(), std::optional<std::string>("Typed"));
        QCOMPARE(edit->windowTitle(), app_->text.carnet("New dive"));
        QVERIFY(!edit->windowTitle().contains('0'));
    }

    void theSetPointFollowsTheApparatus() {
        w_->openEditWindow();
        DiveEditWindow* edit = w_->editWindow();
        QVERIFY(!edit->control("ppO2")->isEnabled());
        w_->session().form().setTag(divelog::Plongee::Field::rebreather, 3);
        w_->session().refresh();
        edit->showForm();
        QVERIFY(edit->control("ppO2")->isEnabled());
    }

    void editWindowsAnswerTheDocumentsKeys() {
        w_->openEditWindow();
        DiveEditWindow* edit = w_->editWindow();
        for (QKeySequence key :
             {QKeySequence(Qt::CTRL | Qt::Key_S), QKeySequence(Qt::CTRL | Qt::Key_Q),
              QKeySequence(Qt::CTRL | Qt::Key_W), QKeySequence(Qt::Key_Escape)})
            QVERIFY2(hasShortcut(edit, key), qPrintable(key.toString()));
        app_->prompts->nextSavePath = dir_.filePath("keys");
        for (QAction* a : edit->actions())
            if (a->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_S))) a->trigger();
        QVERIFY(QFile::exists(dir_.filePath("keys.divelog")));
        for (QAction* a : edit->actions())
            if (a->shortcuts().contains(QKeySequence(Qt::Key_Escape))) a->trigger();
        QVERIFY(!edit->isVisible());

        RegisterWindow* wrecks = registerkit::newRegister(*app_, divelog::DocumentKind::Epaves);
        wrecks->newCard();
        QVERIFY(hasShortcut(wrecks->editWindow(), QKeySequence(Qt::CTRL | Qt::Key_S)));
        QVERIFY(hasShortcut(wrecks->editWindow(), QKeySequence(Qt::Key_Escape)));
    }

    void earlierDivesKeepWhatADiverTypedOrSayWhyNot() {
        LogbookReports& r = w_->reports();
        r.showEarlierDives();
        EarlierDivesWindow* e = r.earlierDivesWindow();
        QLineEdit* deepest = e->field("prof max");
        deepest->setFocus();
        deepest->clear();
        QTest::keyClicks(deepest, "1,5");
        QCOMPARE(deepest->text(), QString("1,5"));  // shown, never fifteen
        e->field("total plongees")->setText("89");
        e->validate();
        QCOMPARE(app_->prompts->reports.size(), 1);
        QVERIFY(e->isVisible());
        QVERIFY(!divelog::EarlierDives::read(app_->store).extreme("prof max"));

        QLineEdit* dives = e->field("nitrox");
        dives->setFocus();
        dives->clear();
        QTest::keyClicks(dives, "-9999999999");
        QCOMPARE(dives->text(), QString("99999"));  // no minus, at most 100,000 dives
        deepest->setFocus();
        deepest->clear();
        QTest::keyClicks(deepest, "38");
        dives->setText("47");
        e->validate();
        QCOMPARE(app_->prompts->reports.size(), 1);
        const auto stored = divelog::EarlierDives::read(app_->store);
        QCOMPARE(stored.extreme("prof max"), std::optional<long long>(38));
        QCOMPARE(stored.count("nitrox"), 47LL);
    }

    void printsKeepThePageChosenForThem() {
        // What the print dialog or Page Setup chose stays for the print.
        ProfilWindow* profile = w_->profileWindow();
        QPrinter& printer = profile->printer();
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Portrait);  // the default
        printer.setPageOrientation(QPageLayout::Landscape);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir_.filePath("profile.pdf"));
        profile->printOn(printer);
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
        QVERIFY(QFileInfo(dir_.filePath("profile.pdf")).size() > 1000);

        w_->reports().showGraphs();
        QVERIFY(w_->reports().graphesWindow()->findChild<QPushButton*>("runPageLayout"));
    }

private:
    QTemporaryDir dir_;
    std::unique_ptr<AppHarness> app_;
    CarnetWindow* w_ = nullptr;
};

QTEST_MAIN(LogbookMends)
#include "tst_logbook_mends.moc"
