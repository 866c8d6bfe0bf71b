#include "exchange/UddfCodes.h"

#include <array>
#include <cctype>
#include <string>

namespace divelog {

namespace {

// Best first, as the visibility list offers them: the least distance of each.
constexpr std::array<std::pair<std::int32_t, double>, 8> kVisibility = {
    {{8, 40}, {0, 30}, {1, 20}, {2, 15}, {3, 10}, {4, 5}, {5, 3}, {6, 1}}};
constexpr std::array<std::string_view, 6> kCurrent = {"no-current",   "very-mild-current",
                                                      "mild-current", "moderate-current",
                                                      "hard-current", "very-hard-current"};
constexpr std::array<std::pair<std::int32_t, int>, 4> kMarks = {{{1, 10}, {2, 7}, {3, 3}, {4, 1}}};
constexpr std::array<std::string_view, 5> kApparatus = {"OC", "SCR", "mCCR", "eCCR", "hCCR"};
constexpr std::array<std::string_view, 3> kMaterials = {"steel", "aluminium", "carbon"};
constexpr std::array<std::string_view, kCylinderRoles> kRoles = {
    "cylinder 1", "cylinder 2", "stage 1", "stage 2", "stage 3",
    "bail-out 1", "bail-out 2", "stop 4",  "stop 5"};

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

template <std::size_t N>
std::optional<std::int32_t> indexOf(const std::array<std::string_view, N>& words,
                                    std::string_view word) {
    const std::string w = lower(word);
    for (std::size_t i = 0; i < N; ++i)
        if (lower(words[i]) == w) return static_cast<std::int32_t>(i);
    return std::nullopt;
}

}  // namespace

std::optional<double> UddfCodes::visibilityMetres(std::int32_t code) {
    for (const auto& [c, metres] : kVisibility)
        if (c == code) return metres;
    return std::nullopt;
}

std::int32_t UddfCodes::visibilityCode(double metres) {
    for (const auto& [c, least] : kVisibility)
        if (metres >= least) return c;
    return kVisibility.back().first;
}

std::string_view UddfCodes::currentWord(std::int32_t code) {
    return code >= 0 && code < static_cast<std::int32_t>(kCurrent.size())
               ? kCurrent[static_cast<std::size_t>(code)]
               : std::string_view();
}

std::optional<std::int32_t> UddfCodes::currentCode(std::string_view word) {
    return indexOf(kCurrent, word);
}

std::optional<int> UddfCodes::markRating(std::int32_t mark) {
    for (const auto& [m, rating] : kMarks)
        if (m == mark) return rating;
    return std::nullopt;
}

std::optional<std::int32_t> UddfCodes::markOfRating(int rating) {
    for (const auto& [m, r] : kMarks)
        if (r == rating) return m;
    return std::nullopt;
}

std::string_view UddfCodes::apparatusName(std::int32_t code) {
    return code >= 0 && code < static_cast<std::int32_t>(kApparatus.size())
               ? kApparatus[static_cast<std::size_t>(code)]
               : std::string_view();
}

std::optional<std::int32_t> UddfCodes::apparatusCode(std::string_view name) {
    return indexOf(kApparatus, name);
}

std::string_view UddfCodes::diveMode(std::int32_t apparatus) {
    if (apparatus == 1) return "semiclosedcircuit";
    if (apparatus >= 2 && apparatus <= 4) return "closedcircuit";
    return "opencircuit";
}

std::string_view UddfCodes::materialWord(std::int32_t code) {
    return code >= 0 && code < static_cast<std::int32_t>(kMaterials.size())
               ? kMaterials[static_cast<std::size_t>(code)]
               : std::string_view();
}

std::optional<std::int32_t> UddfCodes::materialCode(std::string_view word) {
    return indexOf(kMaterials, word);
}

std::string_view cylinderRoleName(CylinderRole role) {
    return kRoles[static_cast<std::size_t>(role)];
}

std::optional<CylinderRole> cylinderRoleNamed(std::string_view name) {
    if (auto i = indexOf(kRoles, name)) return static_cast<CylinderRole>(*i);
    return std::nullopt;
}

}  // namespace divelog
