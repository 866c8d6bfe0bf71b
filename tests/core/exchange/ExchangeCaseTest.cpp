// Files written for the liberties other dive software takes, each beside the
// dives it must give (tests/data/exchange/NAME.expected): read, stored
// through the form, and compared on the fields the expectation names.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "ExchangeTestFiles.h"

using namespace divelog;
namespace fs = std::filesystem;

namespace {

struct Case {
    fs::path input, expected;
};
void PrintTo(const Case& c, std::ostream* os) { *os << c.input.filename(); }

std::vector<Case> cases() {
    std::vector<Case> all;
    const fs::path folder = divelog::testing::sourceTree() / "tests/data/exchange";
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec)) {
        if (e.path().extension() != ".expected") continue;
        for (const char* ext : {".uddf", ".udcf", ".xml"}) {
            fs::path input = e.path();
            input.replace_extension(ext);
            if (fs::exists(input)) all.push_back({input, e.path()});
        }
    }
    std::sort(all.begin(), all.end(),
              [](const Case& a, const Case& b) { return a.input < b.input; });
    return all;
}

std::string slurp(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

class ExchangeCase : public ::testing::TestWithParam<Case> {};

TEST_P(ExchangeCase, GivesItsExpectedDives) {
    const Case& c = GetParam();
    std::istringstream expected(slurp(c.expected));
    std::string format;
    std::vector<std::map<std::string, std::string>> dives;
    std::vector<std::string> reports;
    std::map<std::string, SettingList> lists;
    std::size_t count = 0;
    for (std::string line; std::getline(expected, line);) {
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '[') {
            dives.resize(std::stoul(line.substr(1)));
            continue;
        }
        const std::size_t colon = line.find(": ");
        ASSERT_NE(colon, std::string::npos) << line;
        const std::string key = line.substr(0, colon), value = line.substr(colon + 2);
        if (key == "format")
            format = value;
        else if (key.rfind("list ", 0) == 0)
            lists[key.substr(5)].push_back(value);
        else if (key == "dives")
            count = std::stoul(value);
        else if (key == "report")
            reports.push_back(value);
        else
            dives.back()[key] = value;
    }
    // "found NAME": the reader is the one the file's content points to.
    const bool found = format.rfind("found ", 0) == 0;
    const auto in = divelog::testing::readBack(found ? std::string_view() : format, slurp(c.input),
                                               lists, c.input.filename().string());
    if (found) {
        EXPECT_EQ(in.format, format.substr(6));
    }
    ASSERT_EQ(in.dives.size(), count);
    std::string notes;
    for (const auto& n : in.report) notes += n + "\n";
    for (const auto& r : reports)
        EXPECT_NE(notes.find(r), std::string::npos) << r << " not in:\n" << notes;
    if (reports.empty()) {
        EXPECT_EQ(notes, "") << "a file without liberties reads without a report";
    }
    for (std::size_t i = 0; i < dives.size(); ++i) {
        const auto actual = divelog::testing::describe(*in.dives[i]);
        for (const auto& [key, value] : dives[i]) {
            ASSERT_TRUE(actual.count(key)) << "no field " << key;
            EXPECT_EQ(actual.at(key), value) << "dive " << i + 1 << ", " << key;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Files, ExchangeCase, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             std::string name = info.param.input.stem().string();
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return name;
                         });

}  // namespace
