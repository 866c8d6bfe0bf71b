#pragma once

#include <cstddef>
#include <iosfwd>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace divelog::cli {

// What a command was given: its positional arguments and its options.
struct Invocation {
    std::vector<std::string> args;
    std::map<std::string, std::string, std::less<>> options;  // "--to" -> "TYPE"; a flag maps to ""

    bool has(std::string_view option) const { return options.find(option) != options.end(); }
};

struct Option {
    std::string_view name;    // "--json"
    bool takesValue = false;  // "--to TYPE" or "--to=TYPE"
    bool required = false;
};

// One sub-command of divelog-convert. The usage text and the argument check
// are built from this table, so a new conversion is one entry and one function.
struct Command {
    std::string_view name;
    std::string_view arguments;  // as shown in the usage, e.g. "IN OUT --to TYPE"
    std::string_view summary;    // may hold '\n' for more lines
    std::size_t minArguments;
    std::size_t maxArguments;  // kAny: no limit
    std::span<const Option> options;
    // Returns an ExitCode. Messages for the user go to `err`, one line per problem.
    int (*run)(const Invocation& call, std::ostream& out, std::ostream& err);

    static constexpr std::size_t kAny = static_cast<std::size_t>(-1);
};

std::span<const Command> commands();
const Command* commandNamed(std::string_view name);

// The command line after the command's name, checked against its entry;
// none with the reason in `error` for a usage error.
std::optional<Invocation> parseInvocation(const Command& command,
                                          std::span<const std::string> words, std::string& error);

// The text printed by --help and, on stderr, after a usage error.
std::string usageText();

// Makes a text from a file or the command line safe to print on one line:
// control bytes, and bytes that are not valid UTF-8, become \xNN.
std::string printable(std::string_view text);

// "divelog-convert: FILE: reason" on `err`.
void reportRefusal(std::ostream& err, std::string_view file, std::string_view reason);

}  // namespace divelog::cli
