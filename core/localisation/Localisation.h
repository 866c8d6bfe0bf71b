#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace divelog {

using FormatArg = std::variant<std::int64_t, double, std::string>;

// printf-style formatting where "%@" takes the text of a value and "%2$@"
// the second argument. Conversions
// without a matching argument are left out; a mismatched one prints the
// argument as text, so a bad translation cannot crash.
std::string formatText(std::string_view format, std::initializer_list<FormatArg> args);

// Displayed texts by table name ("Main", "Carnet", ...) and key. Tables are
// read from text in the form   "key" = "value";   one per line, with
// // comments and the escapes \" \\ \n \r \t.
class Localisation {
public:
    // Adds (or overrides) the entries of one table. False with the line
    // number in `error` for a line it cannot read; the good lines are kept.
    bool loadTable(const std::string& table, std::string_view text, std::string* error = nullptr);

    // The text of a key, or the fallback when the table or key is missing.
    std::string text(std::string_view table, std::string_view key,
                     std::string_view fallback = "error !") const;
    std::string format(std::string_view table, std::string_view key, std::string_view fallback,
                       std::initializer_list<FormatArg> args) const;
    bool has(std::string_view table, std::string_view key) const;
    // The keys of a table in sorted order, empty for an unknown table.
    std::vector<std::string> keys(std::string_view table) const;

private:
    std::map<std::string, std::map<std::string, std::string, std::less<>>, std::less<>> tables_;
};

}  // namespace divelog
