#pragma once

#include <cstdint>
#include <vector>

namespace divelog {

// A colour as fractions of full intensity, as the settings store keeps it.
struct Colour {
    float red = 0, green = 0, blue = 0, alpha = 1;
    friend bool operator==(const Colour&, const Colour&) = default;
};

// A picture kept as its encoded file bytes (PNG, JPEG, ...); never decoded by the core.
struct Image {
    std::vector<std::uint8_t> bytes;
    friend bool operator==(const Image&, const Image&) = default;
};

}  // namespace divelog
