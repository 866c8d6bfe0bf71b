#pragma once

namespace divelog::cli {

// Scripts tell a refused file from a mistyped command line by these.
enum ExitCode : int {
    kExitOk = 0,
    kExitRefused = 1,  // a file could not be read, or is not a document we read
    kExitUsage = 2,    // unknown command, missing or extra argument
    kExitLossy = 3,    // validate: the file reads, but some of what it holds would be left out
};

}  // namespace divelog::cli
