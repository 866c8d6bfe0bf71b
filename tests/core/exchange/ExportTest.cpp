// The export types: every byte of each, on a logbook built by hand.

#include <gtest/gtest.h>

#include "ExchangeTestLogbook.h"
#include "exchange/MacRoman.h"

using namespace divelog;
using divelog::testing::MemoryOutput;

namespace {

struct Exported {
    bool ok;
    std::string bytes, error;
};

Exported run(std::string_view type, const Carnet::DiveList& dives, bool usUnits = false) {
    static Localisation texts = [] {
        Localisation t;
        t.loadTable("Carnet", "\"Air\" = \"Air\";");
        return t;
    }();
    ExportContext context{texts, usUnits, divelog::testing::at(2026, 12, 5, 14, 3)};
    MemoryOutput out;
    Exported e;
    e.ok = exportDives(dives, type, context, out, e.error);
    e.bytes = out.bytes;
    return e;
}

// The dive elements both XML exports share, with the date in either case.
std::string diveElements(bool lowerDate) {
    auto d = [&](const char* upper, const char* lower) { return lowerDate ? lower : upper; };
    auto date = [&](const char* y, const char* mo, const char* day, const char* h, const char* mi) {
        return std::string("            <") + d("DATE", "date") + ">\n                <" +
               d("YEAR", "year") + ">" + y + "</" + d("YEAR", "year") + ">\n                <" +
               d("MONTH", "month") + ">" + mo + "</" + d("MONTH", "month") +
               ">\n                <" + d("DAY", "day") + ">" + day + "</" + d("DAY", "day") +
               ">\n            </" + d("DATE", "date") + ">\n            <" + d("TIME", "time") +
               ">\n                <" + d("HOUR", "hour") + ">" + h + "</" + d("HOUR", "hour") +
               ">\n                <" + d("MINUTE", "minute") + ">" + mi + "</" +
               d("MINUTE", "minute") + ">\n            </" + d("TIME", "time") + ">\n";
    };
    return "        <DIVE>\n"
           "            <PLACE>Marseille - Planier</PLACE>\n" +
           date("2012", "07", "30", "10", "15") +
           "            <MAXDEPTH>39</MAXDEPTH>\n"
           "            <DIVETIME>45</DIVETIME>\n"
           "            <SURFACEINTERVAL>infinity</SURFACEINTERVAL>\n"
           "            <TEMPERATURE>18</TEMPERATURE>\n"
           "            <ALTITUDE>0</ALTITUDE>\n"
           "            <GASES>\n"
           "                <MIX>\n"
           "                    <MIXNAME>Nitrox 32</MIXNAME>\n"
           "                    <TANK>\n"
           "                        <TANKVOLUME>12</TANKVOLUME>\n"
           "                        <PSTART>200</PSTART>\n"
           "                        <PEND>50</PEND>\n"
           "                    </TANK>\n"
           "                    <O2>0.32</O2>\n"
           "                    <N2>0.68</N2>\n"
           "                    <HE>0.00</HE>\n"
           "                </MIX>\n"
           "            </GASES>\n"
           "            <DELTAMODE/>\n"
           "            <SAMPLES>\n"
           "                <DELTA>1.0</DELTA>\n"
           "                <SWITCH>1</SWITCH>\n"
           "                <D>0.0</D>\n"
           "                <D>0.0</D>\n"
           "                <D>12.3</D>\n"
           "                <D>39.9</D>\n"
           "                <ALARM>deco</ALARM>\n"
           "                <ALARM>error</ALARM>\n"
           "                <D>5.0</D>\n"
           "                <D>0.0</D>\n"
           "            </SAMPLES>\n"
           "        </DIVE>\n"
           "        <DIVE>\n"
           "            <PLACE>Cassis, Riou - </PLACE>\n" +
           date("2012", "07", "31", "09", "05") +
           "            <MAXDEPTH>40</MAXDEPTH>\n"
           "            <DIVETIME>50</DIVETIME>\n"
           "            <SURFACEINTERVAL>infinity</SURFACEINTERVAL>\n"
           "            <TEMPERATURE>-50</TEMPERATURE>\n"
           "            <ALTITUDE>120</ALTITUDE>\n"
           "            <GASES>\n"
           "                <MIX>\n"
           "                    <MIXNAME>Triox 30/30</MIXNAME>\n"
           "                    <TANK>\n"
           "                        <TANKVOLUME>15</TANKVOLUME>\n"
           "                        <PSTART>230</PSTART>\n"
           "                        <PEND>60</PEND>\n"
           "                    </TANK>\n"
           "                    <O2>0.30</O2>\n"
           "                    <N2>0.40</N2>\n"
           "                    <HE>0.30</HE>\n"
           "                </MIX>\n"
           "            </GASES>\n"
           "            <DELTAMODE/>\n"
           "            <SAMPLES>\n"
           "                <DELTA>10.0</DELTA>\n"
           "                <SWITCH>1</SWITCH>\n"
           "                <D>0.0</D>\n"
           "                <D>0.0</D>\n"
           "                <D>0.0</D>\n"
           "            </SAMPLES>\n"
           "        </DIVE>\n";
}

const char* kVisit = "    <!-- Visit https://divelog.example.org for more information -->\n";

}  // namespace

TEST(Export, UdcfEveryByte) {
    const Exported e =
        run("Export UDCF (Universal Dive Computer Format)", divelog::testing::twoDives());
    ASSERT_TRUE(e.ok) << e.error;
    EXPECT_EQ(e.bytes,
              std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<PROFILE UDCF=\"1\">\n"
                          "    <!-- This file was generated by Kelvor 1.10.0 (20141025)-->\n") +
                  kVisit +
                  "    <!-- 05-12-2026 - 14:03:00 -->\n"
                  "    <UNITS>METRIC</UNITS>\n"
                  "    <DEVICE>\n"
                  "        <VENDOR>Kelvor 1.10.0</VENDOR>\n"
                  "        <MODEL>Kelvor</MODEL>\n"
                  "        <VERSION>1.10.0 (20141025)</VERSION>\n"
                  "    </DEVICE>\n"
                  "    <ADDINFO>\n"
                  "        <TOTALDIVES>2</TOTALDIVES>\n"
                  "    </ADDINFO>\n"
                  "    <REPGROUP>\n" +
                  diveElements(false) +
                  "    </REPGROUP>\n"
                  "</PROFILE>\n");
}

TEST(Export, UddfEveryByteAndAnEmptyLogbook) {
    const std::string header =
        std::string(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<uddf version=\"2.2.0\">\n"
            "    <!-- This file was generated by Kelvor 1.0.8 (20130412)-->\n") +
        kVisit +
        "    <!-- 05-12-2026 - 14:03:00 -->\n"
        "    <generator>\n"
        "        <name>Kelvor 1.0.8</name>\n"
        "        <manufacturer>\n"
        "            <name>Kelvor</name>\n"
        "            <contact>\n"
        "                <email>contact@divelog.example.org</email>\n"
        "                <homepage>https://divelog.example.org</homepage>\n"
        "            </contact>\n"
        "        </manufacturer>\n"
        "        <version>1.0.8</version>\n"
        "        <date>\n"
        "            <year>2013</year>\n"
        "            <month>04</month>\n"
        "            <day>12</day>\n"
        "        </date>\n"
        "    </generator>\n";
    const Exported e =
        run("Export UDDF (Universal Dive Data Format)", divelog::testing::twoDives());
    ASSERT_TRUE(e.ok) << e.error;
    EXPECT_EQ(e.bytes, header +
                           "    <gasdefinitions>\n"
                           "        <mixid>\n"
                           "            <name>Trimix</name>\n"
                           "            <o2>0.320</o2>\n"
                           "            <n2>0.680</n2>\n"
                           "            <he>0.000</he>\n"
                           "        </mixid>\n"
                           "    </gasdefinitions>\n"
                           "    <ADDINFO>\n"
                           "        <TOTALDIVES>2</TOTALDIVES>\n"
                           "    </ADDINFO>\n"
                           "    <REPGROUP>\n" +
                           diveElements(true) +
                           "    </REPGROUP>\n"
                           "</uddf>\n");

    // No dive, no gas to define.
    const Exported empty = run("Export UDDF (Universal Dive Data Format)", {});
    ASSERT_TRUE(empty.ok);
    EXPECT_EQ(empty.bytes, header +
                               "    <ADDINFO>\n"
                               "        <TOTALDIVES>0</TOTALDIVES>\n"
                               "    </ADDINFO>\n"
                               "    <REPGROUP>\n"
                               "    </REPGROUP>\n"
                               "</uddf>\n");
}

TEST(Export, XmlExportsAreMetricUnderUsUnits) {
    Carnet::DiveList dives = divelog::testing::twoDives();
    dives[0]->setProfondeur(100);  // feet
    dives[0]->setTempEau(68);      // Fahrenheit
    dives[1]->setAltitude(1000);
    const Exported e = run("Export UDCF (Universal Dive Computer Format)", dives, true);
    // With the decimals that give back what was typed.
    EXPECT_NE(e.bytes.find("<MAXDEPTH>30.480</MAXDEPTH>"), std::string::npos);
    EXPECT_NE(e.bytes.find("<TEMPERATURE>20.00</TEMPERATURE>"), std::string::npos);
    EXPECT_NE(e.bytes.find("<TEMPERATURE>-50</TEMPERATURE>"), std::string::npos)
        << "not given stays";
    EXPECT_NE(e.bytes.find("<ALTITUDE>304.80</ALTITUDE>"), std::string::npos);
    EXPECT_NE(e.bytes.find("<D>39.9</D>"), std::string::npos) << "profiles are metres already";
}

TEST(Export, DiveListsInTheirSeparatorsEndsAndEncodings) {
    const char* titles[] = {"Dive #",      "Date",         "Location",    "Site",      "Country",
                            "Tide coeff",  "Surface time", "Start time",  "Depth",     "Dive time",
                            "Pressure in", "Pressure out", "O2 mix",      "He mix",    "Weather",
                            "Current",     "Visibility",   "Water temp.", "Air temp.", "Buddies"};
    auto join = [&](const char* sep) {
        std::string s;
        for (const char* t : titles) s += (s.empty() ? "" : sep) + std::string(t);
        return s;
    };
    const auto dives = divelog::testing::twoDives();
    Exported e = run("Export Carnet CSV (Point-virgule)", dives);
    ASSERT_TRUE(e.ok) << e.error;
    EXPECT_EQ(e.bytes,
              "\"" + join("\";\"") + "\"\r" +
                  "\"12\";\"30/07/2012\";\"Marseille\";\"Planier\";\"France\";\"95\";\"--:--\";"
                  "\"10:15\";\"39.9\";\"45\";\"200\";\"50\";\"32\";\"0\";\"N/A\";\"N/A\";"
                  "\"Exceptional\";\"18\";\"24\";\"Anne; Bob\"\n"
                  "\"13\";\"31/07/2012\";\"Cassis, Riou\";\"\";\"France\";\"0\";\"01:30\";"
                  "\"09:05\";\"40\";\"50\";\"230\";\"60\";\"30\";\"30\";\"Clear\";\"Weak\";"
                  "\"Good\";\"-50\";\"-50\";\"\"\n");

    e = run("Export Carnet CSV (Virgule)", dives);
    EXPECT_EQ(e.bytes,
              join(",") + "\r" +
                  "12,30/07/2012,Marseille,Planier,France,95,--:--,10:15,39.9,45,200,50,32,0,"
                  "N/A,N/A,Exceptional,18,24,Anne; Bob\n"
                  "13,31/07/2012,\"Cassis, Riou\",,France,0,01:30,09:05,40,50,230,60,30,30,"
                  "Clear,Weak,Good,-50,-50,\n");

    e = run("Export Carnet TXT (Tabulation)", dives);
    EXPECT_EQ(e.bytes.substr(0, join("\t").size() + 1), join("\t") + "\r");
    EXPECT_NE(e.bytes.find("\tCassis, Riou\t\t"), std::string::npos);

    // Quotation marks inside a field are doubled, where the field is quoted.
    Carnet::DiveList quoted = divelog::testing::twoDives();
    quoted[0]->setSite(std::string("\"Le\" Planier"));
    EXPECT_NE(run("Export Carnet CSV (Point-virgule)", quoted).bytes.find("\"\"\"Le\"\" Planier\""),
              std::string::npos);
    EXPECT_NE(run("Export Carnet CSV (Virgule)", quoted).bytes.find(",\"\"\"Le\"\" Planier\","),
              std::string::npos);

    // The UTF-8 list: a byte-order mark, CRLF, accents as they are.
    quoted[0]->setLieu(std::string("Île Maïre"));
    e = run("Export Carnet CSV (UTF-8)", quoted);
    EXPECT_EQ(e.bytes.substr(0, 4), "\xEF\xBB\xBF\"");
    EXPECT_NE(e.bytes.find("\"Buddies\"\r\n\"12\""), std::string::npos);
    EXPECT_NE(e.bytes.find("\"Île Maïre\""), std::string::npos);
    // The Mac OS Roman list: the same place in its codes.
    e = run("Export Carnet CSV (Point-virgule)", quoted);
    EXPECT_NE(e.bytes.find("\"\xEBle Ma\x95re\""), std::string::npos);

    const Exported none = run("Export Carnet CSV (Virgule)", {});
    EXPECT_EQ(none.bytes, join(",") + "\r") << "an empty logbook: the header only";
}

TEST(Export, ProfileSamplesOneLineEach) {
    const Exported e = run("Export Profils CSV (Virgule)", divelog::testing::twoDives());
    ASSERT_TRUE(e.ok);
    EXPECT_EQ(e.bytes,
              "Dive #,Point,Depth,ASC,SLOW,CEIL,SURF,GAS,PRESS\n"
              "12,1,0.0,0,0,0,0,0,200.0\n"
              "12,2,12.3,0,0,0,0,0,150.0\n"
              "12,3,39.9,1,0,1,0,0,100.0\n"
              "12,4,5.0,0,0,0,0,0,50.0\n"
              "13,1,0.0,0,0,0,0,0,0.0\n");
    Carnet::DiveList dives = divelog::testing::twoDives();
    dives[0]->setPRESS_Data(std::vector<double>{0});
    dives[0]->setSLOW_Flag(std::vector<std::int32_t>{0});
    EXPECT_NE(run("Export Profils CSV (Virgule)", dives).bytes.find("12,3,39.9,1,,1,0,0,\n"),
              std::string::npos)
        << "a series not one entry per sample leaves its column empty";
}

TEST(Export, WhatMacOsRomanCannotHoldFailsTheWholeSave) {
    Carnet::DiveList dives = divelog::testing::twoDives();
    dives[1]->setLieu(std::string("Новороссийск"));
    const Exported e = run("Export Carnet CSV (Virgule)", dives);
    EXPECT_FALSE(e.ok);
    EXPECT_NE(e.error.find("\u201CН\u201D"), std::string::npos) << e.error;
    EXPECT_NE(e.error.find("dive 13"), std::string::npos) << e.error;
    EXPECT_FALSE(run("Export Unknown", dives).ok);

    // Apple's table, and accents typed as separate marks.
    EXPECT_EQ(MacRoman::encode("€ Ω \xEF\xA3\xBF \xE2\x88\x86").bytes, "\xDB \xBD \xF0 \xC6");
    EXPECT_EQ(MacRoman::encode("e\xCC\x81").bytes, "\x8E") << "e + combining acute is é";
    EXPECT_EQ(*MacRoman::encode("ab\xFF").missing, "\xFF") << "bytes that are no UTF-8";
    // Characters the C library's table gives the codes Apple gives to others.
    EXPECT_EQ(*MacRoman::encode("x \xCE\x94 y").missing, "\xCE\x94") << "Greek capital delta";
    EXPECT_EQ(*MacRoman::encode("\xEE\x80\x9E").missing, "\xEE\x80\x9E") << "U+E01E";
    Carnet::DiveList greek = divelog::testing::twoDives();
    greek[0]->setSite(
        std::string("\xCE\x94"
                    "elta"));
    EXPECT_FALSE(run("Export Carnet TXT (Tabulation)", greek).ok);
}

TEST(Export, AGasCodeTheLogbookDoesNotKnowIsNamedByItsFractions) {
    Carnet::DiveList dives = divelog::testing::twoDives();
    dives[0]->setGaz(9);
    dives[0]->setO2Mix(18);
    dives[0]->setHeMix(45);
    dives[1]->setGaz(-1);
    dives[1]->setO2Mix(32);
    dives[1]->setHeMix(0);
    const Exported e = run("Export UDCF (Universal Dive Computer Format)", dives);
    EXPECT_NE(e.bytes.find("<MIXNAME>Trimix 18/45</MIXNAME>"), std::string::npos) << e.bytes;
    EXPECT_NE(e.bytes.find("<MIXNAME>Nitrox 32</MIXNAME>"), std::string::npos);
    EXPECT_EQ(e.bytes.find("<MIXNAME>Air</MIXNAME>"), std::string::npos);
}
