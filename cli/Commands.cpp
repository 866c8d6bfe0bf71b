#include "Commands.h"

#include <array>
#include <cstdio>
#include <ostream>

#include "ExitCodes.h"
#include "InfoCommand.h"

namespace divelog::cli {

namespace {

const std::array<Command, 1> kCommands = {{
    {"info", "FILE",
     "Print the document kind, the archive format version,\n"
     "each class with its version, the record count and,\n"
     "for a logbook, the first and last dive dates.",
     1, runInfo},
}};

}  // namespace

std::span<const Command> commands() { return kCommands; }

const Command* commandNamed(std::string_view name) {
    for (const auto& c : kCommands)
        if (c.name == name) return &c;
    return nullptr;
}

std::string usageText() {
    std::string text =
        "Usage: divelog-convert COMMAND ARGUMENTS...\n"
        "       divelog-convert --help | -h\n"
        "\n"
        "Reads dive logbook and register files without the application.\n"
        "\n"
        "Commands:\n";
    for (const auto& c : kCommands) {
        std::string head = "  " + std::string(c.name) + " " + std::string(c.arguments);
        const std::size_t column = 20;
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
    }
    text +=
        "\n"
        "Exit status:\n"
        "  0  success\n"
        "  1  a file could not be read, or is not a document this program reads\n"
        "     (one line on standard error: divelog-convert: FILE: reason)\n"
        "  2  usage error: unknown command, missing or extra argument\n";
    return text;
}

std::string printable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7f) {
            char buf[5];
            std::snprintf(buf, sizeof buf, "\\x%02x", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

void reportRefusal(std::ostream& err, std::string_view file, std::string_view reason) {
    err << "divelog-convert: " << printable(file) << ": " << printable(reason) << '\n';
}

}  // namespace divelog::cli
