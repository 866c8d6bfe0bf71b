#pragma once

// What `divelog-convert info` reports about a document file. Computed from
// bytes so that tests and the fuzzer feed memory directly.

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "archive/BinaryArchive.h"
#include "document/DocumentKind.h"
#include "util/Date.h"

namespace divelog::cli {

struct ArchiveSummary {
    const DocumentKindInfo* kind = nullptr;  // points into the static kind table
    std::uint16_t formatVersion = 0;
    std::vector<ClassVersion> classes;
    std::size_t recordCount = 0;
    // Logbooks only: the earliest and latest `date` among the dives, absent
    // when no dive has a date the calendar can show.
    bool isLogbook = false;
    std::optional<Date> firstDive;
    std::optional<Date> lastDive;
};

// Decodes the whole document, so a truncated or damaged file is refused here
// and not half-reported. False with a readable reason in `error`.
[[nodiscard]] bool summarizeArchive(std::span<const std::uint8_t> bytes, ArchiveSummary& summary,
                                    std::string& error);

// "key: value" lines, in a fixed order.
void printSummary(const ArchiveSummary& summary, std::ostream& out);

}  // namespace divelog::cli
