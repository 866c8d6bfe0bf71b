#include "exchange/GpsPosition.h"

#include <cmath>
#include <cstdio>

#include "exchange/XmlReading.h"

namespace divelog {

namespace {

// "N 43°12.345'" at the front of `text`: the signed degrees; advances past it.
std::optional<double> angle(std::string_view& text, char positive, char negative, double limit) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    if (text.empty() || (text.front() != positive && text.front() != negative)) return std::nullopt;
    const double sign = text.front() == positive ? 1 : -1;
    text.remove_prefix(1);
    const auto degrees = leadingNumber(text);
    const std::size_t mark = text.find("\xC2\xB0");  // the degree sign
    if (!degrees || mark == std::string_view::npos || *degrees < 0 ||
        *degrees != std::trunc(*degrees))
        return std::nullopt;
    text.remove_prefix(mark + 2);
    const auto minutes = leadingNumber(text);
    const std::size_t quote = text.find('\'');
    if (!minutes || quote == std::string_view::npos || *minutes < 0 || *minutes >= 60)
        return std::nullopt;
    text.remove_prefix(quote + 1);
    const double value = *degrees + *minutes / 60;
    if (value > limit) return std::nullopt;
    return sign * value;
}

std::string part(double value, char positive, char negative, int width) {
    const double a = std::fabs(value);
    long degrees = static_cast<long>(std::floor(a));
    double minutes = std::round((a - static_cast<double>(degrees)) * 60 * 1000) / 1000;
    if (minutes >= 60) {
        minutes -= 60;
        ++degrees;
    }
    char buf[48];
    std::snprintf(buf, sizeof buf, "%c %0*ld\xC2\xB0%06.3f'", value < 0 ? negative : positive,
                  width, degrees, minutes);
    return buf;
}

}  // namespace

std::optional<GpsPosition> GpsPosition::parse(std::string_view text) {
    const auto latitude = angle(text, 'N', 'S', 90);
    if (!latitude) return std::nullopt;
    const auto longitude = angle(text, 'E', 'W', 180);
    if (!longitude) return std::nullopt;
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    if (!text.empty() || (*latitude == 0 && *longitude == 0)) return std::nullopt;
    return GpsPosition{*latitude, *longitude};
}

std::string GpsPosition::text() const {
    return part(latitude, 'N', 'S', 2) + " " + part(longitude, 'E', 'W', 3);
}

}  // namespace divelog
