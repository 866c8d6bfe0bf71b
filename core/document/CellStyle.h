#pragma once

#include <optional>

#include "archive/ArchiveValues.h"

namespace divelog {

// How a table cell looks. "Normal" is the regular font, no background and
// black text.
struct CellStyle {
    bool bold = false;
    std::optional<Colour> background;
    Colour text{0, 0, 0, 1};
    friend bool operator==(const CellStyle&, const CellStyle&) = default;
};

// The named colours of the tables' rules.
namespace colours {
inline constexpr Colour kBlack{0, 0, 0, 1};
inline constexpr Colour kRed{1, 0, 0, 1};
inline constexpr Colour kGreen{0, 0.6f, 0, 1};
inline constexpr Colour kBlue{0, 0, 1, 1};
inline constexpr Colour kPurple{0.5f, 0, 0.5f, 1};
inline constexpr Colour kBrown{0.6f, 0.4f, 0.2f, 1};
inline constexpr Colour kOrange{1, 0.5f, 0, 1};
}  // namespace colours

}  // namespace divelog
