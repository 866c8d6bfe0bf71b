// The service registers as a diver uses them: a rebreather intervention, a
// compressor service and a consumable part typed in the edit window, saved
// and reopened (the absorbent time in another time zone), their dependent
// controls, and their lists and cards printed.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QtTest>
#include <cstdlib>
#include <ctime>

#include "AppTestHarness.h"
#include "registers/RegisterEditWindow.h"
#include "registers/RegisterSession.h"
#include "registers/RegisterTableModel.h"
#include "registers/RegisterWindow.h"
#include "tools/DocumentToolbar.h"
#include "tools/StyledTextWindow.h"

using divelog::DocumentKind;

class ServiceRegistersTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QFile::remove(dir_.filePath("settings.ini"));
        app_ = std::make_unique<AppHarness>(dir_.filePath("settings.ini"));
    }
    void cleanup() {
        app_.reset();
        flushDeletes();
        setZone(nullptr);
    }

    void anInterventionReopensWithItsAbsorbentTimeInAnotherZone() {
        setZone("UTC-14");
        RegisterWindow* w = newRegister(DocumentKind::Rebreather);
        QCOMPARE(w->countLabel()->text(), QString("0 interventions"));
        for (const char* hours : {"118 h", "120 h"}) {
            w->newCard();
            RegisterEditWindow* edit = w->editWindow();
            type(edit, "rebreatherTime", hours);
            auto* soda = qobject_cast<QTimeEdit*>(edit->control("sofnoTime"));
            QCOMPARE(soda->time(), QTime(0, 0));
            soda->setTime(QTime(2, 30));
            edit->goView(2);
            QVERIFY(!edit->control("nbCells")->isEnabled());
            check(edit, "cells");
            QVERIFY(edit->control("nbCells")->isEnabled());
            qobject_cast<QComboBox*>(edit->control("nbCells"))->setCurrentIndex(3);
            check(edit, "sofnolime");
            edit->toolbar()->action("addRebreatherService")->trigger();
        }
        QCOMPARE(w->countLabel()->text(), QString("2 interventions"));
        const QString path = saveAndClose(w, "service.dlrebreather");

        setZone("UTC+11");
        RegisterWindow* again = reopen(path);
        QCOMPARE(again->model()->rowCount(), 2);
        QCOMPARE(again->session().singleSelection(), std::optional<std::size_t>(1));
        QCOMPARE(cellText(again, 1, "rebreatherTime"), QString("120 h"));
        QCOMPARE(cellText(again, 1, "sofnoTime"), QString("02:30"));
        QCOMPARE(cellText(again, 1, "nbCells"), QString("3"));
        QCOMPARE(cellText(again, 1, "sofnolime"), app_->text.main("Check"));
        QCOMPARE(cellText(again, 1, "battery"), QString());
        again->openEditWindow();
        auto* soda = qobject_cast<QTimeEdit*>(again->editWindow()->control("sofnoTime"));
        QCOMPARE(soda->time(), QTime(2, 30));
        printBoth(again, "rebreather");
    }

    void aCompressorServiceKeepsItsAnalysesAndSavesFromTheEditWindow() {
        RegisterWindow* w = newRegister(DocumentKind::Compresseur);
        QCOMPARE(w->countLabel()->text(), QString("0 services"));
        w->newCard();
        RegisterEditWindow* edit = w->editWindow();
        // Save comes first in the edit window's toolbar.
        QCOMPARE(edit->toolbar()->actions().first(), edit->toolbar()->action("saveDocument"));
        type(edit, "marque", "Bauer");
        qobject_cast<QTimeEdit*>(edit->control("temps"))->setTime(QTime(1, 5));
        edit->goView(2);
        QVERIFY(!edit->control("typeHuile")->isEnabled());
        check(edit, "vidange");
        QVERIFY(edit->control("typeHuile")->isEnabled());
        qobject_cast<QComboBox*>(edit->control("typeHuile"))->setCurrentIndex(1);
        check(edit, "cartouche");
        QVERIFY(!edit->control("charbon")->isEnabled());
        edit->goView(3);
        QCOMPARE(qobject_cast<QLineEdit*>(edit->control("anCO2"))->text(), QString("-"));
        type(edit, "anCO2", "500");
        qobject_cast<QComboBox*>(edit->control("anCO2Unit"))->setCurrentIndex(1);
        type(edit, "anHuile", "");
        edit->toolbar()->action("addService")->trigger();
        QCOMPARE(w->countLabel()->text(), QString("1 service"));
        const QString path = saveAndClose(w, "compressor.dlcompressor");

        RegisterWindow* again = reopen(path);
        QCOMPARE(cellText(again, 0, "temps"), QString("01:05"));
        QCOMPARE(cellText(again, 0, "anCO2"), QString("500 ppm"));
        QCOMPARE(cellText(again, 0, "anHuile"), QString("-"));
        QCOMPARE(cellText(again, 0, "cartouche"), app_->text.main("Check"));
        printBoth(again, "compressor");
        QVERIFY(again->synthesisWindow()->document().toPlainText().contains("Oil changed (synthetic)"));
    }

    void aPartLowOnStockIsRedAndItsCountDateFollowsTheSwitch() {
        RegisterWindow* w = newRegister(DocumentKind::Consommables);
        QCOMPARE(w->countLabel()->text(), QString("0 parts"));
        w->newCard();
        RegisterEditWindow* edit = w->editWindow();
        type(edit, "reference", "OR-2-015");
        type(edit, "stock", "3");
        type(edit, "reserve", "5");
        edit->goView(2);
        auto* now = edit->findChild<QPushButton*>("dateInventaireNow");
        QVERIFY(now);
        QVERIFY(!edit->control("dateInventaire")->isVisible() && !now->isVisible());
        qobject_cast<QCheckBox*>(edit->control("noInventaire"))->setChecked(false);
        QVERIFY(edit->control("dateInventaire")->isVisible() && now->isVisible());
        edit->toolbar()->action("addPart")->trigger();
        const QString path = saveAndClose(w, "parts.dlconsumables");

        RegisterWindow* again = reopen(path);
        QCOMPARE(cellText(again, 0, "reference"), QString("OR-2-015"));
        QCOMPARE(cellText(again, 0, "stock"), QString("3"));
        QVERIFY(!cellText(again, 0, "dateInventaire").isEmpty());
        const QModelIndex reference = again->model()->index(0, again->model()->columnOf("reference"));
        QCOMPARE(reference.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::red));
        printBoth(again, "consumables");
    }

    // No raw key, missing text or field name shows in any of the three.
    void everyLabelIsTranslated() {
        for (auto kind : {DocumentKind::Rebreather, DocumentKind::Compresseur,
                          DocumentKind::Consommables}) {
            RegisterWindow* w = newRegister(kind);
            QWidget* edit = w->editWindow();
            QStringList shown;
            for (auto* l : edit->findChildren<QLabel*>()) shown << l->text();
            for (auto* b : edit->findChildren<QAbstractButton*>()) shown << b->text();
            for (auto* c : edit->findChildren<QComboBox*>())
                for (int i = 0; i < c->count(); ++i) shown << c->itemText(i);
            for (const QString& t : shown) QVERIFY2(!t.contains("error"), qPrintable(t));
            for (const auto& c : w->session().spec().columns()) {
                const QString title = w->model()->headerData(w->model()->columnOf(c.field),
                                                             Qt::Horizontal).toString();
                QVERIFY2(!title.contains("error") && title != QString::fromUtf8(c.field.data()),
                         c.field.data());
            }
        }
    }

private:
    static void setZone(const char* zone) {
        if (zone)
            qputenv("TZ", zone);
        else if (saved_)
            qputenv("TZ", *saved_);
        else
            qunsetenv("TZ");
        tzset();
    }
    RegisterWindow* newRegister(DocumentKind kind) {
        app_->controller->newDocumentOfKind(kind);
        auto* w = qobject_cast<RegisterWindow*>(app_->controller->windows().last());
        Q_ASSERT(w);
        return w;
    }
    QString saveAndClose(RegisterWindow* w, const QString& name) {
        app_->prompts->nextSavePath = dir_.filePath(name);
        if (!w->save() || !w->close()) return {};
        flushDeletes();
        return dir_.filePath(name);
    }
    RegisterWindow* reopen(const QString& path) {
        auto* w = qobject_cast<RegisterWindow*>(app_->controller->openDocument(path));
        Q_ASSERT(w);
        return w;
    }
    static void type(RegisterEditWindow* edit, const char* field, const char* text) {
        auto* line = qobject_cast<QLineEdit*>(edit->control(field));
        Q_ASSERT(line);
        line->selectAll();
        if (*text)
            QTest::keyClicks(line, text);
        else
            QTest::keyClick(line, Qt::Key_Delete);
        emit line->editingFinished();
    }
    static void check(RegisterEditWindow* edit, const char* field) {
        qobject_cast<QCheckBox*>(edit->control(field))->setChecked(true);
    }
    static QString cellText(RegisterWindow* w, int row, const char* field) {
        return w->model()->index(row, w->model()->columnOf(field)).data().toString();
    }
    // The list in landscape and the card in portrait; the pages are kept in
    // DIVELOG_KEEP_PRINTS when it names a folder, to be looked at.
    void printBoth(RegisterWindow* w, const QString& name) {
        const QString folder = qEnvironmentVariable("DIVELOG_KEEP_PRINTS", dir_.path());
        for (const char* what : {"list", "card"}) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            const QString pdf = folder + "/" + name + "-" + what + ".pdf";
            printer.setOutputFileName(pdf);
            const bool list = QString(what) == "list";
            list ? w->printList(printer) : w->printSynthesis(printer);
            QCOMPARE(printer.pageLayout().orientation(),
                     list ? QPageLayout::Landscape : QPageLayout::Portrait);
            QVERIFY(QFileInfo(pdf).size() > 1500);
        }
        w->showSynthesis();
        QVERIFY(!w->synthesisWindow()->document().toPlainText().contains("error"));
    }

    inline static std::optional<QByteArray> saved_ =
        qEnvironmentVariableIsSet("TZ") ? std::optional(qgetenv("TZ")) : std::nullopt;
    QTemporaryDir dir_;
    std::unique_ptr<AppHarness> app_;
};

QTEST_MAIN(ServiceRegistersTest)
#include "tst_registers_service.moc"
