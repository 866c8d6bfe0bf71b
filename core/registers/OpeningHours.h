#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace divelog {

class Record;
class RegisterCardWriter;

// The opening hours as both address books keep them: seven days of four texts.
struct OpeningHours {
    static constexpr std::size_t kDays = 7;
    static constexpr std::size_t kPerDay = 4;
    static constexpr std::size_t kFieldCount = kDays * kPerDay;
    // Field names, day by day ("horaireLundi_1" ...).
    static const std::array<std::string_view, kFieldCount>& fields();
    // The card's label keys of the days ("Monday" ...).
    static const std::array<std::string_view, kDays>& dayKeys();
    // A day's four hours as the card shows them: "8h - 12h / 14h - 18h".
    static std::string joined(std::string_view a, std::string_view b, std::string_view c,
                              std::string_view d);
    // The card's "Schedules" heading and a line per day, from the record's
    // 28 hour fields that start at `first`.
    static void writeCard(const Record& record, std::size_t first, RegisterCardWriter& card);
};

}  // namespace divelog
