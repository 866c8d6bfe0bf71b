// The logbook's statistics, checked figure by figure on logbooks built by
// hand, with and without the earlier dives, and their report.

#include <gtest/gtest.h>

#include <cmath>

#include "localisation/Localisation.h"
#include "logbook/Carnet.h"
#include "settings/SettingsStore.h"
#include "stats/EarlierDives.h"
#include "stats/Statistics.h"
#include "stats/StatisticsReport.h"
#include "stats/StatisticsTexts.h"

using namespace divelog;
using C = StatCategory;

namespace {

struct DiveSpec {
    std::int32_t type = 8;
    float depth = 0;
    std::int32_t minutes = 0;
    std::int32_t water = -50;
    std::int32_t gas = 0;
    std::int32_t apparatus = 0;
    std::int32_t night = 0;
    std::int32_t configuration = 0;
};

std::unique_ptr<Carnet> logbook(const std::vector<DiveSpec>& specs) {
    auto carnet = std::make_unique<Carnet>();
    Carnet::DiveList dives;
    for (const DiveSpec& s : specs) {
        auto d = std::make_unique<Plongee>();
        d->setTypePlongee(s.type);
        d->setProfondeur(s.depth);
        d->setTemps(s.minutes);
        d->setTempEau(s.water);
        d->setGaz(s.gas);
        d->setRebreather(s.apparatus);
        d->setNocturne(s.night);
        d->setConfiguration(s.configuration);
        dives.push_back(std::move(d));
    }
    carnet->loadList(std::move(dives));
    return carnet;
}

Statistics alone(const Carnet& c, bool us = false) {
    return Statistics::of(c, EarlierDives{}, {.countEarlier = false, .usUnits = us});
}

// Six dives that touch every rule once.
std::unique_ptr<Carnet> sixDives() {
    return logbook({
        {.type = 0, .depth = 9.9f, .minutes = 40, .water = 15, .gas = 0, .night = 1},
        {.type = 1, .depth = 10, .minutes = 50, .water = 20, .gas = 1, .configuration = 1},
        // Type 4 (technical) has no category of its own: it counts through its configuration.
        {.type = 4, .depth = 61, .minutes = 90, .gas = 2, .configuration = 1},
        // A closed circuit counts as nitrox whatever its diluent.
        {.type = 5, .depth = 35.5f, .minutes = 35, .water = 12, .gas = 2, .apparatus = 3},
        {.type = 6, .depth = 45, .minutes = 0, .water = 18, .gas = 3, .apparatus = 1},
        // A legacy type, an unknown gas and an unknown apparatus.
        {.type = 2, .depth = 0, .minutes = 25, .gas = 9, .apparatus = 7},
    });
}

}  // namespace

TEST(Statistics, AHandBuiltLogbookFigureByFigure) {
    const auto carnet = sixDives();
    const Statistics s = alone(*carnet);
    EXPECT_EQ(s.diveCount, 6);
    const std::pair<C, long long> expected[] = {
        {C::Bio, 0},          {C::Quarry, 0},        {C::Drift, 0},  {C::Wrecks, 1},
        {C::Recreational, 1}, {C::Training, 0},      {C::Night, 1},  {C::Photo, 0},
        {C::Recuperation, 0}, {C::Ice, 0},           {C::Cave, 1},   {C::Tek, 2},
        {C::Work, 0},         {C::Video, 1},         {C::Other, 0},  {C::OpenCircuit, 3},
        {C::SemiClosed, 1},   {C::ClosedCircuit, 1}, {C::Air, 1},    {C::Nitrox, 2},
        {C::Trimix, 1},       {C::Heliox, 2},        {C::Depth1, 2}, {C::Depth2, 1},
        {C::Depth3, 0},       {C::Depth4, 1},        {C::Depth5, 1}, {C::Depth6, 0},
        {C::Depth7, 1}};
    for (const auto& [category, count] : expected)
        EXPECT_EQ(s.count(category), count) << StatCategories::info(category).earlierKey;
    EXPECT_EQ(s.maxDepth, 61);
    EXPECT_EQ(s.depthTotal, 9 + 10 + 61 + 35 + 45 + 0);
    EXPECT_EQ(s.meanDepth(), 160 / 6);
    EXPECT_EQ(s.maxTime, 90);
    EXPECT_EQ(s.timeTotal, 240);
    EXPECT_EQ(s.meanTime(), 40);
    EXPECT_EQ(s.minTemperature, 12);
    EXPECT_EQ(s.maxTemperature, 20);
    EXPECT_EQ(s.meanTemperature, 65 / 4) << "dives without a temperature stay out";

    const StatisticsTexts x = StatisticsTexts::of(s, Localisation{});
    EXPECT_EQ(x.share(C::Wrecks), "16.7 %");
    EXPECT_EQ(x.share(C::Video), " 16.7 %") << "the video share keeps its leading space";
    EXPECT_EQ(x.share(C::Nitrox), "33.3 %");
    EXPECT_EQ(x.count(C::Heliox), "2");
    EXPECT_EQ(x.maxDepth, "61 m");
    EXPECT_EQ(x.meanDepth, "26 m");
    EXPECT_EQ(x.timeTotal, "4 h 00 min.\r(240 min.)");
    EXPECT_EQ(x.meanTime, "40 min.");
}

TEST(Statistics, EmptyLogbookShowsZerosAndDashesNeverADivisionByZero) {
    const auto carnet = logbook({});
    EarlierDives earlier;
    earlier.set("epaves", 20);  // counts without a total of earlier dives
    const Statistics s = Statistics::of(*carnet, earlier, {.countEarlier = true});
    EXPECT_EQ(s.diveCount, 0);
    EXPECT_EQ(s.share(C::Wrecks), 0.0f);
    const StatisticsTexts x = StatisticsTexts::of(alone(*carnet), Localisation{});
    for (const auto& share : x.shares) EXPECT_TRUE(share == "0.0 %" || share == " 0.0 %") << share;
    EXPECT_EQ(x.maxDepth, "-");
    EXPECT_EQ(x.meanDepth, "-");
    EXPECT_EQ(x.maxTime, "-");
    EXPECT_EQ(x.depthTotal, "0 m");
    EXPECT_EQ(x.timeTotal, "0 h 00 min.\r(0 min.)");
    EXPECT_EQ(x.minTemperature, "-") << "not 10000";
    EXPECT_EQ(x.maxTemperature, "-") << "not 0";
    EXPECT_EQ(x.meanTemperature, "-");
}

TEST(Statistics, BandsTotalsAndTemperaturesAtTheEdges) {
    const auto bands = logbook({{.depth = 9.9f, .minutes = 125}, {.depth = 10}, {.depth = 61}});
    const Statistics s = alone(*bands);
    EXPECT_EQ(s.count(C::Depth1), 1);
    EXPECT_EQ(s.count(C::Depth2), 1);
    EXPECT_EQ(s.count(C::Depth7), 1);
    EXPECT_EQ(s.meanDepth(), 26) << "80 m over three dives";
    EXPECT_EQ(StatisticsTexts::of(s, Localisation{}).timeTotal, "2 h 05 min.\r(125 min.)");

    // Cold water: the maximum is the warmest measured, not 0.
    const Statistics cold = alone(*logbook({{.water = -1}, {.water = -1}, {.water = -50}}));
    EXPECT_EQ(cold.maxTemperature, -1);
    EXPECT_EQ(cold.minTemperature, -1);
    EXPECT_EQ(cold.meanTemperature, -1);
}

TEST(Statistics, FeetAndFahrenheitAreCountedInMetresAndCelsius) {
    const auto carnet =
        logbook({{.depth = 33, .water = 68}, {.depth = 100, .water = 50}, {.depth = 29}});
    const Statistics s = alone(*carnet, true);
    EXPECT_EQ(s.count(C::Depth1), 1) << "29 ft is 8.8 m";
    EXPECT_EQ(s.count(C::Depth2), 1) << "33 ft is 10.06 m";
    EXPECT_EQ(s.count(C::Depth4), 1) << "100 ft is 30.48 m";
    EXPECT_EQ(s.maxDepth, 30);
    EXPECT_EQ(s.depthTotal, 8 + 10 + 30);
    EXPECT_EQ(s.maxTemperature, 20);
    EXPECT_EQ(s.minTemperature, 10);

    // Shown in the logbook's units: what was typed, not its metres back in feet.
    EXPECT_EQ(s.shown.maxDepth, 100);
    EXPECT_EQ(s.shown.depthTotal, 33 + 100 + 29);
    EXPECT_EQ(s.shown.maxTemperature, 68);
    Localisation none;
    none.loadTable("Carnet", "\"Farenheit\" = \"%d °F\";");
    const StatisticsTexts x = StatisticsTexts::of(s, none, true);
    EXPECT_EQ(x.maxDepth, "100 ft");
    EXPECT_EQ(x.meanDepth, "54 ft");
    EXPECT_EQ(x.minTemperature, "50 °F");
    EXPECT_EQ(x.titles[static_cast<std::size_t>(C::Depth2)], "33 - 65 ft");
    const StatisticsTexts metric = StatisticsTexts::of(alone(*carnet, false), none, false);
    EXPECT_EQ(metric.titles[static_cast<std::size_t>(C::Depth2)], "10 - 19 m");
}

TEST(Statistics, EarlierDivesAddTheirCountsAndTheirExtremesOnlyWhenEntered) {
    std::vector<DiveSpec> ten(10, DiveSpec{.type = 1, .depth = 20, .minutes = 30, .water = 15});
    for (int i = 0; i < 5; ++i) ten[static_cast<std::size_t>(i)].type = 0;
    const auto carnet = logbook(ten);

    InMemorySettingsStore store;
    EarlierDives typed;
    typed.set("total plongees", 100);
    typed.set("epaves", 20);
    typed.set("total temps", 3000);
    typed.set("prof max", 54);
    typed.set("temperature min", 4);
    typed.store(store);
    const EarlierDives earlier = EarlierDives::read(store);

    const Statistics s = Statistics::of(*carnet, earlier, {.countEarlier = true});
    EXPECT_EQ(s.diveCount, 110);
    EXPECT_EQ(s.count(C::Wrecks), 25);
    EXPECT_EQ(StatisticsTexts::of(s, Localisation{}).share(C::Wrecks), "22.7 %");
    EXPECT_EQ(s.maxDepth, 54);
    EXPECT_EQ(s.minTemperature, 4);
    EXPECT_EQ(s.maxTemperature, 15) << "no earlier maximum was entered";
    EXPECT_EQ(s.timeTotal, 3300);
    EXPECT_EQ(s.meanTime(), 30);
    EXPECT_EQ(s.meanTemperature, 15) << "the earlier dives left no sum to average";

    // Ticking the box leaves all of it out.
    const Statistics without = Statistics::of(*carnet, earlier, {.countEarlier = false});
    EXPECT_EQ(without.diveCount, 10);
    EXPECT_EQ(without.count(C::Wrecks), 5);
    EXPECT_EQ(without.maxDepth, 20);
    EXPECT_EQ(without.minTemperature, 15);

    // Extremes typed without any earlier dive are not measurements.
    EarlierDives noDives;
    noDives.set("prof max", 80);
    noDives.set("temperature min", 0);
    const Statistics s2 = Statistics::of(*carnet, noDives, {.countEarlier = true});
    EXPECT_EQ(s2.maxDepth, 20);
    EXPECT_EQ(s2.minTemperature, 15) << "an earlier minimum never entered is not 0";
}

TEST(StatisticsReport, SectionsInRedUnderlinedFiguresInBlue) {
    Localisation t;
    t.loadTable("Carnet", R"x("Statistics dive type" = "\n\nKinds";
"Statistics wrecks" = "\nWreck";
"Statistics line" = "\t%@\t(%@)";
"Total dives" = "%d dives";)x");
    const auto carnet = sixDives();
    const Statistics s = alone(*carnet);
    const StyledText report =
        StatisticsReport::build(s, StatisticsTexts::of(s, t), t, {"/logs/mine.divelog", "today"});
    const auto& runs = report.runs();
    EXPECT_EQ(runs.front().style, TextStyle::Note);
    EXPECT_EQ(runs[1], (StyledRun{"\n\n6 dives", TextStyle::Value}));
    EXPECT_NE(report.plainText().find("error !"), std::string::npos) << "missing keys show it";

    auto at = [&](const std::string& text) {
        for (std::size_t i = 0; i < runs.size(); ++i)
            if (runs[i].text == text) return i;
        return runs.size();
    };
    const std::size_t title = at("Kinds");
    ASSERT_LT(title, runs.size());
    EXPECT_TRUE(runs[title].underline);
    EXPECT_EQ(runs[title - 1], (StyledRun{"\n\n", TextStyle::Header}));
    const std::size_t wreck = at("\nWreck");
    ASSERT_LT(wreck + 1, runs.size());
    EXPECT_EQ(runs[wreck + 1], (StyledRun{"\t1\t(16.7 %)", TextStyle::Value}));
    EXPECT_NE(report.plainText().find("/logs/mine.divelog"), std::string::npos);
    EXPECT_EQ(runs.back().style, TextStyle::Note);
    // The box ticked says so in the report.
    EXPECT_NE(at("error !"), runs.size());
    const Statistics with = Statistics::of(*carnet, EarlierDives{}, {.countEarlier = true});
    const StyledText r2 = StatisticsReport::build(with, StatisticsTexts::of(with, t), t, {});
    EXPECT_LT(r2.plainText().size(), report.plainText().size());
}

TEST(Statistics, OxygenOverTheProfilesOfTheDivesThatHaveOne) {
    auto c = sixDives();
    Statistics s = alone(*c);
    EXPECT_EQ(s.highestOtu, std::nullopt) << "no dive has samples";
    EXPECT_EQ(StatisticsTexts::of(s, Localisation{}).otuTotal, StatisticsTexts::kNone);

    // Two dives on EAN 35 at 30 m (1.4 bar), 60 and 30 min sampled each minute.
    Carnet::DiveList dives;
    for (int minutes : {60, 30}) {
        auto d = std::make_unique<Plongee>();
        d->setGaz(1);
        d->setO2Mix(35);
        d->setTemps(minutes);
        d->setSamplingRate(3);
        d->setProfilProfondeur(std::vector<double>(static_cast<std::size_t>(minutes) + 1, 30.0));
        dives.push_back(std::move(d));
    }
    dives.push_back(std::make_unique<Plongee>());  // no profile: counts for nothing
    Carnet carnet;
    carnet.loadList(std::move(dives));
    s = alone(carnet);
    const double perMinute = std::pow(1.8, 0.83);
    ASSERT_TRUE(s.highestOtu && s.otuTotal);
    EXPECT_NEAR(*s.highestOtu, 60 * perMinute, 1e-6);
    EXPECT_NEAR(*s.otuTotal, 90 * perMinute, 1e-6);
    EXPECT_EQ(StatisticsTexts::of(s, Localisation{}).highestOtu, "98 OTU");
}
