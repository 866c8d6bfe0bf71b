#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "profile/ProfileSeries.h"

namespace divelog {

// A profile series as the profile-data window shows and reads it: one entry
// per line, depths and pressures with one decimal, flags as whole numbers.
class ProfileText {
public:
    // Entries joined by line feeds, none after the last.
    static std::string text(const ProfileSeries& series, SeriesId id);

    struct Parsed {
        std::vector<double> values;
        std::optional<std::size_t> badLine;  // 1-based: a depth or pressure that is no number
    };
    // One entry per line; a line break at the end adds no entry and an empty
    // text gives none. Depths and pressures must be numbers ("," or "."); a
    // flag line gives its leading whole number, 0 when it has none.
    static Parsed parse(SeriesId id, std::string_view text);
};

}  // namespace divelog
