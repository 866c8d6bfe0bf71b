// The statistics, graph and card windows of a logbook: what they show, when
// they follow the logbook (only while shown), and every print of the
// logbook on PDF pages that hold the expected text.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

#include "AppTestHarness.h"
#include "Printing.h"
#include "logbook/CardScopePanel.h"
#include "logbook/CarnetSession.h"
#include "logbook/CarnetWindow.h"
#include "logbook/DiveCard.h"
#include "logbook/DiveTableModel.h"
#include "profile/ProfilWindow.h"
#include "stats/EarlierDives.h"
#include "stats/EarlierDivesWindow.h"
#include "stats/Graphes.h"
#include "stats/GraphesWindow.h"
#include "stats/LogbookReports.h"
#include "stats/StatisticsWindow.h"
#include "tools/StyledTextDocument.h"
#include "tools/StyledTextWindow.h"

using divelog::Plongee;
using divelog::StatCategory;

namespace {

const char* const kPlaces[] = {"Marseille", "Banyuls", "Dahab", "Ajaccio"};

// Dive n: 4 + 6 n metres, every fourth on nitrox, in one of four places.
divelog::Carnet::DiveList dives(int count) {
    divelog::Carnet::DiveList list;
    for (int n = 1; n <= count; ++n) {
        auto d = std::make_unique<Plongee>(divelog::makeNewDive(divelog::NewDiveDefaults{n}));
        d->setLieu(std::string(kPlaces[n % 4]) + " " + std::to_string(n));
        d->setProfondeur(static_cast<float>(4 + 6 * (n % 11)));
        d->setTemps(30 + n % 20);
        d->setTempEau(12 + n % 10);
        d->setGaz(n % 4 == 0 ? 1 : 0);
        d->setO2Mix(n % 4 == 0 ? 32 : 21);
        d->setTypePlongee(n % 2 == 0 ? 0 : 1);
        list.push_back(std::move(d));
    }
    return list;
}

void clickRow(CarnetWindow* w, int row) {
    const QRect r = w->table()->visualRect(w->model()->index(row, 0));
    QTest::mouseClick(w->table()->viewport(), Qt::LeftButton, {}, r.center());
}

// The text of each page of a PDF, or none when pdftotext is missing.
std::optional<QStringList> pdfPages(const QString& path) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty()) return std::nullopt;
    QProcess p;
    p.start(tool, {QStringLiteral("-layout"), path, QStringLiteral("-")});
    p.waitForFinished(30000);
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(QChar('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
    return pages;
}

std::unique_ptr<QPrinter> pdfPrinter(const QString& path) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setPageSize(QPageSize(QPageSize::A4));
    return printer;
}

}  // namespace

class StatisticsAndCard : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(dir_.isValid());
        QFile::remove(dir_.filePath("settings.ini"));  // each test from a fresh install
        app_ = std::make_unique<AppHarness>(dir_.filePath("settings.ini"));
        app_->controller->newCarnetDocumentMenuAction();
        w_ = qobject_cast<CarnetWindow*>(app_->controller->windows().last());
        w_->carnet().loadList(dives(12));
        w_->session().documentLoaded();
        w_->model()->repaintAll();
        w_->show();
    }
    void cleanup() {
        app_.reset();
        flushDeletes();
    }

    void hiddenWindowsCostNothingShownOnesFollow() {
        LogbookReports& r = w_->reports();
        clickRow(w_, 2);
        clickRow(w_, 3);
        QCOMPARE(r.statisticsComputations(), std::size_t(0));
        QCOMPARE(r.cardBuilds(), std::size_t(0));

        r.showStatistics();
        StatisticsWindow* s = r.statisticsWindow();
        QCOMPARE(s->countField(StatCategory::Nitrox)->text(), QString("3"));
        QCOMPARE(s->shareField(StatCategory::Nitrox)->text(), QString("25.0 %"));
        QCOMPARE(s->findChild<QLabel*>("maxDepth")->text(), QString("64 m"));
        const std::size_t before = r.statisticsComputations();
        clickRow(w_, 4);
        QCOMPARE(r.statisticsComputations(), before + 1);  // once per refresh of the form
        w_->session().select({0});
        w_->deleteDive();
        QCOMPARE(s->countField(StatCategory::Nitrox)->text(), QString("3"));
        QCOMPARE(s->stateLine()->text(), app_->text.format("Carnet", "Total dives", "", {11}));

        // Earlier dives: stored for the user, counted unless the box says not.
        r.showEarlierDives();
        EarlierDivesWindow* e = r.earlierDivesWindow();
        e->field("total plongees")->setText("89");
        e->field("nitrox")->setText("47");
        e->field("prof max")->clear();
        e->validate();
        const divelog::EarlierDives stored = divelog::EarlierDives::read(app_->store);
        QCOMPARE(stored.count("nitrox"), 47LL);
        QVERIFY(!stored.extreme("prof max"));  // an empty extreme stays unknown
        QCOMPARE(s->shareField(StatCategory::Nitrox)->text(), QString("50.0 %"));
        s->noEarlierDivesBox()->setChecked(true);
        QCOMPARE(s->countField(StatCategory::Nitrox)->text(), QString("3"));

        // The graphs show the same shares.
        r.showGraphs();
        QCOMPARE(r.graphesWindow()->view()->shares().gas[1], 3.0f / 11.0f * 100.0f);
        r.statisticsWindow()->hide();
        r.graphesWindow()->hide();
        const std::size_t hidden = r.statisticsComputations();
        clickRow(w_, 5);
        QCOMPARE(r.statisticsComputations(), hidden);
    }

    void theProfilesOxygenFollowsTheDivesNotTheRowClicks() {
        LogbookReports& r = w_->reports();
        r.showStatistics();
        QLabel* highest = r.statisticsWindow()->findChild<QLabel*>("highestOtu");
        QLabel* total = r.statisticsWindow()->findChild<QLabel*>("otuTotal");
        QCOMPARE(total->text(), QString("-"));  // no dive has samples
        // 60 min of EAN 35 at 30 m, sampled each minute: 60 x 1.8^0.83 OTU.
        auto d = std::make_unique<divelog::Plongee>();
        d->setGaz(1);
        d->setO2Mix(35);
        d->setTemps(60);
        d->setSamplingRate(3);
        d->setProfilProfondeur(std::vector<double>(61, 30.0));
        divelog::Carnet::DiveList added;
        added.push_back(std::move(d));
        w_->carnet().append(std::move(added));
        clickRow(w_, 1);
        QCOMPARE(highest->text(), QString("98 OTU"));
        QCOMPARE(total->text(), QString("98 OTU"));
        clickRow(w_, 2);  // no dive changed: the kept figures
        QCOMPARE(total->text(), QString("98 OTU"));
        w_->session().select({12});
        w_->deleteDive();
        clickRow(w_, 1);
        QCOMPARE(total->text(), QString("-"));
    }

    void theCardFollowsTheSelectedDiveOnlyWhileShown() {
        LogbookReports& r = w_->reports();
        clickRow(w_, 2);
        r.showCardScope();
        r.scopePanel()->confirm();
        StyledTextWindow* card = r.cardWindow();
        QVERIFY(card->isVisible());
        QVERIFY(card->document().toPlainText().contains("Ajaccio 3"));
        const std::size_t builds = r.cardBuilds();
        clickRow(w_, 5);
        QVERIFY(card->document().toPlainText().contains("Dahab 6"));
        QCOMPARE(r.cardBuilds(), builds + 1);

        // Styles: values blue, section titles red and underlined.
        const QTextDocument& doc = card->document();
        const QTextCursor value = doc.find("Dahab 6");
        QCOMPARE(value.charFormat().foreground().color(),
                 styledtext::colourOf(divelog::TextStyle::Value));
        QTextCursor title = doc.find("General");
        QVERIFY(title.charFormat().fontUnderline());
        QCOMPARE(title.charFormat().foreground().color(),
                 styledtext::colourOf(divelog::TextStyle::Header));

        // Units change what the card says.
        app_->store.setBool("us units", true);
        app_->context.notifications().post(divelog::notification::kUpdateEditDive);
        QVERIFY(card->document().toPlainText().contains(" ft"));

        // Every dive: a row click changes nothing, a change to the logbook does.
        r.showCard(1);
        QVERIFY(card->document().toPlainText().contains("Marseille 12"));
        const std::size_t all = r.cardBuilds();
        clickRow(w_, 1);
        QCOMPARE(r.cardBuilds(), all);
        card->hide();
        clickRow(w_, 7);
        w_->session().select({7});
        w_->deleteDive();
        QCOMPARE(r.cardBuilds(), all);
    }

    // The card of every dive of a big logbook shows its first dives at once
    // and writes the rest behind a progress bar: the whole card in the end is
    // the one written at once; a stopped one says how far it got.
    void aLongCardShowsItsFirstDivesAtOnceAndCanBeStopped() {
        LogbookReports& r = w_->reports();
        w_->carnet().loadList(dives(1000));
        w_->session().documentLoaded();
        r.showCard(1);
        StyledTextWindow* card = r.cardWindow();
        QVERIFY(card->isWriting());
        QVERIFY(card->findChild<QWidget*>("writing")->isVisible());
        QVERIFY(card->document().toPlainText().contains("Banyuls 1\n"));
        QVERIFY(!card->document().toPlainText().contains("Marseille 1000"));
        QTRY_VERIFY_WITH_TIMEOUT(!card->isWriting(), 60000);
        QVERIFY(!card->findChild<QWidget*>("writing")->isVisible());
        QTextDocument whole;
        styledtext::fill(whole, divelog::DiveCard(app_->context.localisation(), false)
                                    .build(w_->carnet(), divelog::DiveCard::Scope::AllDives, {}));
        QCOMPARE(card->document().toPlainText(), whole.toPlainText());

        r.showCard(1);
        QVERIFY(card->isWriting());
        card->findChild<QPushButton*>("cancelWriting")->click();
        QVERIFY(!card->isWriting());
        QVERIFY(!card->findChild<QWidget*>("writing")->isVisible());
        QVERIFY(card->findChild<QLabel*>("emptyNote")->text().contains("200"));
        QVERIFY(card->findChild<QLabel*>("emptyNote")->text().contains("1000"));
        QVERIFY(card->document().toPlainText().contains("Marseille 200"));
        QVERIFY(!card->document().toPlainText().contains("Banyuls 201"));

        // A change to the logbook while writing starts the card again.
        r.showCard(1);
        w_->session().select({0});
        w_->deleteDive();
        QTRY_VERIFY_WITH_TIMEOUT(!card->isWriting(), 60000);
        QVERIFY(!card->document().toPlainText().contains("Banyuls 1\n"));
        QVERIFY(card->document().toPlainText().contains("Marseille 1000"));
    }

    // A long print tells each page before it prints it and stops when told:
    // no page is printed after, and the stopped print says 0 pages.
    void aLongPrintCanBeStopped() {
        w_->carnet().loadList(dives(400));
        w_->session().documentLoaded();
        const QString path = dir_.filePath("stopped.pdf");
        auto printer = pdfPrinter(path);
        QList<std::pair<int, int>> told;
        const auto stopAtThird = [&told](int page, int pages) {
            told << std::pair{page, pages};
            return page < 2 || pages == 0;
        };
        const QList<int> columns{0, 1, 2};
        QCOMPARE(Printing::printTable(*printer, *w_->model(), columns, "Logbook",
                                      PrintSettings::logbook(QPageLayout::Landscape), stopAtThird),
                 0);
        QCOMPARE(told.first(), (std::pair{0, 0}));
        QCOMPARE(told.last().first, 2);
        QVERIFY(told.last().second > 3);

        auto whole = pdfPrinter(dir_.filePath("whole.pdf"));
        int pages = 0;
        const int printed = Printing::printTable(*whole, *w_->model(), columns, "Logbook",
                                                 PrintSettings::logbook(QPageLayout::Landscape),
                                                 [&pages](int, int n) {
                                                     pages = n;
                                                     return true;
                                                 });
        QCOMPARE(printed, pages);
    }

    void everyPrintReachesThePage() {
        LogbookReports& r = w_->reports();
        w_->carnet().loadList(dives(150));
        w_->session().documentLoaded();
        w_->model()->repaintAll();
        w_->session().select({149});

        struct Print {
            const char* file;
            std::function<int(QPrinter&)> print;
            QStringList firstPage, lastPage;
            int minPages;
        };
        ProfilWindow* profile = w_->profileWindow();
        w_->displayProfilWindow();
        const Print prints[] = {
            {"table.pdf",
             [&](QPrinter& p) { return r.printLogbook(p); },
             {"Banyuls 1 ", "Marseille 4"},
             {"Banyuls 149", "Dahab 150"},
             3},
            {"card.pdf",
             [&](QPrinter& p) { return r.printCard(p); },
             {"Dahab 150"},
             {"Equipment"},
             1},
            {"statistics.pdf",
             [&](QPrinter& p) { return r.printStatistics(p); },
             {"150 dives", "Nitrox", "37"},
             {"Untitled"},
             1},
            {"graphs.pdf",
             [&](QPrinter& p) { return r.printGraphs(p); },
             {"10-19 m", "Heliox", "24.7 %"},
             {},
             1},
            {"profile.pdf",
             [&](QPrinter& p) {
                 profile->print(p);
                 return 1;
             },
             {"150"},
             {},
             1},
        };
        for (const Print& job : prints) {
            const QString path = dir_.filePath(job.file);
            {
                auto printer = pdfPrinter(path);
                QVERIFY2(job.print(*printer) >= job.minPages, job.file);
            }
            const auto pages = pdfPages(path);
            if (!pages) QSKIP("pdftotext is not installed");
            QVERIFY2(pages->size() >= job.minPages, job.file);
            for (const QString& t : job.firstPage)
                QVERIFY2(pages->first().contains(t), qPrintable(QString(job.file) + ": " + t));
            for (const QString& t : job.lastPage)
                QVERIFY2(pages->last().contains(t), qPrintable(QString(job.file) + ": " + t));
        }

        // Every card of a long logbook, over as many pages as it takes.
        r.showCard(1);
        const QString path = dir_.filePath("cards.pdf");
        int printed = 0;
        {
            auto printer = pdfPrinter(path);
            printed = r.printCard(*printer);
        }
        const auto pages = pdfPages(path);
        QVERIFY(printed > 20);
        QCOMPARE(pages->size(), printed);
        QVERIFY(pages->first().contains("Banyuls 1"));
        QVERIFY(pages->first().contains("Dahab 2"));
        QVERIFY(pages->join(QString()).contains("Dahab 150"));
        QVERIFY(pages->last().contains("Notes"));
    }

    void theGraphsPaintTheirBarsWhereTheChartSays() {
        LogbookReports& r = w_->reports();
        r.showGraphs();
        Graphes* view = r.graphesWindow()->view();
        view->resize(900, 480);
        const QImage image = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const divelog::StatisticsChart& chart = view->chart();
        for (const auto& bar : chart.bars) {
            if (bar.top - chart.baseY < 6) continue;
            const QPoint inside(int((bar.x0 + bar.x1) / 2),
                                int(chart.height - (bar.top + chart.baseY) / 2));
            QCOMPARE(QColor(image.pixel(inside)), Graphes::fillOf(bar.fill));
        }
    }

private:
    QTemporaryDir dir_;
    std::unique_ptr<AppHarness> app_;
    CarnetWindow* w_ = nullptr;
};

QTEST_MAIN(StatisticsAndCard)
#include "tst_statistics_card.moc"
