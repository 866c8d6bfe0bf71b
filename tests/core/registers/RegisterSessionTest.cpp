// A register at work: the form is bound to one record by identity, stores
// write only into it and only what the user changed, every change to the
// list is one step of the history, and the table's sort remembers its
// directions.

#include <gtest/gtest.h>

#include "localisation/Localisation.h"
#include "registers/AdressesEts.h"
#include "registers/InvConso.h"
#include "registers/InvMateriel.h"
#include "registers/RegisterSession.h"
#include "registers/RepEpaves.h"
#include "settings/PickLists.h"
#include "settings/SettingsStore.h"

using namespace divelog;

namespace {

struct WreckSession : ::testing::Test {
    InMemorySettingsStore store;
    PickLists lists{store};
    Localisation texts;
    RegisterDocument doc{DocumentKind::Epaves, RepEpaves::instance()};
    std::unique_ptr<RegisterSession> session;
    const Date now = dateNow();

    void SetUp() override {
        texts.loadTable("Main", "\"One card\" = \"1 card\";\n\"Cards\" = \"%d cards\";");
        texts.loadTable("Epaves", "\"Cards\" = \"%d wrecks\";");
        for (const char* name : {"Donator", "Grec", "Togo", "Liban"}) {
            Record r(Epaves::schema());
            r.setText(Epaves::nom, std::string(name));
            r.setReal(Epaves::longueur, static_cast<float>(std::string(name).size()));
            doc.add(std::move(r));
        }
        doc.history().clear();
        doc.clearChanged();
        session = std::make_unique<RegisterSession>(doc, lists, texts);
        session->documentLoaded();
    }

    std::string name(std::size_t row) const { return doc.record(row).textOr(Epaves::nom); }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < doc.recordCount(); ++i) out.push_back(name(i));
        return out;
    }
    void type(const char* field, const char* text) { session->form().setText(field, text, now); }
};

}  // namespace

TEST_F(WreckSession, LoadShowsTheLastWreckAndAnEmptyRegisterShowsNothing) {
    EXPECT_EQ(session->singleSelection(), 3u);
    EXPECT_EQ(session->form().text("nom"), "Liban");

    RegisterDocument empty(DocumentKind::Materiel, InvMateriel::instance());
    RegisterSession s(empty, lists, texts);
    s.documentLoaded();
    EXPECT_TRUE(s.selection().empty());
    EXPECT_FALSE(s.boundRecord());
    EXPECT_EQ(s.countText(), "0 cards");  // "Materiel" has no count keys: "Main" says it
    for (const char* item : {"imprimer", "insertMatos", "updateMatos", "deleteMatos", "synthese"})
        EXPECT_FALSE(s.isItemEnabled(item)) << item;
    for (const char* item : {"newMatos", "addMatos", "saveDocument", "blankFields"})
        EXPECT_TRUE(s.isItemEnabled(item)) << item;
}

TEST_F(WreckSession, CountLabelUsesTheRegistersOwnTableThenMain) {
    EXPECT_EQ(session->countText(), "4 wrecks");
    session->select({0, 1, 2});
    session->deleteSelected();
    EXPECT_EQ(session->countText(), "1 card");
    Localisation bare;
    RegisterSession s(doc, lists, bare);
    EXPECT_EQ(s.countText(), "\r\rerror ! ");
}

TEST_F(WreckSession, EditsGoOnlyIntoTheBoundWreck) {
    session->select({1});
    type("notes", "Deep");
    session->select({2});  // storing the edit of the wreck shown before
    EXPECT_EQ(doc.record(1).textOr(Epaves::notes), "Deep");
    EXPECT_EQ(session->form().text("nom"), "Togo");

    // Erase unbinds, but keeps the wreck register's selection for Insert.
    session->blankFields();
    EXPECT_FALSE(session->boundRecord());
    EXPECT_EQ(session->singleSelection(), 2u);
    EXPECT_EQ(session->form().text("gps"),
              "error !");  // the template, from a table not loaded here
    type("nom", "Prosper");
    EXPECT_TRUE(session->hasUnstoredRecord());
    session->update();  // nothing is bound: the selected wreck is not overwritten
    session->comboEdited("type", "Cargo", false);
    EXPECT_EQ(names(), (std::vector<std::string>{"Donator", "Grec", "Togo", "Liban"}));
    session->select({0});  // a new card typed in the form stays until the user decides
    EXPECT_EQ(session->form().text("nom"), "Prosper");

    session->insert();  // before the selected wreck, then shown
    EXPECT_EQ(names(), (std::vector<std::string>{"Prosper", "Donator", "Grec", "Togo", "Liban"}));
    EXPECT_EQ(session->boundRow(), 0u);
    EXPECT_FALSE(session->hasUnstoredRecord());
    EXPECT_EQ(doc.record(0).textOr(Epaves::dateConstruction), "--/--/----");
    EXPECT_EQ(doc.record(0).real(Epaves::longueur), -1.0f);
}

TEST_F(WreckSession, AddLeavesAnEmptyFormAndInsertWaitsForASelection) {
    session->blankFields();
    type("nom", "Saint-Dominique");
    session->add();
    EXPECT_EQ(name(4), "Saint-Dominique");
    EXPECT_FALSE(session->boundRecord());
    EXPECT_FALSE(session->form().modified());
    EXPECT_EQ(session->form().text("nom"), "");
    session->select({});
    type("nom", "Rubis");
    session->insert();
    EXPECT_EQ(doc.recordCount(), 5u);
    EXPECT_TRUE(doc.isChanged());
}

TEST_F(WreckSession, AFieldWithoutAControlKeepsItsValue) {
    Record r = doc.record(0);
    ASSERT_EQ(session->form().record().size(), r.size());
    session->select({0});
    type("site", "Est");
    session->update();
    const Record& stored = doc.record(0);
    for (std::size_t f = 0; f < stored.size(); ++f) {
        if (f == Epaves::site) continue;
        EXPECT_TRUE(stored.value(f) == r.value(f)) << f;
    }
    // A form loaded and stored untouched changes nothing, and takes no history step.
    const std::size_t steps = doc.history().count();
    session->select({1});
    session->update();
    EXPECT_EQ(doc.history().count(), steps);
}

TEST_F(WreckSession, MovingStoresTheFormFirst) {
    session->select({3});
    type("notes", "edited");
    session->previous();
    EXPECT_EQ(doc.record(3).textOr(Epaves::notes), "edited");
    EXPECT_EQ(session->singleSelection(), 2u);
    EXPECT_TRUE(session->canGoPrevious());
    EXPECT_TRUE(session->canGoNext());
    session->select({0});
    session->previous();
    EXPECT_EQ(session->singleSelection(), 0u);
    EXPECT_FALSE(session->canGoPrevious());
}

TEST_F(WreckSession, EveryListChangeIsOneStepAndUndoComesBack) {
    session->select({0, 2, 3});
    EXPECT_TRUE(session->deleteSelected());
    EXPECT_EQ(names(), (std::vector<std::string>{"Grec"}));
    EXPECT_EQ(session->undoName(), "Delete 3 Cards");  // no Main text loaded: the key as format
    session->undo();
    EXPECT_EQ(names(), (std::vector<std::string>{"Donator", "Grec", "Togo", "Liban"}));
    EXPECT_FALSE(doc.isChanged());

    session->select({1});
    type("nom", "Le Grec");
    EXPECT_TRUE(session->canUndo());  // the pending edit is stored, then taken back
    session->undo();
    EXPECT_EQ(name(1), "Grec");
    EXPECT_EQ(session->form().text("nom"), "Grec");
    session->redo();
    EXPECT_EQ(name(1), "Le Grec");
    EXPECT_EQ(session->form().text("nom"), "Le Grec");
}

TEST_F(WreckSession, HeaderClicksSortInTheRememberedDirections) {
    EXPECT_FALSE(session->sortByColumn("nom"));  // first click: descending
    EXPECT_EQ(names(), (std::vector<std::string>{"Togo", "Liban", "Grec", "Donator"}));
    EXPECT_FALSE(doc.isChanged());
    EXPECT_TRUE(session->sortByColumn("nom"));
    EXPECT_EQ(names(), (std::vector<std::string>{"Donator", "Grec", "Liban", "Togo"}));
    EXPECT_FALSE(session->sortByColumn("nom"));
    EXPECT_FALSE(session->sortByColumn("longueur"));  // another column: its own memory
    EXPECT_EQ(name(0), "Donator");
    EXPECT_FALSE(session->sortByColumn("nom"));  // back: resumes descending
    EXPECT_EQ(name(0), "Togo");
    // The file holds the sorted order.
    std::string error;
    RegisterDocument back(DocumentKind::Epaves, RepEpaves::instance());
    DocumentError failure;
    ASSERT_TRUE(back.load(doc.dataOfType("wrecks", error), failure));
    EXPECT_EQ(back.record(0).textOr(Epaves::nom), "Togo");
    // The selection follows the wreck, not the row.
    session->select({0});
    session->sortByColumn("nom");
    EXPECT_EQ(session->singleSelection(), 3u);
    EXPECT_EQ(session->form().text("nom"), "Togo");
}

TEST_F(WreckSession, ComboEditsAskOnlyForNewTextAndKeepTheList) {
    session->select({0});
    EXPECT_FALSE(session->comboNeedsQuestion("type", "   "));
    EXPECT_TRUE(session->comboNeedsQuestion("type", " Cargo "));
    EXPECT_FALSE(session->comboNeedsQuestion("nom", "Cargo"));  // not a combo box
    type("type", " Cargo ");
    session->comboEdited("type", " Cargo ", false);
    EXPECT_TRUE(lists.list("type epave").empty());
    EXPECT_TRUE(store.storedValue("type epave"));  // sorted and stored all the same
    // The wreck takes the edit when it is left, as it takes any other.
    EXPECT_EQ(doc.record(0).textOr(Epaves::type), "");
    session->comboEdited("type", "Tanker", true);
    EXPECT_EQ(lists.list("type epave"), (std::vector<std::string>{"Tanker"}));
    session->select({1});
    EXPECT_EQ(doc.record(0).textOr(Epaves::type), " Cargo ");
}

// A card shown, a combo and the orientation slider changed, then Insert: the
// new card takes the form, and the shown card stays as it was.
TEST_F(WreckSession, InsertLeavesTheShownWreckAsItWas) {
    session->select({1});
    type("nom", "X");
    type("type", "Cargo");
    session->comboEdited("type", "Cargo", true);
    session->form().setInteger("orientationSwitch", 1, now);
    session->form().setInteger("orientation", 120, now);
    session->insert();
    EXPECT_EQ(names(), (std::vector<std::string>{"Donator", "X", "Grec", "Togo", "Liban"}));
    EXPECT_EQ(doc.record(1).textOr(Epaves::type), "Cargo");
    EXPECT_EQ(doc.record(1).integer(Epaves::orientation), 120);
    EXPECT_EQ(doc.record(2).textOr(Epaves::type), "");
    EXPECT_EQ(doc.record(2).integer(Epaves::orientation), 0);
    EXPECT_EQ(session->boundRow(), 1u);
}

TEST(EquipmentSession, CombosDoNotStoreAndANewCardTakesTheNextNumber) {
    InMemorySettingsStore store;
    PickLists lists{store};
    Localisation texts;
    RegisterDocument doc{DocumentKind::Materiel, InvMateriel::instance()};
    RegisterSession s(doc, lists, texts);
    s.documentLoaded();
    EXPECT_EQ(s.form().text("matosNo"), "1");
    EXPECT_EQ(s.form().text("quantiteMatos"), "1");
    EXPECT_EQ(s.form().integer("noInspection"), 1);
    s.add();
    EXPECT_EQ(s.form().text("matosNo"), "2");
    s.select({0});
    s.form().setText("marqueMatos", "Apeks", dateNow());
    s.comboEdited("marqueMatos", "Apeks", true);
    EXPECT_EQ(doc.record(0).textOr(Materiel::marqueMatos), "");
    EXPECT_EQ(lists.list("fabricants"), (std::vector<std::string>{"Apeks"}));
}

// New and Erase leave nothing selected in the consumables, as a blank form
// there is for a new part; Insert still knows which part it goes before.
TEST(ConsumablesSession, InsertAfterNewGoesBeforeThePartSelectedThen) {
    InMemorySettingsStore store;
    PickLists lists{store};
    Localisation texts;
    RegisterDocument doc{DocumentKind::Consommables, InvConso::instance()};
    for (const char* ref : {"A", "B"}) {
        Record r(Consommables::schema());
        r.setText(Consommables::reference, std::string(ref));
        doc.add(std::move(r));
    }
    RegisterSession s(doc, lists, texts);
    s.documentLoaded();
    auto references = [&] {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < doc.recordCount(); ++i)
            out.push_back(doc.record(i).textOr(Consommables::reference));
        return out;
    };
    s.select({1});
    s.newRecord();
    EXPECT_TRUE(s.selection().empty());
    EXPECT_TRUE(s.isItemEnabled("insertPart"));
    s.form().setText("reference", "C", dateNow());
    s.insert();
    EXPECT_EQ(references(), (std::vector<std::string>{"A", "C", "B"}));
    EXPECT_EQ(s.singleSelection(), 1u);

    s.select({0});
    s.blankFields();
    s.form().setText("reference", "D", dateNow());
    s.insert();
    EXPECT_EQ(references(), (std::vector<std::string>{"D", "A", "C", "B"}));

    // After Add nothing is selected: Insert has no place and is not offered.
    s.add();
    EXPECT_EQ(doc.recordCount(), 5u);
    EXPECT_FALSE(s.isItemEnabled("insertPart"));
    s.form().setText("reference", "E", dateNow());
    s.insert();
    EXPECT_EQ(doc.recordCount(), 5u);
    s.discardUnstoredRecord();
    // The part New deselected was deleted meanwhile: no place either.
    s.select({4});
    s.newRecord();
    EXPECT_TRUE(s.isItemEnabled("insertPart"));
    doc.erase({4});
    EXPECT_FALSE(s.isItemEnabled("insertPart"));
}

// The firms' activities live in the store like every list: a firms register
// offers them, knows them, and adds beside them.
TEST(FirmSession, TheActivitiesStoredAreOfferedAndKept) {
    InMemorySettingsStore store;
    store.setList("activite", {"Boat", "Shop"});
    PickLists lists{store};
    Localisation texts;
    RegisterDocument doc{DocumentKind::Entreprises, AdressesEts::instance()};
    RegisterSession s(doc, lists, texts);
    s.documentLoaded();
    EXPECT_EQ(lists.list("activite"), (std::vector<std::string>{"Boat", "Shop"}));
    EXPECT_FALSE(s.comboNeedsQuestion("activite", "Shop"));
    EXPECT_TRUE(s.comboNeedsQuestion("activite", "Airline"));
    s.comboEdited("activite", "Airline", true);
    EXPECT_EQ(store.listForKey("activite"), (std::vector<std::string>{"Airline", "Boat", "Shop"}));
}
