// The budget, firms, structures and documents registers as a diver uses
// them: a card typed in the edit window, added, saved and reopened with its
// cells; the budget's figures beside their controls; a scanned copy kept
// byte for byte; lists and cards printed.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "AppTestHarness.h"
#include "RegisterWindowKit.h"
#include "registers/DiversDocs.h"
#include "registers/RegisterDocument.h"
#include "registers/RegisterEditWindow.h"
#include "registers/RegisterSession.h"
#include "registers/RegisterTableModel.h"
#include "registers/RegisterWindow.h"
#include "tools/DocumentToolbar.h"
#include "tools/StyledTextWindow.h"

using divelog::DocumentKind;

using registerkit::cellText;
using registerkit::type;

class RegisterDirectoriesTest : public QObject {
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

    void eachKindIsTypedSavedAndReopened_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("addItem");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("count");
        QTest::newRow("budget") << int(DocumentKind::Budget) << "addPrestation"
                                << "entreprise"
                                << "2 services";
        QTest::newRow("firms") << int(DocumentKind::Entreprises) << "addFirm"
                               << "entreprise"
                               << "2 firms";
        QTest::newRow("structures") << int(DocumentKind::Structures) << "addStructure"
                                    << "nom"
                                    << "2 structures";
        QTest::newRow("documents") << int(DocumentKind::DiversDocuments) << "addDoc"
                                   << "titre"
                                   << "2 documents";
    }
    void eachKindIsTypedSavedAndReopened() {
        QFETCH(int, kind);
        QFETCH(QString, addItem);
        QFETCH(QString, field);
        QFETCH(QString, count);
        RegisterWindow* w = newRegister(DocumentKind(kind));
        const QByteArray f = field.toUtf8();
        for (const char* name : {"Blue Reef", "Coral Point"}) {
            w->newCard();
            RegisterEditWindow* edit = w->editWindow();
            QVERIFY(edit->isVisible());
            type(edit, f, name);
            QAction* add = edit->toolbar()->action(addItem.toStdString());
            QVERIFY(add);
            add->trigger();
        }
        QCOMPARE(w->countLabel()->text(), count);
        app_->prompts->nextSavePath = dir_.filePath(QTest::currentDataTag());
        QVERIFY(w->save());
        const QString path = QString::fromStdString(w->document().filePath());
        QVERIFY(w->close());
        flushDeletes();

        auto* again = qobject_cast<RegisterWindow*>(app_->controller->openDocument(path));
        QVERIFY(again);
        QCOMPARE(int(again->document().kind()), kind);
        QCOMPARE(again->model()->rowCount(), 2);
        QCOMPARE(cellText(again, 0, f), QString("Blue Reef"));
        QCOMPARE(cellText(again, 1, f), QString("Coral Point"));
        // The documents register shows its last paper after loading; the others the first.
        const std::size_t shown = kind == int(DocumentKind::DiversDocuments) ? 1 : 0;
        QCOMPARE(again->session().singleSelection(), std::optional<std::size_t>(shown));
        QVERIFY(app_->prompts->reports.isEmpty());
        printBoth(again, QTest::currentDataTag());
    }

    void theBudgetShowsItsTotalAndPricesPerUnit() {
        RegisterWindow* w = newRegister(DocumentKind::Budget);
        w->newCard();
        RegisterEditWindow* edit = w->editWindow();
        type(edit, "prixUnitaire_0", "30");
        type(edit, "quantite_0", "2");
        type(edit, "prixUnitaire_1", "5");
        type(edit, "quantite_1", "1");
        type(edit, "prixUnitaire_2", "2.5");
        type(edit, "quantite_2", "3");
        QCOMPARE(edit->findChild<QLabel*>("total")->text(), QString("Total: 72.50 €"));
        edit->goView(2);
        QVERIFY(!edit->control("unitesCarte_1")->isEnabled());
        qobject_cast<QCheckBox*>(edit->control("prixDegressif"))->setChecked(true);
        QVERIFY(edit->control("unitesCarte_1")->isEnabled());
        type(edit, "unitesCarte_1", "10");
        type(edit, "prixCarte_1", "250");
        QCOMPARE(edit->findChild<QLabel*>("perUnit_1")->text(), QString("25.00 € per unit"));
        QCOMPARE(edit->findChild<QLabel*>("perUnit_2")->text(), QString());
    }

    void aScannedCopyComesBackByteForByte() {
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkYellow);
        const QString png = dir_.filePath("licence.png");
        QVERIFY(picture.save(png));
        QFile file(png);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();

        RegisterWindow* w = newRegister(DocumentKind::DiversDocuments);
        w->newCard();
        RegisterEditWindow* edit = w->editWindow();
        type(edit, "titre", "Licence");
        edit->goView(2);
        app_->prompts->nextOpenPath = png;
        QPushButton* choose = nullptr;
        for (auto* b : edit->control("photocopy")->findChildren<QPushButton*>())
            if (b->text() == app_->text.main("Choose picture")) choose = b;
        QVERIFY(choose);
        choose->click();
        w->addCard();
        app_->prompts->nextSavePath = dir_.filePath("papers");
        QVERIFY(w->save());

        divelog::RegisterDocument back(DocumentKind::DiversDocuments, w->session().spec());
        divelog::DocumentError error;
        QVERIFY(back.open(w->document().filePath(), error));
        const auto& image = back.record(0).image(divelog::DiversDocs::photocopy);
        QVERIFY(image);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(image->bytes.data()),
                            static_cast<qsizetype>(image->bytes.size())),
                 bytes);
    }

    void theStructuresEditToolbarOffersSave() {
        RegisterWindow* w = newRegister(DocumentKind::Structures);
        QVERIFY(w->editWindow()->toolbar()->action("saveDocument"));
        QVERIFY(!newRegister(DocumentKind::Entreprises)
                     ->editWindow()
                     ->toolbar()
                     ->action("saveDocument"));
    }

    void noWindowShowsARawKey() {
        for (DocumentKind kind : {DocumentKind::Budget, DocumentKind::Entreprises,
                                  DocumentKind::Structures, DocumentKind::DiversDocuments}) {
            RegisterWindow* r = newRegister(kind);
            r->newCard();
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

private:
    void printBoth(RegisterWindow* w, const QString& tag) {
        QVERIFY(registerkit::printBoth(w, dir_.path(), tag));
        w->showSynthesis();
        QVERIFY(w->synthesisWindow()->document().toPlainText().contains("Coral Point"));
    }
    RegisterWindow* newRegister(divelog::DocumentKind kind) {
        return registerkit::newRegister(*app_, kind);
    }

    QTemporaryDir dir_;
    std::unique_ptr<AppHarness> app_;
};

QTEST_MAIN(RegisterDirectoriesTest)
#include "tst_registers_directories.moc"
