// The logbook at work: the form is bound to one record and implicit stores
// never write a dive the user did not edit.

#include <gtest/gtest.h>

#include "logbook/CarnetSession.h"

using namespace divelog;

namespace {

struct SessionFixture : ::testing::Test {
    InMemorySettingsStore store;
    AppContext context{store};
    Carnet carnet;
    std::unique_ptr<CarnetSession> session;

    void SetUp() override {
        context.initialize();
        context.localisation().loadTable(
            "Carnet", "\"Found dives\" = \"%d dives found\";\n\"One dive found\" = \"One dive found\";");
        for (int n = 1; n <= 5; ++n) {
            auto d = std::make_unique<Plongee>(makeNewDive(NewDiveDefaults{n}));
            d->setSite("Site " + std::to_string(n));
            d->setBateau(n % 2 ? std::string("Aldebaran") : std::string("ALDEBARAN II"));
            d->setProfondeur(10.5f * static_cast<float>(n));
            d->setCoeff(0);
            carnet.addDive(std::move(d));
        }
        carnet.clearChanged();
        session = std::make_unique<CarnetSession>(carnet, context);
    }

    std::vector<std::uint8_t> bytes() {
        std::string error;
        return carnet.dataOfType("logbook", error);
    }
};

}  // namespace

TEST_F(SessionFixture, BrowsingEveryDiveChangesNothing) {
    auto before = bytes();
    session->select({0});
    for (int i = 0; i < 6; ++i) session->nextDive();
    for (int i = 0; i < 6; ++i) session->previousDive();
    session->closeEditWindow();
    EXPECT_EQ(bytes(), before);
    EXPECT_FALSE(carnet.isChanged());
}

TEST_F(SessionFixture, NewThenCloseOrSortThenNextNeverOverwritesAnotherDive) {
    auto before = bytes();
    session->select({2});
    session->newDive();
    session->form().setText("site", "typed but not added");
    session->closeEditWindow();
    EXPECT_EQ(bytes(), before) << "the blank form is bound to no dive";

    session->select({1});
    session->form().setText("site", "edited");
    session->sortByColumn("profondeur");
    auto sorted = bytes();
    EXPECT_NE(sorted, before);
    EXPECT_EQ(carnet.dive(0).noPlongee(), 5) << "descending at the first click";
    session->select({0});
    session->nextDive();
    EXPECT_EQ(bytes(), sorted) << "a sort unbinds the edited form";

    // The edited, bound and selected dive is stored on Next, into itself only.
    session->select({0});
    std::string site = *carnet.dive(0).site();
    session->form().setText("site", site + " (north)");
    session->nextDive();
    EXPECT_EQ(carnet.dive(0).site(), site + " (north)");
    EXPECT_EQ(session->singleSelection(), 1u);
    EXPECT_TRUE(carnet.isChanged());
}

TEST_F(SessionFixture, ListCommandsNeedExactlyOneSelectedRow) {
    auto before = bytes();
    session->select({});
    EXPECT_TRUE(session->insertDive().empty());
    session->updateDive();
    session->nextDive();
    session->select({1, 3});
    session->insertDive();
    session->updateDive();
    session->previousDive();
    EXPECT_EQ(bytes(), before);

    session->select({1});
    session->form().setText("site", "Inserted");
    session->insertDive();
    ASSERT_EQ(carnet.recordCount(), 6u);
    EXPECT_EQ(carnet.dive(1).site(), "Inserted");
    EXPECT_EQ(carnet.dive(2).site(), "Site 2");
    EXPECT_EQ(session->boundDive(), &carnet.dive(1));
}

TEST_F(SessionFixture, AddProposesTheNextNumberAndAppends) {
    session->newDive();
    EXPECT_EQ(session->form().text("noPlongee"), "6");
    session->form().setText("site", "Riou");
    session->form().setText("heMix", "90");
    auto alerts = session->addDive();
    EXPECT_EQ(alerts, std::vector<std::string>{"Helium percent"});
    ASSERT_EQ(carnet.recordCount(), 6u);
    EXPECT_EQ(carnet.dive(5).site(), "Riou");
    EXPECT_EQ(carnet.dive(5).heMix(), 0);
    EXPECT_EQ(session->form().text("noPlongee"), "7");
    EXPECT_EQ(session->form().text("site"), "");
    EXPECT_TRUE(session->selection().empty());
}

TEST_F(SessionFixture, DeleteRenumberAndOneRefreshPerAction) {
    session->select({0, 2, 4});
    std::size_t refreshes = session->refreshCount();
    EXPECT_TRUE(session->deleteSelected());
    EXPECT_EQ(session->refreshCount(), refreshes + 1);
    ASSERT_EQ(carnet.recordCount(), 2u);
    EXPECT_EQ(carnet.dive(0).noPlongee(), 2);
    EXPECT_FALSE(session->deleteSelected()) << "nothing selected any more";

    std::vector<std::uint8_t> before = bytes();
    session->select({1});
    refreshes = session->refreshCount();
    session->renumber(100);
    EXPECT_EQ(session->refreshCount(), refreshes + 1);
    EXPECT_EQ(carnet.dive(0).noPlongee(), 100);
    EXPECT_EQ(carnet.dive(1).noPlongee(), 101);
    EXPECT_EQ(session->form().text("noPlongee"), "101");
    EXPECT_FALSE(session->form().modified());
    // Only the numbers differ: renumbering back restores the bytes.
    session->renumber(2);
    carnet.dive(1).setNoPlongee(4);
    EXPECT_EQ(bytes(), before);
}

TEST_F(SessionFixture, SearchIgnoresCaseAndSelectsWithoutLoading) {
    session->select({3});
    const Plongee* bound = session->boundDive();
    SearchResult r = session->find("bateau", "aldebaran");
    EXPECT_EQ(r.rows, (std::vector<std::size_t>{0, 1, 2, 3, 4}));
    EXPECT_EQ(r.countText, "5 dives found");
    EXPECT_EQ(session->selection(), r.rows);
    EXPECT_EQ(session->boundDive(), bound);
    EXPECT_EQ(session->find("bateau", "ii").countText, "2 dives found");
    EXPECT_EQ(session->find("site", "site 3").countText, "One dive found");
    EXPECT_EQ(session->find("notes", "nothing").countText, "0 dives found");
    session->closeEditWindow();
    EXPECT_FALSE(carnet.isChanged());
}

TEST_F(SessionFixture, EditingACellMarksTheDocumentAndRefreshesAnUneditedForm) {
    session->select({2});
    EXPECT_TRUE(session->editCell(2, "site", "Grand Congloué"));
    EXPECT_TRUE(carnet.isChanged());
    EXPECT_EQ(session->form().text("site"), "Grand Congloué");
    EXPECT_FALSE(session->editCell(2, "profondeur", "abc"));
    EXPECT_FALSE(session->editCell(99, "site", "x"));
}
