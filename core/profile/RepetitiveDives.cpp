#include "profile/RepetitiveDives.h"

#include <cctype>
#include <cmath>

#include "dive/Plongee.h"
#include "dive/Units.h"
#include "profile/ProfileModel.h"

namespace divelog {

namespace {

constexpr double kSecondsPerDay = 86400;
// A day's dives before this many are a logbook's oddity, not a day's diving.
constexpr int kLongestChain = 40;

bool sameDay(const DateParts& a, const DateParts& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

// The dive of the same day that came just before, by start, then by row.
std::optional<std::size_t> previousOfDay(const DiveStart& dive,
                                         std::span<const std::unique_ptr<Plongee>> logbook,
                                         std::optional<std::size_t> itself) {
    const DateParts today = localParts(dive.day);
    const double start = dive.startSeconds();
    std::optional<std::size_t> best;
    double bestStart = 0;
    for (std::size_t r = 0; r < logbook.size(); ++r) {
        if (r == itself || !logbook[r]) continue;
        const Plongee& p = *logbook[r];
        // Most dives are days away: no calendar work for them.
        if (!p.date() || std::fabs(p.date()->seconds - dive.day.seconds) > 2 * kSecondsPerDay)
            continue;
        if (!sameDay(localParts(*p.date()), today)) continue;
        const double s = DiveStart::of(p, r).startSeconds();
        if (!(s < start || (s == start && r < dive.row))) continue;
        if (!best || s > bestStart || (s == bestStart && r > *best)) {
            best = r;
            bestStart = s;
        }
    }
    return best;
}

// The tissues at the end of a stored dive that started with `start`; a dive
// without a profile counts as its depth for its whole time.
std::optional<Tissues> tissuesAfterDive(const Plongee& p, ModelInputs in, const Tissues& start,
                                        bool usUnits, bool& square) {
    in.start = start;
    square = false;
    const ProfileSeries series = ProfileSeries::of(p);
    if (series.profilProfondeur.size() >= 2) return ProfileModel::tissuesAfter(series, in);
    if (!in.gases.usable()) return std::nullopt;
    Tissues t = start;
    const double depth = units::metresOfTypedDepth(p.profondeur(), usUnits);
    if (std::isfinite(depth) && depth > 0 && p.temps() > 0) {
        const Inspired at = inspired(in.gases, 0, in.surfaceBar + depth / 10);
        TissueStep(p.temps()).apply(t, at.n2, at.n2, at.he, at.he);
        square = true;
    }
    return t;
}

TissueStart chain(const DiveStart& dive, double surfaceBar,
                  std::span<const std::unique_ptr<Plongee>> logbook,
                  std::optional<std::size_t> itself, bool usUnits, int depth) {
    TissueStart s;
    s.tissues = Tissues::saturated(surfaceBar);
    const auto previous =
        depth < kLongestChain ? previousOfDay(dive, logbook, itself) : std::nullopt;
    if (!previous) return s;
    const Plongee& p = *logbook[*previous];
    const DiveStart before = DiveStart::of(p, *previous);
    s.source = TissueStart::Source::Unknown;
    s.previousNumber = p.noPlongee();

    std::optional<double> interval = surfaceIntervalMinutes(dive.surface);
    s.intervalTyped = interval.has_value();
    if (!interval) {
        const double gap = (dive.startSeconds() - before.startSeconds()) / 60 - p.temps();
        if (gap >= 0) interval = gap;
    }
    if (!interval) return s;

    const ModelInputs in = ModelInputs::of(p, usUnits);
    const TissueStart earlier =
        chain(before, in.surfaceBar, logbook, *previous, usUnits, depth + 1);
    bool square = false;
    std::optional<Tissues> end = tissuesAfterDive(p, in, earlier.tissues, usUnits, square);
    if (!end) return s;
    // The interval breathing air at this dive's surface.
    const double air = std::max(surfaceBar - zhl16c::kWaterVapour, 0.0) * zhl16c::kAirNitrogen;
    TissueStep(*interval).apply(*end, air, air, 0, 0);
    s.tissues = *end;
    s.source = TissueStart::Source::PreviousDive;
    s.intervalMinutes = *interval;
    s.previousSquare = square;
    return s;
}

}  // namespace

DiveStart DiveStart::of(const Plongee& d, std::size_t row) {
    DiveStart s;
    s.day = d.date().value_or(Date{});
    s.time = d.heure().value_or(Date{});
    s.surface = d.surface().value_or(std::string("--:--"));
    s.row = row;
    return s;
}

double DiveStart::startSeconds() const {
    DateParts p = localParts(day);
    const DateParts t = localParts(time);
    p.hour = t.hour;
    p.minute = t.minute;
    p.second = 0;
    return dateFromLocalParts(p).seconds;
}

std::optional<double> surfaceIntervalMinutes(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon > 3) return std::nullopt;
    const std::string_view hours = text.substr(0, colon), minutes = text.substr(colon + 1);
    if (minutes.size() != 2) return std::nullopt;
    auto digits = [](std::string_view s) {
        for (char c : s)
            if (!std::isdigit(static_cast<unsigned char>(c))) return false;
        return true;
    };
    if (!digits(hours) || !digits(minutes)) return std::nullopt;
    const int h = std::stoi(std::string(hours)), m = std::stoi(std::string(minutes));
    if (m > 59) return std::nullopt;
    return h * 60.0 + m;
}

TissueStart TissueStart::of(const DiveStart& dive, double surfaceBar,
                            std::span<const std::unique_ptr<Plongee>> logbook,
                            std::optional<std::size_t> itself, bool usUnits) {
    return chain(dive, surfaceBar, logbook, itself, usUnits, 0);
}

}  // namespace divelog
