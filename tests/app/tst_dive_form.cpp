// The logbook window and its edit window over the session: a dive typed into
// the widgets reaches the table, browsing and sorting write nothing, search
// selects in one step, preferences reach the table through notifications,
// and the toolbars hold their items.

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <map>

#include "AppTestHarness.h"
#include "logbook/Carnet.h"
#include "logbook/CarnetSession.h"
#include "logbook/CarnetWindow.h"
#include "logbook/DiveEditWindow.h"
#include "logbook/DiveFormBinder.h"
#include "logbook/DiveSearchField.h"
#include "logbook/DiveTableModel.h"
#include "logbook/LogbookToolbar.h"
#include "logbook/RenumberPanel.h"
#include "stats/LogbookReports.h"
#include "stats/StatisticsWindow.h"
#include "tools/TickedGauge.h"

namespace {

using Fields = std::map<std::string, std::string>;

QLineEdit* lineOf(QWidget* control) {
    if (auto* box = qobject_cast<QComboBox*>(control)) return box->lineEdit();
    return qobject_cast<QLineEdit*>(control);
}

// Key clicks, accented letters included (keyClicks takes ASCII only).
void typeInto(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(widget, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Replaces the field's text the way a user does: select all, type.
void type(DiveEditWindow* edit, const char* name, const QString& text) {
    QLineEdit* line = lineOf(edit->control(name));
    QVERIFY2(line, name);
    line->selectAll();
    typeInto(line, text);
}

QString shown(DiveEditWindow* edit, const char* name) {
    return lineOf(edit->control(name))->text();
}

void chooseTag(DiveEditWindow* edit, const char* name, int tag) {
    auto* box = qobject_cast<QComboBox*>(edit->control(name));
    box->setCurrentIndex(box->findData(tag));
}

int column(const char* field) {
    return DiveTableModel::columnOf(*divelog::Plongee::fieldNamed(field));
}

QString cell(CarnetWindow* w, int row, const char* field, int role = Qt::DisplayRole) {
    return w->model()->index(row, column(field)).data(role).toString();
}

void clickRow(CarnetWindow* w, int row) {
    const QRect r = w->table()->visualRect(w->model()->index(row, 0));
    QTest::mouseClick(w->table()->viewport(), Qt::LeftButton, {}, r.center());
}

QAction* item(QWidget* window, const char* identifier) {
    return window->findChild<QAction*>(identifier);
}

std::vector<divelog::Plongee> copies(const divelog::Carnet& carnet) {
    std::vector<divelog::Plongee> out;
    for (const auto& d : carnet.dives()) out.push_back(*d);
    return out;
}

}  // namespace

class DiveFormWindows : public QObject {
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

    void typedDiveIsAddedShownEditedAndDeleted() {
        app_->store.setBool("mix in color", true);
        CarnetWindow* w = openLogbook();
        w->newDive();
        DiveEditWindow* edit = w->editWindow();
        QVERIFY(edit->isVisible());
        QCOMPARE(edit->windowTitle(), QString("Dive 1"));
        QVERIFY2(!w->session().form().modified(), "filling the widgets is no edit");

        type(edit, "noPlongee", "12");
        type(edit, "site", "Tombant des Américains");
        QTest::keyClick(lineOf(edit->control("site")), Qt::Key_Return);
        QCOMPARE(app_->prompts->questions, QStringList{app_->text.main("Add item to ComboBox")});
        const auto& sites = app_->context.pickLists().list("sites");
        QVERIFY(std::find(sites.begin(), sites.end(), "Tombant des Américains") != sites.end());
        type(edit, "profondeur", "31,5");
        type(edit, "temps", "48");
        QVERIFY2(!edit->control("heMix")->isEnabled(), "air has no helium");
        chooseTag(edit, "gaz", 2);
        QVERIFY(edit->control("heMix")->isEnabled());
        type(edit, "heMix", "90");
        QCOMPARE(shown(edit, "heMix"), QString("9"));  // 90 is past the helium a mix may hold

        item(edit, "addDiveToList")->trigger();
        QVERIFY(app_->prompts->reports.isEmpty());
        QCOMPARE(w->model()->rowCount(), 1);
        QCOMPARE(cell(w, 0, "noPlongee"), QString("12"));
        QCOMPARE(cell(w, 0, "site"), QString("Tombant des Américains"));
        QCOMPARE(cell(w, 0, "profondeur"), QString("31.5 m"));
        QCOMPARE(cell(w, 0, "temps"), QString("48 min"));
        QCOMPARE(cell(w, 0, "gaz"), QString("Tx 21/9"));
        const QModelIndex gas = w->model()->index(0, column("gaz"));
        QVERIFY(gas.data(Qt::FontRole).value<QFont>().bold());
        QVERIFY(gas.data(Qt::BackgroundRole).isValid());
        QCOMPARE(w->countLabel()->text(), QString("1 dive"));
        QVERIFY(w->isWindowModified());
        QCOMPARE(shown(edit, "noPlongee"), QString("13"));
        QCOMPARE(shown(edit, "site"), QString());

        clickRow(w, 0);
        QCOMPARE(shown(edit, "site"), QString("Tombant des Américains"));
        QCOMPARE(shown(edit, "profondeur"), QString("31.5"));
        QVERIFY(!w->session().form().modified());
        type(edit, "bateau", "Aldebaran");
        item(edit, "updateDive")->trigger();
        QCOMPARE(w->carnet().dive(0).bateau(), std::optional<std::string>("Aldebaran"));
        QCOMPARE(w->carnet().dive(0).noPlongee(), 12);

        typeInto(edit->control("notes"), QString("Big groupers, mérous"));
        QVERIFY(edit->close());
        QVERIFY(!edit->isVisible());
        QCOMPARE(w->carnet().dive(0).notes(), std::optional<std::string>("Big groupers, mérous"));

        app_->prompts->confirmAnswer = false;
        item(w, "deleteDive")->trigger();
        QCOMPARE(w->model()->rowCount(), 1);
        QCOMPARE(app_->prompts->confirmations, QStringList{app_->text.main("Erase dive")});
        app_->prompts->confirmAnswer = true;
        item(w, "deleteDive")->trigger();
        QCOMPARE(w->model()->rowCount(), 0);
        QCOMPARE(w->countLabel()->text(), QString("0 dives"));
    }

    void answeringNoKeepsTheListAndAsksOnce() {
        CarnetWindow* w = openLogbook();
        w->newDive();
        DiveEditWindow* edit = w->editWindow();
        app_->prompts->askAnswer = false;
        type(edit, "lieu", "Porquerolles");
        QTest::keyClick(lineOf(edit->control("lieu")), Qt::Key_Return);
        QTest::keyClick(lineOf(edit->control("lieu")), Qt::Key_Return);
        QCOMPARE(app_->prompts->questions.size(), 1);
        QVERIFY(app_->context.pickLists().list("lieux").empty());
        QVERIFY2(app_->store.hasStoredValue("lieux"), "the list is stored either way");
        type(edit, "lieu", "   ");
        QTest::keyClick(lineOf(edit->control("lieu")), Qt::Key_Return);
        QCOMPARE(app_->prompts->questions.size(), 1);  // spaces only ask nothing
    }

    void aNewDiveTypedIsAskedAboutBeforeAnythingDropsIt() {
        CarnetWindow* w = openLogbook(
            {Fields{{"site", "Riou"}}, Fields{{"site", "Maïre"}}, Fields{{"site", "Plane"}}});
        const auto before = copies(w->carnet());
        clickRow(w, 1);
        w->newDive();
        DiveEditWindow* edit = w->editWindow();
        type(edit, "site", "typed, not added yet");

        // Cancel: the window stays, with what was typed.
        app_->prompts->newDiveAnswer = UserPrompts::NewDiveChoice::Cancel;
        QVERIFY(!edit->close());
        QVERIFY(edit->isVisible());
        clickRow(w, 2);
        // The click is taken back.
        QCOMPARE(w->session().singleSelection(), std::optional<std::size_t>(1));
        QCOMPARE(shown(edit, "site"), QString("typed, not added yet"));
        w->newDive();
        QCOMPARE(shown(edit, "site"), QString("typed, not added yet"));
        QVERIFY(!w->close());
        QCOMPARE(app_->prompts->newDiveQuestions, 4);
        QVERIFY(copies(w->carnet()) == before);

        // Discard: gone, and nothing else changed.
        app_->prompts->newDiveAnswer = UserPrompts::NewDiveChoice::Discard;
        QVERIFY(edit->close());
        QVERIFY(copies(w->carnet()) == before);
        QVERIFY(!w->isWindowModified());

        // Add: the dive typed joins the logbook.
        w->newDive();
        type(edit, "site", "Jarre");
        app_->prompts->newDiveAnswer = UserPrompts::NewDiveChoice::Add;
        clickRow(w, 0);
        QCOMPARE(w->carnet().recordCount(), std::size_t(4));
        QCOMPARE(w->carnet().dive(3).site(), std::optional<std::string>("Jarre"));
        QCOMPARE(shown(edit, "site"), QString("Riou"));  // then the click loads its dive
        QCOMPARE(app_->prompts->newDiveQuestions, 6);
    }

    void editDiveOfAnEmptyLogbookIsANewDive() {
        CarnetWindow* w = openLogbook();
        item(w, "logbookEditDive")->trigger();
        DiveEditWindow* edit = w->editWindow();
        QCOMPARE(edit->windowTitle(), QString("Dive 1"));
        type(edit, "site", "Sormiou");
        app_->prompts->newDiveAnswer = UserPrompts::NewDiveChoice::Add;
        QVERIFY(edit->close());
        QCOMPARE(w->carnet().recordCount(), std::size_t(1));
        QCOMPARE(w->carnet().dive(0).site(), std::optional<std::string>("Sormiou"));
    }

    void doubleClickInASelectionOpensTheRowClicked() {
        CarnetWindow* w =
            openLogbook({Fields{{"site", "A"}}, Fields{{"site", "B"}}, Fields{{"site", "C"}}});
        w->table()->selectAll();
        emit w->table()->doubleClicked(w->model()->index(1, 0));
        QCOMPARE(shown(w->editWindow(), "site"), QString("B"));
        QCOMPARE(w->session().singleSelection(), std::optional<std::size_t>(1));
    }

    void headerClickSortsUnmarkedAndEditsFollowTheirDive() {
        CarnetWindow* w = openLogbook({Fields{{"profondeur", "20"}, {"site", "A"}},
                                       Fields{{"profondeur", "35"}, {"site", "B"}},
                                       Fields{{"profondeur", "10"}, {"site", "C"}}});
        clickRow(w, 0);
        DiveEditWindow* edit = w->editWindow();
        w->openEditWindow();

        QHeaderView* header = w->table()->horizontalHeader();
        const int depth = column("profondeur");
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(depth) + 5, header->height() / 2));
        QCOMPARE(cell(w, 0, "site"), QString("B"));
        QCOMPARE(cell(w, 2, "site"), QString("C"));
        QVERIFY(!w->carnet().isChanged());
        QVERIFY(!w->isWindowModified());
        QCOMPARE(w->table()->selectionModel()->selectedRows().size(), 1);
        // The selection follows its dive.
        QCOMPARE(w->table()->selectionModel()->selectedRows().first().row(), 1);

        type(edit, "site", "A (edited)");
        auto* next = edit->findChild<QPushButton*>("nextDive");
        QVERIFY(next->isEnabled());
        QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(cell(w, 1, "site"), QString("A (edited)"));
        QCOMPARE(cell(w, 0, "site"), QString("B"));
        QCOMPARE(w->session().singleSelection(), std::optional<std::size_t>(2));
        QCOMPARE(shown(edit, "site"), QString("C"));
        QVERIFY(w->carnet().isChanged());
    }

    void searchSelectsEveryMatchInOneStepWithoutLoading() {
        CarnetWindow* w = openLogbook({Fields{{"bateau", "Aldebaran"}, {"site", "A"}},
                                       Fields{{"bateau", "Other"}, {"site", "B"}},
                                       Fields{{"bateau", "ALDEBARAN II"}, {"site", "C"}},
                                       Fields{{"bateau", "aldebaran"}, {"site", "D"}}});
        clickRow(w, 1);
        const auto bound = w->session().boundRecord();
        QSignalSpy changes(w->table()->selectionModel(), &QItemSelectionModel::selectionChanged);

        QTest::keyClicks(w->searchField()->lineEdit(), "aldeb");
        item(w, "findInBateaux")->trigger();
        QCOMPARE(changes.count(), 1);
        QCOMPARE(w->table()->selectionModel()->selectedRows().size(), 3);
        QCOMPARE(w->foundLabel()->text(), QString("3 dives found"));
        QCOMPARE(w->session().boundRecord(), bound);

        // One hit is shown as a click would show it.
        w->searchField()->lineEdit()->setText("II");
        QTest::keyClick(w->searchField()->lineEdit(), Qt::Key_Return);
        QCOMPARE(w->foundLabel()->text(), app_->text.carnet("One dive found"));
        QCOMPARE(w->session().form().text("site"), std::string("C"));
        item(w, "findInNotes")->trigger();
        QCOMPARE(w->foundLabel()->text(), QString("0 dives found"));
        QVERIFY(!w->carnet().isChanged());

        // The scope chosen last is the next window's first.
        item(w, "findInSites")->trigger();
        CarnetWindow* other = openLogbook();
        QCOMPARE(other->searchField()->scopeField(), divelog::Plongee::Field::site);
    }

    void aCellEditedInPlaceKeepsTheSearchFieldsKeys() {
        QTest::failOnWarning(QRegularExpression("closeEditor"));
        CarnetWindow* w = openLogbook({Fields{{"site", "A"}}, Fields{{"site", "B"}}});
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        clickRow(w, 1);
        const QModelIndex site = w->model()->index(1, column("site"));
        w->table()->setCurrentIndex(site);
        // A click on the selected cell asks for a delayed editor; the user goes
        // on to the search field before it would open.
        const QRect r = w->table()->visualRect(site);
        QTest::mouseClick(w->table()->viewport(), Qt::LeftButton, {}, r.center());
        w->searchField()->lineEdit()->setFocus();
        QTest::qWait(QApplication::doubleClickInterval() + 100);
        QTest::keyClicks(w->searchField()->lineEdit(), "riou");
        QCOMPARE(w->searchField()->lineEdit()->text(), QString("riou"));
        QCOMPARE(cell(w, 1, "site"), QString("B"));

        // Editing in place, then Return: the form follows, no warning.
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        w->table()->setFocus();
        w->table()->edit(site);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor && w->table()->isAncestorOf(editor));
        editor->selectAll();
        QTest::keyClicks(editor, "Planier");
        QTest::keyClick(editor, Qt::Key_Return);  // committed on the next turn of the loop
        QTRY_COMPARE(cell(w, 1, "site"), QString("Planier"));
        QCOMPARE(w->session().form().text("site"), std::string("Planier"));
        QTRY_VERIFY(w->isWindowModified());  // the window follows once the editor has closed
        QVERIFY(w->undoAction()->isEnabled());
        QCOMPARE(w->undoAction()->text(),
                 app_->text.format("Main", "Undo %@", "error !",
                                   {app_->text.main("Edit Dive").toStdString()}));
        w->undoAction()->trigger();
        QCOMPARE(cell(w, 1, "site"), QString("B"));
        QVERIFY(!w->isWindowModified());
        QVERIFY(w->redoAction()->isEnabled());
    }

    void preferencesReachTheTableThroughTheirNotifications() {
        CarnetWindow* w = openLogbook({Fields{{"profondeur", "31,5"}, {"coeff", "80"}}});
        const int coeff = column("coeff");
        const int apparatus = column("rebreather");
        QVERIFY(!w->table()->isColumnHidden(coeff));
        QVERIFY2(w->table()->isColumnHidden(apparatus),
                 "first use: every column but the apparatus");

        app_->store.setBool("column coeff", false);
        app_->store.setBool("column scaph", true);
        QVERIFY(!w->table()->isColumnHidden(coeff));
        app_->context.notifications().post("updateColumnsTableView");
        QVERIFY(w->table()->isColumnHidden(coeff));
        QVERIFY(!w->table()->isColumnHidden(apparatus));

        app_->store.setBool("display units", false);
        QCOMPARE(cell(w, 0, "profondeur"), QString("31.5 m"));  // a snapshot, not read per cell
        app_->context.notifications().post("updateTableView");
        QCOMPARE(cell(w, 0, "profondeur"), QString("31.5"));

        // Units and the home country reach the table with the form's refresh.
        app_->store.setBool("display units", true);
        app_->store.setBool("us units", true);
        app_->context.notifications().post("updateEditDive");
        QCOMPARE(cell(w, 0, "profondeur"), QString("31.5 ft"));

        // A second logbook of the same settings keeps the user's switches.
        CarnetWindow* other = openLogbook();
        QVERIFY(other->table()->isColumnHidden(coeff));
        QVERIFY(!other->table()->isColumnHidden(apparatus));
        w->close();
        other->close();
        flushDeletes();
        QCOMPARE(app_->context.notifications().observerCount("updateTableView"), std::size_t(0));
    }

    void toolbarsHoldTheirItemsAndWaitForADive() {
        CarnetWindow* w = openLogbook();
        DiveEditWindow* edit = w->editWindow();
        QCOMPARE(w->toolbar()->objectName(), QString("tableViewToolbar"));
        QCOMPARE(edit->toolbar()->objectName(), QString("editWindowToolbar"));
        QStringList table;
        for (QAction* a : w->toolbar()->actions())
            if (!a->objectName().isEmpty()) table << a->objectName();
        QCOMPARE(table, (QStringList{"saveDocument", "imprimer", "newDive", "deleteDive", "profil",
                                     "importUDCF", "importUDDF", "synthese", "statistics",
                                     "customize", "rechercher"}));
        for (const char* id : {"addDiveToList", "insertDive", "updateDive", "blankFields", "profil",
                               "profilData", "importUDCF", "importUDDF"})
            QVERIFY2(edit->toolbar()->action(id) &&
                         edit->toolbar()->actions().contains(edit->toolbar()->action(id)),
                     id);

        auto enabled = [](LogbookToolbar* bar, const char* id) {
            return bar->action(id)->isEnabled();
        };
        for (const char* id : {"imprimer", "deleteDive", "profil", "synthese", "statistics"})
            QVERIFY2(!enabled(w->toolbar(), id), id);
        for (const char* id : {"insertDive", "updateDive", "profil", "profilData"})
            QVERIFY2(!enabled(edit->toolbar(), id), id);
        for (const char* id : {"saveDocument", "newDive", "importUDDF", "rechercher"})
            QVERIFY2(enabled(w->toolbar(), id), id);
        QVERIFY(enabled(edit->toolbar(), "addDiveToList") &&
                enabled(edit->toolbar(), "blankFields"));
        for (QAction* a : w->toolbar()->actions())
            QVERIFY2(!a->text().contains("error"), qPrintable(a->objectName()));

        w->newDive();
        w->addDive();
        QVERIFY(enabled(w->toolbar(), "statistics"));
        QVERIFY2(!enabled(edit->toolbar(), "updateDive"), "the form shows a new dive");
        clickRow(w, 0);
        QVERIFY(enabled(edit->toolbar(), "updateDive"));
        item(w, "statistics")->trigger();
        QVERIFY(w->reports().statisticsWindow()->isVisible());

        // The user's order is kept per toolbar and given to the next window.
        w->toolbar()->setConfiguration({"rechercher", "separator", "newDive"});
        QCOMPARE(app_->store.listForKey("toolbar tableViewToolbar"),
                 (divelog::SettingList{"rechercher", "separator", "newDive"}));
        CarnetWindow* other = openLogbook();
        QStringList order;
        for (QAction* a : other->toolbar()->actions())
            if (!a->objectName().isEmpty()) order << a->objectName();
        QCOMPARE(order, (QStringList{"rechercher", "newDive"}));
        QVERIFY(other->searchField()->isVisible());
    }

    void editViewsBindEveryControlAndFollowTheForm() {
        CarnetWindow* w = openLogbook({Fields{{"site", "Riou"}}});
        w->openEditWindow();
        DiveEditWindow* edit = w->editWindow();
        QVERIFY(edit->binder().unboundControls().empty());
        for (QWidget* child : edit->findChildren<QWidget*>()) {
            QString text;
            if (auto* l = qobject_cast<QLabel*>(child)) text = l->text();
            if (auto* b = qobject_cast<QAbstractButton*>(child)) text = b->text();
            if (auto* g = qobject_cast<QGroupBox*>(child)) text = g->title();
            QVERIFY2(!text.contains("error !"), qPrintable(child->objectName()));
        }

        // It fits the screen it opens on; views too large for it scroll.
        const QRect screen = edit->screen()->availableGeometry();
        QVERIFY(edit->width() <= screen.width() && edit->height() <= screen.height());
        // Switching views keeps the size and place the user gave the window.
        edit->resize(900, 560);
        const QRect frame = edit->geometry();
        for (int view : {6, 1, 3, 4}) {
            edit->goView(view);
            QCOMPARE(edit->currentView(), view);
            QCOMPARE(edit->geometry(), frame);
        }

        auto* slider = static_cast<QSlider*>(edit->control("difficulte"));
        QCOMPARE(edit->parts().difficulty->text(), app_->text.carnet("Very easy"));
        slider->setValue(3);
        QCOMPARE(edit->parts().difficulty->text(), app_->text.carnet("Hard"));

        QVERIFY(!edit->parts().bailoutGroup->isEnabled());
        edit->binder().selectorButton(2)->click();  // mCCR: cylinder 1 holds oxygen
        QCOMPARE(shown(edit, "o2Mix"), QString("100"));
        QCOMPARE(edit->parts().cylinder1->title(), app_->text.carnet("OXYGÈNE :"));
        QVERIFY(edit->parts().bailoutGroup->isEnabled());
        type(edit, "volBailout1", "3");
        type(edit, "pressDepartBailout1", "200");
        type(edit, "pressFinBailout1", "150");
        QTest::keyClick(lineOf(edit->control("pressFinBailout1")), Qt::Key_Return);
        QVERIFY(edit->parts().bailouts[0].gauge->isVisibleTo(edit));
        QCOMPARE(edit->parts().bailouts[0].gauge->value(), 150);
        QCOMPARE(edit->parts().bailouts[0].gauge->ticks(), 20);  // one every 10 bar of 200
        QVERIFY(edit->parts().bailouts[0].text->text().contains("600"));

        edit->parts().razNitrox->click();
        QCOMPARE(shown(edit, "n2Mix"), QString("0"));
        QVERIFY(w->session().form().modified());
    }

    void numberFieldsTakeOnlyWhatTheyHold() {
        CarnetWindow* w = openLogbook();
        w->newDive();
        DiveEditWindow* edit = w->editWindow();
        const std::pair<const char*, const char*> typed[] = {
            {"profondeur", "31,5"}, {"temps", "45"},          {"tempEau", "-2"},
            {"coeff", "95"},        {"decoO2_Level_1", "50"}, {"decoDepth_Level_2", "4.5"}};
        for (auto [name, text] : typed) {
            type(edit, name, text);
            QCOMPARE(shown(edit, name), QString(text));
        }
        // A keystroke no further typing could make good is refused; a separator
        // in a whole number shows, so "1,5" is never taken for fifteen; digits
        // typed after the "-" for none replace it.
        const std::tuple<const char*, const char*, const char*> refused[] = {
            {"profondeur", "12 m", "12"},     {"temps", "4.5", "4.5"}, {"temps", "-3", "3"},
            {"decoO2_Level_1", "1500", "15"}, {"coeff", "-9", "9"},    {"tempEau", "1,5", "1,5"},
            {"altitude", "99999", "999"},     {"tempAir", "999", "9"}, {"lestage", "2,5,1", "2,51"},
            {"profondeur", "999999", "99"}};
        for (auto [name, text, kept] : refused) {
            type(edit, name, text);
            QCOMPARE(shown(edit, name), QString(kept));
        }
        // What is shown but not accepted is refused when stored, with the reason,
        // and the field it stands in gets the focus.
        type(edit, "tempEau", "12");
        type(edit, "altitude", "0");
        type(edit, "tempAir", "20");
        type(edit, "coeff", "95");
        type(edit, "profondeur", "31,5");
        type(edit, "temps", "4.5");
        app_->prompts->newDiveAnswer = UserPrompts::NewDiveChoice::Cancel;
        item(edit, "addDiveToList")->trigger();
        QCOMPARE(w->model()->rowCount(), 0);
        QCOMPARE(app_->prompts->reports.size(), 1);
        QVERIFY2(app_->prompts->reports.first().message.contains(app_->text.carnet("Dive time")),
                 qPrintable(app_->prompts->reports.first().message));
        QVERIFY2(w->session().hasUnstoredRecord(), "nothing typed is dropped");
        type(edit, "temps", "45");
        item(edit, "addDiveToList")->trigger();
        QCOMPARE(w->model()->rowCount(), 1);
        QCOMPARE(w->carnet().dive(0).temps(), 45);
    }

    void theDeleteQuestionDefaultsToCancel() {
        UserPrompts real(app_->text);
        QString defaultButton;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            defaultButton = box->defaultButton()->text();
            QTest::keyClick(box, Qt::Key_Return);
        });
        QVERIFY2(!real.confirm(nullptr, app_->text.main("Erase dive")), "Return does not delete");
        QCOMPARE(defaultButton, app_->text.main("Cancel"));
    }

    void renumberingComesFromTheLogbookMenu() {
        CarnetWindow* w = openLogbook({Fields{}, Fields{}, Fields{}});
        w->carnet().clearChanged();
        item(w, "sendRenumDivesNotification")->trigger();
        RenumberPanel* panel = w->renumberPanel();
        QVERIFY(panel->isVisible());
        panel->startField()->setValue(100);
        panel->confirm();
        QVERIFY(!panel->isVisible());
        QCOMPARE(cell(w, 0, "noPlongee"), QString("100"));
        QCOMPARE(cell(w, 2, "noPlongee"), QString("102"));
        QVERIFY(w->isWindowModified());
    }

private:
    // A new logbook window holding these dives, typed through the form and
    // added; unmarked, with the edit window closed.
    CarnetWindow* openLogbook(const std::vector<Fields>& dives = {}) {
        app_->controller->newCarnetDocumentMenuAction();
        auto* w = qobject_cast<CarnetWindow*>(app_->controller->windows().last());
        for (const Fields& fields : dives) {
            w->newDive();
            for (const auto& [name, value] : fields) w->session().form().setText(name, value);
            w->addDive();
        }
        if (!dives.empty()) w->closeEditWindow();
        w->carnet().clearChanged();
        w->table()->clearSelection();
        return w;
    }

    QTemporaryDir dir_;
    std::unique_ptr<AppHarness> app_;
};

QTEST_MAIN(DiveFormWindows)
#include "tst_dive_form.moc"
