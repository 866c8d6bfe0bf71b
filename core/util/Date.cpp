#include "util/Date.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace divelog {

namespace {
constexpr double kUnixToReference = 978307200.0;  // 2001-01-01T00:00:00Z in Unix time

// Years 1 to 9999: a date read from a damaged file may hold any double, and
// converting one beyond time_t is undefined.
constexpr double kEarliestUnix = -62135596800.0;
constexpr double kLatestUnix = 253402300799.0;

std::tm toLocalTm(Date date) {
    double unix = date.seconds + kUnixToReference;
    if (!std::isfinite(unix)) unix = kUnixToReference;
    unix = std::clamp(unix, kEarliestUnix, kLatestUnix);
    std::time_t t = static_cast<std::time_t>(std::floor(unix));
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm;
}
}  // namespace

Date dateNow() {
    using namespace std::chrono;
    double unix = duration<double>(system_clock::now().time_since_epoch()).count();
    return Date{unix - kUnixToReference};
}

Date dateFromLocalParts(const DateParts& p) {
    std::tm tm{};
    tm.tm_year = p.year - 1900;
    tm.tm_mon = p.month - 1;
    tm.tm_mday = p.day;
    tm.tm_hour = p.hour;
    tm.tm_min = p.minute;
    tm.tm_sec = p.second;
    tm.tm_isdst = -1;
    std::time_t t = mktime(&tm);
    return Date{static_cast<double>(t) - kUnixToReference};
}

DateParts localParts(Date date) {
    std::tm tm = toLocalTm(date);
    return DateParts{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                     tm.tm_hour,        tm.tm_min,     tm.tm_sec};
}

std::string formatDay(Date date) {
    DateParts p = localParts(date);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", p.year, p.month, p.day);
    return buf;
}

std::string formatTime(Date date) {
    DateParts p = localParts(date);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d", p.hour, p.minute);
    return buf;
}

}  // namespace divelog
