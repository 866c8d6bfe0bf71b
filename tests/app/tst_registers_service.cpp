// The service registers in their windows: an intervention, a service and a
// part typed in the edit window, saved and reopened (the absorbent time in
// another time zone), their dependent controls, texts, lists and cards.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QtTest>
#include <ctime>

#include "AppTestHarness.h"
#include "RegisterWindowKit.h"
#include "registers/RegisterEditWindow.h"
#include "registers/RegisterSession.h"
#include "registers/RegisterTableModel.h"
#include "registers/RegisterWindow.h"
#include "tools/DocumentToolbar.h"
#include "tools/StyledTextWindow.h"

using divelog::DocumentKind;

using registerkit::cellText;
using registerkit::type;

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
        qunsetenv("TZ");
        tzset();
    }

    void anInterventionReopensWithItsAbsorbentTimeInAnotherZone() {
        setZone("UTC-14");
        RegisterWindow* w = newRegister(DocumentKind::Rebreather);
        for (const char* hours : {"118 h", "120 h"}) {
            w->newCard();
            RegisterEditWindow* edit = w->editWindow();
            type(edit, "rebreatherTime", hours);
            qobject_cast<QTimeEdit*>(edit->control("sofnoTime"))->setTime(QTime(2, 30));
            QVERIFY(!edit->control("nbCells")->isEnabled());
            check(edit, "cells");
            QVERIFY(edit->control("nbCells")->isEnabled());
            qobject_cast<QComboBox*>(edit->control("nbCells"))->setCurrentIndex(3);
            edit->toolbar()->action("addRebreatherService")->trigger();
        }
        QCOMPARE(w->countLabel()->text(), QString("2 interventions"));
        const QString path = saveAndClose(w, "service.dlrebreather");

        setZone("UTC+11");
        RegisterWindow* again = reopen(path);
        QCOMPARE(again->session().singleSelection(), std::optional<std::size_t>(1));
        QCOMPARE(cellText(again, 1, "rebreatherTime"), QString("120 h"));
        QCOMPARE(cellText(again, 1, "sofnoTime"), QString("02:30"));
        QCOMPARE(cellText(again, 1, "nbCells"), QString("3"));
        again->openEditWindow();
        QCOMPARE(qobject_cast<QTimeEdit*>(again->editWindow()->control("sofnoTime"))->time(),
                 QTime(2, 30));
        printBoth(again, "rebreather");
    }

    void aCompressorServiceKeepsItsAnalysesAndSavesFromTheEditWindow() {
        RegisterWindow* w = newRegister(DocumentKind::Compresseur);
        w->newCard();
        RegisterEditWindow* edit = w->editWindow();
        QCOMPARE(edit->toolbar()->actions().first(), edit->toolbar()->action("saveDocument"));
        qobject_cast<QTimeEdit*>(edit->control("temps"))->setTime(QTime(1, 5));
        check(edit, "vidange");
        QVERIFY(edit->control("typeHuile")->isEnabled());
        check(edit, "cartouche");
        QVERIFY(!edit->control("charbon")->isEnabled());
        QCOMPARE(qobject_cast<QLineEdit*>(edit->control("anCO2"))->text(), QString("-"));
        type(edit, "anCO2", "500");
        qobject_cast<QComboBox*>(edit->control("anCO2Unit"))->setCurrentIndex(1);
        edit->toolbar()->action("addService")->trigger();
        QCOMPARE(w->countLabel()->text(), QString("1 service"));

        RegisterWindow* again = reopen(saveAndClose(w, "compressor.dlcompressor"));
        QCOMPARE(cellText(again, 0, "temps"), QString("01:05"));
        QCOMPARE(cellText(again, 0, "anCO2"), QString("500 ppm"));
        QCOMPARE(cellText(again, 0, "anHuile"), QString("-"));
        printBoth(again, "compressor");
    }

    void aPartLowOnStockIsRedAndItsCountDateFollowsTheSwitch() {
        RegisterWindow* w = newRegister(DocumentKind::Consommables);
        w->newCard();
        RegisterEditWindow* edit = w->editWindow();
        type(edit, "reference", "OR-2-015");
        type(edit, "stock", "3");
        type(edit, "reserve", "5");
        edit->goView(2);
        auto* now = edit->findChild<QPushButton*>("dateInventaireNow");
        QVERIFY(now && !now->isVisible() && !edit->control("dateInventaire")->isVisible());
        qobject_cast<QCheckBox*>(edit->control("noInventaire"))->setChecked(false);
        QVERIFY(now->isVisible() && edit->control("dateInventaire")->isVisible());
        edit->toolbar()->action("addPart")->trigger();

        RegisterWindow* again = reopen(saveAndClose(w, "parts.dlconsumables"));
        QCOMPARE(cellText(again, 0, "stock"), QString("3"));
        QVERIFY(!cellText(again, 0, "dateInventaire").isEmpty());
        const QModelIndex reference =
            again->model()->index(0, again->model()->columnOf("reference"));
        QCOMPARE(reference.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::red));
        printBoth(again, "consumables");
    }

    // No missing text or bare field name shows in the windows of the three.
    void everyLabelIsTranslated() {
        for (auto kind :
             {DocumentKind::Rebreather, DocumentKind::Compresseur, DocumentKind::Consommables}) {
            RegisterWindow* w = newRegister(kind);
            QStringList shown;
            for (auto* l : w->editWindow()->findChildren<QLabel*>()) shown << l->text();
            for (auto* c : w->editWindow()->findChildren<QComboBox*>())
                for (int i = 0; i < c->count(); ++i) shown << c->itemText(i);
            for (const auto& c : w->session().spec().columns()) {
                const QString title =
                    w->model()
                        ->headerData(w->model()->columnOf(c.field), Qt::Horizontal)
                        .toString();
                QVERIFY2(title != QString::fromUtf8(c.field.data(), c.field.size()),
                         qPrintable(title));
                shown << title;
            }
            for (const QString& t : shown) QVERIFY2(!t.contains("error"), qPrintable(t));
        }
    }

private:
    void printBoth(RegisterWindow* w, const QString& name) {
        QVERIFY(registerkit::printBoth(w, dir_.path(), name));
        w->showSynthesis();
        QVERIFY(!w->synthesisWindow()->document().toPlainText().contains("error"));
    }
    RegisterWindow* newRegister(divelog::DocumentKind kind) {
        return registerkit::newRegister(*app_, kind);
    }
    static void setZone(const char* zone) {
        qputenv("TZ", zone);
        tzset();
    }
    QString saveAndClose(RegisterWindow* w, const QString& name) {
        app_->prompts->nextSavePath = dir_.filePath(name);
        if (!w->save() || !w->close()) return {};
        flushDeletes();
        return dir_.filePath(name);
    }
    RegisterWindow* reopen(const QString& path) {
        auto* w = qobject_cast<RegisterWindow*>(app_->controller->openDocument(path));
        QTest::qVerify(w != nullptr, "w", qPrintable(path), __FILE__, __LINE__);
        return w;
    }
    static void check(RegisterEditWindow* edit, const char* field) {
        qobject_cast<QCheckBox*>(edit->control(field))->setChecked(true);
    }

    QTemporaryDir dir_;
    std::unique_ptr<AppHarness> app_;
};

QTEST_MAIN(ServiceRegistersTest)
#include "tst_registers_service.moc"
