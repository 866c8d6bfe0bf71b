#pragma once

#include <cstdint>
#include <string>

namespace divelog {

// A point in time as seconds since 2001-01-01 00:00:00 UTC, the reference
// date that logbook files have always counted from.
struct Date {
    double seconds = 0.0;

    friend bool operator==(const Date&, const Date&) = default;
    friend auto operator<=>(const Date&, const Date&) = default;
};

// Calendar fields in the local time zone.
struct DateParts {
    int year = 2001;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

Date dateNow();
Date dateFromLocalParts(const DateParts& parts);
DateParts localParts(Date date);
// "2024-05-31" style day text in the local time zone.
std::string formatDay(Date date);
// "14:05" style time of day in the local time zone.
std::string formatTime(Date date);

}  // namespace divelog
