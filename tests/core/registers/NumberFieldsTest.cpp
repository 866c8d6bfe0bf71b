// Number fields of the registers take only what can be read as their
// number: a unit, a space, a currency sign or a question mark is refused as
// it is typed, so no card ever stores a silent 0.

#include <gtest/gtest.h>

#include "localisation/Localisation.h"
#include "registers/RegisterForm.h"
#include "registers/RegisterSpec.h"
#include "registers/RegisterSpecs.h"
#include "registers/RepEpaves.h"
#include "util/NumberTyping.h"

using namespace divelog;

TEST(NumberTyping, RefusesWhatNoTypingCouldMakeANumber) {
    const NumberTyping whole{.maxDigits = 4};
    const NumberTyping price{.decimals = true, .maxDigits = 7};
    const NumberTyping depth{.decimals = true, .dashForNone = true, .maxDigits = 4};
    const NumberTyping signedLength{.decimals = true, .negative = true, .maxDigits = 4};
    for (const char* t : {"73 m", "1 500", "35 €", "abc-3", "?", "1e3", "12.5", "+3", "12345"})
        EXPECT_EQ(checkTyping(whole, t), Typed::Refused) << t;
    for (const char* t : {"", "0", "1500", "0073"})
        EXPECT_EQ(checkTyping(whole, t), Typed::Complete) << t;
    EXPECT_EQ(checkTyping(price, "2,50"), Typed::Complete);
    EXPECT_EQ(checkTyping(price, "2."), Typed::Complete);
    EXPECT_EQ(checkTyping(price, "."), Typed::Unfinished);
    EXPECT_EQ(checkTyping(price, "2.5.0"), Typed::Refused);
    EXPECT_EQ(checkTyping(price, "-2"), Typed::Refused);
    EXPECT_EQ(checkTyping(depth, "-"), Typed::Complete);
    EXPECT_EQ(checkTyping(depth, "-3"), Typed::Refused);
    EXPECT_EQ(checkTyping(signedLength, "-"), Typed::Unfinished);
    EXPECT_EQ(checkTyping(signedLength, "-1"), Typed::Complete);
}

// Every number control of every register: what a club types by habit.
TEST(RegisterNumberFields, NoRegisterTakesUnitsSpacesOrSigns) {
    const Date now = dateNow();
    int checked = 0;
    for (auto kind :
         {DocumentKind::Epaves, DocumentKind::Materiel, DocumentKind::Rebreather,
          DocumentKind::Compresseur, DocumentKind::Consommables, DocumentKind::Budget,
          DocumentKind::Entreprises, DocumentKind::Structures, DocumentKind::DiversDocuments}) {
        const RegisterSpec* spec = registerSpec(kind);
        ASSERT_TRUE(spec);
        for (const FormControl& c : spec->controls()) {
            if (c.kind != ControlKind::Number) continue;
            ++checked;
            RegisterForm form(*spec);
            ASSERT_TRUE(form.setText(c.field, "38", now)) << c.field;
            for (const char* t : {"73 m", "1 500", "35 €", "abc-3", "?"}) {
                EXPECT_FALSE(form.setText(c.field, t, now)) << c.field << " " << t;
                EXPECT_EQ(form.text(c.field), "38") << c.field;
            }
            const Record r = form.record();
            const std::size_t f = spec->field(c.field);
            const double stored = r.schema().fields[f].type == FieldType::Float
                                      ? static_cast<double>(r.real(f))
                                      : static_cast<double>(r.integer(f));
            EXPECT_EQ(stored, 38.0) << c.field;
        }
    }
    EXPECT_GT(checked, 40);
}

TEST(RegisterNumberFields, AWreckDepthNotGivenIsMinusOneNeverZero) {
    const Localisation texts;
    RegisterForm form(RepEpaves::instance());
    form.blank({0, dateNow(), texts});
    EXPECT_EQ(form.text("pointHaut"), "-");
    EXPECT_EQ(form.record().real(Epaves::pointHaut), -1.0f);
    EXPECT_FALSE(form.setText("pointHaut", "?", dateNow()));
    EXPECT_EQ(form.record().real(Epaves::pointHaut), -1.0f);
    EXPECT_TRUE(form.setText("pointBas", "38", dateNow()));
    EXPECT_EQ(form.record().real(Epaves::pointBas), 38.0f);
}
