// The logbook and a register driven as their windows drive them: the table
// follows each change of the list and reports the selection it was moved to
// while the change was made (rows inserted under a selected row shift it),
// then the window shows the session's selection again. Whatever the order
// of these reports, no record is overwritten or stored twice, and a new
// record typed in the form is asked about only when a click would drop it.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "logbook/CarnetSession.h"
#include "registers/Epaves.h"
#include "registers/RegisterSession.h"
#include "registers/RepEpaves.h"
#include "settings/PickLists.h"

using namespace divelog;

namespace {

// A logbook whose dives are told apart by their site.
struct Logbook {
    InMemorySettingsStore store;
    AppContext context{store};
    Carnet doc;
    std::unique_ptr<CarnetSession> session;

    explicit Logbook(const std::vector<std::string>& names) {
        context.initialize();
        std::int32_t n = 1;
        for (const auto& name : names) {
            Plongee d = makeNewDive(NewDiveDefaults{n++});
            d.setSite(name);
            doc.add(std::move(d));
        }
        doc.history().clear();
        session = std::make_unique<CarnetSession>(doc, context);
        session->documentLoaded();
    }
    std::string name(std::size_t row) const { return doc.dive(row).site().value_or(""); }
    void type(const std::string& text) { session->form().setText(Plongee::Field::site, text); }
};

// A wreck directory whose cards are told apart by their name.
struct Wrecks {
    InMemorySettingsStore store;
    PickLists lists{store};
    Localisation texts;
    RegisterDocument doc{DocumentKind::Epaves, RepEpaves::instance()};
    std::unique_ptr<RegisterSession> session;

    explicit Wrecks(const std::vector<std::string>& names) {
        for (const auto& name : names) {
            Record r(Epaves::schema());
            r.setText(Epaves::nom, name);
            doc.add(std::move(r));
        }
        doc.history().clear();
        session = std::make_unique<RegisterSession>(doc, lists, texts);
        session->documentLoaded();
    }
    std::string name(std::size_t row) const { return doc.record(row).textOr(Epaves::nom); }
    void type(const std::string& text) { session->form().setText("nom", text, dateNow()); }
};

// The table's selection as a view keeps it: rows shift under an insert and
// vanish with a delete, and each move is reported to the window's handler,
// which does what the list windows do with it.
template <class Kind>
struct View {
    Kind& kind;
    std::vector<std::size_t> rows;
    int questions = 0;

    explicit View(Kind& k) : kind(k) {
        // After the session, as the table model observes after it.
        kind.doc.addObserver(this, [this](const ListChange& c) { follow(c); });
    }
    ~View() { kind.doc.removeObserver(this); }

    void follow(const ListChange& c) {
        using K = ListChange::Kind;
        if (c.kind == K::Inserted) {
            for (std::size_t at : c.rows)
                for (auto& r : rows)
                    if (r >= at) ++r;
        } else if (c.kind == K::Removed) {
            std::vector<std::size_t> kept;
            for (std::size_t r : rows) {
                if (std::find(c.rows.begin(), c.rows.end(), r) != c.rows.end()) continue;
                kept.push_back(r - static_cast<std::size_t>(
                                       std::count_if(c.rows.begin(), c.rows.end(),
                                                     [r](std::size_t gone) { return gone < r; })));
            }
            rows = kept;
        } else if (c.kind == K::Reset) {
            rows.clear();
        } else {
            return;
        }
        selectionChanged();
    }

    // The window's selection handler.
    void selectionChanged() {
        if (kind.session->isChanging()) return;
        const std::vector<std::size_t> chosen = rows;
        const bool asked = kind.session->wouldDropUnstored(chosen);
        if (asked) {
            ++questions;
            kind.session->keepUnstoredRecord();  // the default answer, Add
            shown();
        }
        kind.session->select(chosen);
        if (asked) shown();
    }
    void click(std::size_t row) {
        rows = {row};
        selectionChanged();
    }
    // The window after a command: the session's selection shown again.
    void shown() { rows = kind.session->selection(); }

    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < kind.doc.recordCount(); ++i) out.push_back(kind.name(i));
        return out;
    }
};

template <class Kind>
struct ListOrder : ::testing::Test {
    Kind kind{{"A", "B"}};
    View<Kind> view{kind};
    using Names = std::vector<std::string>;
};

using Kinds = ::testing::Types<Logbook, Wrecks>;
TYPED_TEST_SUITE(ListOrder, Kinds);

}  // namespace

TYPED_TEST(ListOrder, InsertingAnEditedRecordLeavesTheOneShownAsItWas) {
    auto& k = this->kind;
    auto& v = this->view;
    v.click(1);
    k.type("X");
    k.session->insert();
    v.shown();
    EXPECT_EQ(v.names(), (typename TestFixture::Names{"A", "X", "B"}));
    EXPECT_EQ(k.session->boundRow(), 1u) << "the inserted record is shown";
    EXPECT_EQ(v.questions, 0);
    v.click(2);
    EXPECT_EQ(v.names(), (typename TestFixture::Names{"A", "X", "B"}));
}

TYPED_TEST(ListOrder, ANewRecordInsertedOrAddedIsStoredOnceWithoutAQuestion) {
    auto& k = this->kind;
    auto& v = this->view;
    v.click(1);
    k.session->newRecord();
    v.shown();
    k.type("C");
    k.session->insert();
    v.shown();
    EXPECT_EQ(v.names(), (typename TestFixture::Names{"A", "C", "B"}));
    EXPECT_EQ(v.questions, 0);

    k.session->newRecord();
    v.shown();
    k.type("D");
    k.session->add();
    v.shown();
    EXPECT_EQ(v.names(), (typename TestFixture::Names{"A", "C", "B", "D"}));
    EXPECT_EQ(v.questions, 0);
    EXPECT_FALSE(k.session->hasUnstoredRecord());
}

TYPED_TEST(ListOrder, AClickThatWouldDropATypedRecordAsksOnce) {
    auto& k = this->kind;
    auto& v = this->view;
    k.session->newRecord();
    v.shown();
    k.type("E");
    v.click(0);
    EXPECT_EQ(v.questions, 1);
    EXPECT_EQ(v.names(), (typename TestFixture::Names{"A", "B", "E"}));
    EXPECT_EQ(k.session->boundRow(), 0u);
    v.click(1);
    EXPECT_EQ(v.questions, 1);
}

TYPED_TEST(ListOrder, UpdateDeleteAndUndoKeepEachRecordItsOwn) {
    auto& k = this->kind;
    auto& v = this->view;
    v.click(0);
    k.type("A2");
    k.session->update();
    v.shown();
    v.click(1);
    k.type("B2");  // pending when the list changes under it
    k.session->undo();
    v.shown();
    EXPECT_EQ(v.names(), (typename TestFixture::Names{"A2", "B"}))
        << "the pending edit is the step undone, the update before it stays";

    v.click(0);
    k.session->deleteSelected();
    v.shown();
    EXPECT_EQ(v.names(), (typename TestFixture::Names{"B"}));
    EXPECT_FALSE(k.session->hasUnstoredRecord()) << "the form of a deleted record is blank";
    k.session->undo();
    v.shown();
    EXPECT_EQ(v.names(), (typename TestFixture::Names{"A2", "B"}));
    v.click(1);
    v.click(0);
    EXPECT_EQ(v.names(), (typename TestFixture::Names{"A2", "B"}));
    EXPECT_EQ(v.questions, 0);
}
