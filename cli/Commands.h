#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

namespace divelog::cli {

// One sub-command of divelog-convert. The usage text and the argument check
// are built from this table, so a new conversion is one entry and one function.
struct Command {
    std::string_view name;
    std::string_view arguments;  // as shown in the usage, e.g. "FILE"
    std::string_view summary;    // may hold '\n' for more lines
    std::size_t argumentCount;
    // Returns an ExitCode. Messages for the user go to `err`, one line per problem.
    int (*run)(std::span<const std::string> args, std::ostream& out, std::ostream& err);
};

std::span<const Command> commands();
const Command* commandNamed(std::string_view name);

// The text printed by --help and, on stderr, after a usage error.
std::string usageText();

// Makes a text from a file or the command line safe to print on one line:
// control bytes become \xNN.
std::string printable(std::string_view text);

// "divelog-convert: FILE: reason" on `err`.
void reportRefusal(std::ostream& err, std::string_view file, std::string_view reason);

}  // namespace divelog::cli
