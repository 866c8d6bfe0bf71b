// The logbook at work: the form is bound to one dive by identity, stores
// write only into it and only what the user changed, and a new dive typed
// in the form is never written over another one.

#include <gtest/gtest.h>

#include <ctime>

#include "logbook/CarnetSession.h"

using namespace divelog;
using F = Plongee::Field;

namespace {

struct SessionFixture : ::testing::Test {
    InMemorySettingsStore store;
    AppContext context{store};
    Carnet carnet;
    std::unique_ptr<CarnetSession> session;

    void SetUp() override {
        context.initialize();
        context.localisation().loadTable(
            "Carnet",
            "\"Found dives\" = \"%d dives found\";\n\"One dive found\" = \"One dive found\";");
        Carnet::DiveList dives;
        for (int n = 1; n <= 5; ++n) {
            auto d = std::make_unique<Plongee>(makeNewDive(NewDiveDefaults{n}));
            d->setSite("Site " + std::to_string(n));
            d->setBateau(n % 2 ? std::string("Aldebaran") : std::string("ALDEBARAN II"));
            d->setProfondeur(10.5f * static_cast<float>(n));
            d->setCoeff(0);
            dives.push_back(std::move(d));
        }
        dives[2]->setLieu(std::string("Île Maïre"));
        carnet.loadList(std::move(dives));
        session = std::make_unique<CarnetSession>(carnet, context);
    }

    std::vector<std::uint8_t> bytes() {
        std::string error;
        return carnet.dataOfType("logbook", error);
    }
    std::vector<std::string> sites() const {
        std::vector<std::string> out;
        for (const auto& d : carnet.dives()) out.push_back(d->site().value_or(""));
        return out;
    }
};

}  // namespace

TEST_F(SessionFixture, BrowsingEveryDiveChangesNothing) {
    auto before = bytes();
    session->select({0});
    for (int i = 0; i < 6; ++i) session->next();
    for (int i = 0; i < 6; ++i) session->previous();
    session->closeEditWindow();
    session->editWindow(3);
    session->closeEditWindow();
    EXPECT_EQ(bytes(), before);
    EXPECT_FALSE(carnet.isChanged());
    EXPECT_FALSE(session->canUndo());
}

TEST_F(SessionFixture, ANewDiveTypedInTheFormIsStoredNowhereUntilAdded) {
    auto before = bytes();
    session->select({2});
    session->newRecord();
    EXPECT_FALSE(session->hasUnstoredRecord()) << "nothing typed yet";
    session->form().setText(F::site, "typed but not added");
    EXPECT_TRUE(session->hasUnstoredRecord());
    EXPECT_FALSE(session->canUpdate());
    session->closeEditWindow();
    session->update();
    session->next();
    session->select({4});
    EXPECT_EQ(bytes(), before) << "the new dive goes over no other dive";
    EXPECT_EQ(session->form().text(F::site), "typed but not added") << "nor is it dropped";
    EXPECT_TRUE(session->hasUnstoredRecord()) << "and is still there to be asked about";

    session->add();
    EXPECT_EQ(sites().back(), "typed but not added");
    EXPECT_FALSE(session->hasUnstoredRecord());

    session->form().setText(F::site, "second thoughts");
    session->discardUnstoredRecord();
    EXPECT_FALSE(session->hasUnstoredRecord());
    EXPECT_EQ(session->form().text(F::site), "");
    EXPECT_EQ(session->form().text(F::noPlongee), "7");
}

TEST_F(SessionFixture, EditDiveOfAnEmptyLogbookOpensANewDive) {
    context.localisation().loadTable("Carnet", "\"Dive number title\" = \"Dive %d\";");
    Carnet empty;
    CarnetSession s(empty, context);
    s.editWindow();
    EXPECT_EQ(s.form().text(F::noPlongee), "1");
    EXPECT_EQ(s.readouts().windowTitle, "Dive 1") << "titled as a new dive, not as dive 0";
    s.form().setText(F::site, "Niolon");
    EXPECT_TRUE(s.hasUnstoredRecord());
    s.editWindow();
    EXPECT_EQ(s.form().text(F::site), "Niolon") << "reopening keeps what was typed";
}

TEST_F(SessionFixture, ANewDiveStartsNow) {
    const std::time_t before = std::time(nullptr);
    session->newRecord();
    const DateParts now = localParts(session->form().date(F::heure));
    std::tm t{};
    localtime_r(&before, &t);
    EXPECT_EQ(now.hour * 60 + now.minute, t.tm_hour * 60 + t.tm_min) << "give or take a minute";
}

TEST_F(SessionFixture, EditsFollowTheirDiveThroughSortsAndInserts) {
    session->select({1});
    session->form().setText(F::site, "Site 2 (north)");
    session->sortByColumn(F::profondeur);  // descending: dive 2 is now fourth
    EXPECT_EQ(carnet.dive(0).noPlongee(), 5);
    EXPECT_EQ(session->singleSelection(), 3u) << "the selection follows its dive";
    session->next();
    EXPECT_EQ(carnet.dive(3).site(), "Site 2 (north)") << "stored into its own dive";
    EXPECT_EQ(session->singleSelection(), 4u);

    session->form().setText(F::site, "Site 1 (east)");
    session->select({0});
    EXPECT_EQ(carnet.dive(4).site(), "Site 1 (east)") << "a click elsewhere stores first";
    EXPECT_EQ(session->form().text(F::site), "Site 5");
}

TEST_F(SessionFixture, UpdateWritesOnlyIntoTheBoundDive) {
    session->select({0});
    // A search with one hit shows that dive, as a click does.
    SearchResult r = session->find(F::site, "site 3");
    EXPECT_EQ(r.rows, (std::vector<std::size_t>{2}));
    EXPECT_EQ(r.countText, "One dive found");
    EXPECT_EQ(session->form().text(F::site), "Site 3");
    session->form().setText(F::bateau, "Calypso");
    session->update();
    EXPECT_EQ(carnet.dive(2).bateau(), "Calypso");
    EXPECT_EQ(carnet.dive(2).noPlongee(), 3);
    EXPECT_EQ(carnet.dive(0).site(), "Site 1") << "dive 1 is not copied over dive 3";

    // Several hits select without loading; Update still writes only the shown dive.
    r = session->find(F::bateau, "aldebaran");
    EXPECT_EQ(r.rows, (std::vector<std::size_t>{0, 1, 3, 4}));
    EXPECT_EQ(session->boundRecord(), carnet.idAt(2));
    session->form().setText(F::site, "Riou");
    session->update();
    EXPECT_EQ(sites(), (std::vector<std::string>{"Site 1", "Site 2", "Riou", "Site 4", "Site 5"}));

    // An empty search selects nothing.
    EXPECT_TRUE(session->find(F::site, "").rows.empty());
    EXPECT_TRUE(session->selection().empty());
}

TEST_F(SessionFixture, SearchFoldsCaseBeyondAsciiInEveryScope) {
    EXPECT_EQ(session->find(F::bateau, "ii").countText, "2 dives found");
    EXPECT_EQ(session->find(F::lieu, "ÎLE MAÏRE").rows, (std::vector<std::size_t>{2}));
    EXPECT_EQ(session->find(F::lieu, "île").rows, (std::vector<std::size_t>{2}));
    // A decomposed accent (e + combining circumflex) meets the composed one.
    EXPECT_EQ(session->find(F::lieu, "i\xCC\x82le").rows, (std::vector<std::size_t>{2}));
    EXPECT_EQ(session->find(F::notes, "nothing").countText, "0 dives found");
    EXPECT_EQ(session->find(F::site, "\xFF\xFE").rows.size(), 0u) << "bytes that are no text";
    std::vector<F> scopes;
    for (const auto& s : CarnetSession::searchScopes()) scopes.push_back(s.field);
    EXPECT_EQ(scopes, (std::vector<F>{F::bateau, F::epaves, F::notes, F::ordinateur, F::partenaires,
                                      F::lieu, F::site}));
    session->closeEditWindow();
    EXPECT_FALSE(carnet.isChanged());
}

TEST_F(SessionFixture, DoubleClickOpensTheRowClicked) {
    session->select({0, 1, 4});
    session->editWindow(3);
    EXPECT_EQ(session->form().text(F::site), "Site 4");
    EXPECT_EQ(session->singleSelection(), 3u);
}

TEST_F(SessionFixture, ACellEditOfTheShownDiveReachesTheForm) {
    session->select({2});
    session->form().setText(F::bateau, "Calypso");  // an edit of the form in progress
    EXPECT_TRUE(session->editCell(2, F::site, "Grand Congloué"));
    EXPECT_TRUE(carnet.isChanged());
    EXPECT_EQ(session->form().text(F::site), "Grand Congloué");
    session->closeEditWindow();
    EXPECT_EQ(carnet.dive(2).site(), "Grand Congloué") << "the later store keeps the cell edit";
    EXPECT_EQ(carnet.dive(2).bateau(), "Calypso");
    EXPECT_FALSE(session->editCell(2, F::profondeur, "abc"));
    EXPECT_FALSE(session->editCell(99, F::site, "x"));
    EXPECT_FALSE(session->editCell(2, F::site, "Grand Congloué")) << "no change, nothing to undo";
}

TEST_F(SessionFixture, DeleteRenumberAndOneRefreshPerAction) {
    session->select({0, 2, 4});
    std::size_t refreshes = session->refreshCount();
    EXPECT_TRUE(session->deleteSelected());
    EXPECT_EQ(session->refreshCount(), refreshes + 1);
    ASSERT_EQ(carnet.recordCount(), 2u);
    EXPECT_EQ(carnet.dive(0).noPlongee(), 2);
    EXPECT_FALSE(session->deleteSelected()) << "nothing selected any more";

    session->select({1});
    refreshes = session->refreshCount();
    session->renumber(100);
    EXPECT_EQ(session->refreshCount(), refreshes + 1);
    EXPECT_EQ(carnet.dive(0).noPlongee(), 100);
    EXPECT_EQ(carnet.dive(1).noPlongee(), 101);
    EXPECT_EQ(session->form().text(F::noPlongee), "101");
    EXPECT_FALSE(session->form().modified());
}

TEST_F(SessionFixture, DeletingTheShownDiveUnbindsTheForm) {
    session->select({1});
    session->deleteSelected();
    EXPECT_FALSE(session->boundRecord());
    EXPECT_FALSE(session->canUpdate());
    session->form().setText(F::site, "edited after the delete");
    session->closeEditWindow();
    EXPECT_EQ(carnet.recordCount(), 4u);
    EXPECT_TRUE(session->hasUnstoredRecord());
}

TEST_F(SessionFixture, UndoTakesBackTheLastActionAndTheChangedMark) {
    session->select({1});
    session->form().setText(F::site, "typed");
    EXPECT_TRUE(session->canUndo()) << "pending edits are the first thing to take back";
    EXPECT_EQ(session->undoName(), "Update Dive");
    session->undo();
    EXPECT_EQ(session->form().text(F::site), "Site 2");
    EXPECT_EQ(carnet.dive(1).site(), "Site 2");
    EXPECT_FALSE(carnet.isChanged()) << "back at the saved state";
    session->redo();
    EXPECT_EQ(session->form().text(F::site), "typed");
    EXPECT_TRUE(carnet.isChanged());

    session->select({0, 3});
    session->deleteSelected();
    EXPECT_EQ(session->undoName(), "Delete 2 Dives") << "the key stands for its text";
    session->undo();
    EXPECT_EQ(sites(), (std::vector<std::string>{"Site 1", "typed", "Site 3", "Site 4", "Site 5"}));
    session->undo();
    EXPECT_FALSE(carnet.isChanged());
    EXPECT_FALSE(session->canUndo());
    EXPECT_TRUE(session->canRedo());
}

TEST_F(SessionFixture, ApplyingProfileDataIsOneStepOnTheShownDiveOnly) {
    session->select({1});
    ProfileDataSheet sheet;
    sheet.fill(session->form().profile());
    sheet.setReplaces(SeriesId::Depth, true);
    sheet.setText(SeriesId::Depth, "0\n12.5\n18\n3\n");
    auto applied = session->applyProfile(sheet);
    ASSERT_TRUE(applied.sheet.ok);
    EXPECT_EQ(carnet.dive(1).profilProfondeur(), (std::vector<double>{0, 12.5, 18, 3}));
    EXPECT_EQ(session->readouts().profile.points, 4u);
    EXPECT_EQ(session->undoName(), "Apply Profile");
    session->undo();
    EXPECT_EQ(carnet.dive(1).profilProfondeur(), std::vector<double>{0.0});
    EXPECT_EQ(session->form().profile().profilProfondeur, std::vector<double>{0.0});

    // A depth that is no number applies nothing, not even the good series.
    sheet.setReplaces(SeriesId::Slow, true);
    sheet.setText(SeriesId::Slow, "0\n1\n0\n0");
    sheet.setText(SeriesId::Depth, "0\n12,5\nabout 18\n3");
    applied = session->applyProfile(sheet);
    EXPECT_FALSE(applied.sheet.ok);
    EXPECT_EQ(applied.sheet.badSeries, SeriesId::Depth);
    EXPECT_EQ(applied.sheet.badLine, 3u);
    EXPECT_EQ(session->form().profile().SLOW_Flag, std::vector<std::int32_t>{0});

    // With a new dive in the form, the series stay with it; no dive is reloaded.
    session->newRecord();
    session->form().setText(F::site, "typed");
    sheet.setText(SeriesId::Depth, "0\n7\n0");
    ASSERT_TRUE(session->applyProfile(sheet).sheet.ok);
    EXPECT_EQ(session->form().text(F::site), "typed");
    EXPECT_EQ(session->form().profile().profilProfondeur, (std::vector<double>{0, 7, 0}));
    EXPECT_EQ(carnet.dive(1).profilProfondeur(), std::vector<double>{0.0});
    EXPECT_TRUE(session->hasUnstoredRecord());
}

// The number a new dive is offered follows the logbook while the form still
// shows it: dives imported meanwhile, an undo, a renumbering. An import
// numbers after the highest number, so the typed dive never shares one.
TEST_F(SessionFixture, TheProposedNumberFollowsTheLogbook) {
    session->newRecord();
    EXPECT_EQ(session->form().text(F::noPlongee), "6");
    session->form().setText(F::site, "typed");
    Carnet::DiveList read;
    for (int i = 0; i < 3; ++i) {
        auto d = std::make_unique<Plongee>(
            makeNewDive(NewDiveDefaults{carnet.numberAfterHighest() + i}));
        read.push_back(std::move(d));
    }
    session->importDives(std::move(read));
    EXPECT_EQ(session->form().text(F::noPlongee), "9");
    EXPECT_TRUE(session->hasUnstoredRecord()) << "the typed dive is still there";
    session->add();
    EXPECT_EQ(carnet.dive(8).noPlongee(), 9);
    EXPECT_EQ(carnet.dive(8).site(), "typed");
    EXPECT_EQ(session->form().text(F::noPlongee), "10");

    session->undo();
    EXPECT_EQ(session->form().text(F::noPlongee), "9");
    session->renumber(1);
    EXPECT_EQ(session->form().text(F::noPlongee), "9") << "1 to 8";
    session->renumber(100);
    EXPECT_EQ(session->form().text(F::noPlongee), "108");

    // A number the user typed is theirs.
    session->form().setText(F::noPlongee, "500");
    session->renumber(1);
    EXPECT_EQ(session->form().text(F::noPlongee), "500");

    carnet.add(makeNewDive(NewDiveDefaults{1000}));
    carnet.add(makeNewDive(NewDiveDefaults{7}));
    EXPECT_EQ(carnet.nextDiveNumber(), 8) << "a new dive follows the last one";
    EXPECT_EQ(carnet.numberAfterHighest(), 1001) << "an import follows the highest";
}

// What the edit window's enabling and title come from.
TEST_F(SessionFixture, ReadoutsFollowTheFormsState) {
    session->select({2});
    EXPECT_TRUE(session->readouts().previousEnabled);
    EXPECT_TRUE(session->readouts().nextEnabled);
    EXPECT_NE(session->readouts().windowTitle, "New dive");
    EXPECT_FALSE(session->readouts().setPointEnabled) << "open circuit";
    session->form().setTag(F::rebreather, 3);  // eCCR
    session->refresh();
    EXPECT_TRUE(session->readouts().setPointEnabled);
    session->form().setTag(F::rebreather, 1);  // semi-closed: no set point
    session->refresh();
    EXPECT_FALSE(session->readouts().setPointEnabled);

    // A new dive typed while a row stays selected: nothing to step from.
    session->newRecord();
    session->form().setText(F::site, "typed");
    session->refresh();
    EXPECT_FALSE(session->readouts().previousEnabled);
    EXPECT_FALSE(session->readouts().nextEnabled);

    session->discardUnstoredRecord();
    session->blankFields();
    EXPECT_EQ(session->readouts().windowTitle, "New dive") << "an erased number is no dive 0";
}

// The tissues and oxygen over the profile cost a walk of every sample: the
// read-outs carry them only while a window wants them, and at once when it does.
TEST_F(SessionFixture, TheProfileModelIsWorkedOutOnlyWhenWanted) {
    session->select({1});
    EXPECT_FALSE(session->readouts().model);
    session->wantProfileModel(true);
    ASSERT_TRUE(session->readouts().model);
    session->select({3});
    EXPECT_TRUE(session->readouts().model);
    session->wantProfileModel(false);
    session->select({2});
    EXPECT_FALSE(session->readouts().model) << "no model of another dive left behind";
}

// Erase stores the edits of the dive shown before it clears the form.
TEST_F(SessionFixture, EraseKeepsTheEditsOfTheDiveShown) {
    session->select({1});
    session->form().setText(F::site, "edited");
    session->blankFields();
    EXPECT_EQ(carnet.dive(1).site(), "edited");
    EXPECT_FALSE(session->boundRecord());
    EXPECT_EQ(session->form().text(F::noPlongee), "");
}
