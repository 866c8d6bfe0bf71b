#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace divelog {

// How the logbook's coded fields meet the values of the UDDF standard, stated
// once for the standard export and the UDDF import: what one writes the
// other reads back to the same code.
struct UddfCodes {
    // Visibility: a distance in metres for each code, and back.
    static std::optional<double> visibilityMetres(std::int32_t code);
    static std::int32_t visibilityCode(double metres);
    // Current: the standard's six words for codes 0 to 5.
    static std::string_view currentWord(std::int32_t code);
    static std::optional<std::int32_t> currentCode(std::string_view word);
    // The mark as a rating from 1 to 10: a favourite 10, noteworthy 7, a
    // problem 3, an accident 1; other ratings name no mark.
    static std::optional<int> markRating(std::int32_t mark);
    static std::optional<std::int32_t> markOfRating(int rating);
    // The breathing apparatus: its name as the rebreather the diver used,
    // and the standard's dive mode.
    static std::string_view apparatusName(std::int32_t code);
    static std::optional<std::int32_t> apparatusCode(std::string_view name);
    static std::string_view diveMode(std::int32_t apparatus);
    // Cylinder materials.
    static std::string_view materialWord(std::int32_t code);
    static std::optional<std::int32_t> materialCode(std::string_view word);
};

// The cylinders of a dive, as the standard export names the diver's tanks:
// "cylinder 1", "cylinder 2", "stage 1" to "stage 3" (the gases of stops 1
// to 3), "bail-out 1", "bail-out 2", and "stop 4", "stop 5" for the gases of
// the stops that have no cylinder of their own.
enum class CylinderRole { Main, Second, Stage1, Stage2, Stage3, Bailout1, Bailout2, Stop4, Stop5 };
inline constexpr int kCylinderRoles = 9;
std::string_view cylinderRoleName(CylinderRole role);
std::optional<CylinderRole> cylinderRoleNamed(std::string_view name);

}  // namespace divelog
