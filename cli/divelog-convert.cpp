// divelog-convert: the command-line face of the core. It links nothing but
// the core, which keeps the core honest about needing no GUI.

#include <iostream>
#include <string>
#include <vector>

#include "Commands.h"
#include "ExitCodes.h"

using namespace divelog::cli;

namespace {

int usageError(const std::string& message) {
    std::cerr << "divelog-convert: " << printable(message) << "\n\n" << usageText();
    return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    for (const auto& a : args) {
        if (a == "--help" || a == "-h") {
            std::cout << usageText();
            return std::cout.flush() ? kExitOk : kExitRefused;
        }
    }
    if (args.empty()) return usageError("no command given");

    const Command* command = commandNamed(args.front());
    if (!command) return usageError("unknown command \"" + args.front() + "\"");
    args.erase(args.begin());
    std::string error;
    const auto call = parseInvocation(*command, args, error);
    if (!call) return usageError(error);
    return command->run(*call, std::cout, std::cerr);
}
