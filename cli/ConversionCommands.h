#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "Commands.h"

namespace divelog::cli {

// `convert IN OUT --to TYPE`: the dives of any readable file, written as an
// export type, atomically.
int runConvert(const Invocation& call, std::ostream& out, std::ostream& err);
// `import LOGBOOK FILE...`: the files' dives appended to the logbook, which
// is created when absent and saved once; nothing is written when a file
// cannot be read.
int runImport(const Invocation& call, std::ostream& out, std::ostream& err);
// `validate FILE`: what an import of the file would leave out or correct.
int runValidate(const Invocation& call, std::ostream& out, std::ostream& err);

// The export types `convert --to` takes, as the save panel offers them.
std::vector<std::string> exportTypeNames();

}  // namespace divelog::cli
