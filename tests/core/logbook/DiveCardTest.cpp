// The dive card: its lines and styles for the cases a diver meets, and the
// names of gases known only by their percentages.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "dive/MixGas.h"
#include "localisation/Localisation.h"
#include "logbook/Carnet.h"
#include "logbook/DiveCard.h"

using namespace divelog;

namespace {

std::string file(const std::filesystem::path& p) {
    std::ifstream in(p);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The shipped English tables, so a key the card needs but the tables lack
// shows. Found from the source tree above the folder the test runs in.
const Localisation& english() {
    static const Localisation l = [] {
        Localisation t;
        for (auto dir = std::filesystem::current_path(); !dir.empty(); dir = dir.parent_path()) {
            const auto lang = dir / "resources/lang/en";
            if (std::filesystem::exists(lang / "Carnet.strings")) {
                t.loadTable("Carnet", file(lang / "Carnet.strings"));
                t.loadTable("Main", file(lang / "Main.strings"));
                break;
            }
            if (dir == dir.parent_path()) break;
        }
        return t;
    }();
    return l;
}

Plongee plainDive() {
    Plongee d =
        makeNewDive(NewDiveDefaults{.number = 7, .gpsTemplate = "N 00°00.000' E 000°00.000'"});
    d.setLieu(std::string("Marseille"));
    d.setProfondeur(32.5f);
    d.setTemps(45);
    return d;
}

StyledText cardOf(const Plongee& d, const Localisation& t = english(), bool us = false) {
    StyledText out;
    DiveCard(t, us).append(d, out);
    return out;
}

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++n;
    return n;
}

bool hasRun(const StyledText& t, const std::string& text, TextStyle style) {
    for (const auto& r : t.runs())
        if (r.style == style && r.text.find(text) != std::string::npos) return true;
    return false;
}

}  // namespace

TEST(DiveCard, AllDivesAreSeparatedByBulletLinesAndTheSelectedScopeNeedsARow) {
    Carnet carnet;
    Carnet::DiveList dives;
    for (int i = 0; i < 3; ++i) dives.push_back(std::make_unique<Plongee>(plainDive()));
    carnet.loadList(std::move(dives));
    const DiveCard card(english(), false);
    std::string bullets;
    for (std::size_t i = 0; i < DiveCard::kSeparatorBullets; ++i) bullets += "•";

    const std::string all = card.build(carnet, DiveCard::Scope::AllDives, std::nullopt).plainText();
    EXPECT_EQ(occurrences(all, "Marseille"), 3u);
    EXPECT_EQ(occurrences(all, bullets), 2u);
    const std::string one = card.build(carnet, DiveCard::Scope::SelectedDive, 1).plainText();
    EXPECT_EQ(occurrences(one, "Marseille"), 1u);
    EXPECT_EQ(occurrences(one, "•"), 0u);
    EXPECT_TRUE(card.build(carnet, DiveCard::Scope::SelectedDive, std::nullopt).empty());
    EXPECT_TRUE(card.build(carnet, DiveCard::Scope::SelectedDive, 3).empty());
}

TEST(DiveCard, EveryLabelHasItsEnglishTextAndValuesAreBlue) {
    Plongee d = plainDive();
    d.setDeco(3);
    d.setDecoTime_Level_1(3);
    d.setRebreather(1);
    d.setVolumeBloc_2(7);
    d.setPressDepartPony1(200);
    d.setPressDepartBailout2(180);
    d.setVentForce(3);
    d.setTempEau(14);
    d.setTempAir(20);
    d.setNocturne(1);
    d.setNotes(std::string("Octopus under the anchor"));
    ASSERT_TRUE(english().has("Carnet", "Card General")) << "the English tables were not found";
    const StyledText card = cardOf(d);
    EXPECT_EQ(card.plainText().find("error !"), std::string::npos) << card.plainText();
    EXPECT_TRUE(hasRun(card, "Marseille", TextStyle::Value));
    EXPECT_TRUE(hasRun(card, "Octopus under the anchor", TextStyle::Value));
    EXPECT_TRUE(hasRun(card, "32.5 m", TextStyle::Value));
    EXPECT_TRUE(hasRun(card, "\nLocation: ", TextStyle::Plain));
    // The day, and only the day, is a value within its label.
    const DateParts day = localParts(*d.date());
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", day.day, day.month, day.year);
    EXPECT_TRUE(hasRun(card, std::string("\nDate: "), TextStyle::Plain));
    EXPECT_TRUE(hasRun(card, text, TextStyle::Value));
    // Section titles are red and underlined from their sixth character.
    bool underlined = false;
    for (const auto& r : card.runs())
        underlined = underlined || (r.underline && r.text == "General");
    EXPECT_TRUE(underlined);
    EXPECT_TRUE(hasRun(card, "\n\n   ", TextStyle::Header));
}

TEST(DiveCard, LinesThatDependOnTheDive) {
    Plongee d = plainDive();
    EXPECT_EQ(cardOf(d).plainText().find("Water temperature"), std::string::npos)
        << "-50 is no temperature";
    d.setTempEau(18);
    EXPECT_NE(cardOf(d).plainText().find("Water temperature: 18 °C"), std::string::npos);
    EXPECT_NE(cardOf(d, english(), true).plainText().find("Water temperature: 18 °F"),
              std::string::npos);

    // A depth reads as typed, not as the double nearest its float.
    d.setProfondeur(34.3f);
    EXPECT_NE(cardOf(d).plainText().find("Maximum depth: 34.3 m\n"), std::string::npos)
        << cardOf(d).plainText();

    EXPECT_EQ(cardOf(d).plainText().find("Position"), std::string::npos) << "the form's template";
    d.setGps(std::string("N 43°12.500' E 005°20.100'"));
    d.setGpsSystem(2);
    EXPECT_NE(cardOf(d).plainText().find("Position (ED50): N 43°12.500'"), std::string::npos);

    d.setVentForce(5);
    d.setVentSecteur(3);
    EXPECT_NE(cardOf(d).plainText().find("Wind: from E, force 4"), std::string::npos);
    d.setVentForce(1);
    EXPECT_NE(cardOf(d).plainText().find("Wind: No wind"), std::string::npos);

    // Difficulty 0 shows one mark, 5 six, and a corrupt level no more.
    for (auto [level, marks] : {std::pair{0, 1}, {5, 6}, {1'000'000, 6}}) {
        d.setDifficulte(level);
        EXPECT_EQ(occurrences(cardOf(d).plainText(), "★"), static_cast<std::size_t>(marks))
            << level;
    }

    // A stop at 4.5 m for 3 minutes on pure oxygen is a nitrox 100 stop.
    d.setDecoDepth_Level_2(4.5f);
    d.setDecoTime_Level_2(3);
    d.setDecoO2_Level_2(100);
    const std::string text = cardOf(d).plainText();
    EXPECT_NE(text.find("Stop at 4.5 m: 3 min (Nitrox 100)"), std::string::npos) << text;
    EXPECT_EQ(occurrences(text, "Stop at"), 1u) << "stops without a time have no line";
    EXPECT_NE(cardOf(d, english(), true).plainText().find("Stop at 4.5 ft"), std::string::npos);
}

TEST(DiveCard, CylindersStagesAndBailOut) {
    Plongee d = plainDive();
    d.setRebreather(3);  // eCCR: oxygen and diluent
    d.setVolumeBloc(3);
    d.setPressionDepart(200);
    d.setPressionFin(120);
    d.setGaz(1);
    d.setO2Mix(100);
    d.setVolumeBloc_2(3);
    d.setO2Mix_2(18);
    d.setHeMix_2(45);
    d.setPressDepartPony2(190);
    d.setPressFinPony2(60);
    d.setDecoO2_Level_2(50);
    d.setPressDepartBailout1(200);
    d.setPressFinBailout1(150);
    d.setO2Bailout1(32);
    d.setPressDepartBailout2(210);
    d.setO2Bailout2(18);
    d.setHeBailout2(45);
    const std::string text = cardOf(d).plainText();
    EXPECT_NE(text.find("Oxygen cylinder"), std::string::npos);
    EXPECT_NE(text.find("Diluent cylinder"), std::string::npos);
    EXPECT_NE(text.find("Gas available: 600 L"), std::string::npos);
    EXPECT_NE(text.find("Gas breathed: 240 L"), std::string::npos);
    EXPECT_NE(text.find("Pressure used: 80 bar"), std::string::npos);
    EXPECT_NE(text.find("Gas: Nitrox 100"), std::string::npos);
    EXPECT_NE(text.find("Gas: Trimix 18/45"), std::string::npos) << "named by its percentages";
    EXPECT_NE(text.find("Stage 2: Nitrox 50 (190-60 bar)"), std::string::npos);
    EXPECT_EQ(text.find("Stage 1"), std::string::npos);
    EXPECT_NE(text.find("Bail-out 1: 32 % O₂, 0 % He (200-150 bar)"), std::string::npos);
    EXPECT_NE(text.find("Bail-out 2: 18 % O₂, 45 % He (210-0 bar)"), std::string::npos);

    d.setVolumeBloc_2(0);
    d.setRebreather(0);
    EXPECT_EQ(cardOf(d).plainText().find("Second cylinder"), std::string::npos);
    d.setEquip_3(std::string("Reel"));
    EXPECT_NE(cardOf(d).plainText().find("\n   - Reel"), std::string::npos);
}

TEST(DiveCard, MissingAndShortTranslationsNeverBreakTheCard) {
    Localisation t;
    t.loadTable("Carnet", R"("Card General" = "Gen";
"Card Date" = "Day";)");
    const StyledText card = cardOf(plainDive(), t);
    EXPECT_NE(card.plainText().find("\nerror !"), std::string::npos);
    bool plainGen = false;
    for (const auto& r : card.runs())
        plainGen = plainGen || (r.text.find("Gen") != std::string::npos && !r.underline);
    EXPECT_TRUE(plainGen) << "too short to underline from the sixth character";
    EXPECT_TRUE(hasRun(card, "Day", TextStyle::Plain)) << "no day without a place for it";
}

TEST(MixGas, PercentagesNameTheGasAsTheGasCodesDo) {
    const Localisation t;
    EXPECT_EQ(MixGas::label(21, 0, t), "Air");
    EXPECT_EQ(MixGas::label(0, 0, t), "Air") << "oxygen not given";
    EXPECT_EQ(MixGas::label(32, 0, t), "Nitrox 32");
    EXPECT_EQ(MixGas::label(100, 0, t), "Nitrox 100");
    EXPECT_EQ(MixGas::label(18, 45, t), "Trimix 18/45");
    EXPECT_EQ(MixGas::label(21, 35, t), "Trimix 21/35");
    EXPECT_EQ(MixGas::label(30, 30, t), "Triox 30/30");
    EXPECT_EQ(MixGas::label(21, 79, t), "Heliox 21") << "no nitrogen left";
    EXPECT_EQ(MixGas::label(18, 0, t), "");
}

TEST(DiveCard, OxygenOverTheProfileOnlyForADiveWithSamples) {
    Plongee d;
    d.setGaz(1);
    d.setO2Mix(35);
    d.setTemps(60);
    EXPECT_EQ(cardOf(d).plainText().find("Oxygen over the profile"), std::string::npos);
    d.setSamplingRate(3);
    d.setProfilProfondeur(std::vector<double>(61, 30.0));  // 60 min at 1.4 bar
    const StyledText card = cardOf(d);
    EXPECT_NE(card.plainText().find("Oxygen over the profile"), std::string::npos);
    EXPECT_TRUE(hasRun(card, "CNS 40.0 %, OTU 98", TextStyle::Value));
}
