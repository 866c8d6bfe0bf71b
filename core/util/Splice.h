#pragma once

#include <algorithm>
#include <array>
#include <cstddef>

namespace divelog {

// One array of the parts, in order: a table that shares a run of rows with
// another splices that run in rather than spelling it again.
template <class T, std::size_t... N>
constexpr std::array<T, (N + ...)> spliced(const std::array<T, N>&... parts) {
    std::array<T, (N + ...)> out{};
    auto at = out.begin();
    ((at = std::copy(parts.begin(), parts.end(), at)), ...);
    return out;
}

}  // namespace divelog
