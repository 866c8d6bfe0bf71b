// The pick-list editors: one window per list from the Lists menu, kept once
// made; adding sorts and stores under the list's own key; deleting asks first
// and removes exactly the selected rows; the reloading commands reread the
// store into the shared list without replacing it.

#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "AppTestHarness.h"
#include "ComboBoxes/ComboPaysController.h"
#include "ComboBoxes/PickListPane.h"
#include "ComboBoxes/PickListWindow.h"
#include "DocumentWindow.h"
#include "settings/IsoCountries.h"

namespace {

QStringList shown(const PickListPane* pane) {
    QStringList out;
    const QAbstractItemModel* m = pane->table()->model();
    for (int r = 0; r < m->rowCount(); ++r) out << m->index(r, 0).data().toString();
    return out;
}

QStringList qlist(const std::vector<std::string>& v) {
    QStringList out;
    for (const auto& s : v) out << QString::fromStdString(s);
    return out;
}

void selectRows(PickListPane* pane, std::initializer_list<int> rows) {
    QItemSelectionModel* sel = pane->table()->selectionModel();
    sel->clearSelection();
    for (int r : rows)
        sel->select(pane->table()->model()->index(r, 0),
                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

}  // namespace

class PickListEditorsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QFile::remove(dir_.filePath("settings.ini"));
        app_ = std::make_unique<AppHarness>(dir_.filePath("settings.ini"));
        app_->controller->newCarnetDocumentMenuAction();
        window_ = app_->controller->windows().first();
    }
    void cleanup() {
        app_.reset();
        flushDeletes();
    }

    void everyListHasOneKeptLocalisedEditor() {
        const auto& commands = AppDelegate::pickListCommands();
        QCOMPARE(commands.size(), std::size_t(15));
        for (const auto& c : commands) {
            QAction* action = window_->findChild<QAction*>(c.command);
            QVERIFY2(action, c.command);
            action->trigger();
            PickListWindow* editor = app_->delegate->editorWindow(c.layout);
            QVERIFY2(editor && editor->isVisible(), c.layout);
            QCOMPARE(editor->windowTitle(), app_->text.main(c.layout));
            QVERIFY(!editor->windowTitle().contains("error"));
            QVERIFY(editor->pane(c.listKey));
            for (PickListPane* pane : editor->panes()) {
                QCOMPARE(pane->countLabel()->text(),
                         app_->text.format("Carnet", "Entries", "error !", {std::int64_t(0)}));
                QVERIFY(!pane->countLabel()->text().contains("error"));
            }
            editor->close();
            action->trigger();
            QCOMPARE(app_->delegate->editorWindow(c.layout), editor);
            QVERIFY(editor->isVisible());
        }
        // Editors and calculator windows are kept apart.
        QVERIFY(!app_->delegate->toolWindow("ComboLieu"));
        // One editor per list: fifteen commands, sixteen lists.
        QCOMPARE(app_->delegate->editorWindow("ComboPays")->panes().size(), 2);
    }

    void addingSortsAndStoresUnderTheListsOwnKey() {
        app_->store.setList("type materiel", {"Regulator"});
        window_->findChild<QAction*>("showMagasinsWindow")->trigger();
        PickListPane* shops = app_->delegate->editorWindow("ComboMagasinsMatos")->pane("magasins");

        QTest::keyClicks(shops->entryField(), "Zodiac Divers");
        shops->addButton()->click();
        QVERIFY(shops->entryField()->text().isEmpty());
        QTest::keyClicks(shops->entryField(), "Aqua Center");
        QTest::keyClick(shops->entryField(), Qt::Key_Return);
        QCOMPARE(qlist(app_->store.listForKey("magasins")),
                 (QStringList{"Aqua Center", "Zodiac Divers"}));
        QCOMPARE(qlist(app_->context.pickLists().list("magasins")),
                 qlist(app_->store.listForKey("magasins")));
        QCOMPARE(shown(shops), (QStringList{"Aqua Center", "Zodiac Divers"}));
        QCOMPARE(qlist(app_->store.listForKey("type materiel")), QStringList{"Regulator"});

        // An empty or blank entry is refused with a beep and nothing changes;
        // the blank stays selected, so typing replaces it.
        QSignalSpy refused(shops, &PickListPane::entryRefused);
        shops->addButton()->click();
        QTest::keyClicks(shops->entryField(), QString::fromUtf8("  \u00A0 "));
        QTest::keyClick(shops->entryField(), Qt::Key_Return);
        QCOMPARE(refused.count(), 2);
        QCOMPARE(qlist(app_->store.listForKey("magasins")),
                 (QStringList{"Aqua Center", "Zodiac Divers"}));
        QCOMPARE(shown(shops), (QStringList{"Aqua Center", "Zodiac Divers"}));
        QVERIFY(shops->entryField()->hasSelectedText());
        // A repeated entry is added as it is.
        QTest::keyClicks(shops->entryField(), "Aqua Center");
        shops->addButton()->click();
        QCOMPARE(refused.count(), 2);
        QCOMPARE(qlist(app_->store.listForKey("magasins")),
                 (QStringList{"Aqua Center", "Aqua Center", "Zodiac Divers"}));
        QCOMPARE(shops->countLabel()->text(),
                 app_->text.format("Carnet", "Entries", "error !", {std::int64_t(3)}));

        // The country editor's two lists are independent.
        window_->findChild<QAction*>("showPaysWindow")->trigger();
        auto* countries =
            qobject_cast<ComboPaysController*>(app_->delegate->editorWindow("ComboPays"));
        QVERIFY(countries);
        QTest::keyClicks(countries->countryCodePane()->entryField(), "MLT");
        countries->countryCodePane()->addButton()->click();
        QTest::keyClicks(countries->paysPane()->entryField(), "Malta");
        countries->paysPane()->addButton()->click();
        QCOMPARE(qlist(app_->store.listForKey("countryCode")), QStringList{"MLT"});
        QCOMPARE(qlist(app_->store.listForKey("pays")), QStringList{"Malta"});
        QCOMPARE(shown(countries->countryCodePane()), QStringList{"MLT"});
        QSignalSpy codeRefused(countries->countryCodePane(), &PickListPane::entryRefused);
        QTest::keyClicks(countries->countryCodePane()->entryField(), " ");
        countries->countryCodePane()->addButton()->click();
        QCOMPARE(codeRefused.count(), 1);
        QCOMPARE(qlist(app_->store.listForKey("countryCode")), QStringList{"MLT"});
    }

    void deletingAsksThenRemovesExactlyTheSelectedRows() {
        app_->context.pickLists().list("lieux") = {"Cassis", "Cassis", "Marseille", "Nice",
                                                   "Toulon"};
        window_->findChild<QAction*>("showLieuWindow")->trigger();
        PickListPane* places = app_->delegate->editorWindow("ComboLieu")->pane("lieux");
        QCOMPARE(shown(places).size(), 5);
        const QStringList all = shown(places);

        // Nothing selected: the field is emptied, nothing asked.
        QTest::keyClicks(places->entryField(), "half typed");
        places->deleteButton()->click();
        QVERIFY(places->entryField()->text().isEmpty());
        QVERIFY(app_->prompts->confirmations.isEmpty());

        // Cancel changes nothing, not even the stored list.
        selectRows(places, {0, 2, 4});
        app_->prompts->confirmAnswer = false;
        QTest::keyClicks(places->entryField(), "x");
        places->deleteButton()->click();
        QCOMPARE(app_->prompts->confirmations, QStringList{app_->text.main("Erase selection")});
        QVERIFY(!app_->store.hasStoredValue("lieux"));
        QCOMPARE(shown(places), all);
        QVERIFY(places->entryField()->text().isEmpty());

        // OK removes the three rows, one of two equal entries among them.
        app_->prompts->confirmAnswer = true;
        places->deleteButton()->click();
        QCOMPARE(qlist(app_->store.listForKey("lieux")), (QStringList{"Cassis", "Nice"}));
        QCOMPARE(shown(places), (QStringList{"Cassis", "Nice"}));
        QVERIFY(places->table()->selectionModel()->selectedRows().isEmpty());
        QCOMPARE(places->countLabel()->text(),
                 app_->text.format("Carnet", "Entries", "error !", {std::int64_t(2)}));

        // A list changed behind the table (a form's prompt) is shown again
        // rather than deleting rows that now name other entries.
        selectRows(places, {1});
        app_->context.pickLists().add("lieux", "Antibes");
        places->deleteButton()->click();
        QCOMPARE(qlist(app_->context.pickLists().list("lieux")),
                 (QStringList{"Antibes", "Cassis", "Nice"}));
        QCOMPARE(shown(places), (QStringList{"Antibes", "Cassis", "Nice"}));
        QCOMPARE(app_->prompts->confirmations.size(), 2);
    }

    void reloadingCommandsRereadTheStoreIntoTheSharedList() {
        const std::vector<std::string>* brands = &app_->context.pickLists().list("fabricants");
        // Written behind the shared lists' back, as another process would.
        app_->store.setList("fabricants", {"Apeks", "Mares"});
        app_->store.setList("lieux", {"Cassis"});
        QAction* marques = window_->findChild<QAction*>("showMarquesWindow");
        marques->trigger();
        window_->findChild<QAction*>("showLieuWindow")->trigger();
        QCOMPARE(&app_->context.pickLists().list("fabricants"), brands);
        QCOMPARE(qlist(*brands), (QStringList{"Apeks", "Mares"}));
        QCOMPARE(shown(app_->delegate->editorWindow("ComboMarques")->panes().first()),
                 (QStringList{"Apeks", "Mares"}));
        // The places were filled at start-up and are not reread.
        QCOMPARE(shown(app_->delegate->editorWindow("ComboLieu")->pane("lieux")), QStringList{});

        // A second use rereads again, into the window already made.
        app_->store.setList("fabricants", {"Scubapro"});
        marques->trigger();
        QCOMPARE(shown(app_->delegate->editorWindow("ComboMarques")->pane("fabricants")),
                 QStringList{"Scubapro"});
        QCOMPARE(&app_->context.pickLists().list("fabricants"), brands);
    }

    void isoTableIsReadAndDamageGivesNoCountries() {
        const QString good = writeFile("good.json", kSmallTable);
        const auto countries = readIsoCountries(good);
        QCOMPARE(countries.size(), std::size_t(5));
        QCOMPARE(countries[0].name, std::string("Malta"));
        QCOMPARE(countries[0].alpha3, std::string("MLT"));
        QCOMPARE(countries[1].alpha3, std::string("FRA"));
        QVERIFY(countries[2].alpha3.empty());
        QVERIFY(countries[3].name.empty() && countries[3].alpha3.empty());

        const QByteArray whole(kSmallTable);
        const QList<QByteArray> damaged = {whole.left(60), "", "[]", "{\"3166-1\": {}}",
                                           QByteArray(5 << 20, ' ') + whole};
        for (const QByteArray& bytes : damaged)
            QVERIFY2(readIsoCountries(writeFile("damaged.json", bytes)).empty(), bytes.left(40));
        QVERIFY(readIsoCountries(dir_.filePath("absent.json")).empty());
    }

    void systemIsoTableNamesTheCountries() {
        if (!QFile::exists(isoCountriesPath())) QSKIP("the iso-codes package is not installed");
        const auto countries = isoCountries();
        QVERIFY(countries.size() >= 240);
        QVERIFY(std::any_of(countries.begin(), countries.end(), [](const divelog::Country& c) {
            return c.name == "France" && c.alpha3 == "FRA";
        }));
    }

    void firstLaunchFillsTheCountryEditorOnce() {
        const QString table = writeFile("table.json", kSmallTable);
        const QString ini = dir_.filePath("first-launch.ini");
        int reads = 0;
        auto source = [&] {
            ++reads;
            return readIsoCountries(table);
        };
        {
            QtSettingsStore store(ini);
            divelog::AppContext context(store);
            context.initialize(source);
            loadLocalisationResources(context.localisation());
            UiText text{context.localisation()};
            CapturingPrompts prompts(text);
            ComboPaysController editor(context, text, prompts);
            editor.present();
            QCOMPARE(shown(editor.paysPane()), (QStringList{"France", "Malta", "No code"}));
            QCOMPARE(shown(editor.countryCodePane()), (QStringList{"FRA", "MLT"}));
            QCOMPARE(editor.paysPane()->countLabel()->text(),
                     text.format("Carnet", "Entries", "error !", {std::int64_t(3)}));
            store.sync();
        }
        // The next launch keeps the stored lists and reads no table.
        {
            QtSettingsStore store(ini);
            divelog::AppContext context(store);
            context.initialize(source);
            QCOMPARE(reads, 1);
            QCOMPARE(qlist(context.pickLists().list("countryCode")), (QStringList{"FRA", "MLT"}));
        }
        // A damaged table leaves the lists empty and stores nothing.
        {
            const QString broken = writeFile("broken.json", QByteArray(kSmallTable).left(70));
            QtSettingsStore store(dir_.filePath("damaged.ini"));
            divelog::AppContext context(store);
            context.initialize([&] { return readIsoCountries(broken); });
            QVERIFY(context.pickLists().list("pays").empty());
            QVERIFY(!store.hasStoredValue("pays") && !store.hasStoredValue("countryCode"));
        }
    }

private:
    static constexpr const char* kSmallTable = R"({"3166-1": [
        {"alpha_2": "MT", "alpha_3": "MLT", "name": "Malta", "numeric": "470"},
        {"alpha_3": "FRA", "name": "France", "official_name": "French Republic"},
        {"name": "No code"}, {"alpha_3": 42, "name": ["x"]}, "junk"]})";

    QString writeFile(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(bytes);
        return path;
    }

    QTemporaryDir dir_;
    std::unique_ptr<AppHarness> app_;
    DocumentWindow* window_ = nullptr;
};

QTEST_MAIN(PickListEditorsTest)
#include "tst_pick_list_editors.moc"
