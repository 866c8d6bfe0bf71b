// The logbook's history: every command undoes to the byte, the change events
// describe each change exactly, and the history keeps only what changed.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "localisation/Localisation.h"
#include "logbook/Carnet.h"
#include "logbook/CarnetCommands.h"

using namespace divelog;
using F = Plongee::Field;

namespace {

Plongee randomDive(std::mt19937& rng, std::int32_t number) {
    Plongee d = makeNewDive(NewDiveDefaults{number});
    d.setSite("Site " + std::to_string(rng() % 50));
    d.setProfondeur(static_cast<float>(rng() % 600) / 10.0f);
    d.setTemps(static_cast<std::int32_t>(rng() % 90));
    std::vector<double> depth(rng() % 40 + 1);
    for (auto& x : depth) x = static_cast<double>(rng() % 400) / 10.0;
    d.setProfilProfondeur(std::move(depth));
    return d;
}

// A table that knows the list only through the change events, as the dive
// table's model does.
struct Shadow {
    std::vector<DiveId> ids;

    void follow(const Carnet& carnet, const ListChange& c) {
        using Kind = ListChange::Kind;
        switch (c.kind) {
            case Kind::Inserted:
                for (std::size_t i = 0; i < c.rows.size(); ++i)
                    ids.insert(ids.begin() + static_cast<std::ptrdiff_t>(c.rows[i]), c.ids[i]);
                break;
            case Kind::Removed:
                for (std::size_t i = c.rows.size(); i-- > 0;) {
                    ASSERT_EQ(ids[c.rows[i]], c.ids[i]);
                    ids.erase(ids.begin() + static_cast<std::ptrdiff_t>(c.rows[i]));
                }
                break;
            case Kind::Changed:
                ASSERT_TRUE(c.allRows ? c.rows.empty() : c.rows.size() == c.ids.size());
                for (std::size_t i = 0; i < c.rows.size(); ++i) ASSERT_EQ(ids[c.rows[i]], c.ids[i]);
                break;
            case Kind::Moved: {
                std::vector<DiveId> moved(ids.size());
                for (std::size_t old = 0; old < ids.size(); ++old)
                    moved[c.newRowOf[old]] = ids[old];
                ids = std::move(moved);
                break;
            }
            case Kind::Reset:
                ids.clear();
                for (std::size_t i = 0; i < carnet.recordCount(); ++i)
                    ids.push_back(carnet.idAt(i));
                break;
        }
    }
};

std::vector<DiveId> idsOf(const Carnet& c) {
    std::vector<DiveId> ids;
    for (std::size_t i = 0; i < c.recordCount(); ++i) ids.push_back(c.idAt(i));
    return ids;
}

std::vector<std::uint8_t> bytesOf(const Carnet& c) {
    std::string error;
    return c.dataOfType("logbook", error);
}

}  // namespace

TEST(CarnetHistory, AThousandRandomCommandsUndoToTheByteAndRedoToTheEnd) {
    std::mt19937 rng(20261207);
    Carnet carnet;
    Carnet::DiveList start;
    for (int n = 1; n <= 200; ++n) start.push_back(std::make_unique<Plongee>(randomDive(rng, n)));
    carnet.loadList(std::move(start));
    Shadow shadow;
    carnet.addObserver(&shadow, [&](const ListChange& c) { shadow.follow(carnet, c); });
    shadow.follow(carnet, {ListChange::Kind::Reset, {}, {}, {}, {}});

    const auto original = bytesOf(carnet);
    const auto originalIds = idsOf(carnet);
    auto anyRow = [&] { return static_cast<std::size_t>(rng() % carnet.recordCount()); };
    const F sortable[] = {F::noPlongee, F::site, F::profondeur, F::temps, F::date};
    for (int step = 0; step < 1000; ++step) {
        if (carnet.recordCount() < 20) carnet.add(randomDive(rng, 900 + step));
        switch (rng() % 8) {
            case 0: carnet.add(randomDive(rng, step)); break;
            case 1: carnet.insert(anyRow(), randomDive(rng, step)); break;
            case 2: carnet.update(carnet.idAt(anyRow()), randomDive(rng, step)); break;
            case 3: {
                std::vector<std::size_t> rows(rng() % 10 + 1);
                for (auto& r : rows) r = anyRow();
                carnet.erase(rows);
                break;
            }
            case 4: carnet.renumber(static_cast<std::int32_t>(rng() % 500)); break;
            case 5:
                carnet.setField(anyRow(), rng() % 2 ? F::site : F::lieu,
                                std::string("Cell ") + std::to_string(rng() % 30));
                break;
            case 6: carnet.sortDives(sortable[rng() % 5], rng() % 2 == 0); break;
            case 7: {
                Carnet::DiveList more;
                for (std::uint32_t k = 0; k < rng() % 3 + 1; ++k)
                    more.push_back(std::make_unique<Plongee>(randomDive(rng, step)));
                carnet.append(std::move(more));
                break;
            }
        }
        ASSERT_EQ(shadow.ids, idsOf(carnet)) << "events of step " << step;
    }
    const auto end = bytesOf(carnet);
    const auto endIds = idsOf(carnet);
    EXPECT_NE(end, original);

    while (carnet.history().canUndo()) {
        carnet.history().undo();
        ASSERT_EQ(shadow.ids, idsOf(carnet));
    }
    EXPECT_EQ(bytesOf(carnet), original);
    EXPECT_EQ(idsOf(carnet), originalIds) << "the same dives, not copies";
    EXPECT_FALSE(carnet.isChanged());

    while (carnet.history().canRedo()) {
        carnet.history().redo();
        ASSERT_EQ(shadow.ids, idsOf(carnet));
    }
    EXPECT_EQ(bytesOf(carnet), end);
    EXPECT_EQ(idsOf(carnet), endIds);
    EXPECT_TRUE(carnet.isChanged());
    carnet.removeObserver(&shadow);
}

TEST(CarnetHistory, TheChangedMarkFollowsTheSavedState) {
    Carnet carnet;
    carnet.add(Plongee());
    carnet.add(Plongee());
    carnet.clearChanged();  // as a save does
    carnet.renumber(10);
    EXPECT_TRUE(carnet.isChanged());
    carnet.history().undo();
    EXPECT_FALSE(carnet.isChanged());
    carnet.history().undo();
    EXPECT_TRUE(carnet.isChanged()) << "before the saved state is a change too";
    carnet.history().redo();
    EXPECT_FALSE(carnet.isChanged());

    // A sort is no change to save, before or after the saved state.
    carnet.setField(0, F::site, std::string("B"));
    carnet.setField(1, F::site, std::string("A"));
    carnet.clearChanged();
    carnet.sortDives(F::site, true);
    EXPECT_FALSE(carnet.isChanged());
    EXPECT_EQ(carnet.dive(0).site(), "A");

    // A branch taken after undoing past the saved state can never be clean again.
    carnet.history().undo();
    carnet.history().undo();
    carnet.renumber(3);
    EXPECT_TRUE(carnet.isChanged());
    carnet.history().undo();
    EXPECT_TRUE(carnet.isChanged());
}

TEST(CarnetHistory, TheOldestStepsAreForgottenBeyondTheLimit) {
    Carnet carnet;
    carnet.add(Plongee());
    carnet.clearChanged();
    for (std::size_t n = 0; n < UndoStack::kMaxCommands + 5; ++n)
        carnet.renumber(static_cast<std::int32_t>(n));
    EXPECT_EQ(carnet.history().count(), UndoStack::kMaxCommands);
    while (carnet.history().canUndo()) carnet.history().undo();
    EXPECT_EQ(carnet.dive(0).noPlongee(), 4) << "back as far as the history goes";
    EXPECT_TRUE(carnet.isChanged()) << "the saved state is beyond reach";
}

// A renumbering right after another writes without reading the numbers it
// replaces; undoing still brings back each numbering in turn, and any other
// change in between makes the next renumbering read them again.
TEST(CarnetHistory, RenumberingAgainUndoesToEachNumbering) {
    Carnet carnet;
    for (int n : {5, 3, 9}) {
        Plongee d;
        d.setNoPlongee(n);
        carnet.add(std::move(d));
    }
    auto numbers = [&] {
        std::vector<std::int32_t> out;
        for (const auto& d : carnet.dives()) out.push_back(d->noPlongee());
        return out;
    };
    carnet.renumber(1);
    carnet.renumber(100);
    carnet.setField(1, F::noPlongee, std::int32_t{7});
    carnet.renumber(20);
    EXPECT_EQ(numbers(), (std::vector<std::int32_t>{20, 21, 22}));
    carnet.history().undo();
    EXPECT_EQ(numbers(), (std::vector<std::int32_t>{100, 7, 102}));
    carnet.history().undo();
    carnet.history().undo();
    EXPECT_EQ(numbers(), (std::vector<std::int32_t>{1, 2, 3}));
    carnet.history().redo();
    carnet.renumber(50);  // after a redo, from the numbering the redo restored
    carnet.history().undo();
    EXPECT_EQ(numbers(), (std::vector<std::int32_t>{100, 101, 102}));
    carnet.history().undo();
    carnet.history().undo();
    EXPECT_EQ(numbers(), (std::vector<std::int32_t>{5, 3, 9}));
}

TEST(CarnetHistory, CommandsAreNamedForTheEditMenu) {
    Localisation texts;
    texts.loadTable(
        "Main", "\"Delete %d Dives\" = \"Delete %d Dives\";\n\"Delete Dive\" = \"Delete Dive\";");
    Carnet carnet;
    for (int n = 0; n < 5; ++n) carnet.add(Plongee());
    EXPECT_EQ(carnet.history().nextUndo()->name(texts), "Add Dive");
    carnet.erase({0, 2, 4});
    EXPECT_EQ(carnet.history().nextUndo()->name(texts), "Delete 3 Dives");
    carnet.erase({1});
    EXPECT_EQ(carnet.history().nextUndo()->name(texts), "Delete Dive");
    carnet.history().undo();
    EXPECT_EQ(carnet.history().nextRedo()->name(texts), "Delete Dive");
}

TEST(CarnetHistory, TheHistoryHoldsOnlyWhatChanged) {
    std::mt19937 rng(7);
    Carnet carnet;
    Carnet::DiveList dives;
    for (int n = 1; n <= 10; ++n) {
        auto d = std::make_unique<Plongee>(randomDive(rng, n));
        d->setProfilProfondeur(std::vector<double>(500, 12.5));
        d->setPRESS_Data(std::vector<double>(500, 180.0));
        d->setGAZ_Flag(std::vector<std::int32_t>(500, 0));
        dives.push_back(std::move(d));
    }
    carnet.loadList(std::move(dives));
    const std::size_t oneDive = sizeof(Plongee) + carnet.dive(0).heldBytes();
    for (int edit = 0; edit < 1000; ++edit) {
        const std::size_t row = static_cast<std::size_t>(edit) % 10;
        Plongee copy = carnet.dive(row);
        copy.setTemps(edit);
        carnet.update(carnet.idAt(row), std::move(copy));
    }
    EXPECT_EQ(carnet.history().count(), 1000u);
    EXPECT_LT(carnet.history().heldBytes(), 1000 * 2 * oneDive);
    // Renumbering, cell edits and sorts keep numbers, a value or an order, not dives.
    const std::size_t before = carnet.history().heldBytes();
    carnet.renumber(1);
    carnet.setField(3, F::site, std::string("Riou"));
    carnet.sortDives(F::temps, true);
    EXPECT_LT(carnet.history().heldBytes() - before, oneDive);
}

TEST(CarnetHistory, UndoingADeleteBringsBackTheSameDivesInTheirPlaces) {
    std::mt19937 rng(3);
    Carnet carnet;
    Carnet::DiveList dives;
    for (int n = 1; n <= 50; ++n) dives.push_back(std::make_unique<Plongee>(randomDive(rng, n)));
    carnet.loadList(std::move(dives));
    const auto ids = idsOf(carnet);
    const auto bytes = bytesOf(carnet);
    std::vector<ListChange> seen;
    carnet.addObserver(&seen, [&](const ListChange& c) { seen.push_back(c); });
    carnet.erase({49, 0, 7, 8, 9, 30});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].kind, ListChange::Kind::Removed);
    EXPECT_EQ(seen[0].rows, (std::vector<std::size_t>{0, 7, 8, 9, 30, 49}));
    carnet.history().undo();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].kind, ListChange::Kind::Inserted);
    EXPECT_EQ(seen[1].rows, seen[0].rows);
    EXPECT_EQ(seen[1].ids, seen[0].ids);
    EXPECT_EQ(idsOf(carnet), ids);
    EXPECT_EQ(bytesOf(carnet), bytes);
    carnet.removeObserver(&seen);
}
