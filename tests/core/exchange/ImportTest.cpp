// Reading dives from other software's files, through the form's rules.

#include <gtest/gtest.h>

#include <cmath>

#include "ExchangeTestFiles.h"
#include "ExchangeTestLogbook.h"
#include "exchange/DiveImport.h"
#include "exchange/ExchangeFormats.h"
#include "settings/SettingsStore.h"

using namespace divelog;
using divelog::testing::at;

namespace {

struct Imported {
    ImportResult result;
    Carnet::DiveList dives;
};

Imported import(std::string_view format, std::string_view text, std::int32_t firstNumber = 1) {
    static InMemorySettingsStore settings;
    static Localisation texts;
    Imported out;
    out.result = ExchangeFormats::importer(format)->read(
        {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    out.dives = DiveImport::build(out.result.dives, firstNumber, settings, texts).dives;
    return out;
}

std::string exported(std::string_view type, const Carnet::DiveList& dives) {
    Localisation texts;
    divelog::testing::MemoryOutput out;
    std::string error;
    EXPECT_TRUE(exportDives(dives, type, ExportContext{texts, false, Date{}}, out, error));
    return out.bytes;
}

}  // namespace

TEST(Import, UdcfGivesBackWhatItsExportCarries) {
    const Carnet::DiveList original = divelog::testing::twoDives();
    Imported in =
        import("UDCF", exported("Export UDCF (Universal Dive Computer Format)", original), 12);
    ASSERT_EQ(in.dives.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const Plongee &a = *original[i], &b = *in.dives[i];
        EXPECT_EQ(b.noPlongee(), a.noPlongee());
        EXPECT_EQ(b.lieu(), a.lieu());
        EXPECT_EQ(b.site().value_or(""), a.site().value_or(""));
        EXPECT_EQ(b.date(), a.date());
        EXPECT_EQ(localParts(*b.heure()).hour, localParts(*a.heure()).hour);
        EXPECT_EQ(localParts(*b.heure()).minute, localParts(*a.heure()).minute);
        EXPECT_EQ(b.temps(), a.temps()) << "the dive time, not the sampling interval";
        EXPECT_EQ(b.tempEau(), a.tempEau());
        EXPECT_EQ(b.altitude(), a.altitude());
        EXPECT_EQ(b.gaz(), a.gaz()) << "triox comes back as triox";
        EXPECT_EQ(b.o2Mix(), a.o2Mix());
        EXPECT_EQ(b.heMix(), a.heMix());
        EXPECT_EQ(b.volumeBloc(), a.volumeBloc());
        EXPECT_EQ(b.pressionDepart(), a.pressionDepart());
        EXPECT_EQ(b.pressionFin(), a.pressionFin());
        EXPECT_EQ(b.samplingRate(), a.samplingRate());
        EXPECT_EQ(b.surface(), "--:--");
        EXPECT_EQ(b.profilProfondeur(), a.profilProfondeur()) << "no growth";
        EXPECT_EQ(b.ASC_Flag(), a.ASC_Flag());
        EXPECT_EQ(b.CEIL_Flag(), a.CEIL_Flag());
    }
    EXPECT_FLOAT_EQ(in.dives[0]->profondeur(), 39.9f) << "the deeper of MAXDEPTH and the samples";
}

TEST(Import, UdcfFromOtherSoftware) {
    Imported in = import("UDCF", R"(<profile><repgroup><dive>
        <place>Riou</place><date><year>2020</year><month>13</month><day>1</day></date>
        <samples><delta>20</delta><d>0</d><d>10</d><d>20</d><d>abc</d><d>1e308</d><d>5</d></samples>
        <gases><mix><o2>0.29</o2><he>0</he></mix></gases></dive></repgroup>
        <REPGROUP><DIVE><MAXDEPTH>60</MAXDEPTH><GASES><MIX><O2>0.45</O2><HE>0.55</HE></MIX></GASES></DIVE>
        <DIVE><MAXDEPTH>30</MAXDEPTH><GASES><MIX><O2>0.18</O2><HE>0.15</HE></MIX></GASES></DIVE>
        <DIVE><SURFACEINTERVAL>infinity</SURFACEINTERVAL></DIVE></REPGROUP></profile>)");
    ASSERT_EQ(in.dives.size(), 3u) << "every group, in document order";
    const Plongee& a = *in.dives[0];
    EXPECT_EQ(a.lieu(), "Riou");
    EXPECT_EQ(a.samplingRate(), 1);
    EXPECT_EQ(a.profilProfondeur(), (std::vector<double>{0, 10, 20, 5}));
    EXPECT_EQ(a.temps(), 1) << "four samples of 20 s";
    EXPECT_FLOAT_EQ(a.profondeur(), 20);
    EXPECT_EQ(a.gaz(), 1);
    EXPECT_EQ(a.o2Mix(), 29) << "rounded, not 28";
    EXPECT_FALSE(in.result.notes.empty()) << "the month 13 and the unreadable samples are reported";
    EXPECT_EQ(in.result.skipped, 1u) << "a dive element that holds no dive";
    EXPECT_EQ(in.dives[1]->gaz(), 3) << "heliox 45/55 is not air";
    EXPECT_EQ(in.dives[2]->gaz(), 5) << "air with helium is heliair";
    EXPECT_EQ(in.dives[2]->noPlongee(), 3);
}

TEST(Import, UddfStandardStructure) {
    Imported in = import("UDDF", R"(<uddf>
      <profiledata><repetitiongroup><dive>
        <date><year>2019</year><month>2</month><day>28</day></date><time><hour>9</hour><minute>7</minute></time>
        <airtemperature>299.15</airtemperature><lowesttemperature>271.15</lowesttemperature>
        <greatestdepth>31.4</greatestdepth><notes><text>Grouper</text></notes>
        <samples><waypoint><depth>3.5</depth><divetime>20</divetime></waypoint>
                 <waypoint>12</waypoint>
                 <waypoint><divetime>2759</divetime><depth>4</depth></waypoint></samples>
      </dive></repetitiongroup>
      <repetitiongroup><dive><greatestdepth>8</greatestdepth></dive></repetitiongroup></profiledata></uddf>)",
                         58);
    ASSERT_EQ(in.dives.size(), 2u);
    const Plongee& d = *in.dives[0];
    EXPECT_EQ(d.noPlongee(), 58);
    EXPECT_EQ(in.dives[1]->noPlongee(), 59);
    EXPECT_EQ(d.date(), at(2019, 2, 28, 9, 7));
    EXPECT_EQ(d.tempAir(), 26);
    EXPECT_EQ(d.tempEau(), -2) << "271.15 K is -2 degrees, to the nearest";
    EXPECT_FLOAT_EQ(d.profondeur(), 31.4f);
    EXPECT_EQ(d.notes(), "Grouper");
    EXPECT_EQ(d.profilProfondeur(), (std::vector<double>{0, 3.5, 12, 4}))
        << "the depth child, not the time";
    EXPECT_EQ(d.temps(), 45);
    EXPECT_EQ(d.GAZ_Flag()->size(), 4u);
    EXPECT_EQ(d.visibilite(), 7);
    EXPECT_EQ(d.typePlongee(), 8);
}

TEST(Import, CompanionFile) {
    Imported in = import("Companion", R"(<dives><REPGROUP><dive>
        <place>Port-Cros</place><site>La Gabinière</site>
        <date><YEAR>2021</YEAR><MONTH>6</MONTH><DAY>12</DAY></date><TIME><HOUR>14</HOUR><MINUTE>30</MINUTE></TIME>
        <weather>1</weather><visibility>0</visibility><divetype>40</divetype>
        <maxdepth>18.6</maxdepth><divetime>52</divetime><watertemperature>21</watertemperature>
        <airtemperature>30</airtemperature><surfaceinterval>infinity</surfaceinterval>
        <gases><mix><o2>0.32</o2><he>0</he><tank><tankvolume>12</tankvolume><pstart>210</pstart><pend>60</pend></tank></mix></gases>
      </dive><dive><surfaceinterval>infinity</surfaceinterval></dive></REPGROUP></dives>)");
    ASSERT_EQ(in.dives.size(), 1u) << "the second holds no dive";
    EXPECT_EQ(in.result.skipped, 1u);
    const Plongee& d = *in.dives[0];
    EXPECT_EQ(d.site(), "La Gabinière");
    EXPECT_EQ(d.date(), at(2021, 6, 12, 14, 30));
    EXPECT_EQ(d.meteo(), 1);
    EXPECT_EQ(d.visibilite(), 8) << "the first item of the list: exceptional";
    EXPECT_EQ(d.typePlongee(), 8) << "a position past the list keeps the blank choice";
    EXPECT_FLOAT_EQ(d.profondeur(), 18);
    EXPECT_EQ(d.tempAir(), -50) << "the companion writes airrtemperature";
    EXPECT_EQ(d.gaz(), 1);
    EXPECT_EQ(d.o2Mix(), 32);
    EXPECT_EQ(d.pressionDepart(), 210);
    EXPECT_EQ(d.profilProfondeur(), std::vector<double>{0.0}) << "no samples: the placeholder";
}

TEST(Import, HostileAndBrokenFilesNeverHarm) {
    const std::string bomb =
        "<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol \"lol\">"
        "<!ENTITY lol2 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">"
        "<!ENTITY lol3 \"&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;\">]>"
        "<PROFILE><REPGROUP><DIVE><PLACE>&lol3;</PLACE></DIVE></REPGROUP></PROFILE>";
    const std::string external =
        "<?xml version=\"1.0\"?><!DOCTYPE p [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>"
        "<PROFILE><REPGROUP><DIVE><PLACE>&x;</PLACE></DIVE></REPGROUP></PROFILE>";
    for (const std::string& text : {bomb, external}) {
        Imported in = import("UDCF", text);
        ASSERT_LE(in.dives.size(), 1u);
        if (!in.dives.empty()) {
            EXPECT_LT(in.dives[0]->lieu().value_or("").size(), 100u);
        }
    }
    EXPECT_TRUE(import("UDCF", "not xml at all").dives.empty());
    EXPECT_FALSE(import("UDDF", "not xml at all").result.readable);
    EXPECT_TRUE(import("UDCF", "<other><thing/></other>").dives.empty());
    // Truncated: the dive read before the damage stays, and the damage is said.
    Imported cut =
        import("UDCF", "<PROFILE><REPGROUP><DIVE><MAXDEPTH>9</MAXDEPTH></DIVE><DIVE><MAXD");
    EXPECT_GE(cut.dives.size(), 1u);
    EXPECT_FALSE(cut.result.notes.empty());
    // Absurd numbers go through the form's rules as text the form cannot read.
    Imported absurd = import("UDCF", R"(<P><REPGROUP><DIVE><MAXDEPTH>1e308</MAXDEPTH>
        <DIVETIME>-0</DIVETIME><TEMPERATURE>nan</TEMPERATURE><ALTITUDE>0x1A</ALTITUDE>
        <GASES><MIX><O2>inf</O2><HE>-1e400</HE><TANK><PSTART>99999999999</PSTART></TANK></MIX></GASES>
        </DIVE></REPGROUP></P>)");
    ASSERT_EQ(absurd.dives.size(), 1u);
    const Plongee& a = *absurd.dives[0];
    EXPECT_TRUE(std::isfinite(a.profondeur()));
    EXPECT_EQ(a.temps(), 0);
    EXPECT_EQ(a.tempEau(), -50);
    EXPECT_EQ(a.pressionDepart(), 0);
    // 200,000 levels of nesting: no stack to exhaust.
    std::string deep = "<PROFILE><REPGROUP><DIVE><MAXDEPTH>9</MAXDEPTH>";
    for (int i = 0; i < 200000; ++i) deep += "<a>";
    for (int i = 0; i < 200000; ++i) deep += "</a>";
    deep += "</DIVE></REPGROUP></PROFILE>";
    EXPECT_EQ(import("UDCF", deep).dives.size(), 1u);
    // A 200 MB file: read, its dive found.
    std::string big = "<PROFILE><REPGROUP><DIVE><MAXDEPTH>9</MAXDEPTH></DIVE></REPGROUP><!--";
    big.append(200u << 20, 'x');
    big += "--></PROFILE>";
    EXPECT_EQ(import("UDCF", big).dives.size(), 1u);
    // UTF-16 with its byte-order mark.
    const std::string ascii =
        "<PROFILE><REPGROUP><DIVE><PLACE>Niolon</PLACE><MAXDEPTH>9</MAXDEPTH></DIVE></REPGROUP>"
        "</PROFILE>";
    std::string utf16 = "\xFF\xFE";
    for (char c : ascii) utf16 += std::string{c, '\0'};
    Imported wide = import("UDCF", utf16);
    ASSERT_EQ(wide.dives.size(), 1u);
    EXPECT_EQ(wide.dives[0]->lieu(), "Niolon");
}

TEST(Import, ACancelledImportKeepsNothing) {
    InMemorySettingsStore settings;
    Localisation texts;
    std::vector<DiveDraft> dives(300);
    std::size_t asked = 0;
    auto built = DiveImport::build(dives, 1, settings, texts, [&](std::size_t done) {
        ++asked;
        return done < 128;
    });
    EXPECT_TRUE(built.cancelled);
    EXPECT_TRUE(built.dives.empty());
    EXPECT_GE(asked, 2u);
    built = DiveImport::build(dives, 2147483646, settings, texts);
    ASSERT_EQ(built.dives.size(), 300u);
    EXPECT_EQ(built.dives.back()->noPlongee(), 2147483647)
        << "numbers stop at the top of the range";
}

TEST(Import, UddfCutIntoDivesReadsWhatADamagedFileHolds) {
    const std::string dive =
        "<dive "
        "id='d'><informationbeforedive><datetime>2020-01-02T03:04</datetime></"
        "informationbeforedive>"
        "<informationafterdive><greatestdepth>7</greatestdepth><diveduration>60</diveduration>"
        "</informationafterdive></dive>";
    const std::string head =
        "<?xml version='1.0'?><!DOCTYPE uddf [<!ENTITY a '>'><!ATTLIST x y CDATA \"]>\">]>"
        "<uddf><!-- </dive></profiledata> --><profiledata><repetitiongroup id='g'>";
    // Comments, CDATA and a document type with '>' inside quotes are stepped over.
    Imported whole = import("UDDF", head + dive + "<![CDATA[</dive>]]>" + dive +
                                        "</repetitiongroup></profiledata></uddf>");
    EXPECT_EQ(whole.dives.size(), 2u);
    EXPECT_TRUE(whole.result.notes.empty()) << whole.result.notes.front();
    // Cut inside the second dive: the first is whole, the second read as far as it goes.
    const std::string two = head + dive + dive;
    Imported cut = import("UDDF", two.substr(0, two.size() - 40));
    ASSERT_EQ(cut.dives.size(), 2u);
    EXPECT_FLOAT_EQ(cut.dives[0]->profondeur(), 7);
    EXPECT_NE(cut.result.notes.front().find("damaged"), std::string::npos);
    // An end tag that closes the wrong group stops the reading there.
    Imported wrong = import("UDDF", head + dive + "</profiledata>" + dive);
    EXPECT_EQ(wrong.dives.size(), 1u);
    EXPECT_FALSE(wrong.result.notes.empty());
    // Latin-1 and UTF-16 files are read whole, converted.
    Imported latin = import("UDDF",
                            "<?xml version='1.0' encoding='ISO-8859-1'?><uddf><profiledata>"
                            "<repetitiongroup><dive><informationafterdive><greatestdepth>5</"
                            "greatestdepth><notes><para>Gabini\xE8re"
                            "</para></notes></informationafterdive></dive></repetitiongroup>"
                            "</profiledata></uddf>");
    ASSERT_EQ(latin.dives.size(), 1u);
    EXPECT_EQ(latin.dives[0]->notes(), "Gabini\xC3\xA8re");
    std::string utf16 = "\xFF\xFE";
    for (char c :
         head.substr(head.find("<uddf>")) + dive + "</repetitiongroup></profiledata></uddf>")
        utf16 += std::string{c, '\0'};
    EXPECT_EQ(import("UDDF", utf16).dives.size(), 1u);
}

namespace {

DiveImport::Outcome run(std::string_view text, std::string_view fileName,
                        const DiveImporter* importer = nullptr,
                        const DiveImport::Progress& progress = {}) {
    static InMemorySettingsStore settings;
    static Localisation texts;
    return DiveImport::run(
        {{reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, fileName, importer}, 1,
        settings, texts, progress);
}

}  // namespace

TEST(ImportRun, TheReportNamesWhatTheFormCorrectedOfTheFileOnly) {
    // Dive 1: 127 degrees of water, and a mix of helium without oxygen.
    const std::string file = R"(<uddf><gasdefinitions>
      <mix id="m"><o2>0</o2><he>0.9</he></mix></gasdefinitions>
      <profiledata><repetitiongroup>
      <dive><tankdata><link ref="m"/></tankdata><informationafterdive>
        <lowesttemperature>400</lowesttemperature><greatestdepth>12</greatestdepth>
      </informationafterdive></dive>
      <dive><informationafterdive><lowesttemperature>290</lowesttemperature><greatestdepth>9</greatestdepth></informationafterdive></dive>
      </repetitiongroup></profiledata></uddf>)";
    const DiveImport::Outcome in = run(file, "dives.uddf");
    EXPECT_EQ(in.format, "UDDF");
    ASSERT_EQ(in.dives.size(), 2u);
    EXPECT_EQ(in.dives[0]->tempEau(), -50);
    EXPECT_EQ(in.dives[0]->o2Mix(), 21);
    EXPECT_EQ(in.dives[0]->heMix(), 0);
    EXPECT_EQ(in.dives[1]->tempEau(), 17);
    // The alert in the texts given (none loaded: its key), then the
    // corrections; the blank form's own values are not the file's.
    EXPECT_EQ(in.report, (std::vector<std::string>{
                             "Helium percent",
                             "values the logbook cannot hold were corrected as the dive form "
                             "corrects them: water temperature (1 dive), oxygen (1 dive), "
                             "helium (1 dive)"}));
}

TEST(ImportRun, FindsTheReaderOrTakesTheChosenOneAndRefusesWithAReason) {
    const std::string udcf =
        "<PROFILE><REPGROUP><DIVE><PLACE>Riou</PLACE><MAXDEPTH>9</MAXDEPTH></DIVE></REPGROUP>"
        "</PROFILE>";
    const DiveImport::Outcome found = run(udcf, "notes.txt");
    EXPECT_EQ(found.format, "UDCF") << "by its root element";
    ASSERT_EQ(found.dives.size(), 1u);
    EXPECT_TRUE(found.refusal.empty());
    EXPECT_TRUE(found.report.empty());

    const DiveImport::Outcome chosen =
        run("not xml at all", "a.uddf", ExchangeFormats::importer("UDDF"));
    EXPECT_EQ(chosen.refusal, "the file is not XML");
    EXPECT_EQ(chosen.report, std::vector<std::string>{"the file is not XML"})
        << "the application shows the reader's notes";
    EXPECT_TRUE(chosen.dives.empty());

    const DiveImport::Outcome none = run("just words", "a.txt");
    EXPECT_EQ(none.refusal, "not a logbook, UDDF, UDCF, Subsurface or companion file");
    EXPECT_TRUE(none.format.empty());
}

TEST(ImportRun, ProgressIsToldTheFileSDivesAndCancelsAll) {
    std::string udcf = "<PROFILE><REPGROUP>";
    for (int i = 0; i < 130; ++i) udcf += "<DIVE><MAXDEPTH>9</MAXDEPTH></DIVE>";
    udcf += "</REPGROUP></PROFILE>";
    std::vector<std::pair<std::size_t, std::size_t>> told;
    DiveImport::Outcome in =
        run(udcf, "", ExchangeFormats::importer("UDCF"), [&](std::size_t done, std::size_t total) {
            told.emplace_back(done, total);
            return true;
        });
    EXPECT_EQ(in.dives.size(), 130u);
    ASSERT_FALSE(told.empty());
    EXPECT_EQ(told.back(), std::pair(std::size_t{130}, std::size_t{130}));
    in = run(udcf, "", ExchangeFormats::importer("UDCF"),
             [](std::size_t done, std::size_t) { return done < 64; });
    EXPECT_TRUE(in.cancelled);
    EXPECT_TRUE(in.dives.empty());
}

TEST(Import, ALargeDiveReadInBatchesGivesWhatOneTreeGives) {
    // Over 4 MB of waypoints: read a batch at a time, as the whole-file
    // reader of another encoding reads it in one tree. The mix and tank a
    // waypoint names outlive its batch.
    std::string dive =
        "<dive id='big'><informationbeforedive><datetime>2024-02-03T08:00</datetime>"
        "</informationbeforedive><tankdata id='t1'><link ref='air'/><link ref='ean50'/>"
        "<tankpressurebegin>21000000</tankpressurebegin></tankdata><samples>";
    for (int i = 0; i < 60000; ++i) {
        dive += "<waypoint><depth>" + std::to_string((i * 7) % 400 / 10.0) + "</depth><divetime>" +
                std::to_string(i * 4) + "</divetime>";
        if (i % 997 == 0) dive += "<alarm>ascent</alarm>";
        if (i == 0) dive += "<switchmix ref='air'/><divemode type='opencircuit'/>";
        if (i == 30000) dive += "<switchmix ref='ean50'/>";
        if (i == 50000) dive += "<switchmix ref='air'/>";
        if (i % 1000 == 0)
            dive +=
                "<tankpressure ref='t1'>" + std::to_string(21000000 - i * 100) + "</tankpressure>";
        dive += "</waypoint>\n";
    }
    dive +=
        "</samples><informationafterdive><greatestdepth>39.9</greatestdepth>"
        "</informationafterdive></dive>";
    const std::string body =
        "<uddf><gasdefinitions><mix id='air'><o2>0.21</o2></mix><mix id='ean50'><o2>0.5</o2>"
        "</mix></gasdefinitions><profiledata><repetitiongroup>" +
        dive + "</repetitiongroup></profiledata></uddf>";
    ASSERT_GT(body.size(), 4u << 20);
    Imported batched = import("UDDF", "<?xml version='1.0'?>" + body);
    Imported whole = import("UDDF", "<?xml version='1.0' encoding='ISO-8859-1'?>" + body);
    ASSERT_EQ(batched.dives.size(), 1u);
    ASSERT_EQ(whole.dives.size(), 1u);
    EXPECT_EQ(divelog::testing::describe(*batched.dives[0]),
              divelog::testing::describe(*whole.dives[0]));
    EXPECT_EQ(batched.result.notes, whole.result.notes);
    EXPECT_EQ(batched.dives[0]->profilProfondeur()->size(), 60000u);
    EXPECT_EQ(batched.dives[0]->samplingRate(), 5) << "4 s steps";
}

TEST(Import, ALogbookInUsUnitsGetsBackWhatWasTyped) {
    // Typed in feet and Fahrenheit, exported (metres, Celsius), imported again.
    Carnet::DiveList dives = divelog::testing::twoDives();
    dives[0]->setProfondeur(100);
    dives[0]->setTempEau(68);
    dives[0]->setTempAir(18);  // below the form's limit in Celsius
    dives[0]->setAltitude(1000);
    dives[0]->setProfilProfondeur(std::vector<double>{0, 12.3, 30, 5});  // metres
    dives[1]->setProfondeur(33.3f);
    dives[1]->setTempEau(67);
    for (std::string_view type :
         {"Export UDCF (Universal Dive Computer Format)", "Export UDDF 3.2 (standard)"}) {
        SCOPED_TRACE(type);
        Localisation texts;
        divelog::testing::MemoryOutput out;
        std::string error;
        ASSERT_TRUE(exportDives(dives, type, ExportContext{texts, true, Date{}}, out, error));
        const bool udcf = type.find("UDCF") != std::string_view::npos;
        const auto in = divelog::testing::readBack(udcf ? "UDCF" : "UDDF", out.bytes, {}, {}, true);
        ASSERT_EQ(in.dives.size(), 2u);
        EXPECT_FLOAT_EQ(in.dives[0]->profondeur(), 100);
        EXPECT_EQ(in.dives[0]->tempEau(), 68);
        EXPECT_FLOAT_EQ(in.dives[1]->profondeur(), 33.3f);
        EXPECT_EQ(in.dives[1]->tempEau(), 67);
        if (!udcf) {
            EXPECT_EQ(in.dives[0]->tempAir(), 18);
            EXPECT_EQ(in.dives[0]->altitude(), 1000);
        }
        EXPECT_EQ(in.dives[0]->profilProfondeur(), dives[0]->profilProfondeur())
            << "profiles are metres in either unit";
    }
    // A metric file into a logbook in feet.
    const auto in = divelog::testing::readBack(
        "UDCF",
        "<PROFILE><REPGROUP><DIVE><MAXDEPTH>30.48</MAXDEPTH><TEMPERATURE>20</TEMPERATURE>"
        "</DIVE></REPGROUP></PROFILE>",
        {}, {}, true);
    ASSERT_EQ(in.dives.size(), 1u);
    EXPECT_FLOAT_EQ(in.dives[0]->profondeur(), 100);
    EXPECT_EQ(in.dives[0]->tempEau(), 68);
}

TEST(Import, ADiveIsTechnicalOnlyWhenTheFileShowsIt) {
    const auto in = divelog::testing::readBack("UDCF", R"(<PROFILE><REPGROUP>
        <DIVE><MAXDEPTH>18</MAXDEPTH><GASES><MIX><O2>0.21</O2><HE>0</HE></MIX></GASES></DIVE>
        <DIVE><MAXDEPTH>60</MAXDEPTH><GASES><MIX><O2>0.18</O2><HE>0.45</HE></MIX></GASES></DIVE>
        <DIVE><MAXDEPTH>42</MAXDEPTH><SAMPLES><DELTA>60</DELTA><D>20</D><D>42</D><D>6</D>
          <ALARM>deco</ALARM><D>3</D></SAMPLES></DIVE>
        <DIVE><MAXDEPTH>25</MAXDEPTH><GASES><MIX><O2>0.32</O2><HE>0</HE></MIX></GASES></DIVE>
        </REPGROUP></PROFILE>)");
    ASSERT_EQ(in.dives.size(), 4u);
    EXPECT_EQ(in.dives[0]->configuration(), 0) << "single-tank air is recreational";
    EXPECT_EQ(in.dives[1]->configuration(), 1) << "trimix";
    EXPECT_EQ(in.dives[2]->configuration(), 1) << "a decompression stop";
    EXPECT_EQ(in.dives[3]->configuration(), 0) << "nitrox alone is recreational";
    // A closed circuit from a standard file.
    const auto ccr = divelog::testing::readBack("UDDF", R"(<uddf><profiledata><repetitiongroup>
        <dive><informationbeforedive><datetime>2024-01-01T10:00</datetime></informationbeforedive>
        <samples><waypoint><depth>0</depth><divetime>0</divetime><divemode type="closedcircuit"/>
        </waypoint><waypoint><depth>20</depth><divetime>60</divetime></waypoint></samples>
        <informationafterdive><greatestdepth>20</greatestdepth></informationafterdive></dive>
        </repetitiongroup></profiledata></uddf>)");
    ASSERT_EQ(ccr.dives.size(), 1u);
    EXPECT_EQ(ccr.dives[0]->rebreather(), 3);
    EXPECT_EQ(ccr.dives[0]->configuration(), 1);
}

TEST(Import, ALargeUdcfDiveReadInBatchesGivesWhatOneTreeGives) {
    std::string dive =
        "<DIVE><DATE><YEAR>2024</YEAR><MONTH>2</MONTH><DAY>3</DAY></DATE>"
        "<MAXDEPTH>38</MAXDEPTH><SAMPLES><DELTA>4</DELTA>";
    for (int i = 0; i < 400000; ++i) {
        if (i % 5000 == 0) dive += "<T>" + std::to_string(i * 4) + "</T>";
        dive += "<D>" + std::to_string((i * 7) % 400 / 10.0) + "</D>";
        if (i % 997 == 0) dive += "<ALARM>ascent</ALARM>";
    }
    dive += "</SAMPLES></DIVE>";
    const std::string body = "<PROFILE><REPGROUP>" + dive + "</REPGROUP></PROFILE>";
    ASSERT_GT(body.size(), 4u << 20);
    Imported batched = import("UDCF", "<?xml version='1.0'?>" + body);
    Imported whole = import("UDCF", "<?xml version='1.0' encoding='ISO-8859-1'?>" + body);
    ASSERT_EQ(batched.dives.size(), 1u);
    ASSERT_EQ(whole.dives.size(), 1u);
    EXPECT_EQ(divelog::testing::describe(*batched.dives[0]),
              divelog::testing::describe(*whole.dives[0]));
    EXPECT_EQ(batched.result.notes, whole.result.notes);
    EXPECT_EQ(batched.dives[0]->profilProfondeur()->size(), 400000u);
    EXPECT_EQ(batched.dives[0]->samplingRate(), 5) << "4 s steps";
}
