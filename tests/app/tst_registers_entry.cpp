// Typing a card as a club does: numbers refused as typed rather than stored
// as 0, dates typed from "—" or set to now, the inspection gauge following
// the dates at once, the keyboard alone storing a card, a text file refused
// as a photo, the activity list kept, the kind named in the title, and a
// printed list as wide as its content needs.

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "AppTestHarness.h"
#include "Printing.h"
#include "RegisterWindowKit.h"
#include "registers/Consommables.h"
#include "registers/Epaves.h"
#include "registers/Materiel.h"
#include "registers/NoDateEdit.h"
#include "registers/RegisterDocument.h"
#include "registers/RegisterEditWindow.h"
#include "registers/RegisterSession.h"
#include "registers/RegisterTableModel.h"
#include "registers/RegisterWindow.h"
#include "tools/DocumentToolbar.h"

using divelog::DocumentKind;
using registerkit::type;

namespace {

QAction* named(const QList<QAction*>& actions, const char* name) {
    for (QAction* a : actions)
        if (a->objectName() == QLatin1String(name)) return a;
    return nullptr;
}

}  // namespace

class RegisterEntryTest : public QObject {
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

    void numberFieldsRefuseWhatIsNoNumberAsItIsTyped() {
        RegisterWindow* w = registerkit::newRegister(*app_, DocumentKind::Epaves);
        w->newCard();
        RegisterEditWindow* edit = w->editWindow();
        type(edit, "nom", "Donator");
        type(edit, "longueur", "73 m");
        type(edit, "jauge", "1 500");
        type(edit, "pointHaut", "?");  // the blank card's "-" stays
        QCOMPARE(qobject_cast<QLineEdit*>(edit->control("longueur"))->text(), QString("73"));
        QCOMPARE(qobject_cast<QLineEdit*>(edit->control("pointHaut"))->text(), QString("-"));
        // Digits after the "-" for none replace it; a minus before a depth is refused.
        auto* deepest = qobject_cast<QLineEdit*>(edit->control("pointBas"));
        deepest->setText("-");
        deepest->end(false);
        QTest::keyClicks(deepest, "4");
        QCOMPARE(deepest->text(), QString("4"));
        deepest->home(false);
        QTest::keyClicks(deepest, "-");
        QCOMPARE(deepest->text(), QString("4"));
        type(edit, "pointBas", "38 m");
        edit->toolbar()->action("addWreck")->trigger();
        const divelog::Record& r = w->registerDocument().record(0);
        QCOMPARE(r.real(divelog::Epaves::longueur), 73.0f);
        QCOMPARE(r.integer(divelog::Epaves::jauge), 1500);
        QCOMPARE(r.real(divelog::Epaves::pointHaut), -1.0f);
        QCOMPARE(r.real(divelog::Epaves::pointBas), 38.0f);

        RegisterWindow* budget = registerkit::newRegister(*app_, DocumentKind::Budget);
        budget->newCard();
        type(budget->editWindow(), "prixUnitaire_0", "35 EUR");  // keyClicks types ASCII only
        type(budget->editWindow(), "quantite_0", "abc-3");
        QCOMPARE(qobject_cast<QLineEdit*>(budget->editWindow()->control("prixUnitaire_0"))->text(),
                 QString("35"));
        QCOMPARE(qobject_cast<QLineEdit*>(budget->editWindow()->control("quantite_0"))->text(),
                 QString("3"));
    }

    // A separator typed in a whole number stays shown, and the card is not
    // stored as another number: Add says why, and the field gets the focus.
    void aCardHoldingNoNumberOfItsFieldIsRefusedWithTheField() {
        RegisterWindow* w = registerkit::newRegister(*app_, DocumentKind::Epaves);
        w->newCard();
        RegisterEditWindow* edit = w->editWindow();
        type(edit, "nom", "Donator");
        type(edit, "jauge", "1,5");
        QCOMPARE(qobject_cast<QLineEdit*>(edit->control("jauge"))->text(), QString("1,5"));
        edit->toolbar()->action("addWreck")->trigger();
        QCOMPARE(w->model()->rowCount(), 0);
        QCOMPARE(app_->prompts->reports.size(), 1);
        QVERIFY2(app_->prompts->reports[0].message.contains("1,5"),
                 qPrintable(app_->prompts->reports[0].message));
        QCOMPARE(edit->focusWidget(), edit->control("jauge"));
        type(edit, "jauge", "1500");
        edit->toolbar()->action("addWreck")->trigger();
        QCOMPARE(w->model()->rowCount(), 1);
        QCOMPARE(w->registerDocument().record(0).integer(divelog::Epaves::jauge), 1500);

        // Closing a card holding it drops nothing: the windows stay, the card unchanged.
        w->table()->selectRow(0);
        type(edit, "jauge", "2,5");
        QVERIFY(!edit->close());
        QVERIFY(!w->close());
        QCOMPARE(qobject_cast<QLineEdit*>(edit->control("jauge"))->text(), QString("2,5"));
        QCOMPARE(w->registerDocument().record(0).integer(divelog::Epaves::jauge), 1500);
        type(edit, "jauge", "2500");
        QVERIFY(edit->close());
        QCOMPARE(w->registerDocument().record(0).integer(divelog::Epaves::jauge), 2500);
    }

    // A keyboard alone: the Cards menu and the edit window's shortcuts add,
    // insert and update; Tab reaches the toolbar; after Add the next card
    // starts in the first field of the first view.
    void theKeyboardAloneStoresACard() {
        RegisterWindow* w = registerkit::newRegister(*app_, DocumentKind::Epaves);
        for (const char* name : {"registerAddCard", "registerInsertCard", "registerUpdateCard"})
            QVERIFY2(named(w->documentActions(), name), name);
        w->newCard();
        RegisterEditWindow* edit = w->editWindow();
        QAction* add = named(edit->actions(), "registerAddCard");
        QVERIFY(add && !add->shortcut().isEmpty());
        QVERIFY(named(edit->actions(), "registerInsertCard"));
        QVERIFY(named(edit->actions(), "registerUpdateCard"));
        for (const char* item : {"addWreck", "insertWreck", "updateWreck", "blankFields"}) {
            QWidget* button = edit->toolbar()->widgetForAction(edit->toolbar()->action(item));
            QVERIFY2(button && (button->focusPolicy() & Qt::TabFocus), item);
        }

        type(edit, "nom", "Donator");
        edit->goView(5);
        type(edit, "relevement1", "Lighthouse");
        edit->control("relevement1")->setFocus();
        add->trigger();
        QCOMPARE(w->model()->rowCount(), 1);
        QCOMPARE(edit->currentView(), 1);
        QCOMPARE(edit->focusWidget(), edit->control("nom"));

        // The shortcut, typed in a field of the edit window, adds the next card.
        edit->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(edit));
        type(edit, "nom", "Grec");
        edit->control("nom")->setFocus();
        QTest::keyClick(edit->control("nom"), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(w->model()->rowCount(), 2);

        // Update from the menu writes the shown card.
        w->table()->selectRow(0);
        type(edit, "site", "Est");
        QAction* update = named(w->documentActions(), "registerUpdateCard");
        QVERIFY(update->isEnabled());
        update->trigger();
        QCOMPARE(registerkit::cellText(w, 0, "site"), QString("Est"));
    }

    void emptyDatesTakeTypedDigitsAndOpenTheCalendarOnToday() {
        RegisterWindow* w = registerkit::newRegister(*app_, DocumentKind::Budget);
        divelog::Record b(w->session().spec().schema());
        w->registerDocument().add(b);
        w->newCard();
        RegisterEditWindow* edit = w->editWindow();
        edit->goView(3);
        auto* date = qobject_cast<NoDateEdit*>(edit->control("miseAJour"));
        QVERIFY(date);
        QVERIFY(date->holdsNoDate());
        QCOMPARE(date->text(), QString("—"));
        date->setFocus();
        QTest::keyClicks(date, "25122024");
        QCOMPARE(date->date(), QDate(2024, 12, 25));
        QCOMPARE(w->session().form().date("miseAJour").has_value(), true);

        // Back to no date, the calendar opens on the month of today.
        date->setDateTime(NoDateEdit::noDate());
        QVERIFY(date->holdsNoDate());
        // A click on the arrow, at the control's right end, opens the calendar.
        QTest::mouseClick(date, Qt::LeftButton, {}, QPoint(date->width() - 6, date->height() / 2));
        QCalendarWidget* calendar = date->calendarWidget();
        QVERIFY(calendar && calendar->isVisible());
        QCOMPARE(calendar->yearShown(), QDate::currentDate().year());
        QCOMPARE(calendar->monthShown(), QDate::currentDate().month());
        calendar->window()->close();
    }

    void theUpdateDateHasItsNowButton_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("budget") << int(DocumentKind::Budget);
        QTest::newRow("firms") << int(DocumentKind::Entreprises);
        QTest::newRow("structures") << int(DocumentKind::Structures);
    }
    void theUpdateDateHasItsNowButton() {
        QFETCH(int, kind);
        RegisterWindow* w = registerkit::newRegister(*app_, DocumentKind(kind));
        w->newCard();
        auto* now = w->editWindow()->findChild<QPushButton*>("miseAJourNow");
        QVERIFY(now);
        w->session().form().setDate("miseAJour", divelog::Materiel::noDate(), divelog::dateNow());
        now->click();
        const auto date = w->session().form().date("miseAJour");
        QVERIFY(date && !divelog::Materiel::isNoDate(date));
        const divelog::DateParts day = divelog::localParts(*date);
        QCOMPARE(QDate(day.year, day.month, day.day), QDate::currentDate());
    }

    // The gauge follows a date as it is chosen, and says nothing of a span
    // to a next inspection not given.
    void theInspectionGaugeFollowsTheDatesAtOnce() {
        RegisterWindow* w = registerkit::newRegister(*app_, DocumentKind::Materiel);
        w->newCard();
        RegisterEditWindow* edit = w->editWindow();
        edit->goView(2);
        w->session().form().setInteger("noInspection", 0, divelog::dateNow());
        edit->showForm();
        auto* last = qobject_cast<NoDateEdit*>(edit->control("lastRevision"));
        auto* next = qobject_cast<NoDateEdit*>(edit->control("nextRevision"));
        auto* percent = edit->findChild<QLabel*>("gaugeText");
        QVERIFY(last && next && percent);
        const QDateTime now = QDateTime::currentDateTime();
        last->setDateTime(now.addDays(-300));
        QCOMPARE(percent->text(), QString());  // no next inspection: no share, no "-2 %"
        next->setDateTime(now.addDays(300));
        QCOMPARE(percent->text(), QString("50 %"));
        next->setDateTime(now.addDays(900));
        QCOMPARE(percent->text(), QString("25 %"));
    }

    // Saved as midnight, 1 January 1900, an hour east of here: still no date.
    void noDateFromAnotherZoneShowsAsNone() {
        RegisterWindow* w = registerkit::newRegister(*app_, DocumentKind::Materiel);
        divelog::Record r(divelog::Materiel::schema());
        r.setText(divelog::Materiel::matosNo, std::string("1"));
        r.setDate(divelog::Materiel::lastRevision,
                  divelog::Date{divelog::Materiel::noDate().seconds - 3600});
        r.setDate(divelog::Materiel::nextRevision,
                  divelog::Date{divelog::Materiel::noDate().seconds + 3600});
        w->registerDocument().add(r);
        QCOMPARE(registerkit::cellText(w, 0, "lastRevision"), QString());
        QCOMPARE(registerkit::cellText(w, 0, "nextRevision"), QString());
        w->table()->selectRow(0);
        w->openEditWindow();
        for (const char* field : {"lastRevision", "nextRevision"})
            QVERIFY2(qobject_cast<NoDateEdit*>(w->editWindow()->control(field))->holdsNoDate(),
                     field);
    }

    void aFileThatIsNoPictureIsRefusedWhenChosen() {
        const QString notes = dir_.filePath("notes.txt");
        QFile file(notes);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Visibility 20 m, strong current at the bow.\n");
        file.close();
        RegisterWindow* w = registerkit::newRegister(*app_, DocumentKind::Epaves);
        w->newCard();
        RegisterEditWindow* edit = w->editWindow();
        edit->goView(5);
        app_->prompts->nextOpenPath = notes;
        QPushButton* choose = nullptr;
        for (auto* b : edit->control("photo")->findChildren<QPushButton*>())
            if (b->text() == app_->text.main("Choose picture")) choose = b;
        QVERIFY(choose);
        choose->click();
        QCOMPARE(app_->prompts->reports.size(), 1);
        QVERIFY(app_->prompts->reports.front().reason.contains("notes.txt"));
        QVERIFY(!w->session().form().image("photo"));
        QVERIFY(!w->session().form().modified());
    }

    void theFirmsOfferTheStoredActivities() {
        app_->store.setList("activite", {"Boat", "Shop"});
        RegisterWindow* w = registerkit::newRegister(*app_, DocumentKind::Entreprises);
        w->newCard();
        auto* activity = qobject_cast<QComboBox*>(w->editWindow()->control("activite"));
        QVERIFY(activity);
        QCOMPARE(activity->count(), 2);
        type(w->editWindow(), "activite", "Shop");
        QVERIFY(app_->prompts->questions.isEmpty());  // already listed
        type(w->editWindow(), "activite", "Airline");
        QCOMPARE(app_->prompts->questions.size(), 1);
        QCOMPARE(app_->store.listForKey("activite"),
                 (divelog::SettingList{"Airline", "Boat", "Shop"}));
    }

    // The budget's views keep room for their figures: prices per unit
    // appearing need no horizontal scroll bar.
    void theBudgetViewsFitTheirFigures() {
        RegisterWindow* w = registerkit::newRegister(*app_, DocumentKind::Budget);
        w->newCard();
        RegisterEditWindow* edit = w->editWindow();
        edit->goView(2);
        auto& form = w->session().form();
        const divelog::Date now = divelog::dateNow();
        form.setInteger("prixDegressif", 1, now);
        form.setText("unitesCarte_1", "10", now);
        form.setText("prixCarte_1", "249.5", now);
        form.setText("unitesCarte_2", "100", now);
        form.setText("prixCarte_2", "1999", now);
        form.setText("prixUnitaire_0", "1250", now);
        form.setText("quantite_0", "40", now);
        edit->showForm();
        for (int view = 1; view <= 3; ++view) {
            edit->goView(view);
            QApplication::processEvents();
            for (auto* area : edit->findChildren<QScrollArea*>())
                if (area->isVisible())
                    QVERIFY2(area->widget()->minimumSizeHint().width() <= area->viewport()->width(),
                             qPrintable(QString("view %1: %2 > %3")
                                            .arg(view)
                                            .arg(area->widget()->minimumSizeHint().width())
                                            .arg(area->viewport()->width())));
        }
    }

    void aRegisterWindowIsTitledWithItsKind() {
        RegisterWindow* w = registerkit::newRegister(*app_, DocumentKind::Epaves);
        QVERIFY2(w->windowTitle().contains(app_->text.main("Epaves")),
                 qPrintable(w->windowTitle()));
        QVERIFY(w->windowTitle().startsWith(app_->text.main("Untitled")));
        w->newCard();
        QVERIFY(w->editWindow()->windowTitle().contains(app_->text.main("Untitled")));
        RegisterWindow* parts = registerkit::newRegister(*app_, DocumentKind::Consommables);
        QVERIFY(parts->windowTitle().contains(app_->text.main("Consommables")));
    }

    // A card stored with long texts widens their columns on screen, however
    // wide the window: nothing of a phone number or an e-mail address is cut.
    void listColumnsWidenToTheirCells() {
        RegisterWindow* w = registerkit::newRegister(*app_, DocumentKind::Entreprises);
        w->resize(1500, 400);
        w->newCard();
        const QString mail = "reservations@bluereef-diving-centre.example.org";
        type(w->editWindow(), "entreprise", "Blue Reef");
        type(w->editWindow(), "telephone", "+33 (0)4 91 00 00 00 / +33 6 12 34 56 78");
        type(w->editWindow(), "email", mail.toLatin1().constData());
        w->editWindow()->toolbar()->action("addFirm")->trigger();
        const QFontMetrics metrics = w->table()->fontMetrics();
        for (const char* field : {"telephone", "email"}) {
            const int column = w->model()->columnOf(field);
            QVERIFY2(w->table()->columnWidth(column) >
                         metrics.horizontalAdvance(registerkit::cellText(w, 0, field)),
                     field);
        }
    }

    // The printed list takes the widths its texts need, not the window's: a
    // column widened on screen changes nothing, "Diesel-electric" is whole,
    // and a two-line remark makes its row two lines high.
    void thePrintedListIsAsWideAsItsContent() {
        RegisterWindow* w = registerkit::newRegister(*app_, DocumentKind::Epaves);
        divelog::Record r(divelog::Epaves::schema());
        r.setText(divelog::Epaves::nom, std::string("Saint-Dominique"));
        r.setInteger(divelog::Epaves::propulsion, 9);
        w->registerDocument().add(r);
        QCOMPARE(registerkit::cellText(w, 0, "propulsion"), QString("Diesel-electric"));
        const int propulsion = w->model()->columnOf("propulsion");
        // On screen too, the column is as wide as its text.
        QVERIFY(w->table()->columnWidth(propulsion) >=
                w->table()->fontMetrics().horizontalAdvance("Diesel-electric"));

        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir_.filePath("wrecks.pdf"));
        const PrintSettings settings{QPageLayout::Landscape, QMarginsF(10, 24.8, 10, 25), 0.7};
        Printing::apply(printer, settings);
        QList<int> columns;
        for (int c = 0; c < w->model()->columnCount(); ++c) columns << c;
        const auto before = Printing::layOutTable(printer, *w->model(), columns, settings);
        w->table()->setColumnWidth(0, 2000);
        w->table()->setColumnWidth(1, 4);
        const auto after = Printing::layOutTable(printer, *w->model(), columns, settings);
        QCOMPARE(after.widths, before.widths);
        double total = 0;
        for (double width : after.widths) total += width;
        QVERIFY(total <= Printing::contentSize(printer, settings).width() + 0.5);
        QVERIFY(after.widths[propulsion] > after.widths[w->model()->columnOf("pointBas")] / 2);

        RegisterWindow* parts = registerkit::newRegister(*app_, DocumentKind::Consommables);
        divelog::Record part(divelog::Consommables::schema());
        part.setText(divelog::Consommables::reference, std::string("OR-112"));
        part.setText(divelog::Consommables::notes, std::string("Viton\nfor the oxygen valves"));
        parts->registerDocument().add(part);
        part.setText(divelog::Consommables::notes, std::string("Nitrile"));
        parts->registerDocument().add(part);
        QList<int> all;
        for (int c = 0; c < parts->model()->columnCount(); ++c) all << c;
        const auto layout = Printing::layOutTable(printer, *parts->model(), all, settings);
        QCOMPARE(layout.rowHeights.size(), 2);
        QVERIFY2(layout.rowHeights[0] > layout.rowHeights[1] * 1.5,
                 qPrintable(QString("%1 %2").arg(layout.rowHeights[0]).arg(layout.rowHeights[1])));
        QVERIFY(registerkit::printBoth(parts, dir_.path(), "parts"));
    }

private:
    QTemporaryDir dir_;
    std::unique_ptr<AppHarness> app_;
};

QTEST_MAIN(RegisterEntryTest)
#include "tst_registers_entry.moc"
