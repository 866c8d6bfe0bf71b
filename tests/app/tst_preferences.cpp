// The preferences window: reached from the Edit menu, five views on a fixed
// toolbar, every control writing its key before the right notification goes
// out, numbers kept within their ranges, reset asked about and followed by
// every open table, enabling and the threshold's unit label; and the memo, whose
// switch lives here and whose text outlives the application.

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "AppTestHarness.h"
#include "DocumentWindow.h"
#include "logbook/CarnetWindow.h"
#include "logbook/DiveTableModel.h"
#include "settings/Preferences.h"
#include "settings/PreferencesModel.h"
#include "settings/ToolBarPrefs.h"
#include "tools/ColourButton.h"
#include "tools/MemoWindow.h"

namespace {

// Every preferences notification in the order it arrived, with what the
// store held for `watched` at that moment.
struct Posted {
    Posted(divelog::AppContext& context, std::string watched)
        : context_(context), watched_(watched) {
        for (const char* n : {"updateTableView", "updateColumnsTableView", "profile",
                              "updateEditDive", "updateDeco"})
            context.notifications().addObserver(this, n, [this, n] {
                names << n;
                const auto v = context_.settings().storedValue(watched_);
                seen << (v ? QtSettingsStore::encode(*v) : QString("absent"));
            });
    }
    ~Posted() { context_.notifications().removeObserver(this); }

    QStringList names, seen;

private:
    divelog::AppContext& context_;
    std::string watched_;
};

void type(QLineEdit* edit, const QString& text) {
    edit->clear();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

}  // namespace

class PreferencesTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        // Each case starts from an empty store.
        QFile::remove(dir_.filePath("settings.ini"));
        app_ = std::make_unique<AppHarness>(dir_.filePath("settings.ini"));
    }
    void cleanup() {
        app_.reset();
        flushDeletes();
    }

    void openedFromTheEditMenuOnceWithAFixedToolbarOfFiveViews() {
        app_->controller->newCarnetDocumentMenuAction();
        DocumentWindow* doc = app_->controller->windows().first();
        QAction* command = doc->findChild<QAction*>("showPreferencePanel");
        QVERIFY(command);
        QVERIFY(!command->shortcut().isEmpty());
        command->trigger();
        Preferences* prefs = app_->delegate->preferencesWindow();
        QVERIFY(prefs && prefs->isVisible());
        QCOMPARE(prefs->windowTitle(), app_->text.main("Preferences"));

        ToolBarPrefs* bar = prefs->findChild<ToolBarPrefs*>("prefsToolbar");
        QCOMPARE(bar, prefs->toolBar());
        QVERIFY(!bar->isMovable() && !bar->isFloatable());
        QVERIFY(!bar->toggleViewAction()->isVisible());
        QCOMPARE(bar->contextMenuPolicy(), Qt::PreventContextMenu);

        const QStringList ids{"general", "carnet", "affichage", "profil", "deco"};
        const char* labels[] = {"General", "Logbook", "Display", "Profile", "Deco"};
        QCOMPARE(bar->actions().size(), 5);
        QMap<int, QSize> sizes;
        for (int i = 4; i >= 0; --i) {
            QAction* item = bar->item(ids[i]);
            QVERIFY2(item, qPrintable(ids[i]));
            QCOMPARE(item->text(), app_->text.main(labels[i]));
            QVERIFY2(!item->icon().pixmap(32, 32).isNull(), qPrintable(ids[i]));
            item->trigger();
            QCOMPARE(prefs->currentView(), i + 1);
            QVERIFY(item->isChecked());
            sizes[i + 1] = prefs->size();
        }
        // Each view brings its own size: the one-field deco view is far
        // smaller than the logbook colours.
        QVERIFY(sizes[5].height() + 100 < sizes[2].height());
        prefs->goView(5);
        QCOMPARE(prefs->size(), sizes[5]);
        QVERIFY(bar->item("deco")->isChecked());

        // Closing hides; the command brings back the same window, frame remembered.
        prefs->close();
        QVERIFY(!prefs->isVisible());
        QVERIFY(app_->store.hasStoredValue("window frame Preferences"));
        command->trigger();
        QCOMPARE(app_->delegate->preferencesWindow(), prefs);
        QVERIFY(prefs->isVisible());
    }

    void noTextOfTheWindowIsAMissingKey() {
        Preferences* prefs = app_->delegate->showPreferencePanel();
        int texts = 0;
        auto check = [&](const QString& s, const QObject* o) {
            QVERIFY2(!s.contains("error !"), qPrintable(o->objectName() + ": " + s));
            ++texts;
        };
        for (auto* w : prefs->findChildren<QLabel*>()) check(w->text(), w);
        for (auto* w : prefs->findChildren<QAbstractButton*>()) check(w->text(), w);
        for (auto* w : prefs->findChildren<QGroupBox*>()) check(w->title(), w);
        for (auto* w : prefs->findChildren<QComboBox*>())
            for (int i = 0; i < w->count(); ++i) check(w->itemText(i), w);
        QVERIFY(texts > 60);
        // Every column switch but the one only the logbook writes.
        for (const auto& key : divelog::columnKeys())
            QCOMPARE(prefs->control(key) != nullptr, key != "column_epave");
    }

    void eachChangeIsStoredBeforeItsNotification() {
        Preferences* prefs = app_->delegate->showPreferencePanel();
        {
            Posted posted(app_->context, "column gaz");
            auto* gas = qobject_cast<QCheckBox*>(prefs->control("column gaz"));
            const bool before = gas->isChecked();
            gas->click();
            QCOMPARE(app_->store.boolForKey("column gaz"), !before);
            QCOMPARE(posted.names, QStringList{"updateColumnsTableView"});
            QCOMPARE(posted.seen.first(), QtSettingsStore::encode(!before));
        }
        {
            Posted posted(app_->context, "depth color");
            auto* depth = qobject_cast<ColourButton*>(prefs->control("depth color"));
            depth->choose(QColor(10, 200, 30));
            const auto stored = app_->store.colourForKey("depth color");
            QVERIFY(stored);
            QCOMPARE(toQColor(*stored).rgb(), QColor(10, 200, 30).rgb());
            QCOMPARE(posted.names, QStringList{"updateTableView"});
        }
        {
            Posted posted(app_->context, "stop interval");
            auto* stops = qobject_cast<QLineEdit*>(prefs->control("stop interval"));
            QCOMPARE(stops->text(), QString("3"));  // the registered text, shown as a number
            type(stops, "4,5");
            QCOMPARE(app_->store.numberForKey("stop interval"), 4.5);
            type(stops, "1.5");
            QCOMPARE(app_->store.numberForKey("stop interval"), 1.5);
            QCOMPARE(posted.names, (QStringList{"updateDeco", "updateDeco"}));
            // Letters do not get in; an empty or out of range value is refused
            // with a word: nothing stored or posted, the kept value comes back.
            type(stops, "deep");
            QCOMPARE(app_->store.numberForKey("stop interval"), 1.5);
            QCOMPARE(stops->text(), QString("1.5"));
            QCOMPARE(posted.names.size(), 2);
            QCOMPARE(app_->prompts->notes.size(), 1);
            type(stops, "-3");
            QCOMPARE(app_->store.numberForKey("stop interval"), 1.5);
            QCOMPARE(stops->text(), QString("1.5"));
            QCOMPARE(app_->prompts->notes.size(), 2);
            QVERIFY(app_->prompts->notes.last().contains("\"-3\""));
            auto* pressure = qobject_cast<QLineEdit*>(prefs->control("tank pressure"));
            type(pressure, "99999999");
            QVERIFY(!app_->store.hasStoredValue("tank pressure"));
            QCOMPARE(app_->prompts->notes.size(), 3);
            QCOMPARE(posted.names.size(), 2);
            // Leaving a field without typing is no change.
            emit stops->editingFinished();
            QCOMPARE(posted.names.size(), 2);
        }
        {
            // The gradient factors: 30/85 at first, each 10 to 100, low at or under high.
            Posted posted(app_->context, "gf low");
            auto* low = qobject_cast<QLineEdit*>(prefs->control("gf low"));
            auto* high = qobject_cast<QLineEdit*>(prefs->control("gf high"));
            QCOMPARE(low->text(), QString("30"));
            QCOMPARE(high->text(), QString("85"));
            const auto notes = app_->prompts->notes.size();
            type(low, "90");
            QCOMPARE(low->text(), QString("30"));
            QVERIFY(!app_->store.hasStoredValue("gf low"));
            QCOMPARE(app_->prompts->notes.size(), notes + 1);
            QVERIFY(app_->prompts->notes.last().contains("\"90\""));
            QVERIFY(app_->prompts->notes.last().contains("GF high"));
            type(high, "5");
            QCOMPARE(app_->prompts->notes.size(), notes + 2);
            QVERIFY(!app_->store.hasStoredValue("gf high"));
            type(high, "95");
            type(low, "90");
            QCOMPARE(app_->store.numberForKey("gf low"), 90.0);
            QCOMPARE(app_->store.numberForKey("gf high"), 95.0);
            QCOMPARE(posted.names, (QStringList{"updateDeco", "updateDeco"}));
        }
        {
            Posted posted(app_->context, "country code");
            type(qobject_cast<QLineEdit*>(prefs->control("country code")), "ESP");
            type(qobject_cast<QLineEdit*>(prefs->control("fabricant")), "Shearwater");
            QCOMPARE(app_->store.stringForKey("country code"), std::string("ESP"));
            QCOMPARE(app_->store.stringForKey("fabricant"), std::string("Shearwater"));
            QCOMPARE(posted.names, (QStringList{"updateEditDive", "updateEditDive"}));

            auto* theme = qobject_cast<QComboBox*>(prefs->control("coloured theme"));
            QCOMPARE(theme->count(), 3);
            qobject_cast<QCheckBox*>(prefs->control("color item"))->click();
            QTest::keyClick(theme, Qt::Key_Down);
            QCOMPARE(app_->store.numberForKey("coloured theme"), 1.0);
            auto* memo = qobject_cast<QCheckBox*>(prefs->control("pense bete"));
            memo->click();
            QVERIFY(app_->store.boolForKey("pense bete"));
            QCOMPARE(posted.names.mid(2), (QStringList{"updateTableView", "updateTableView"}));
        }
    }

    void aColourThatDoesNotDecodeShowsNoColour() {
        app_->store.setData("plot color", {1, 2, 3});
        Preferences* prefs = app_->delegate->showPreferencePanel();
        auto* plot = qobject_cast<ColourButton*>(prefs->control("plot color"));
        QVERIFY(!plot->colour());
        // Saving leaves the bad bytes alone rather than writing an empty colour.
        prefs->savePrefs();
        QCOMPARE(app_->store.dataForKey("plot color"), (divelog::SettingData{1, 2, 3}));
        QVERIFY(qobject_cast<ColourButton*>(prefs->control("fill color"))->colour());
    }

    void resetStoresFactoryValuesAndNotifiesEveryLogbook() {
        app_->store.setNumber("tank volume", 12);
        app_->store.setString("country code", "ESP");
        app_->store.setBool("column gaz", false);
        app_->store.setBool("column scaph", true);
        Preferences* prefs = app_->delegate->showPreferencePanel();
        QCOMPARE(qobject_cast<QLineEdit*>(prefs->control("tank volume"))->text(), QString("12"));

        Posted posted(app_->context, "column gaz");
        // Asked first; "Cancel" leaves every preference as it was.
        app_->prompts->confirmAnswer = false;
        prefs->resetButton()->click();
        QCOMPARE(app_->prompts->confirmations, QStringList{app_->text.main("Reset question")});
        QCOMPARE(app_->store.numberForKey("tank volume"), 12);
        QVERIFY(posted.names.isEmpty());
        app_->prompts->confirmAnswer = true;
        prefs->resetButton()->click();
        QCOMPARE(app_->store.numberForKey("tank volume"), 15);
        QCOMPARE(app_->store.numberForKey("tank pressure"), 230);
        QCOMPARE(app_->store.stringForKey("country code"), std::string("FRA"));
        // The columns of a fresh install: the gas shown, the apparatus hidden.
        QVERIFY(app_->store.boolForKey("column gaz"));
        QVERIFY(!app_->store.boolForKey("column scaph"));
        QVERIFY(app_->store.boolForKey("column numero"));
        QCOMPARE(posted.names, (QStringList{"updateTableView", "updateColumnsTableView", "profile",
                                            "updateEditDive", "updateDeco"}));

        // The window shows what was reset, including the two values it does not save.
        QCOMPARE(qobject_cast<QLineEdit*>(prefs->control("tank volume"))->text(), QString("15"));
        QVERIFY(qobject_cast<QCheckBox*>(prefs->control("column gaz"))->isChecked());
        QVERIFY(!qobject_cast<QCheckBox*>(prefs->control("column scaph"))->isChecked());
        QVERIFY(qobject_cast<QCheckBox*>(prefs->control("foreign in color"))->isChecked());
        QVERIFY(qobject_cast<ColourButton*>(prefs->control("foreign color"))->colour());
        QVERIFY(!app_->store.hasStoredValue("foreign color"));
        QVERIFY(!app_->store.hasStoredValue("column_epave"));

        // Save writes every saved key, from the window's values.
        app_->store.remove("mix in color");
        prefs->saveButton()->click();
        QVERIFY(app_->store.boolForKey("mix in color"));
        QVERIFY(!app_->store.hasStoredValue("column_epave"));
    }

    void aColumnSwitchChangesEveryOpenLogbooksColumns() {
        app_->controller->newCarnetDocumentMenuAction();
        app_->controller->newCarnetDocumentMenuAction();
        QList<CarnetWindow*> logbooks;
        for (DocumentWindow* w : app_->controller->windows())
            if (auto c = qobject_cast<CarnetWindow*>(w)) logbooks << c;
        QCOMPARE(logbooks.size(), 2);
        const int coeff = DiveTableModel::columnOf(divelog::Plongee::Field::coeff);
        const int apparatus = DiveTableModel::columnOf(divelog::Plongee::Field::rebreather);
        for (CarnetWindow* w : logbooks) QVERIFY(!w->table()->isColumnHidden(coeff));

        Preferences* prefs = app_->delegate->showPreferencePanel();
        prefs->goView(3);
        qobject_cast<QCheckBox*>(prefs->control("column coeff"))->click();
        qobject_cast<QCheckBox*>(prefs->control("column scaph"))->click();
        for (CarnetWindow* w : logbooks) {
            QVERIFY(w->table()->isColumnHidden(coeff));
            QVERIFY(!w->table()->isColumnHidden(apparatus));
        }
        // Reset turns the apparatus column off and the tide back on: every open
        // table follows at once, as the Columns view shows them.
        prefs->resetButton()->click();
        for (CarnetWindow* w : logbooks) {
            QVERIFY(w->table()->isColumnHidden(apparatus));
            QVERIFY(!w->table()->isColumnHidden(coeff));
        }
        QVERIFY(qobject_cast<QCheckBox*>(prefs->control("column coeff"))->isChecked());
        QVERIFY(!qobject_cast<QCheckBox*>(prefs->control("column scaph"))->isChecked());
        for (CarnetWindow* w : logbooks) w->close();
        flushDeletes();
    }

    void enablingAndTheThresholdUnitFollowTheSwitches() {
        Preferences* prefs = app_->delegate->showPreferencePanel();
        auto box = [&](const char* key) { return qobject_cast<QCheckBox*>(prefs->control(key)); };
        auto enabled = [&](const char* key) { return prefs->control(key)->isEnabled(); };

        // Registered defaults: table colours on, low temperature off.
        QVERIFY(enabled("depth color") && enabled("time color"));
        QVERIFY(!enabled("low temperature value") && !enabled("low temperature color"));
        QVERIFY(!prefs->temperatureUnitLabel()->isEnabled());
        QVERIFY(!enabled("coloured text") && !enabled("coloured theme"));

        box("depth time in color")->click();
        QVERIFY(!enabled("depth color") && !enabled("time color"));
        box("low temperature in color")->click();
        QVERIFY(enabled("low temperature value") && enabled("low temperature color"));
        QVERIFY(prefs->temperatureUnitLabel()->isEnabled());
        box("color item")->click();
        QVERIFY(enabled("coloured text") && enabled("coloured theme"));
        box("fill plot")->click();
        QVERIFY(!enabled("fill color") && !enabled("alpha fill color"));
        QVERIFY(!enabled("gradient lines color"));
        box("gradient yes")->click();
        QVERIFY(enabled("gradient lines color"));

        QCOMPARE(prefs->temperatureUnitLabel()->text(), app_->text.carnet("Degree Celsius"));
        box("us units")->click();
        QCOMPARE(prefs->temperatureUnitLabel()->text(), app_->text.carnet("Degree Farenheit"));
        QVERIFY(prefs->temperatureUnitLabel()->text() != app_->text.carnet("Degree Celsius"));
        QVERIFY(!prefs->temperatureUnitLabel()->text().contains("error"));
        box("us units")->click();
        QCOMPARE(prefs->temperatureUnitLabel()->text(), app_->text.carnet("Degree Celsius"));
    }

    void theMemoShowsAtLaunchWithTheTextLeftInIt() {
        app_->store.setBool("pense bete", true);
        app_->store.setString(MemoWindow::kTextKey, "Call Bob about the boat");
        app_->controller->applicationOpenUntitledFile();
        MemoWindow* memo = app_->controller->memoWindow();
        QVERIFY(memo && memo->isVisible());
        QCOMPARE(memo->pad()->toPlainText(), QString("Call Bob about the boat"));
        memo->pad()->appendPlainText("Fill the 15 l");
        app_->store.sync();

        // The next launch, over the same settings file.
        app_.reset();
        flushDeletes();
        app_ = std::make_unique<AppHarness>(dir_.filePath("settings.ini"));
        app_->controller->applicationOpenUntitledFile();
        QCOMPARE(app_->controller->memoWindow()->pad()->toPlainText(),
                 QString("Call Bob about the boat\nFill the 15 l"));
    }

private:
    QTemporaryDir dir_;
    std::unique_ptr<AppHarness> app_;
};

QTEST_MAIN(PreferencesTest)
#include "tst_preferences.moc"
