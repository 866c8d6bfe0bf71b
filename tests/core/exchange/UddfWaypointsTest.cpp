// UDDF waypoints read straight from the text: what is read so is what the
// XML parser reads, and anything not in the plain form is left to it.

#include <gtest/gtest.h>

#include <string>

#include "ExchangeTestFiles.h"
#include "exchange/UddfImport.h"
#include "exchange/UddfWaypointScanner.h"
#include "exchange/XmlBlockScanner.h"

using namespace divelog;

namespace {

// The waypoints of "<samples>" + content + "</samples>"; none when refused.
std::optional<std::vector<std::string>> scanned(const std::string& content) {
    const std::string text = "<samples>" + content + "</samples>";
    UddfWaypointScanner scanner;
    const std::size_t end = scanner.scan(text, 9, "samples");
    if (end == std::string_view::npos) return std::nullopt;
    EXPECT_EQ(end, text.size());
    std::vector<std::string> out;
    for (std::size_t i = 0; i < scanner.size(); ++i) {
        const WaypointElement w = scanner[i];
        std::string line = "[" + std::string(w.text) + "]";
        for (const WaypointChild& c : w.children)
            line += " " + std::string(c.name) + "=" + std::string(c.text) +
                    (c.ref.empty() ? "" : " ref:" + std::string(c.ref)) +
                    (c.type.empty() ? "" : " type:" + std::string(c.type));
        out.push_back(line);
    }
    return out;
}

}  // namespace

TEST(UddfWaypointScanner, ReadsThePlainFormAndRefusesTheRest) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(scanned("\n <waypoint>\r\n  <depth> 12.5 </depth><divetime>60</divetime>"
                      "<uddf:switchmix uddf:ref='ean32' other=\"x\"/>"
                      "<tankpressure ref = \"t 1\" >2e7</tankpressure>"
                      "<divemode type='closedcircuit'/></waypoint >\n"
                      "<waypoint/><waypoint at='x'> 7.2 </waypoint>"),
              (Lines{"[] depth=12.5 divetime=60 switchmix= ref:ean32 tankpressure=2e7 ref:t 1 "
                     "divemode= type:closedcircuit",
                     "[]", "[7.2]"}));
    // Text beside children is not the waypoint's own; the first ref counts.
    EXPECT_EQ(scanned("<waypoint>x<depth>3</depth>y<switchmix ref='a' ref='b'/></waypoint>"),
              (Lines{"[] depth=3 switchmix= ref:a"}));
    EXPECT_EQ(scanned(""), Lines{});

    // What the parser would expand, normalise or stop at.
    for (const char* content : {
             "<waypoint><depth>1&#50;</depth></waypoint>",
             "<waypoint><switchmix ref='a&amp;b'/></waypoint>",
             "<waypoint><alarm>as\rcent</alarm></waypoint>",
             "<waypoint><switchmix ref='a\tb'/></waypoint>",
             "<!-- a --><waypoint/>",
             "<waypoint><depth><![CDATA[3]]></depth></waypoint>",
             "<waypoint><?pi?></waypoint>",
             "<waypoint><depth>3<b/></depth></waypoint>",
             "<waypoint><depth>3</Depth></waypoint>",
             "<waypoint><depth>3</depth></waypoint2>",
             "<other/>",
             "<waypoint a=1/>",
             "<waypoint a='1'b='2'/>",
             "<waypoint a='1/>",
             "<waypoint>< depth>3</depth></waypoint>",
             "<waypoint><1depth>3</1depth></waypoint>",
             "<waypoint><depth>3</depth>",
         }) {
        EXPECT_FALSE(scanned(content)) << content;
    }
    EXPECT_FALSE(scanned(std::string("<waypoint/>\0<waypoint/>", 23)));
    // The end tag must be the samples element's own, as written.
    UddfWaypointScanner scanner;
    EXPECT_EQ(scanner.scan("<u:samples><waypoint/></samples>", 11, "u:samples"),
              std::string_view::npos);
}

TEST(XmlBlockScanner, FindsAStartAndAnEndWithoutScanningFurther) {
    static constexpr std::string_view kSamples[] = {"samples"};
    const std::array<XmlBlockScanner::Path, 1> paths = {kSamples};
    // The first match inside the first element, at its level; none once that element ends.
    const std::string text =
        "<dive><!-- <samples> --><info><samples/></info><samples a='>'>x</samples></dive>"
        "<dive><samples/></dive>";
    const auto first = XmlBlockScanner::firstStart(text, paths);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->level, 2u);
    EXPECT_TRUE(first->selfClosing);
    EXPECT_FALSE(XmlBlockScanner::firstStart("<dive><a/></dive><dive><samples/></dive>", paths));
    // The end of an element from inside it, its end tag as written.
    const std::string inside = "<a/><![CDATA[</dive>]]><b></b></dive >tail";
    EXPECT_EQ(XmlBlockScanner::elementEnd(inside, 0, "dive"), inside.find("tail"));
    EXPECT_EQ(XmlBlockScanner::elementEnd(inside, 0, "uddf:dive"), std::string_view::npos);
    EXPECT_EQ(XmlBlockScanner::elementEnd("<a></b></dive>", 0, "dive"), std::string_view::npos);
    EXPECT_EQ(XmlBlockScanner::elementEnd("<a>", 0, "dive"), std::string_view::npos);
}

namespace {

ImportResult readUddf(const std::string& text, bool textWaypoints = true) {
    return UddfImport(textWaypoints)
        .read({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

std::vector<std::map<std::string, std::string>> described(const ImportResult& r) {
    static InMemorySettingsStore settings;
    static Localisation texts;
    std::vector<std::map<std::string, std::string>> out;
    for (const auto& d : DiveImport::build(r.dives, 1, settings, texts).dives)
        out.push_back(divelog::testing::describe(*d));
    return out;
}

std::string dive(const std::string& id, const std::string& samples) {
    return "<dive id='" + id + "'><informationbeforedive><datetime>2024-05-0" + id.substr(1) +
           "T09:00</datetime></informationbeforedive><tankdata id='t1'><link ref='air'/>"
           "</tankdata>" +
           samples +
           "<informationafterdive><greatestdepth>18.2</greatestdepth>"
           "</informationafterdive></dive>\n";
}

}  // namespace

// The same file read cut into dives (waypoints from the text where they are
// plain), cut into dives each parsed, and read whole in one tree (another
// encoding's way) gives the same dives and the same report, whatever the
// form of each dive's waypoints.
TEST(Import, WaypointsReadFromTheTextGiveWhatOneTreeGives) {
    const std::string plain =
        "<samples>\r\n<waypoint><depth>0</depth><divetime>0</divetime>"
        "<switchmix ref='air'/><divemode type='opencircuit'/></waypoint>\r\n"
        "<waypoint><depth>12.5</depth><divetime>60</divetime><tankpressure ref='t1'>"
        "20000000</tankpressure><alarm>ascent</alarm><temperature>288</temperature></waypoint>"
        "<waypoint><depth>18</depth><divetime>120</divetime><switchmix ref=' ean50 '/>"
        "<heartrate>80</heartrate></waypoint>"
        "<waypoint><depth>4</depth><divetime>180</divetime><switchmix ref='nitrox99'/>"
        "</waypoint><waypoint><depth>0</depth><divetime>240</divetime></waypoint></samples>";
    auto with = [&](std::string from, const std::string& what, const std::string& by) {
        from.replace(from.find(what), what.size(), by);
        return from;
    };
    const std::string dives =
        dive("d1", plain) +
        // Left to the parser: a comment, references, a child holding an element.
        dive("d2", with(plain, "<waypoint><depth>18", "<!-- c --><waypoint><depth>18")) +
        dive("d3", with(plain, "<depth>12.5</depth>", "<depth>1&#50;.5</depth>")) +
        dive("d4", with(plain, "<heartrate>80</heartrate>", "<heartrate><v>80</v></heartrate>")) +
        dive("d5", with(plain, "ref='t1'", "ref='t&#49;'")) +
        // No waypoint, samples twice, waypoints as bare depths, a 2.x dive.
        dive("d6", "<samples/>") + dive("d7", "<samples> </samples>") +
        dive("d8", plain + "<samples><waypoint><depth>3</depth></waypoint></samples>") +
        dive("d9", "<samples><waypoint>5</waypoint><waypoint>x</waypoint></samples>") +
        "<dive><date><year>2020</year></date><samples><waypoint><depth>3</depth>"
        "</waypoint></samples></dive>"
        // Nothing of a dive.
        "<dive id='e'><samples></samples></dive>";
    const std::string mixes =
        "<gasdefinitions><mix id='air'><o2>0.21</o2></mix><mix id='ean50'><o2>0.5</o2></mix>"
        "</gasdefinitions>";
    for (const bool mixesLast : {false, true}) {
        const std::string body =
            "<uddf>" + (mixesLast ? "" : mixes) + "<profiledata><repetitiongroup>" + dives +
            "</repetitiongroup></profiledata>" + (mixesLast ? mixes : "") + "</uddf>";
        const ImportResult cut = readUddf("<?xml version='1.0'?>" + body);
        const ImportResult parsed = readUddf("<?xml version='1.0'?>" + body, false);
        const ImportResult whole = readUddf("<?xml version='1.0' encoding='ISO-8859-1'?>" + body);
        SCOPED_TRACE(mixesLast ? "mixes defined after the dives" : "mixes defined first");
        EXPECT_EQ(cut.notes, whole.notes);
        EXPECT_EQ(cut.notes, parsed.notes);
        EXPECT_EQ(cut.skipped, 1u);
        const auto a = described(cut), b = described(whole);
        ASSERT_EQ(a.size(), 10u);
        ASSERT_EQ(a.size(), b.size());
        EXPECT_EQ(a, described(parsed));
        for (std::size_t i = 0; i < a.size(); ++i) EXPECT_EQ(a[i], b[i]) << "dive " << i + 1;
        // The plain dive read right, not only alike.
        EXPECT_EQ(a[0].at("profile"), "0 12.5 18 4 0");
        EXPECT_EQ(a[0].at("alarms"), "A1");
        EXPECT_EQ(a[0].at("water"), "15");
        EXPECT_EQ(a[0].at("gas2"), "1 50/0");
        EXPECT_EQ(a[2].at("profile"), a[0].at("profile"));
        EXPECT_EQ(a[4].at("pressures"), a[0].at("pressures"));
        EXPECT_EQ(a[8].at("profile"), "5");
    }
}
