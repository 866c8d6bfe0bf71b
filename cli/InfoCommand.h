#pragma once

#include <iosfwd>
#include <string>

#include "Commands.h"

namespace divelog {
class Plongee;
}

namespace divelog::cli {

// `info FILE [--json]`: prints the summary of a document or dive file, or
// one refusal line.
int runInfo(const Invocation& call, std::ostream& out, std::ostream& err);

// One dive as a JSON object on one line: number, local start, depth in
// metres, duration in seconds, samples, interval, first and last sample as
// [seconds, metres], oxygen and helium percent, place and site.
std::string diveJson(const Plongee& dive);

}  // namespace divelog::cli
