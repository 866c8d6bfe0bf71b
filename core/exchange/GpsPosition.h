#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace divelog {

// A dive's position as the form's template writes it, "N 43°12.345' E
// 005°20.123'", and as decimal degrees (north and east positive) for the
// files that carry latitude and longitude. The all-zero template is no
// position.
struct GpsPosition {
    double latitude = 0, longitude = 0;

    // None for a text in another form, or the blank template.
    static std::optional<GpsPosition> parse(std::string_view text);
    // The template's form, minutes to the thousandth.
    std::string text() const;
};

}  // namespace divelog
