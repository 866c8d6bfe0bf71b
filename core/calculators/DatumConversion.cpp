#include "calculators/DatumConversion.h"

#include <cmath>

namespace divelog::datum {

namespace {

constexpr double kDegToRad = 0.017453292519943295;
constexpr double kRadToDeg = 57.29577951308232;
constexpr double kMaxHeight = 100000.0;

// International 1924 and WGS84, to the digits of the seven-parameter chain.
constexpr double kHayfordA = 6378388.0, kHayfordE2 = 0.006722670022333177,
                 kHayfordOneMinusE2 = 0.9932773299776668;
constexpr double kWgsA = 6378137.0, kWgsE2 = 0.00669437999014133, kWgsBOverA = 0.9966471893352525,
                 kWgsE2A = 42697.672707180056;

// ED50 to WGS84: scale, then small rotations (radians), then shifts (metres).
constexpr double kScale = 1.000001994;
constexpr double kRx = 1.614e-6, kRy = 3.73e-7, kRz = 4.334e-6;
constexpr double kTx = -90.365, kTy = -101.13, kTz = -123.384;

std::string number(double v) { return formatText("%.10f", {v}); }
std::string metres(double v) { return formatText("%.2f m", {v}); }
std::string dmsAsTyped(const Dms& d) {
    return formatText("%.0f ° %.0f ' %.3f ''", {d.degrees, d.minutes, d.seconds});
}

// Rounding noise must not print as "-0.00".
double tidy(double v, double resolution) { return std::fabs(v) < resolution / 2 ? 0.0 : v; }

std::optional<Why> positionProblem(double longitude, double latitude, double height) {
    if (!(std::fabs(longitude) <= 180.0 && std::fabs(latitude) <= 90.0)) return Why::PositionRange;
    if (!(std::fabs(height) <= kMaxHeight)) return Why::HeightRange;
    return std::nullopt;
}

}  // namespace

std::optional<double> decimalDegrees(const Dms& d) {
    if (!(d.minutes >= 0 && d.minutes < 60 && d.seconds >= 0 && d.seconds < 60))
        return std::nullopt;
    if (!std::isfinite(d.degrees)) return std::nullopt;
    const double magnitude = std::fabs(d.degrees) + d.minutes / 60.0 + d.seconds / 3600.0;
    return std::signbit(d.degrees) ? -magnitude : magnitude;
}

SevenParameters ed50ToWgs84(const Dms& longitude, const Dms& latitude, double h) {
    SevenParameters out;
    const auto lngDeg = decimalDegrees(longitude), latDeg = decimalDegrees(latitude);
    if (!lngDeg || !latDeg) {
        out.answer = refused(Why::PositionRange);
        return out;
    }
    if (auto why = positionProblem(*lngDeg, *latDeg, h)) {
        out.answer = refused(*why);
        return out;
    }
    const double lam = *lngDeg * kDegToRad, phi = *latDeg * kDegToRad;
    const double n = kHayfordA / std::sqrt(1 - kHayfordE2 * std::sin(phi) * std::sin(phi));
    const double x = (n + h) * std::cos(phi) * std::cos(lam);
    const double y = (n + h) * std::cos(phi) * std::sin(lam);
    const double z = (kHayfordOneMinusE2 * n + h) * std::sin(phi);

    const double x2 = kScale * (x - kRz * y + kRy * z) + kTx;
    const double y2 = kScale * (kRz * x + y + kRx * z) + kTy;
    const double z2 = kScale * (-kRy * x - kRx * y + z) + kTz;

    // Bowring's closed form on WGS84.
    const double p = std::sqrt(x2 * x2 + y2 * y2);
    const double theta = std::atan2(z2, kWgsBOverA * p);
    const double s = std::sin(theta), c = std::cos(theta);
    const double phi2 = std::atan2(z2 + kWgsE2A / kWgsBOverA * s * s * s, p - kWgsE2A * c * c * c);
    const double lam2 = std::atan2(y2, x2);
    const double n2 = kWgsA / std::sqrt(1 - kWgsE2 * std::sin(phi2) * std::sin(phi2));
    const double h2 = p / std::cos(phi2) - n2;

    out.answer = answerOf({lam2 * kRadToDeg, phi2 * kRadToDeg, h2});
    if (!out.answer.ok()) return out;
    out.trace = {
        {"----- ED50 -----", "", true, false},
        {"  latitude : ", dmsAsTyped(latitude)},
        {"  longitude : ", dmsAsTyped(longitude)},
        {"  altitude : ", metres(h)},
        {"  lat (deg.) : ", number(*latDeg), false, true},
        {"  lng (deg.) : ", number(*lngDeg)},
        {"  lat (rad.) : ", number(phi), false, true},
        {"  lng (rad.) : ", number(lam)},
        {"  sin(lat) : ", number(std::sin(phi)), false, true},
        {"  cos(lat) : ", number(std::cos(phi))},
        {"  sin(lng) : ", number(std::sin(lam))},
        {"  cos(lng) : ", number(std::cos(lam))},
        {"  n : ", number(n), false, true},
        {"  x : ", number(x)},
        {"  y : ", number(y)},
        {"  z : ", number(z)},
        {"----- WGS84 -----", "", true, true},
        {"  x : ", number(x2)},
        {"  y : ", number(y2)},
        {"  z : ", number(z2)},
        {"  p : ", number(p), false, true},
        {"  theta : ", number(theta), false, true},
        {"  phi : ", number(phi2)},
        {"  n : ", number(n2)},
        {"  lambda : ", number(lam2)},
        {"  altitude : ", metres(tidy(h2, 0.01))},
        {"  lat (deg.) : ", number(phi2 * kRadToDeg), false, true},
        {"  lng (deg.) : ", number(lam2 * kRadToDeg)},
    };
    return out;
}

Answer threeParameters(Direction direction, double longitude, double latitude, double h) {
    if (auto why = positionProblem(longitude, latitude, h)) return refused(*why);
    // The shift and the rounded eccentricities of the three-parameter method.
    const bool toWgs = direction == Direction::Ed50ToWgs84;
    const double aIn = toWgs ? kHayfordA : kWgsA, e2In = toWgs ? 0.00672267 : 0.00669438;
    const double aOut = toWgs ? kWgsA : kHayfordA, e2Out = toWgs ? 0.00669438 : 0.00672267;
    const double sign = toWgs ? 1.0 : -1.0;

    const double lam = longitude * kDegToRad, phi = latitude * kDegToRad;
    const double n = aIn / std::sqrt(1 - e2In * std::sin(phi) * std::sin(phi));
    const double x = (n + h) * std::cos(phi) * std::cos(lam) - sign * 87.0;
    const double y = (n + h) * std::cos(phi) * std::sin(lam) - sign * 98.0;
    const double z = ((1 - e2In) * n + h) * std::sin(phi) - sign * 121.0;

    const double p = std::sqrt(x * x + y * y);
    // atan2 rather than 2 atan(y / (x + p)), which is 0/0 on the far meridian.
    const double lam2 = std::atan2(y, x);
    double phi2 = 0, n2 = aOut;
    for (int pass = 0; pass < 5; ++pass) {
        n2 = aOut / std::sqrt(1 - e2Out * std::sin(phi2) * std::sin(phi2));
        phi2 = std::atan2(z + e2Out * n2 * std::sin(phi2), p);
    }
    const double h2 = p * std::cos(phi2) + z * std::sin(phi2) - aOut * aOut / n2;
    return answerOf({lam2 * kRadToDeg, phi2 * kRadToDeg, h2});
}

OutputTexts sevenParameterTexts(const Answer& a) {
    auto dms = [](double degrees) {
        // Whole thousandths of a second, so 59.9996'' carries into the minute.
        const long long ms = std::llround(std::fabs(degrees) * 3600000.0);
        const bool negative = degrees < 0 && ms > 0;
        return formatText("WGS84 %@%lld° %lld' %.3f''",
                          {std::string(negative ? "-" : ""), std::int64_t(ms / 3600000),
                           std::int64_t(ms / 60000 % 60), (ms % 60000) / 1000.0});
    };
    return {dms(a.value(0)), dms(a.value(1)), formatText("%.1f m", {tidy(a.value(2), 0.1)})};
}

OutputTexts threeParameterTexts(const Answer& a) {
    return {formatText("%.6f", {tidy(a.value(0), 1e-6)}),
            formatText("%.6f", {tidy(a.value(1), 1e-6)}),
            formatText("%.2f m", {tidy(a.value(2), 0.01)})};
}

}  // namespace divelog::datum
