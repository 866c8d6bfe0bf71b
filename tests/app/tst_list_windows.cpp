// The logbook and the register windows share one list machinery: the table
// reports the selection it is moved to while rows are inserted, and neither
// window takes that for a click. Insert after New stores the typed record
// once without asking about it, before the record selected when New was
// pressed; Insert with a record shown, a combo box edited, leaves that one
// as it was.

#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "AppTestHarness.h"
#include "RegisterWindowKit.h"
#include "logbook/CarnetWindow.h"
#include "logbook/DiveEditWindow.h"
#include "logbook/DiveTableModel.h"
#include "logbook/LogbookToolbar.h"
#include "registers/RegisterEditWindow.h"
#include "registers/RegisterSession.h"
#include "tools/DocumentToolbar.h"

namespace {

void typeDive(DiveEditWindow* edit, const char* name, const QString& text) {
    auto* line = qobject_cast<QLineEdit*>(edit->control(name));
    if (!line) line = qobject_cast<QComboBox*>(edit->control(name))->lineEdit();
    line->selectAll();
    QTest::keyClicks(line, text);
    emit line->editingFinished();
}

}  // namespace

class ListWindows : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(dir_.isValid());
        app_ = std::make_unique<AppHarness>(dir_.filePath("settings.ini"));
    }
    void cleanup() {
        app_.reset();
        flushDeletes();
        QFile::remove(dir_.filePath("settings.ini"));
    }

    void registerInsertAfterNewStoresTheCardOnce_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("wrecks") << int(divelog::DocumentKind::Epaves);
        QTest::newRow("firms") << int(divelog::DocumentKind::Entreprises);
        QTest::newRow("documents") << int(divelog::DocumentKind::DiversDocuments);
    }
    void registerInsertAfterNewStoresTheCardOnce() {
        QFETCH(int, kind);
        RegisterWindow* w = registerkit::newRegister(*app_, divelog::DocumentKind(kind));
        const auto& names = w->session().spec().names();
        std::string first;
        for (const auto& c : w->session().spec().controls())
            if (first.empty() && c.kind == divelog::ControlKind::Text) first = std::string(c.field);
        for (const char* text : {"A", "B"}) {
            w->newCard();
            registerkit::type(w->editWindow(), first.c_str(), text);
            w->editWindow()->toolbar()->action(std::string(names.addItem))->trigger();
        }
        w->table()->selectRow(1);
        w->newCard();
        registerkit::type(w->editWindow(), first.c_str(), "C");
        app_->prompts->newCardAnswer = UserPrompts::NewDiveChoice::Add;
        w->editWindow()->toolbar()->action(std::string(names.insertItem))->trigger();
        QCOMPARE(app_->prompts->newCardQuestions, 0);
        QCOMPARE(texts(w, first), (QStringList{"A", "C", "B"}));
        QCOMPARE(w->session().singleSelection(), std::optional<std::size_t>(1));
        QVERIFY(!w->session().hasUnstoredRecord());
    }

    void registerInsertWithACardShownLeavesItAsItWas() {
        RegisterWindow* w = registerkit::newRegister(*app_, divelog::DocumentKind::Epaves);
        for (const char* text : {"A", "B"}) {
            w->newCard();
            registerkit::type(w->editWindow(), "nom", text);
            w->editWindow()->toolbar()->action("addWreck")->trigger();
        }
        w->table()->selectRow(1);
        registerkit::type(w->editWindow(), "nom", "X");
        w->editWindow()->toolbar()->action("insertWreck")->trigger();
        QCOMPARE(texts(w, "nom"), (QStringList{"A", "X", "B"}));
        w->table()->selectRow(2);
        QCOMPARE(registerkit::cellText(w, 2, "nom"), QString("B"));
        QCOMPARE(app_->prompts->newCardQuestions, 0);
    }

    // The end of a combo edit asks about the pick list but writes nothing
    // into the card shown, so Insert leaves it as it was.
    void registerInsertAfterAComboEditLeavesTheShownCard() {
        RegisterWindow* w = registerkit::newRegister(*app_, divelog::DocumentKind::Budget);
        for (const char* text : {"A", "B"}) {
            w->newCard();
            registerkit::type(w->editWindow(), "entreprise", text);
            w->editWindow()->toolbar()->action("addPrestation")->trigger();
        }
        const QModelIndex b = w->model()->index(1, 0);
        w->table()->selectRow(1);
        emit w->table()->doubleClicked(b);
        registerkit::type(w->editWindow(), "entreprise", "X");
        registerkit::type(w->editWindow(), "prestation", "Rental");
        QCOMPARE(app_->prompts->questions.size(), 1);  // "Rental" is offered to the list
        w->editWindow()->toolbar()->action("insertPrestation")->trigger();
        QCOMPARE(texts(w, "entreprise"), (QStringList{"A", "X", "B"}));
        QCOMPARE(texts(w, "prestation"), (QStringList{"", "Rental", ""}));
        QCOMPARE(w->session().singleSelection(), std::optional<std::size_t>(1));
    }

    // New clears the consumables' selection; Insert still puts the new part
    // before the one selected, and with no part to go before it is not offered.
    void consumablesInsertAfterNewGoesBeforeTheSelectedPart() {
        RegisterWindow* w = registerkit::newRegister(*app_, divelog::DocumentKind::Consommables);
        QAction* insert = nullptr;
        for (const char* text : {"A", "B"}) {
            w->newCard();
            insert = w->editWindow()->toolbar()->action("insertPart");
            QVERIFY(!insert->isEnabled());  // nothing to insert before
            registerkit::type(w->editWindow(), "reference", text);
            w->editWindow()->toolbar()->action("addPart")->trigger();
        }
        w->table()->selectRow(1);
        w->newCard();
        QVERIFY(w->table()->selectionModel()->selectedRows().isEmpty());
        QVERIFY(insert->isEnabled());
        registerkit::type(w->editWindow(), "reference", "C");
        insert->trigger();
        QCOMPARE(texts(w, "reference"), (QStringList{"A", "C", "B"}));
        QCOMPARE(app_->prompts->newCardQuestions, 0);
        QCOMPARE(w->table()->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(w->table()->selectionModel()->selectedRows().front().row(), 1);
    }

    void logbookInsertAfterNewStoresTheDiveOnce() {
        app_->controller->newDocumentOfKind(divelog::DocumentKind::Carnet);
        auto* w = qobject_cast<CarnetWindow*>(app_->controller->windows().last());
        QVERIFY(w);
        for (const char* site : {"A", "B"}) {
            w->newDive();
            typeDive(w->editWindow(), "site", site);
            w->addDive();
        }
        w->table()->selectRow(1);
        w->newDive();
        typeDive(w->editWindow(), "site", "C");
        app_->prompts->newDiveAnswer = UserPrompts::NewDiveChoice::Add;
        w->editWindow()->toolbar()->action("insertDive")->trigger();
        QCOMPARE(app_->prompts->newDiveQuestions, 0);
        QStringList sites;
        for (const auto& d : w->carnet().dives())
            sites << QString::fromStdString(d->site().value_or(""));
        QCOMPARE(sites, (QStringList{"A", "C", "B"}));
        QCOMPARE(w->table()->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(w->table()->selectionModel()->selectedRows().front().row(), 1);
    }

private:
    static QStringList texts(RegisterWindow* w, const std::string& field) {
        QStringList out;
        for (int r = 0; r < w->model()->rowCount(); ++r)
            out << registerkit::cellText(w, r, field.c_str());
        return out;
    }

    QTemporaryDir dir_;
    std::unique_ptr<AppHarness> app_;
};

QTEST_MAIN(ListWindows)
#include "tst_list_windows.moc"
