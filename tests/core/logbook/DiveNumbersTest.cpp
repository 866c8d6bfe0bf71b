// What the dive form's number fields accept as the diver types, and what
// the form refuses to store: nothing multiplied by ten, nothing absurd,
// no mix over the whole.

#include <gtest/gtest.h>

#include "localisation/Localisation.h"
#include "logbook/DiveForm.h"
#include "logbook/DiveNumbers.h"

using namespace divelog;
using F = Plongee::Field;
using V = DiveNumbers::Verdict;

namespace {

struct Numbers : ::testing::Test {
    DiveForm form;
    Localisation texts;
    void SetUp() override {
        texts.loadTable("Carnet",
                        "\"Number range whole\" = \"%@ takes a whole number from %@ to %@.\";\n"
                        "\"Field water temperature\" = \"Water temperature\";");
    }
    V verdict(F field, const char* text, bool us = false) const {
        return DiveNumbers::check(form, field, text, us, texts).verdict;
    }
};

}  // namespace

TEST_F(Numbers, AWholeNumberFieldShowsACommaAndRefusesToStoreIt) {
    EXPECT_EQ(verdict(F::tempEau, "1"), V::Acceptable);
    EXPECT_EQ(verdict(F::tempEau, "1,"), V::Intermediate);
    EXPECT_EQ(verdict(F::tempEau, "1,5"), V::Intermediate) << "not fifteen";
    EXPECT_EQ(DiveNumbers::check(form, F::tempEau, "1,5", false, texts).message,
              "Water temperature takes a whole number from -5 to 40.");
    EXPECT_EQ(verdict(F::profondeur, "12,5"), V::Acceptable);
    EXPECT_EQ(verdict(F::profondeur, "12,5,"), V::Invalid);
    EXPECT_EQ(verdict(F::temps, "4a"), V::Invalid);
}

TEST_F(Numbers, RangesADiverFitsIn) {
    EXPECT_EQ(verdict(F::tempAir, "99"), V::Invalid) << "more digits only make it worse";
    EXPECT_EQ(verdict(F::tempAir, "-"), V::Acceptable) << "not given";
    EXPECT_EQ(verdict(F::tempAir, "-5"), V::Acceptable);
    EXPECT_EQ(verdict(F::tempAir, "-51"), V::Invalid);
    EXPECT_EQ(verdict(F::tempAir, "104", true), V::Acceptable) << "Fahrenheit";
    EXPECT_EQ(verdict(F::tempEau, "-6"), V::Invalid);
    EXPECT_EQ(verdict(F::altitude, "99999"), V::Invalid);
    EXPECT_EQ(verdict(F::altitude, "13000", true), V::Acceptable) << "feet";
    EXPECT_EQ(verdict(F::profondeur, "999999"), V::Invalid);
    EXPECT_EQ(verdict(F::profondeur, "401"), V::Invalid);
    EXPECT_EQ(verdict(F::profondeur, "1000", true), V::Acceptable);
    EXPECT_EQ(verdict(F::temps, "999999"), V::Invalid);
    EXPECT_EQ(verdict(F::temps, "-3"), V::Invalid);
    // Below a minimum above zero the diver may still be typing.
    EXPECT_EQ(verdict(F::coeff, "5"), V::Intermediate);
    EXPECT_EQ(verdict(F::coeff, "55"), V::Acceptable);
    EXPECT_EQ(verdict(F::coeff, "130"), V::Invalid);
}

TEST_F(Numbers, GasPercentagesAreCheckedAsTyped) {
    EXPECT_EQ(verdict(F::decoO2_Level_2, "150"), V::Invalid);
    EXPECT_EQ(verdict(F::o2Mix, "101"), V::Invalid);
    form.setText(F::heMix, "45");
    EXPECT_EQ(verdict(F::o2Mix, "50"), V::Acceptable);
    EXPECT_EQ(verdict(F::o2Mix, "56"), V::Invalid) << "56 + 45 is over the whole mix";
    form.setText(F::decoO2_Level_3, "80");
    EXPECT_EQ(verdict(F::decoHe_Level_3, "21"), V::Invalid);
    EXPECT_EQ(verdict(F::decoHe_Level_3, "20"), V::Acceptable);
    EXPECT_EQ(verdict(F::heMix_2, "87"), V::Invalid);
}

TEST_F(Numbers, TheFormIsRefusedWhileAFieldHoldsWhatItDoesNotAccept) {
    EXPECT_FALSE(DiveNumbers::refusal(form, false, texts));
    form.setText(F::tempEau, "1,5");
    auto refused = DiveNumbers::refusal(form, false, texts);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->field, F::tempEau);
    form.setText(F::tempEau, "15");
    form.setText(F::coeff, "5");
    refused = DiveNumbers::refusal(form, false, texts);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->field, F::coeff);
    form.setText(F::coeff, "-");
    EXPECT_FALSE(DiveNumbers::refusal(form, false, texts));
    // A depth typed in feet is over the metric limit only in metres.
    form.setText(F::tempEau, "-");
    form.setText(F::profondeur, "600");
    EXPECT_TRUE(DiveNumbers::refusal(form, false, texts));
    EXPECT_FALSE(DiveNumbers::refusal(form, true, texts));
}
