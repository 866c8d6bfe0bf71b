// The budget form's running total, prices per card unit and ratings, what
// the form keeps of a loaded service, the table's cells and colours, and the
// synthesis card line by line with the shipped English texts.

#include <gtest/gtest.h>

#include "SideRegisterSupport.h"
#include "registers/PreviBudget.h"
#include "registers/RegisterForm.h"

using namespace sidereg;

namespace {

const PreviBudget& budget = PreviBudget::instance();

struct BudgetForm : ::testing::Test {
    RegisterForm form{budget};
    const Date now = dateNow();
    void SetUp() override { form.blank({0, now, english()}); }
    void type(const char* field, const char* text) { form.setText(field, text, now); }
    FormState state() const { return budget.formState(form, now, english()); }
};

}  // namespace

TEST_F(BudgetForm, TheTotalAddsTheBaseAndTheFourSupplementsOnly) {
    EXPECT_EQ(PreviBudget::total(form), 0);
    EXPECT_EQ(state().readouts["total"].text, "Total: 0.00 €");
    type("prixUnitaire_0", "30");
    type("quantite_0", "2");
    type("prixUnitaire_1", "5.0");
    type("quantite_1", "1");
    type("prixUnitaire_2", "2,5");
    type("quantite_2", "3");
    EXPECT_EQ(PreviBudget::total(form), 72.5);
    type("prixUnitaire_4", "1.25");
    type("quantite_4", "4");
    EXPECT_EQ(PreviBudget::total(form), 77.5);
    EXPECT_EQ(state().readouts["total"].text, "Total: 77.50 €");

    // The sixth line of a loaded service has no control and stays out of the total.
    Record r = form.record();
    r.setInteger(Budget::quantite_5, 10);
    r.setReal(Budget::prixUnitaire_5, 1.0f);
    form.load(r);
    EXPECT_EQ(PreviBudget::total(form), 77.5);
    type("quantite_3", "abc");  // unreadable counts as nothing
    EXPECT_EQ(PreviBudget::total(form), 77.5);
}

TEST_F(BudgetForm, CardsShowTheirPricePerUnitAndFollowTheDegressiveSwitch) {
    type("unitesCarte_1", "10");
    type("prixCarte_1", "250");
    type("unitesCarte_2", "0");
    type("prixCarte_2", "100");
    type("unitesCarte_3", "-4");
    type("prixCarte_3", "100");
    EXPECT_EQ(PreviBudget::pricePerUnit(form, 1), 25.0);
    EXPECT_FALSE(PreviBudget::pricePerUnit(form, 2));
    EXPECT_FALSE(PreviBudget::pricePerUnit(form, 3));
    FormState s = state();
    EXPECT_EQ(s.readouts["perUnit_1"].text, "25.00 € per unit");
    EXPECT_EQ(s.readouts["perUnit_2"].text, "");
    EXPECT_EQ(s.readouts["perUnit_3"].text, "");
    for (const char* f : {"unitesCarte_1", "prixCarte_1", "unitesCarte_4", "prixCarte_4"})
        EXPECT_TRUE(s.disabled.count(f)) << f;
    form.setInteger("prixDegressif", 1, now);
    EXPECT_TRUE(state().disabled.empty());

    EXPECT_EQ(s.readouts["qualitePrix"].text, "N/A");
    form.setInteger("qualitePrix", 4, now);
    form.setInteger("delai", 5, now);
    s = state();
    EXPECT_EQ(s.readouts["qualitePrix"].text, "Good");
    EXPECT_EQ(s.readouts["delai"].text, "Very prompt");
}

TEST_F(BudgetForm, StoringKeepsTheSixthLineAndWhatWasNotEdited) {
    Record loaded = filled(Budget::schema(), 3);
    loaded.setReal(Budget::prixUnitaire_0, 30.1f);
    form.load(loaded);
    type("prestation", "Night dive");
    form.setInteger("prevDepense", 1, now);
    const Record stored = form.record();
    EXPECT_EQ(stored.textOr(Budget::prestation), "Night dive");
    EXPECT_EQ(stored.integer(Budget::prevDepense), 1);
    for (std::size_t f = 0; f < Budget::kFieldCount; ++f) {
        if (f == Budget::prestation || f == Budget::prevDepense) continue;
        EXPECT_TRUE(stored.value(f) == loaded.value(f)) << Budget::schema().fields[f].name;
    }

    // A new card takes the cleared form: zeros, no update date.
    form.blank({0, now, english()});
    const Record fresh = form.record();
    EXPECT_EQ(form.text("prixCarte_4"), "0");
    EXPECT_EQ(fresh.integer(Budget::quantite_0), 0);
    EXPECT_FALSE(fresh.date(Budget::miseAJour));
}

TEST(BudgetCells, PlannedExpensesAreRedAndRatingsBrown) {
    Record r(Budget::schema());
    r.setInteger(Budget::qualitePrix, 3);
    const Date now = dateNow();
    EXPECT_EQ(budget.cellText(r, Budget::qualitePrix, english()), "★★★");
    EXPECT_EQ(budget.cellText(r, Budget::delai, english()), "");
    EXPECT_EQ(budget.cellStyle(r, Budget::prestation, now).text, colours::kBlack);
    EXPECT_EQ(budget.cellStyle(r, Budget::qualitePrix, now).text, colours::kBrown);
    r.setInteger(Budget::prevDepense, 1);
    EXPECT_EQ(budget.cellStyle(r, Budget::prestation, now).text, colours::kRed);
    EXPECT_EQ(budget.cellStyle(r, Budget::delai, now).text, colours::kRed);
    EXPECT_EQ(budget.cellStyle(r, Budget::qualitePrix, now).text, colours::kBrown);
    r.setReal(Budget::prixUnitaire_0, 12.5f);
    EXPECT_EQ(budget.cellText(r, Budget::prixUnitaire_0, english()), "12.5");
}

TEST(BudgetCard, AServiceCardFollowsItsOrderLineByLine) {
    RegisterDocument doc(DocumentKind::Budget, budget);
    Record r(Budget::schema());
    r.setText(Budget::prestation, std::string("Night dive"));
    r.setReal(Budget::prixUnitaire_0, 30.9f);
    r.setInteger(Budget::quantite_0, 2);
    r.setText(Budget::supplement_1, std::string("Torch"));
    r.setReal(Budget::prixUnitaire_1, 5);
    r.setInteger(Budget::quantite_1, 1);
    r.setText(Budget::supplement_2, std::string("Nitrox"));
    r.setReal(Budget::prixUnitaire_2, 2.5f);
    r.setInteger(Budget::quantite_2, 3);
    r.setInteger(Budget::unitesCarte_1, 10);
    r.setReal(Budget::prixCarte_1, 249.5f);
    r.setText(Budget::entreprise, std::string("Blue Club"));
    r.setInteger(Budget::qualitePrix, 4);
    r.setText(Budget::notes, std::string("Bring a hood"));
    doc.add(r);
    const std::vector<std::string> expected = {
        "Budget forecast",
        "",
        "--------------------",
        "Service: Night dive",
        "Price per unit: 30.9",  // as the form shows it
        "Quantity: 2",
        "Supplement: Torch 5",
        "Quantity: 1",
        "Supplement: Nitrox 2.5",
        "Quantity: 3",
        "Supplement:  0",
        "Quantity: 0",
        "Supplement:  0",
        "Quantity: 0",
        "Card of 10 units at 249.5 €",
        "Card of 0 units at 0 €",
        "Card of 0 units at 0 €",
        "Card of 0 units at 0 €",
        "Firm: Blue Club",
        "Price rating: Good",
        "Delays: N/A",
        "Remarks: Bring a hood",
    };
    EXPECT_EQ(cardLines(doc), expected);
    // This register's card puts an empty line before the file's path.
    const std::string text = registerCard(doc, english(), Date{0}).plainText();
    EXPECT_NE(text.find("Bring a hood\n\nFile dir : "), std::string::npos);
}
