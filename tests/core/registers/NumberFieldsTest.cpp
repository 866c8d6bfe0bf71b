// Number fields take only what can be read as their number: a unit, a
// space, a currency sign or a question mark is refused as it is typed, and
// what is not a number yet is refused when stored, so no card ever stores a
// silent 0 or another number than the one typed.

#include <gtest/gtest.h>

#include "localisation/Localisation.h"
#include "registers/RegisterDocument.h"
#include "registers/RegisterForm.h"
#include "registers/RegisterSession.h"
#include "registers/RegisterSpec.h"
#include "registers/RegisterSpecs.h"
#include "registers/RepEpaves.h"
#include "settings/PickLists.h"
#include "settings/SettingsStore.h"
#include "util/NumberCheck.h"

using namespace divelog;

TEST(NumberRule, RefusesWhatNoTypingCouldMakeANumber) {
    const NumberRule whole{.maxDigits = 4};
    const NumberRule price{.decimals = true, .maxDigits = 7};
    const NumberRule depth{.decimals = true, .dashForNone = true, .maxDigits = 4};
    const NumberRule signedLength{.decimals = true, .negative = true, .maxDigits = 4};
    for (const char* t : {"73 m", "1 500", "35 €", "abc-3", "?", "1e3", "+3", "12345"})
        EXPECT_EQ(checkNumberText(whole, t), NumberVerdict::Invalid) << t;
    // Shown as typed, never read as fifteen or as one.
    EXPECT_EQ(checkNumberText(whole, "1,5"), NumberVerdict::Intermediate);
    for (const char* t : {"", "0", "1500", "0073"})
        EXPECT_EQ(checkNumberText(whole, t), NumberVerdict::Acceptable) << t;
    EXPECT_EQ(checkNumberText(price, "2,50"), NumberVerdict::Acceptable);
    EXPECT_EQ(checkNumberText(price, "2."), NumberVerdict::Acceptable);
    EXPECT_EQ(checkNumberText(price, "."), NumberVerdict::Intermediate);
    EXPECT_EQ(checkNumberText(price, "2.5.0"), NumberVerdict::Invalid);
    EXPECT_EQ(checkNumberText(price, "-2"), NumberVerdict::Invalid);
    EXPECT_EQ(checkNumberText(depth, "-"), NumberVerdict::Acceptable);
    EXPECT_EQ(checkNumberText(depth, "-3"), NumberVerdict::Invalid);
    EXPECT_EQ(checkNumberText(signedLength, "-"), NumberVerdict::Intermediate);
    EXPECT_EQ(checkNumberText(signedLength, "-1"), NumberVerdict::Acceptable);

    const NumberRule converted{.decimals = true, .maxDigits = 9, .exponent = true};
    for (const char* t : {"1,5e-3", "2E12", "3e+7"})
        EXPECT_EQ(checkNumberText(converted, t), NumberVerdict::Acceptable) << t;
    for (const char* t : {"1e", "1e-"})
        EXPECT_EQ(checkNumberText(converted, t), NumberVerdict::Intermediate) << t;
    for (const char* t : {"e3", "1e1234", "1e3e", "1e3.5"})
        EXPECT_EQ(checkNumberText(converted, t), NumberVerdict::Invalid) << t;
}

// A card holding what is no number of its field is not stored: Add, Update
// and leaving the card are refused with the field named, and nothing changes.
TEST(RegisterNumberFields, ACardHoldingNoNumberOfItsFieldIsNotStored) {
    Localisation texts;
    texts.loadTable("Epaves", "\"Wreck tonnage\" = \"\\rTonnage: \";");
    texts.loadTable("Main", "\"Number not whole\" = \"%@ takes a whole number: %@\";");
    RegisterDocument doc{DocumentKind::Epaves, RepEpaves::instance()};
    InMemorySettingsStore store;
    PickLists lists{store};
    RegisterSession session(doc, lists, texts);
    session.documentLoaded();
    session.newRecord();
    ASSERT_TRUE(session.form().setText("nom", "Donator", dateNow()));
    ASSERT_TRUE(session.form().setText("jauge", "1,5", dateNow()));
    auto alerts = session.add();
    EXPECT_TRUE(session.refused());
    EXPECT_EQ(doc.recordCount(), 0u);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0], "Tonnage takes a whole number: 1,5");
    EXPECT_EQ(session.refusedControl(), std::optional<std::string_view>("jauge"));

    ASSERT_TRUE(session.form().setText("jauge", "1500", dateNow()));
    session.add();
    EXPECT_FALSE(session.refused());
    ASSERT_EQ(doc.recordCount(), 1u);

    // A lone "-" in a signed length is no length.
    session.select({0});
    const float length = doc.record(0).real(Epaves::longueur);
    ASSERT_TRUE(session.form().setText("longueur", "-", dateNow()));
    alerts = session.update();
    EXPECT_TRUE(session.refused());
    EXPECT_EQ(doc.record(0).real(Epaves::longueur), length);
    alerts = session.storePendingEdits();
    EXPECT_TRUE(session.refused());
    ASSERT_TRUE(session.form().setText("longueur", "-73", dateNow()));
    session.update();
    EXPECT_FALSE(session.refused());
    EXPECT_EQ(doc.record(0).real(Epaves::longueur), -73.0f);
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
