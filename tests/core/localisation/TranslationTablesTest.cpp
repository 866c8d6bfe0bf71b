// The French tables against the English ones: a key missing on either side
// shows English (or a fallback) in a French window, and a format argument
// that differs prints a wrong value or none at all.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "localisation/Localisation.h"

using namespace divelog;

namespace {

const std::filesystem::path kLang = std::filesystem::path(DIVELOG_RESOURCES_DIR) / "lang";

std::set<std::string> tableNames(const std::string& language) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(kLang / language))
        if (entry.path().extension() == ".strings") names.insert(entry.path().stem().string());
    return names;
}

// Every table of one language, failing the test on a line the loader cannot read.
Localisation loadLanguage(const std::string& language) {
    Localisation loc;
    for (const std::string& table : tableNames(language)) {
        std::ifstream in(kLang / language / (table + ".strings"), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        std::string error;
        EXPECT_TRUE(loc.loadTable(table, text.str(), &error)) << language << ": " << error;
    }
    return loc;
}

// The conversions of a printf-style text in the order of the arguments they
// take: "%2$@ %1$.1f" gives {".1f", "@"}. Flags, width and precision are part
// of a conversion, since "%.1f" and "%.2f" print differently.
std::vector<std::string> conversions(const std::string& text) {
    std::vector<std::pair<std::size_t, std::string>> found;
    std::size_t next = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') continue;
        if (++i < text.size() && text[i] == '%') continue;
        std::size_t position = 0, j = i;
        while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])))
            position = position * 10 + static_cast<std::size_t>(text[j++] - '0');
        if (j > i && j < text.size() && text[j] == '$')
            i = j + 1;
        else
            position = 0;
        const std::size_t start = i;
        while (i < text.size() &&
               std::string_view("-+ #0123456789.hlqLjzt").find(text[i]) != std::string_view::npos)
            ++i;
        // A label such as "(% oxygen)" is no conversion; "% d" would be one.
        if (i >= text.size() ||
            std::string_view("diuxXfFeEgGcs@").find(text[i]) == std::string_view::npos)
            continue;
        const std::string spec = text.substr(start, i + 1 - start);
        found.emplace_back(position ? position - 1 : next++, spec);
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> out;
    for (const auto& [index, spec] : found) out.push_back(spec);
    return out;
}

}  // namespace

TEST(Translations, ConversionsAreReadInArgumentOrder) {
    EXPECT_EQ(conversions("Depth %.2f m at %.2f min"), (std::vector<std::string>{".2f", ".2f"}));
    EXPECT_EQ(conversions("%2$@ puis %1$.1f %%"), (std::vector<std::string>{".1f", "@"}));
    EXPECT_EQ(conversions("100 %% d'oxygène, nitrox (% oxygen)"), std::vector<std::string>{});
    EXPECT_EQ(conversions("nitrox (% d'oxygène)"), std::vector<std::string>{" d"});
    // The formatter follows the same order, so a reordered translation is safe.
    EXPECT_EQ(formatText("%2$@ puis %1$.1f", {2.25, std::string("palier")}), "palier puis 2.2");
    EXPECT_EQ(formatText("%2$d/%1$d et %d", {std::int64_t{1}, std::int64_t{2}}), "2/1 et 1");
    EXPECT_EQ(formatText("%3$@", {std::string("a")}), "") << "a missing argument prints nothing";
}

TEST(Translations, FrenchHasEveryTableAndKeyOfEnglishAndNoOther) {
    ASSERT_FALSE(tableNames("en").empty());
    EXPECT_EQ(tableNames("fr"), tableNames("en"));
    const Localisation en = loadLanguage("en"), fr = loadLanguage("fr");
    for (const std::string& table : tableNames("en")) {
        for (const std::string& key : en.keys(table))
            EXPECT_TRUE(fr.has(table, key)) << table << ": \"" << key << "\" has no French text";
        for (const std::string& key : fr.keys(table))
            EXPECT_TRUE(en.has(table, key))
                << table << ": \"" << key << "\" is French only (a misspelt key?)";
    }
}

TEST(Translations, FormatArgumentsMatchKeyByKey) {
    const Localisation en = loadLanguage("en"), fr = loadLanguage("fr");
    int formats = 0;
    for (const std::string& table : tableNames("en")) {
        for (const std::string& key : en.keys(table)) {
            if (!fr.has(table, key)) continue;
            const auto want = conversions(en.text(table, key));
            formats += !want.empty();
            EXPECT_EQ(conversions(fr.text(table, key)), want)
                << table << ": \"" << key << "\"\n  en: " << en.text(table, key)
                << "\n  fr: " << fr.text(table, key);
            if (!en.text(table, key).empty()) {
                EXPECT_FALSE(fr.text(table, key).empty()) << table << ": \"" << key << "\"";
            }
        }
    }
    EXPECT_GT(formats, 50) << "the tables hold formats; none were seen";
}
