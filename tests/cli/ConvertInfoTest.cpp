// Runs the built divelog-convert as a user would and checks what it prints
// and how it exits.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Commands.h"
#include "archive/BinaryArchive.h"
#include "logbook/Carnet.h"
#include "registers/RegisterDocument.h"
#include "registers/RepEpaves.h"
#include "util/FileIO.h"

extern char** environ;

namespace {

using namespace divelog;
namespace fs = std::filesystem;

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;

    std::vector<std::string> errLines() const { return lines(err); }
    std::vector<std::string> outLines() const { return lines(out); }
    static std::vector<std::string> lines(const std::string& text) {
        std::vector<std::string> result;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) result.push_back(line);
        return result;
    }
};

std::string slurp(const fs::path& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

class ConvertTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::path(::testing::TempDir()) / "divelog-cli-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Runs the converter with stdout and stderr captured separately.
    Outcome run(const std::vector<std::string>& args, const char* stdoutPath = nullptr) {
        fs::path out = stdoutPath ? fs::path(stdoutPath) : dir_ / "stdout";
        fs::path err = dir_ / "stderr";
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        std::vector<std::string> argvText{DIVELOG_CONVERT_PATH};
        argvText.insert(argvText.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& a : argvText) argv.push_back(a.data());
        argv.push_back(nullptr);
        pid_t pid = 0;
        Outcome r;
        int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (rc != 0) {
            ADD_FAILURE() << "cannot start " << argv[0];
            return r;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        if (!stdoutPath) r.out = slurp(out);
        r.err = slurp(err);
        return r;
    }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    std::string writeBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        std::string p = path(name);
        std::string error;
        EXPECT_TRUE(writeFileAtomically(p, bytes, error)) << error;
        return p;
    }

    static Plongee dive(std::int32_t number, std::optional<Date> date) {
        NewDiveDefaults defaults;
        defaults.number = number;
        Plongee p = makeNewDive(defaults);
        p.setDate(date);
        p.setLieu(std::string("Port-Cros"));
        p.setProfondeur(28.4f);
        p.setProfilProfondeur(std::vector<double>{0, 12.5, 28.4, 6, 0});
        return p;
    }

    std::string saveLogbook(const std::string& name, Carnet& carnet) {
        std::string p = path(name), error;
        EXPECT_TRUE(carnet.save(p, error)) << error;
        return p;
    }

    // A refused file gives exit 1, nothing on stdout and exactly one line on
    // stderr naming the file.
    void expectRefused(const std::string& file, const std::string& why) {
        SCOPED_TRACE(why);
        Outcome r = run({"info", file});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.out, "");
        auto lines = r.errLines();
        ASSERT_EQ(lines.size(), 1u) << r.err;
        const std::string prefix = "divelog-convert: " + file + ": ";
        EXPECT_EQ(lines[0].rfind(prefix, 0), 0u) << lines[0];
        EXPECT_GT(lines[0].size(), prefix.size()) << "no reason given";
    }

    fs::path dir_;
};

TEST_F(ConvertTest, InfoDescribesALogbook) {
    Carnet carnet;
    // List order is not date order: the summary must look at every dive.
    carnet.add(dive(1, dateFromLocalParts({2024, 5, 31, 10, 15, 0})));
    carnet.add(dive(2, dateFromLocalParts({2023, 6, 1, 23, 30, 0})));
    std::string file = saveLogbook("two.divelog", carnet);

    Outcome r = run({"info", file});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.outLines(), (std::vector<std::string>{
                                "kind: logbook (Dive logbook)",
                                "format version: 1",
                                "class: Plongee version 23",
                                "records: 2",
                                "first dive: 2023-06-01",
                                "last dive: 2024-05-31",
                            }));

    Carnet empty;
    r = run({"info", saveLogbook("empty.divelog", empty)});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.outLines(), (std::vector<std::string>{
                                "kind: logbook (Dive logbook)",
                                "format version: 1",
                                "class: Plongee version 23",
                                "records: 0",
                                "first dive: none",
                                "last dive: none",
                            }));
}

TEST_F(ConvertTest, InfoSaysNoneWhenNoDiveHasAUsableDate) {
    Carnet carnet;
    carnet.add(dive(1, std::nullopt));
    carnet.add(dive(2, Date{std::numeric_limits<double>::quiet_NaN()}));
    carnet.add(dive(3, Date{std::numeric_limits<double>::infinity()}));
    carnet.add(dive(4, Date{-1e300}));
    Outcome r = run({"info", saveLogbook("undated.divelog", carnet)});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    auto lines = r.outLines();
    ASSERT_EQ(lines.size(), 6u) << r.out;
    EXPECT_EQ(lines[3], "records: 4");
    EXPECT_EQ(lines[4], "first dive: none");
    EXPECT_EQ(lines[5], "last dive: none");

    // One dated dive among damaged ones is both the first and the last.
    carnet.add(dive(5, dateFromLocalParts({2020, 2, 29, 12, 0, 0})));
    r = run({"info", saveLogbook("undated.divelog", carnet)});
    lines = r.outLines();
    ASSERT_EQ(lines.size(), 6u) << r.out;
    EXPECT_EQ(lines[4], "first dive: 2020-02-29");
    EXPECT_EQ(lines[5], "last dive: 2020-02-29");
}

TEST_F(ConvertTest, InfoDescribesAnEmptyRegister) {
    RegisterDocument wrecks(DocumentKind::Epaves, RepEpaves::instance());
    std::string file = path("wrecks.dlwrecks"), error;
    ASSERT_TRUE(wrecks.save(file, error)) << error;
    Outcome r = run({"info", file});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.outLines(), (std::vector<std::string>{
                                "kind: wrecks (Wreck directory)",
                                "format version: 1",
                                "class: Epaves version 5",
                                "records: 0",
                            }));
}

TEST_F(ConvertTest, InfoRefusesUnreadableAndDamagedFiles) {
    Carnet carnet;
    carnet.add(dive(1, dateFromLocalParts({2024, 5, 31, 10, 15, 0})));
    carnet.add(dive(2, dateFromLocalParts({2023, 6, 1, 9, 0, 0})));
    std::vector<std::uint8_t> good;
    std::string error;
    ASSERT_TRUE(readWholeFile(saveLogbook("good.divelog", carnet), good, error));

    expectRefused(path("missing.divelog"), "missing file");
    expectRefused(dir_.string(), "a directory");
    expectRefused(writeBytes("empty", {}), "empty file");
    const std::string text = "Date;Lieu;Site\n2024-05-31;Port-Cros;Gabinière\n";
    expectRefused(writeBytes("garbage.csv", {text.begin(), text.end()}), "not an archive");
    for (std::size_t keep : {std::size_t{10}, good.size() / 2, good.size() - 1})
        expectRefused(writeBytes("truncated-" + std::to_string(keep),
                                 {good.begin(), good.begin() + static_cast<long>(keep)}),
                      "truncated to " + std::to_string(keep));
    auto trailing = good;
    trailing.push_back(0);
    expectRefused(writeBytes("trailing.divelog", trailing), "trailing byte");
    expectRefused(writeBytes("colour.bin", encodeColourArchive(Colour{})),
                  "a colour, not a document");

    RecordListEncoder newer("logbook", {{"Plongee", 24}}, 1);
    carnet.dive(0).encode(newer.beginRecord("Plongee"));
    newer.endRecord();
    expectRefused(writeBytes("newer.divelog", newer.finish()), "class version from the future");
}

TEST_F(ConvertTest, RefusalStaysOnOneLineWhateverTheFileSays) {
    RecordListEncoder encoder("evil\nkind\r\x1b[2J", {}, 0);
    std::string file = writeBytes("evil.bin", encoder.finish());
    expectRefused(file, "control characters in the kind");
    Outcome r = run({"info", file});
    EXPECT_NE(r.err.find("evil\\x0akind\\x0d\\x1b[2J"), std::string::npos) << r.err;

    // The file name comes from the user but is printed the same way.
    std::string oddName = path("line\nbreak");
    Outcome odd = run({"info", oddName});
    EXPECT_EQ(odd.exitCode, 1);
    EXPECT_EQ(odd.errLines().size(), 1u) << odd.err;
}

TEST_F(ConvertTest, HelpDocumentsCommandsAndExitCodes) {
    for (const char* flag : {"--help", "-h"}) {
        SCOPED_TRACE(flag);
        Outcome r = run({flag});
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.err, "");
        EXPECT_NE(r.out.find("Usage: divelog-convert"), std::string::npos);
        EXPECT_NE(r.out.find("Exit status"), std::string::npos);
        for (const auto& command : cli::commands())
            EXPECT_NE(
                r.out.find("  " + std::string(command.name) + " " + std::string(command.arguments)),
                std::string::npos)
                << command.name;
        for (const char* code : {"  0  ", "  1  ", "  2  "})
            EXPECT_NE(r.out.find(code), std::string::npos) << code;
        EXPECT_NE(r.out.find("--us-units: LOGBOOK is kept in feet"), std::string::npos);
    }
}

TEST_F(ConvertTest, UsageErrorsExitTwoWithUsageOnStderr) {
    const std::vector<std::vector<std::string>> cases = {
        {}, {"frobnicate"}, {"info"}, {"info", "a.divelog", "b.divelog"}, {"INFO", "a"}};
    for (const auto& args : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        Outcome r = run(args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind("divelog-convert: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find("Usage: divelog-convert"), std::string::npos);
    }
}

TEST_F(ConvertTest, InfoFailsWhenItCannotWriteItsOutput) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    Carnet carnet;
    carnet.add(dive(1, std::nullopt));
    Outcome r = run({"info", saveLogbook("one.divelog", carnet)}, "/dev/full");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.errLines().size(), 1u) << r.err;
}

// The converter's batch commands, on files of other software and logbooks.

TEST_F(ConvertTest, ConvertWritesAnExportTypeThatInfoReadsBack) {
    Carnet carnet;
    auto d = dive(7, dateFromLocalParts({2024, 5, 31, 10, 15, 0}));
    d.setHeure(dateFromLocalParts({2001, 1, 1, 10, 15, 0}));
    d.setLieu(std::string("Port \"Cros\"\nEast"));
    d.setTemps(41);
    carnet.add(std::move(d));
    const std::string logbook = saveLogbook("one.divelog", carnet), out = path("one.uddf");
    Outcome r = run({"convert", logbook, out, "--to", "export uddf 3.2 (standard)"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(slurp(out).find("<uddf xmlns=\"http://www.streit.cc/uddf/3.2/\""), std::string::npos);
    r = run({"info", "--json", out});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(
        r.out,
        "{\"number\":1,\"start\":\"2024-05-31T10:15:00\",\"depth_m\":28.4,\"duration_s\":2460,"
        "\"samples\":5,\"interval_s\":10,\"first_sample\":[0,0],\"last_sample\":[40,0],"
        "\"o2_percent\":21,\"he_percent\":0,\"place\":\"Port "
        "\\\"Cros\\\"\\nEast\",\"site\":\"\"}\n");

    for (const auto& args : std::vector<std::vector<std::string>>{
             {"convert", logbook, path("x"), "--to", "Export PDF"},
             {"convert", logbook, path("x")},
             {"convert", logbook, path("x"), "--to"},
             {"info", logbook, "--jsonl"}}) {
        SCOPED_TRACE(::testing::PrintToString(args));
        EXPECT_EQ(run(args).exitCode, 2);
        EXPECT_FALSE(fs::exists(path("x")));
    }
    r = run({"convert", path("missing.uddf"), path("x"), "--to=Export UDDF 3.2 (standard)"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.errLines().size(), 1u) << r.err;
    EXPECT_FALSE(fs::exists(path("x")));
}

TEST_F(ConvertTest, ImportCreatesTheLogbookThenAppendsAllOrNothing) {
    const std::string data = DIVELOG_EXCHANGE_DATA, logbook = path("new.divelog");
    Outcome r = run({"import", logbook, data + "/uddf3-groups.uddf", data + "/udcf-imperial.udcf"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("udcf-imperial.udcf: 1 dive (UDCF)\n  1 tank sizes in cubic feet"),
              std::string::npos)
        << r.out;
    r = run({"import", logbook, data + "/uddf3-complete.uddf"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    r = run({"info", "--json", logbook});
    const auto lines = r.outLines();
    ASSERT_EQ(lines.size(), 6u) << r.out;
    EXPECT_EQ(
        lines[4].rfind("{\"number\":5,\"start\":\"2019-05-04T09:30:00\",\"depth_m\":12.5,", 0), 0u)
        << "feet read as metres: " << lines[4];
    EXPECT_EQ(
        lines[5].rfind(
            "{\"number\":6,\"start\":\"2019-02-28T09:07:00\",\"depth_m\":31.4,\"duration_s\":2760,"
            "\"samples\":5,\"interval_s\":10,\"first_sample\":[0,0],\"last_sample\":[40,0],"
            "\"o2_percent\":32,",
            0),
        0u)
        << lines[5];

    const std::string before = slurp(logbook);
    const std::string text = "Date;Lieu\n";
    r = run({"import", logbook, data + "/uddf3-complete.uddf",
             writeBytes("list.csv", {text.begin(), text.end()})});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.errLines().size(), 1u) << r.err;
    EXPECT_EQ(slurp(logbook), before) << "a file that cannot be read adds nothing";
    EXPECT_EQ(run({"import", logbook}).exitCode, 2);
}

TEST_F(ConvertTest, ValidateSaysWhatWouldBeLeftOut) {
    const std::string data = DIVELOG_EXCHANGE_DATA;
    Outcome r = run({"validate", data + "/uddf3-complete.uddf"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("UDDF, 1 dive, nothing left out"), std::string::npos) << r.out;
    r = run({"validate", data + "/uddf3-tanks-mixes-sensors.uddf"});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.out.find("more than two tanks"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("heartrate"), std::string::npos) << r.out;
    r = run({"validate", data + "/entity-bomb.xml"});
    EXPECT_NE(r.exitCode, 2);
    EXPECT_EQ(run({"validate", writeBytes("empty", {})}).exitCode, 1);

    // No dive found is never "nothing left out".
    const std::string none = "<uddf><generator><name>x</name></generator></uddf>";
    r = run({"validate", writeBytes("none.uddf", {none.begin(), none.end()})});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.out.find("UDDF, 0 dives, some of it left out:\n  no dive was found in this file"),
              std::string::npos)
        << r.out;
    // The application's own UDDF export reads back.
    r = run({"validate", data + "/uddf-own-export.uddf"});
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_NE(r.out.find("UDDF, 2 dives, nothing left out"), std::string::npos) << r.out;
}

TEST_F(ConvertTest, TheConverterSpeaksWithTheApplicationSTexts) {
    // A mix of helium without oxygen: the form's alert, in its words.
    const std::string file = R"(<uddf><gasdefinitions><mix id="m"><o2>0</o2><he>0.9</he></mix>
      </gasdefinitions><profiledata><repetitiongroup><dive><informationbeforedive>
      <datetime>2024-06-01T10:00</datetime></informationbeforedive><tankdata><link ref="m"/>
      <tankpressurebegin>20000000</tankpressurebegin></tankdata><informationafterdive>
      <greatestdepth>12</greatestdepth><visibility>1</visibility></informationafterdive></dive>
      </repetitiongroup></profiledata></uddf>)";
    const std::string in = writeBytes("helium.uddf", {file.begin(), file.end()});
    Outcome r = run({"validate", in});
    EXPECT_NE(r.out.find("The helium percentage must be between 0 and 86"), std::string::npos)
        << r.out;
    EXPECT_EQ(r.out.find("Helium percent\n"), std::string::npos) << "no bare key: " << r.out;

    // The position of an imported dive is the template, not "error !".
    const std::string logbook = path("texts.divelog");
    ASSERT_EQ(run({"import", logbook, in}).exitCode, 0);
    Carnet carnet;
    std::vector<std::uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(readWholeFile(logbook, bytes, error)) << error;
    DocumentError refusal;
    ASSERT_TRUE(carnet.load(bytes, refusal)) << refusal.details;
    ASSERT_EQ(carnet.recordCount(), 1u);
    EXPECT_EQ(carnet.dive(0).gps(),
              "N 00\xC2\xB0"
              "00.000' E 000\xC2\xB0"
              "00.000'");

    // The CSV names the visibility as the application does.
    const std::string csv = path("texts.csv");
    ASSERT_EQ(run({"convert", in, csv, "--to", "Export Carnet CSV (Virgule)"}).exitCode, 0);
    EXPECT_NE(slurp(csv).find(",Nil,"), std::string::npos) << slurp(csv);
    EXPECT_EQ(slurp(csv).find("Execrable"), std::string::npos);
}

TEST_F(ConvertTest, UsUnitsConvertWhatTheFilesHoldInMetres) {
    const std::string udcf =
        "<PROFILE><REPGROUP><DIVE><DATE><YEAR>2024</YEAR><MONTH>6</MONTH><DAY>2</DAY></DATE>"
        "<MAXDEPTH>30.48</MAXDEPTH><TEMPERATURE>20</TEMPERATURE></DIVE></REPGROUP></PROFILE>";
    const std::string in = writeBytes("metric.udcf", {udcf.begin(), udcf.end()});
    const std::string feet = path("feet.divelog"), metres = path("metres.divelog");
    ASSERT_EQ(run({"import", feet, in, "--us-units"}).exitCode, 0);
    ASSERT_EQ(run({"import", metres, in}).exitCode, 0);
    Outcome r = run({"info", "--json", feet});
    EXPECT_NE(r.out.find("\"depth_m\":100,"), std::string::npos) << "feet: " << r.out;
    r = run({"info", "--json", metres});
    EXPECT_NE(r.out.find("\"depth_m\":30.48,"), std::string::npos) << r.out;
    // A logbook in feet exports in metres, and back.
    const std::string out = path("back.udcf");
    ASSERT_EQ(run({"convert", feet, out, "--to", "Export UDCF (Universal Dive Computer Format)",
                   "--us-units"})
                  .exitCode,
              0);
    EXPECT_NE(slurp(out).find("<MAXDEPTH>30.480</MAXDEPTH>"), std::string::npos) << slurp(out);
    EXPECT_NE(slurp(out).find("<TEMPERATURE>20.00</TEMPERATURE>"), std::string::npos);
    EXPECT_EQ(run({"validate", in, "--us-units"}).exitCode, 2) << "validate takes no units";
}

TEST_F(ConvertTest, MessagesEscapeWhatIsNotUtf8) {
    RecordListEncoder encoder("caf\xC3\xA9 \xFF\xFEkind \xE2\x82", {}, 0);
    const std::string file = writeBytes("bytes.bin", encoder.finish());
    Outcome r = run({"info", file});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("caf\xC3\xA9 \\xff\\xfekind \\xe2\\x82"), std::string::npos) << r.err;
    EXPECT_EQ(cli::printable("\xF0\x9F\x90\xA0 \xC0\xAF \xED\xA0\x80"),
              "\xF0\x9F\x90\xA0 \\xc0\\xaf \\xed\\xa0\\x80")
        << "a fish stays, an overlong slash and a surrogate do not";
}

}  // namespace
