// The calculator windows: one kept window per Calculators command, texts all
// found, typed numbers read without locale, refusals and unsafe cells in red,
// and frames remembered across launches.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

#include "AppTestHarness.h"
#include "DocumentWindow.h"
#include "calculators/CalcAnswer.h"
#include "calculators/CalculatorWindow.h"
#include "calculators/FormCalculator.h"

namespace {

// Every text a window shows to the user.
QStringList shownTexts(const QWidget* w) {
    QStringList out{w->windowTitle()};
    for (auto* l : w->findChildren<QLabel*>()) out << l->text();
    for (auto* b : w->findChildren<QAbstractButton*>()) out << b->text();
    for (auto* c : w->findChildren<QComboBox*>())
        for (int i = 0; i < c->count(); ++i) out << c->itemText(i);
    if (auto* tabs = w->findChild<QTabWidget*>())
        for (int i = 0; i < tabs->count(); ++i) out << tabs->tabText(i);
    return out;
}

}  // namespace

class CalculatorsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QFile::remove(dir_.filePath("settings.ini"));
        app_ = std::make_unique<AppHarness>(dir_.filePath("settings.ini"));
        app_->controller->newCarnetDocumentMenuAction();
        window_ = app_->controller->windows().first();
    }
    void cleanup() { app_.reset(); }

    void everyCommandOpensOneKeptWindowWithItsTexts() {
        const auto& commands = AppDelegate::calculatorCommands();
        QCOMPARE(commands.size(), std::size_t(13));
        for (const auto& c : commands) {
            window_->findChild<QAction*>(c.command)->trigger();
            CalculatorWindow* w = app_->delegate->toolWindow(c.layout);
            QVERIFY2(w && w->isVisible(), c.layout);
            QCOMPARE(w->windowTitle(), app_->text.main(c.layout));
            QVERIFY2(qobject_cast<QLineEdit*>(w->focusWidget()), c.layout);  // typing starts there
            // Computing on empty fields shows a text, never a number gone wrong.
            w->compute();
            static const QRegularExpression unformatted(QStringLiteral("%[-+ #0-9.]*[dfg@]"));
            for (const QString& t : shownTexts(w)) {
                QVERIFY2(!t.contains("error") && !t.contains(unformatted), qPrintable(t));
                QVERIFY2(!t.contains("inf") && !t.contains("nan"), qPrintable(t));
            }
            w->close();
            window_->findChild<QAction*>(c.command)->trigger();
            QCOMPARE(app_->delegate->toolWindow(c.layout), w);
        }
        // Every reason a calculator can give is in the shipped tables.
        for (int i = 1; i <= int(divelog::Why::InputRange); ++i) {
            const auto& w = divelog::whyText(divelog::Why(i));
            QVERIFY2(app_->context.localisation().has(w.table, w.key), w.key.data());
        }
    }

    void nitroxReadsTypedNumbersAndKeepsThem() {
        CalculatorWindow* w = open("displayProfMaxWindow", "Nitrox Prof Max");
        auto* o2 = w->findChild<QLineEdit*>("fracO2Field");
        auto* result = w->findChild<QLabel*>("resultatField");
        QTest::keyClicks(o2, "3x2");  // the letter is refused as it is typed
        QCOMPARE(o2->text(), QString("32"));
        QTest::keyClick(o2, Qt::Key_Return);
        QCOMPARE(result->text(), QString("MOD : 33.8 m"));
        QVERIFY(!CalculatorWindow::isAlert(result));
        w->findChild<QComboBox*>("ppO2PopUp")->setCurrentIndex(4);
        w->findChild<QPushButton*>("computeButton")->click();
        QCOMPARE(result->text(), QString("MOD : 40.0 m"));
        o2->setText("0");
        w->compute();
        QVERIFY(CalculatorWindow::isAlert(result));

        w->close();
        w = open("displayProfMaxWindow", "Nitrox Prof Max");
        QCOMPARE(w->findChild<QLineEdit*>("fracO2Field")->text(), QString("0"));

        CalculatorWindow* mix = open("displayBestMixWindow", "Nitrox Best Mix");
        QTest::keyClicks(mix->findChild<QLineEdit*>("profondeurMaxField"), "2,5");
        mix->compute();
        QVERIFY(mix->findChild<QLabel*>("resultatField")->text().contains("100.0"));
        QVERIFY(mix->findChild<QLabel*>("noteField")->isVisibleTo(mix));
        mix->findChild<QLineEdit*>("profondeurMaxField")->setText("30");
        mix->compute();
        QVERIFY(mix->findChild<QLabel*>("resultatField")->text().contains("35.0"));
        QVERIFY(!mix->findChild<QLabel*>("noteField")->isVisibleTo(mix));
        // The other nitrox windows were not touched.
        QVERIFY(!app_->delegate->toolWindow("Blend Nitrox"));
    }

    // What is typed is read as typed: a minus sign kept and refused with the
    // field's range, no exponent, no partial pressure no diver breathes.
    void typedFiguresAreReadWholeAndWithinTheirRanges() {
        CalculatorWindow* w = open("displayProfMaxWindow", "Nitrox Prof Max");
        auto* o2 = w->findChild<QLineEdit*>("fracO2Field");
        auto* result = w->findChild<QLabel*>("resultatField");
        o2->clear();
        QTest::keyClicks(o2, "-5");
        QCOMPARE(o2->text(), QString("-5"));
        w->compute();
        QCOMPARE(result->text(), QString("Oxygen (%) must lie from 1 to 100."));
        QVERIFY(CalculatorWindow::isAlert(result));
        o2->clear();
        QTest::keyClicks(o2, "32e999");
        QCOMPARE(o2->text(), QString("32999"));
        w->compute();
        QVERIFY(CalculatorWindow::isAlert(result));

        CalculatorWindow* best = open("displayBestTrimix", "Best Trimix");
        best->findChild<QLineEdit*>("depthTxField")->setText("60");
        best->findChild<QLineEdit*>("ENDField")->setText("30");
        best->findChild<QLineEdit*>("ppO2Field")->setText("3");
        best->compute();
        auto* mix = best->findChild<QLabel*>("resultatField");
        QVERIFY2(mix->text().contains("0.16") && mix->text().contains("1.6"),
                 qPrintable(mix->text()));
        QVERIFY(!mix->text().contains("42.9"));

        CalculatorWindow* flow = open("displaySCRIdealFlowWindow", "SCR Flow Calc");
        flow->findChild<QLineEdit*>("idEanxField")->setText("40");
        flow->findChild<QLineEdit*>("idRealFracO2Field")->setText("1");
        flow->findChild<QLineEdit*>("idMetabolicField")->setText("1");
        flow->compute();
        QVERIFY(CalculatorWindow::isAlert(flow->findChild<QLabel*>("idealFlowField")));
        QVERIFY(flow->findChild<QLabel*>("d08Field")->text().isEmpty());
    }

    // The window's third figure is the end of the window, the shallower of
    // the 1.6 bar depth and the nitrogen depth, and says so; the fields keep
    // their height as the result grows to three lines.
    void theOxygenWindowSaysWhatItsFiguresAre() {
        CalculatorWindow* w = open("displayOxygenWindow", "Nitrox Oxygen Window");
        auto* o2 = w->findChild<QLineEdit*>("winFO2");
        const int height = o2->height();
        QVERIFY(height >= o2->sizeHint().height());
        o2->setText("80");
        w->findChild<QLineEdit*>("winMinPpO2")->setText("1.4");
        w->compute();
        const QStringList lines = w->findChild<QLabel*>("winResult")->text().split('\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[2].contains("1.6 bar") && lines[2].contains("nitrogen"));
        QVERIFY(lines[2].endsWith("10.0 m"));
        QApplication::processEvents();
        QVERIFY2(o2->height() >= o2->sizeHint().height(),
                 qPrintable(QString("%1 < %2").arg(o2->height()).arg(o2->sizeHint().height())));
        w->findChild<QLineEdit*>("winMinPpO2")->setText("5");
        w->compute();
        QVERIFY(CalculatorWindow::isAlert(w->findChild<QLabel*>("winResult")));
    }

    void rebreatherTableColoursItsCells() {
        auto* w = static_cast<FormCalculator*>(
            open("displaySCRBreathedFracO2Window", "SCR Breathed Frac O2"));
        w->findChild<QLineEdit*>("brEanxField")->setText("32");
        w->findChild<QLineEdit*>("brFlowField")->setText("3");
        w->findChild<QLineEdit*>("brMetabolicField")->setText("3");
        w->compute();
        QVERIFY(CalculatorWindow::isAlert(w->findChild<QLabel*>("breathedFracO2Field")));
        QCOMPARE(w->cells().size(), 11);
        QVERIFY(w->findChild<QLabel*>("c08Field")->text().startsWith("0.8 l/min"));
        QVERIFY(w->findChild<QLabel*>("c18Field")->text().contains("not reachable"));
        w->findChild<QLineEdit*>("brFlowField")->setText("6");
        w->compute();
        QVERIFY(!CalculatorWindow::isAlert(w->findChild<QLabel*>("c08Field")));
        QVERIFY(CalculatorWindow::isAlert(w->findChild<QLabel*>("c09Field")));
        QCOMPARE(w->findChild<QLabel*>("c18Field")->text(), QString("1.8 l/min : 2.9 %"));
    }

    // The table "Rebreather" also holds the service log's card labels.
    void sodaTimeShowsItsDurationBesideTheServiceLogLabels() {
        CalculatorWindow* w = open("displaySodaTimeWindow", "Soda Time");
        w->findChild<QLineEdit*>("sodaWeightField")->setText("2.5");
        w->findChild<QLineEdit*>("sodaCapacityField")->setText("100");
        w->findChild<QLineEdit*>("metabolicProductionField")->setText("1.6");
        w->compute();
        QCOMPARE(w->findChild<QLabel*>("sodaTimeField")->text(), QString("Duration : 2 h 36 min"));
    }

    void unitsFollowTheFieldTypedIn() {
        CalculatorWindow* w = open("displayConversionsWindow", "Physique");
        QCOMPARE(w->focusWidget()->objectName(), QString("barField"));
        QTest::keyClicks(w->findChild<QLineEdit*>("psiField"), "3000");
        QCOMPARE(w->findChild<QLineEdit*>("barField")->text(),
                 QString("206.84272"));  // 3000 x 0.0689475729
        auto* tabs = w->findChild<QTabWidget*>("conversionsTabView");
        tabs->setCurrentWidget(tabs->findChild<QWidget*>("temperature"));
        QTest::keyClicks(w->findChild<QLineEdit*>("kelvinField"), "-1");
        auto* message = tabs->currentWidget()->findChild<QLabel*>("messageField");
        QVERIFY(!message->text().isEmpty() && CalculatorWindow::isAlert(message));
        QVERIFY(w->findChild<QLineEdit*>("celsiusField")->text().isEmpty());
        w->findChild<QLineEdit*>("kelvinField")->setText("300");
        w->compute();
        QCOMPARE(w->findChild<QLineEdit*>("celsiusField")->text(), QString("26.85"));
        QVERIFY(message->text().isEmpty());
    }

    void coordinatesKeepTheSignOfTheDegrees() {
        CalculatorWindow* w = open("displayConversionsGPSWindow", "Gps");
        auto set = [w](const char* name, const char* text) {
            w->findChild<QLineEdit*>(name)->setText(text);
        };
        auto out = [w](const char* name) { return w->findChild<QLineEdit*>(name)->text(); };
        set("longitude_in_degreeField", "5");
        set("longitude_in_minutesField", "22");
        set("longitude_in_secondsField", "12,3");
        set("latitude_in_degreeField", "43");
        set("latitude_in_minutesField", "17");
        set("latitude_in_secondsField", "43.7");
        w->findChild<QPushButton*>("convertGPS")->click();
        QCOMPARE(out("longitude_outField"), QString::fromUtf8("WGS84 5° 22' 9.406''"));
        QCOMPARE(out("latitude_outField"), QString::fromUtf8("WGS84 43° 17' 39.936''"));
        QCOMPARE(out("altitude_outField"), QString("63.8 m"));
        QVERIFY(
            w->findChild<QTextEdit*>("gpsDataField")->toPlainText().contains("----- WGS84 -----"));

        set("longitude_in_degreeField", "-0");
        w->compute();
        QVERIFY(out("longitude_outField").startsWith("WGS84 -0° 22'"));
        set("longitude_in_minutesField", "75");
        w->compute();
        QVERIFY(out("longitude_outField").isEmpty());
        QVERIFY(CalculatorWindow::isAlert(w->findChild<QLabel*>("resultatField")));

        set("longitude_inField", "5.370083");
        set("latitude_inField", "43.295472");
        QTest::keyClick(w->findChild<QLineEdit*>("latitude_inField"), Qt::Key_Return);
        QCOMPARE(out("longitude_outField") + " " + out("latitude_outField") + " " +
                     out("altitude_outField"),
                 QString("5.368981 43.294450 55.42 m"));
        QVERIFY(w->findChild<QLabel*>("resultatField")->text().isEmpty());
    }

    void framesAreRememberedAcrossLaunches() {
        CalculatorWindow* w = open("displayTrimixProfMinWindow", "Trimix Prof Min");
        w->move(140, 90);
        const QPoint where = w->pos();
        w->close();
        QVERIFY(app_->store.hasStoredValue("window frame Trimix Prof Min"));
        app_ = std::make_unique<AppHarness>(dir_.filePath("settings.ini"));
        app_->controller->newCarnetDocumentMenuAction();
        window_ = app_->controller->windows().first();
        QCOMPARE(open("displayTrimixProfMinWindow", "Trimix Prof Min")->pos(), where);
    }

private:
    CalculatorWindow* open(const char* command, const char* layout) {
        window_->findChild<QAction*>(command)->trigger();
        return app_->delegate->toolWindow(layout);
    }

    QTemporaryDir dir_;
    std::unique_ptr<AppHarness> app_;
    DocumentWindow* window_ = nullptr;
};

QTEST_MAIN(CalculatorsTest)
#include "tst_calculators.moc"
