#include "InfoCommand.h"

#include <ostream>
#include <vector>

#include "ArchiveSummary.h"
#include "Commands.h"
#include "ExitCodes.h"
#include "util/FileIO.h"

namespace divelog::cli {

int runInfo(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    const std::string& path = args[0];
    std::vector<std::uint8_t> bytes;
    std::string error;
    ArchiveSummary summary;
    if (!readWholeFile(path, bytes, error) || !summarizeArchive(bytes, summary, error)) {
        reportRefusal(err, path, error);
        return kExitRefused;
    }
    printSummary(summary, out);
    if (!out.flush()) {
        reportRefusal(err, path, "Cannot write the output.");
        return kExitRefused;
    }
    return kExitOk;
}

}  // namespace divelog::cli
