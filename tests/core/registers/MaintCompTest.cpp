// The compressor maintenance register: its file, the analyses as typed and
// shown, the operations' controls and cells, its card and its toolbars.

#include <gtest/gtest.h>

#include "ShippedTexts.h"
#include "registers/ClockDuration.h"
#include "registers/MaintComp.h"
#include "registers/RegisterForm.h"
#include "registers/RegisterSession.h"
#include "registers/RegisterToolbars.h"
#include "settings/PickLists.h"
#include "settings/SettingsStore.h"

using namespace divelog;
using namespace divelog::testing_texts;

namespace {

const MaintComp& compressor = MaintComp::instance();
using K = Compresseur;

std::string cell(const Record& r, std::size_t field) {
    return compressor.cellText(r, field, english());
}

}  // namespace

TEST(CompressorService, EveryFieldComesBackAsSaved) {
    EXPECT_TRUE(reopensWithEveryField(compressor));
}

TEST(CompressorService, AnalysesNotMeasuredAreNeverShownAsMeasures) {
    const Date now = dateNow();
    RegisterForm form(compressor);
    form.blank({0, now, english()});
    EXPECT_EQ(form.text("anCO"), "-");
    auto stored = [&](const char* typed) {
        form.setText("anHuile", typed, now);
        return form.record().real(K::anHuile);
    };
    EXPECT_EQ(stored("12,5"), 12.5f);
    EXPECT_EQ(stored("0"), 0.0f);
    for (const char* none : {"-", "", "abc", "-0.5", "-3"}) EXPECT_EQ(stored(none), -1.0f) << none;
    EXPECT_EQ(form.record().real(K::anH2O), -1.0f);

    Record r(K::schema());
    r.setReal(K::anHuile, -1);
    r.setReal(K::anCO2, 500);
    r.setInteger(K::anCO2Unit, 1);
    r.setReal(K::anCO, 500);
    r.setReal(K::anH2O, 0.5f);
    EXPECT_EQ(cell(r, K::anHuile), "-");
    EXPECT_EQ(cell(r, K::anCO2), "500 ppm");
    EXPECT_EQ(cell(r, K::anCO), "500 ml/m³");
    EXPECT_EQ(cell(r, K::anH2O), "0.5 ml/m³");
    r.setReal(K::anHuile, 0.1f);
    EXPECT_EQ(cell(r, K::anHuile), "0.1 mg/m³");
    form.load(r);
    EXPECT_EQ(form.text("anCO2"), "500");
}

TEST(CompressorService, OperationsEnableTheirChoicesAndShowInCells) {
    const Date now = dateNow();
    RegisterForm form(compressor);
    form.blank({0, now, english()});
    FormState state = compressor.formState(form, now, english());
    for (const char* off : {"typeHuile", "operationFiltre", "intSoupape"})
        EXPECT_TRUE(state.disabled.count(off)) << off;
    EXPECT_FALSE(state.disabled.count("charbon"));
    for (const char* on : {"vidange", "filtreAir", "soupapes", "cartouche"})
        form.setInteger(on, 1, now);
    state = compressor.formState(form, now, english());
    for (const char* f : {"typeHuile", "operationFiltre", "intSoupape"})
        EXPECT_FALSE(state.disabled.count(f)) << f;
    for (const char* f : {"charbon", "alumine", "tamis"}) EXPECT_TRUE(state.disabled.count(f)) << f;

    Record r = form.record();
    EXPECT_EQ(cell(r, K::filtreAir), "Cleaned");
    EXPECT_EQ(cell(r, K::soupapes), "Verified");
    EXPECT_EQ(cell(r, K::vidange), "✓");
    EXPECT_EQ(cell(r, K::charbon), "");
    r.setInteger(K::operationFiltre, 1);
    r.setInteger(K::intSoupape, 1);
    EXPECT_EQ(cell(r, K::filtreAir), "Replaced");
    EXPECT_EQ(cell(r, K::soupapes), "Re-set");
    r.setInteger(K::filtreAir, 0);
    EXPECT_EQ(cell(r, K::filtreAir), "");
    const Date at = dateNow();
    EXPECT_EQ(compressor.cellStyle(r, K::tamis, at).text, colours::kGreen);
    EXPECT_EQ(compressor.cellStyle(r, K::soupapes, at).text, colours::kBlack);
}

TEST(CompressorService, TheCardNumbersServicesInListOrder) {
    RegisterDocument doc(DocumentKind::Compresseur, compressor);
    Record r(K::schema());
    r.setText(K::marque, std::string("Bauer"));
    r.setText(K::modele, std::string("Junior II"));
    r.setDate(K::date, dateFromLocalParts({2024, 3, 2, 10, 0, 0}));
    r.setDate(K::temps, ClockDuration{1, 5}.date());
    r.setText(K::cumulTemps, std::string("350"));
    r.setInteger(K::vidange, 1);
    r.setInteger(K::typeHuile, 1);
    r.setInteger(K::cartouche, 1);
    r.setInteger(K::charbon, 1);  // left off: the cartridge holds the stages
    r.setInteger(K::soupapes, 1);
    for (std::size_t f : {K::anHuile, K::anCO, K::anH2O}) r.setReal(f, -1);
    r.setReal(K::anCO2, 500);
    r.setInteger(K::anCO2Unit, 1);
    doc.add(r);
    Record second(K::schema());
    second.setText(K::marque, std::string("Coltri"));
    second.setDate(K::date, dateFromLocalParts({2023, 1, 2, 10, 0, 0}));
    second.setInteger(K::filtreAir, 1);
    second.setInteger(K::alumine, 1);
    second.setInteger(K::tamis, 1);
    second.setReal(K::anHuile, 0.1f);
    second.setReal(K::anCO, 2);
    second.setReal(K::anH2O, -1);
    second.setReal(K::anCO2, -1);
    doc.add(second);
    const std::vector<std::string> expected = {
        "Compressor maintenance",
        "Make: Bauer",
        "Model: Junior II",
        "",
        "------------------------------",
        "Service No. 1",
        "",
        "Date: 02/03/2024",
        "Running time: 01 h 05 min.",
        "Total hours: 350",
        "",
        "Operations",
        "Oil changed (synthetic)",
        "Purification cartridge changed",
        "Safety valves verified",
        "",
        "Air analyses",
        "CO2: 500 ppm",
        "Remarks: ",
        "--------------------",
        "Service No. 2",
        "",
        "Date: 02/01/2023",
        "Running time: ",
        "Total hours: ",
        "",
        "Operations",
        "Air filter cleaned",
        "Activated alumina changed",
        "Molecular sieve changed",
        "",
        "Air analyses",
        "Oil: 0.1 mg/m³",
        "CO: 2 ml/m³",
        "Remarks: ",
        "--------------------",
    };
    EXPECT_EQ(cardLines(doc), expected);

    // Sorted by date, the older service comes first and takes number 1.
    doc.sortBy(K::date, true);
    const auto lines = cardLines(doc);
    EXPECT_EQ(lines[1], "Make: Coltri");
    EXPECT_EQ(lines[7], "Date: 02/01/2023");
}

TEST(CompressorService, CountsRevisionsAndSavesFromTheEditToolbar) {
    InMemorySettingsStore store;
    PickLists lists{store};
    RegisterDocument doc(DocumentKind::Compresseur, compressor);
    RegisterSession session(doc, lists, english());
    doc.add(Record(K::schema()));
    EXPECT_EQ(session.countText(), "1 service");
    doc.add(Record(K::schema()));
    EXPECT_EQ(session.countText(), "2 services");
    session.documentLoaded();
    EXPECT_EQ(session.singleSelection(), 0u);

    const ToolbarLayout& edit = RegisterToolbars::edit(compressor);
    ASSERT_FALSE(edit.allowed.empty());
    EXPECT_EQ(edit.allowed.front(), "saveDocument");
    EXPECT_EQ(edit.defaults.front(), "saveDocument");
}
