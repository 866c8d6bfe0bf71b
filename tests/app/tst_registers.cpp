// The register windows as a diver uses them: wrecks typed in the edit
// window, saved and reopened; a typed card never dropped without asking;
// pictures kept byte for byte; lists and cards printed.

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "AppTestHarness.h"
#include "RegisterWindowKit.h"
#include "registers/Epaves.h"
#include "registers/Materiel.h"
#include "registers/RegisterDocument.h"
#include "registers/RegisterEditWindow.h"
#include "registers/RegisterSession.h"
#include "registers/RegisterTableModel.h"
#include "registers/RegisterWindow.h"
#include "tools/DocumentToolbar.h"
#include "tools/StyledTextWindow.h"

using registerkit::cellText;
using registerkit::type;

class RegistersTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QFile::remove(dir_.filePath("settings.ini"));
        app_ = std::make_unique<AppHarness>(dir_.filePath("settings.ini"));
    }
    void cleanup() {
        app_.reset();
        flushDeletes();
    }

    void twoWrecksTypedSavedAndReopened() {
        RegisterWindow* w = newRegister(divelog::DocumentKind::Epaves);
        QCOMPARE(w->countLabel()->text(), QString("0 wrecks"));
        for (const char* name : {"Donator", "Grec"}) {
            w->newCard();
            RegisterEditWindow* edit = w->editWindow();
            QVERIFY(edit->isVisible());
            type(edit, "nom", name);
            type(edit, "pointHaut", "-");
            edit->toolbar()->action("addWreck")->trigger();
        }
        QCOMPARE(w->model()->rowCount(), 2);
        QCOMPARE(w->countLabel()->text(), QString("2 wrecks"));
        QVERIFY(w->document().isChanged());

        app_->prompts->nextSavePath = dir_.filePath("wrecks");
        QVERIFY(w->save());
        const QString path = dir_.filePath("wrecks.dlwrecks");
        QVERIFY(w->close());
        flushDeletes();
        auto* again = qobject_cast<RegisterWindow*>(app_->controller->openDocument(path));
        QVERIFY(again);
        QCOMPARE(again->model()->rowCount(), 2);
        QCOMPARE(cellText(again, 0, "nom"), QString("Donator"));
        QCOMPARE(cellText(again, 1, "pointHaut"), QString("-"));
        // The last wreck is shown after loading.
        QCOMPARE(again->session().singleSelection(), std::optional<std::size_t>(1));
        QVERIFY(app_->prompts->reports.isEmpty());
    }

    void aTypedCardIsAskedAboutAndTheDeleteDefaultsToCancel() {
        RegisterWindow* w = newRegister(divelog::DocumentKind::Materiel);
        w->newCard();
        type(w->editWindow(), "typeMatos", "Regulator");
        // Closing the edit window: the card is asked about, and Cancel keeps it open.
        app_->prompts->newCardAnswer = UserPrompts::NewDiveChoice::Cancel;
        QVERIFY(!w->editWindow()->close());
        QCOMPARE(app_->prompts->newCardQuestions, 1);
        app_->prompts->newCardAnswer = UserPrompts::NewDiveChoice::Add;
        QVERIFY(w->editWindow()->close());
        QCOMPARE(w->model()->rowCount(), 1);

        w->table()->selectRow(0);
        app_->prompts->confirmAnswer = false;
        w->deleteCards();
        QCOMPARE(app_->prompts->confirmations.last(), app_->text.main("Erase card"));
        QCOMPARE(w->model()->rowCount(), 1);
        app_->prompts->confirmAnswer = true;
        w->deleteCards();
        QCOMPARE(w->model()->rowCount(), 0);
        QVERIFY(w->undoAction()->isEnabled());
        w->undoAction()->trigger();
        QCOMPARE(w->model()->rowCount(), 1);
    }

    void theEditWindowKeepsItsSizeAndShowsNoRawKey() {
        RegisterWindow* w = newRegister(divelog::DocumentKind::Epaves);
        RegisterEditWindow* edit = w->editWindow();
        edit->resize(700, 500);
        for (int view = 1; view <= 5; ++view) {
            edit->goView(view);
            QCOMPARE(edit->size(), QSize(700, 500));
        }
        for (RegisterWindow* r : {w, newRegister(divelog::DocumentKind::Materiel)}) {
            QWidget* e = r->editWindow();
            QStringList shown;
            for (auto* l : e->findChildren<QLabel*>()) shown << l->text();
            for (auto* b : e->findChildren<QAbstractButton*>()) shown << b->text();
            for (auto* c : e->findChildren<QComboBox*>())
                for (int i = 0; i < c->count(); ++i) shown << c->itemText(i);
            for (int c = 0; c < r->model()->columnCount(); ++c)
                shown << r->model()->headerData(c, Qt::Horizontal).toString();
            for (const QString& t : shown) QVERIFY2(!t.contains("error"), qPrintable(t));
        }
    }

    void theSwitchesShowAndHideTheirControls() {
        RegisterWindow* w = newRegister(divelog::DocumentKind::Materiel);
        w->newCard();
        RegisterEditWindow* edit = w->editWindow();
        edit->goView(2);
        auto* noInspection = qobject_cast<QCheckBox*>(edit->control("noInspection"));
        QVERIFY(noInspection->isChecked());
        QVERIFY(!edit->control("bloc")->isVisible());
        noInspection->setChecked(false);
        QVERIFY(edit->control("bloc")->isVisible());
        QVERIFY(!edit->control("capaciteBloc")->isVisible());
        qobject_cast<QCheckBox*>(edit->control("bloc"))->setChecked(true);
        QVERIFY(edit->control("capaciteBloc")->isVisible());
    }

    void aPhotoComesBackByteForByte() {
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        const QString png = dir_.filePath("photo.png");
        QVERIFY(picture.save(png));
        QFile file(png);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();

        RegisterWindow* w = newRegister(divelog::DocumentKind::Epaves);
        w->newCard();
        RegisterEditWindow* edit = w->editWindow();
        type(edit, "nom", "Togo");
        edit->goView(5);
        app_->prompts->nextOpenPath = png;
        QPushButton* choose = nullptr;
        for (auto* b : edit->control("photo")->findChildren<QPushButton*>())
            if (b->text() == app_->text.main("Choose picture")) choose = b;
        QVERIFY(choose);
        choose->click();
        auto* shown = edit->control("photo")->findChild<QLabel*>("photoPicture");
        QVERIFY(!shown->pixmap().isNull());
        w->addCard();
        app_->prompts->nextSavePath = dir_.filePath("photo");
        QVERIFY(w->save());

        divelog::RegisterDocument back(divelog::DocumentKind::Epaves, w->session().spec());
        divelog::DocumentError error;
        QVERIFY(back.open(dir_.filePath("photo.dlwrecks").toStdString(), error));
        const auto& image = back.record(0).image(divelog::Epaves::photo);
        QVERIFY(image);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(image->bytes.data()),
                            static_cast<qsizetype>(image->bytes.size())),
                 bytes);
    }

    void theListAndTheCardPrint() {
        RegisterWindow* w = newRegister(divelog::DocumentKind::Materiel);
        for (const char* kind : {"Regulator", "Computer", "Fins"}) {
            w->newCard();
            type(w->editWindow(), "typeMatos", kind);
            w->addCard();
        }
        for (const char* name : {"list", "card"}) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            const QString pdf = dir_.filePath(QString(name) + ".pdf");
            printer.setOutputFileName(pdf);
            if (QString(name) == "list") {
                w->printList(printer);
                QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
            } else {
                w->printSynthesis(printer);
                QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Portrait);
            }
            QVERIFY(QFileInfo(pdf).size() > 1500);
        }
        w->showSynthesis();
        QVERIFY(w->synthesisWindow()->isVisible());
        QVERIFY(w->synthesisWindow()->document().toPlainText().contains("Computer"));
    }

    void aHeaderClickSortsAndTheIndicatorFollows() {
        RegisterWindow* w = newRegister(divelog::DocumentKind::Epaves);
        for (const char* name : {"B", "C", "A"}) {
            w->newCard();
            type(w->editWindow(), "nom", name);
            w->addCard();
        }
        const int column = w->model()->columnOf("nom");
        w->sortByColumn(column);
        QCOMPARE(cellText(w, 0, "nom"), QString("C"));
        QCOMPARE(w->table()->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
        w->sortByColumn(column);
        QCOMPARE(cellText(w, 0, "nom"), QString("A"));
    }

private:
    RegisterWindow* newRegister(divelog::DocumentKind kind) {
        return registerkit::newRegister(*app_, kind);
    }

    QTemporaryDir dir_;
    std::unique_ptr<AppHarness> app_;
};

QTEST_MAIN(RegistersTest)
#include "tst_registers.moc"
