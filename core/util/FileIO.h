#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace divelog {

// Reads a whole file. False with a readable reason on failure.
[[nodiscard]] bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes,
                                 std::string& error);

// Writes a temporary file beside `path`, flushes it to disk, then renames it
// over `path`; the old file is untouched unless every step succeeded.
[[nodiscard]] bool writeFileAtomically(const std::string& path,
                                       std::span<const std::uint8_t> bytes, std::string& error);

}  // namespace divelog
