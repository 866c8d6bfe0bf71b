// A Subsurface logbook read in its two ways (cut into dives, or whole for a
// file in another encoding), found by its content, and hostile files.

#include <gtest/gtest.h>

#include <cmath>

#include "ExchangeTestFiles.h"
#include "exchange/ImportRules.h"

using namespace divelog;
using divelog::testing::readBack;

namespace {

const std::string kTwoTrips = R"(<divelog program='subsurface' version='3'>
<divesites><site uuid='0xAB12' name='Niolon' gps='43.3 5.2'/></divesites>
<dives>
<trip date='2020-06-01' time='08:00:00' location='Côte Bleue'>
<dive date='2020-06-01' time='09:00:00' duration='30:00 min' divesiteid='ab12'>
<divecomputer><sample time='0:00 min' depth='0.0 m'/><sample time='1:00 min' depth='8.0 m'/>
</divecomputer></dive>
</trip>
<dive date='2020-06-02' time='09:00:00' duration='31 min' divesiteid='ab12'/>
<trip location='Port-Cros'>
<dive date='2020-06-03' time='09:00:00' duration='32 min'><divecomputer><depth max='9 m'/></divecomputer></dive>
<dive date='2020-06-04' time='09:00:00' duration='33 min' divesiteid='ab12'/>
</trip>
<dive date='2020-06-05' time='09:00:00' duration='34 min'/>
</dives></divelog>)";

std::string utf16(const std::string& ascii) {
    std::string wide = "\xFF\xFE";
    for (char c : ascii) wide += std::string{c, '\0'};
    return wide;
}

}  // namespace

TEST(SubsurfaceImport, TripsGiveTheirPlaceToTheirDivesOnly) {
    // Cut into dives (UTF-8) and parsed whole (UTF-16, ASCII text only) alike.
    std::string ascii = kTwoTrips;
    ascii.replace(ascii.find("Côte"), 5, "Cote");
    for (const std::string& bytes : {kTwoTrips, utf16(ascii)}) {
        const auto in = readBack("Subsurface", bytes);
        ASSERT_EQ(in.dives.size(), 5u);
        const bool wide = bytes[0] == '\xFF';
        EXPECT_EQ(in.dives[0]->lieu().value_or(""), wide ? "Cote Bleue" : "Côte Bleue");
        EXPECT_EQ(in.dives[0]->site().value_or(""), "Niolon") << "uuids in any case, with 0x";
        EXPECT_EQ(in.dives[1]->lieu().value_or(""), "") << "a dive outside any trip";
        EXPECT_EQ(in.dives[2]->lieu().value_or(""), "Port-Cros") << "a trip without a site";
        EXPECT_FLOAT_EQ(in.dives[2]->profondeur(), 9);
        EXPECT_EQ(in.dives[3]->lieu().value_or(""), "Port-Cros");
        EXPECT_EQ(in.dives[4]->lieu().value_or(""), "") << "the trip closed before it";
        for (std::size_t i = 0; i < 5; ++i) {
            EXPECT_EQ(in.dives[i]->temps(), 30 + static_cast<int>(i));
            EXPECT_EQ(in.dives[i]->noPlongee(), static_cast<int>(i) + 1);
        }
    }
}

TEST(SubsurfaceImport, IsFoundByItsRootsAndItsExtension) {
    // Its sites are no companion file's, though both have a "site".
    EXPECT_EQ(readBack("", kTwoTrips).format, "Subsurface");
    EXPECT_EQ(readBack("", "<dives><dive date='2001-01-01' duration='5 min'/></dives>").format,
              "Subsurface");
    EXPECT_EQ(
        readBack("", "<?xml version='1.0'?>\n<!-- a log -->\n<divelog></divelog>", {}, "log.ssrf")
            .format,
        "Subsurface");
    const auto none = readBack("Subsurface", "not xml at all");
    EXPECT_TRUE(none.dives.empty());
    EXPECT_EQ(none.report, std::vector<std::string>{"the file is not XML"});
}

TEST(SubsurfaceImport, ASiteNameIsCutWhereThePickListsKnowItsParts) {
    const std::vector<std::string> places{"Marseille"}, sites{"Grand Conglu"};
    const ReadContext context{places, sites};
    using P = std::pair<std::string, std::string>;
    EXPECT_EQ(ImportRules::siteAndPlace("Le Planier, Marseille, France", context),
              (P{"Le Planier", "Marseille"}));
    EXPECT_EQ(ImportRules::siteAndPlace("Grand Conglu, Riou", context),
              (P{"Grand Conglu", "Riou"}));
    EXPECT_EQ(ImportRules::siteAndPlace("Tulamben, Bali", context), (P{"Tulamben, Bali", ""}))
        << "nothing known: all of it the site";
    EXPECT_EQ(ImportRules::siteAndPlace(" Shark Point ", context), (P{"Shark Point", ""}));
    EXPECT_EQ(ImportRules::siteAndPlace("Marseille, ", context), (P{"Marseille,", ""}));
}

TEST(SubsurfaceImport, TimesAndUnitsOfEveryForm) {
    const auto in = readBack("Subsurface", R"(<divelog><dives>
<dive date='2020-01-01' time='10:00:00' duration='1:05:00'/>
<dive date='2020-01-02' duration='2700 s'><divecomputer><depth max='10 m'/>
<temperature water='50 F' air='nonsense'/></divecomputer></dive>
<dive date='2020-01-03' duration='12 fortnights'/>
<dive date='2020-02-30' duration='1 h'/>
</dives></divelog>)");
    ASSERT_EQ(in.dives.size(), 4u);
    EXPECT_EQ(in.dives[0]->temps(), 65);
    EXPECT_EQ(in.dives[1]->temps(), 45);
    EXPECT_EQ(in.dives[1]->tempEau(), 10);
    EXPECT_EQ(in.dives[1]->tempAir(), -50) << "a text without a number is no reading";
    EXPECT_EQ(in.dives[2]->temps(), 0) << "an unknown unit of time is no duration";
    EXPECT_EQ(in.dives[3]->temps(), 60);
    std::string report;
    for (const auto& line : in.report) report += line + "\n";
    EXPECT_NE(report.find("a date that does not exist was left as it was"), std::string::npos)
        << report;
}

TEST(SubsurfaceImport, EmptyDivesAndHostileFilesHarmNothing) {
    const auto empty = readBack("Subsurface",
                                "<divelog><dives><dive/><dive number='3'/>"
                                "<dive date='2020-01-01'/></dives></divelog>");
    EXPECT_EQ(empty.dives.size(), 1u);
    EXPECT_NE(empty.report.front().find("2 dive elements held no date"), std::string::npos);

    const std::string bomb =
        "<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol \"lol\">"
        "<!ENTITY lol2 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">"
        "<!ENTITY lol3 \"&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;\">]>"
        "<divelog><dives><dive date='2020-01-01'><notes>&lol3;</notes></dive></dives></divelog>";
    const std::string external =
        "<?xml version=\"1.0\"?><!DOCTYPE d [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>"
        "<divelog><dives><dive date='2020-01-01'><notes>&x;</notes></dive></dives></divelog>";
    for (const std::string& text : {bomb, external, utf16(bomb)}) {
        const auto in = readBack("Subsurface", text);
        ASSERT_LE(in.dives.size(), 1u);
        if (!in.dives.empty()) {
            EXPECT_LT(in.dives[0]->notes().value_or("").size(), 100u);
        }
    }
    // 200,000 levels of nesting inside a dive, and a sample with every value absurd.
    std::string deep =
        "<divelog><dives><dive date='2020-01-01'><divecomputer>"
        "<sample time='1e308 min' depth='-1e400 m' temp='nan C' pressure='inf bar'/>"
        "<event time='0:10 min' name='gaschange' cylinder='99999999999'/>";
    for (int i = 0; i < 200000; ++i) deep += "<a>";
    for (int i = 0; i < 200000; ++i) deep += "</a>";
    deep += "</divecomputer></dive></dives></divelog>";
    const auto in = readBack("Subsurface", deep);
    ASSERT_EQ(in.dives.size(), 1u);
    EXPECT_TRUE(std::isfinite(in.dives[0]->profondeur()));
    EXPECT_EQ(in.dives[0]->tempEau(), -50);
    // A 200 MB file: its dive found past the bulk.
    std::string big = "<divelog><!--";
    big.append(200u << 20, 'x');
    big += "--><dives><dive date='2020-01-01' duration='9 min'/></dives></divelog>";
    EXPECT_EQ(readBack("Subsurface", big).dives.size(), 1u);
}
