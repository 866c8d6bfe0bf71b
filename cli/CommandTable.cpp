// The commands of divelog-convert, their usage and how their command lines
// are read.

#include <algorithm>
#include <array>

#include "Commands.h"
#include "ConversionCommands.h"
#include "InfoCommand.h"

namespace divelog::cli {

namespace {

constexpr std::array kInfoOptions = {Option{"--json"}};
constexpr std::array kConvertOptions = {Option{"--to", true, true}, Option{"--us-units"}};
constexpr std::array kImportOptions = {Option{"--us-units"}};

const std::array<Command, 4> kCommands = {{
    {"info", "FILE [--json]",
     "Print the document kind, the archive format version,\n"
     "each class with its version, the record count and,\n"
     "for a logbook, the first and last dive dates. A UDDF,\n"
     "UDCF or companion file gives its format and dives.\n"
     "--json: one JSON object per dive on its own line.",
     1, 1, kInfoOptions, runInfo},
    {"convert", "IN OUT --to TYPE [--us-units]",
     "Write the dives of IN (a logbook or any file that\n"
     "import reads) to OUT as an export TYPE.\n"
     "--us-units: IN is a logbook kept in feet and degrees\n"
     "Fahrenheit (dives read from other files are taken so).\n"
     "The export types:",
     2, 2, kConvertOptions, runConvert},
    {"import", "LOGBOOK FILE... [--us-units]",
     "Append the dives of UDDF, UDCF and companion files to\n"
     "LOGBOOK, created when absent, saved once, atomically.\n"
     "Nothing is written unless every FILE can be read.\n"
     "--us-units: LOGBOOK is kept in feet and degrees\n"
     "Fahrenheit; the files' metres and degrees Celsius are\n"
     "converted (a logbook file does not say its units).",
     2, Command::kAny, kImportOptions, runImport},
    {"validate",
     "FILE",
     "Read FILE as import would and say what would be left\n"
     "out or corrected.",
     1,
     1,
     {},
     runValidate},
}};

}  // namespace

std::span<const Command> commands() { return kCommands; }

const Command* commandNamed(std::string_view name) {
    for (const auto& c : kCommands)
        if (c.name == name) return &c;
    return nullptr;
}

std::optional<Invocation> parseInvocation(const Command& command,
                                          std::span<const std::string> words, std::string& error) {
    Invocation call;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (w.size() < 3 || w.rfind("--", 0) != 0) {
            call.args.push_back(w);
            continue;
        }
        const std::size_t equals = w.find('=');
        const std::string name = w.substr(0, equals);
        const auto option = std::find_if(command.options.begin(), command.options.end(),
                                         [&](const Option& o) { return o.name == name; });
        if (option == command.options.end()) {
            error = "unknown option " + name + " for " + std::string(command.name);
            return std::nullopt;
        }
        std::string value;
        if (option->takesValue) {
            if (equals != std::string::npos) {
                value = w.substr(equals + 1);
            } else if (i + 1 < words.size()) {
                value = words[++i];
            } else {
                error = name + " needs a value";
                return std::nullopt;
            }
        } else if (equals != std::string::npos) {
            error = name + " takes no value";
            return std::nullopt;
        }
        call.options[name] = value;
    }
    for (const Option& o : command.options)
        if (o.required && !call.has(o.name)) {
            error = std::string(command.name) + " needs " + std::string(o.name);
            return std::nullopt;
        }
    if (call.args.size() < command.minArguments || call.args.size() > command.maxArguments) {
        error = std::string(call.args.size() < command.minArguments ? "missing" : "too many") +
                " arguments for " + std::string(command.name) + " (expects " +
                std::string(command.arguments) + ")";
        return std::nullopt;
    }
    return call;
}

std::string usageText() {
    std::string text =
        "Usage: divelog-convert COMMAND ARGUMENTS...\n"
        "       divelog-convert --help | -h\n"
        "\n"
        "Reads and converts dive logbooks and the dive files of other\n"
        "software (UDDF, UDCF, companion) without the application.\n"
        "\n"
        "Commands:\n";
    const std::size_t column = 20;
    for (const auto& c : kCommands) {
        std::string head = "  " + std::string(c.name) + " " + std::string(c.arguments);
        if (head.size() + 2 > column) {
            text += head + "\n";
            head.clear();
        }
        head.resize(column, ' ');
        std::string_view summary = c.summary;
        while (!summary.empty()) {
            auto eol = summary.find('\n');
            text += head;
            text += summary.substr(0, eol);
            text += '\n';
            head.assign(column, ' ');
            summary = eol == std::string_view::npos ? std::string_view() : summary.substr(eol + 1);
        }
        if (c.run == runConvert)
            for (const std::string& type : exportTypeNames())
                text += std::string(column + 2, ' ') + "\"" + type + "\"\n";
    }
    text +=
        "\n"
        "Exit status:\n"
        "  0  success\n"
        "  1  a file could not be read or written, or is not a file this\n"
        "     program reads (one line on standard error: divelog-convert: FILE: reason)\n"
        "  2  usage error: unknown command or option, missing or extra argument\n"
        "  3  validate: the file reads, but some of what it holds would be left out,\n"
        "     or no dive was found in it\n";
    return text;
}

}  // namespace divelog::cli
