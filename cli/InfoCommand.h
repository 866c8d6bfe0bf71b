#pragma once

#include <iosfwd>
#include <span>
#include <string>

namespace divelog::cli {

// `info FILE`: prints the summary of a document file, or one refusal line.
int runInfo(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace divelog::cli
