#include "profile/ProfileModelText.h"

#include <cmath>

#include "localisation/Localisation.h"
#include "util/Numbers.h"

namespace divelog {

namespace {

constexpr std::string_view kCarnet = "Carnet";
constexpr std::string_view kProfil = "Profil";
constexpr std::string_view kFallback = "error !";

std::int64_t whole(double v) {
    return std::isfinite(v) ? static_cast<std::int64_t>(std::llround(v)) : 0;
}
std::int64_t count(std::size_t n) { return static_cast<std::int64_t>(n); }

// A limit counts down (4 min 50 s is 4 minutes left), a time to surface up.
std::string minutesText(const std::optional<double>& minutes, bool roundUp, const Localisation& t) {
    if (!minutes)
        return t.format(kProfil, "Minutes beyond", "over %d min",
                        {whole(ProfileModel::kLongestLimit)});
    const double m = roundUp ? std::ceil(*minutes - 1e-9) : std::floor(*minutes);
    return t.format(kProfil, "Minutes", "%d min", {static_cast<std::int64_t>(m)});
}

std::string intervalText(double minutes, const Localisation& t) {
    const std::int64_t m = whole(minutes);
    return t.format(kCarnet, "Tissues interval", "%d h %.2d min", {m / 60, m % 60});
}

template <class... Args>
std::string line(const Localisation& t, std::string_view key, Args... args) {
    return t.format(kCarnet, key, kFallback, {FormatArg(args)...});
}

}  // namespace

std::string compartmentName(std::size_t c, const Localisation& t) {
    const zhl16c::Compartment& k = zhl16c::compartments()[c % zhl16c::kCompartments];
    return t.format(kProfil, "Compartment", "%@ (%@ min)",
                    {std::string(k.name), decimalText(k.n2HalfTime)});
}

ProfileModelText ProfileModelText::of(const ProfileModel& m, const TissueStart& start,
                                      const Localisation& t) {
    ProfileModelText x;
    x.whichIsWhich = t.text(kCarnet, "Oxygen which is which", kFallback);
    switch (m.missing()) {
        case ProfileModel::Missing::Profile:
            x.oxygen = t.text(kCarnet, "Oxygen over profile no samples", kFallback);
            return x;
        case ProfileModel::Missing::SetPoint:
            x.oxygen = t.text(kCarnet, "Oxygen over profile no set point", kFallback);
            return x;
        case ProfileModel::Missing::Nothing: break;
    }
    const OxygenDose dose = m.dose();
    x.oxygen =
        line(t, "Oxygen over profile", dose.cnsPercent, dose.otu, m.lowestPpO2(), m.highestPpO2());

    const GradientFactors& gf = m.inputs().gf;
    x.tissues.push_back(line(t, gf.fromPreferences ? "Tissues title" : "Tissues title refused",
                             whole(gf.low * 100), whole(gf.high * 100)));
    x.tissues.push_back(m.deepestCeiling() > 0
                            ? line(t, "Tissues deepest ceiling", m.deepestCeiling())
                            : t.text(kCarnet, "Tissues no ceiling", kFallback));
    const ProfileModel::Moment end = m.at(m.samples() - 1);
    x.tissues.push_back(
        line(t, "Tissues at the end", end.surfaceGf, compartmentName(end.leading, t)));
    switch (start.source) {
        case TissueStart::Source::Surface:
            x.tissues.push_back(t.text(kCarnet, "Tissues start saturated", kFallback));
            break;
        case TissueStart::Source::Unknown:
            x.tissues.push_back(
                line(t, "Tissues start unknown interval", std::int64_t{start.previousNumber}));
            break;
        case TissueStart::Source::PreviousDive:
            x.tissues.push_back(line(
                t,
                start.previousSquare ? "Tissues start previous square" : "Tissues start previous",
                std::int64_t{start.previousNumber}, intervalText(start.intervalMinutes, t)));
            break;
    }

    auto worst = [](const std::vector<SampleRun>& runs, bool highest) {
        double w = runs.front().worst;
        for (const SampleRun& r : runs) w = highest ? std::max(w, r.worst) : std::min(w, r.worst);
        return w;
    };
    if (!m.aboveCeiling().empty())
        x.warnings.push_back(line(t, "Warning above ceiling", count(m.aboveCeiling().size()),
                                  worst(m.aboveCeiling(), true)));
    if (!m.highOxygen().empty())
        x.warnings.push_back(line(t, "Warning high ppO2", count(m.highOxygen().size()),
                                  worst(m.highOxygen(), true)));
    if (!m.lowOxygen().empty())
        x.warnings.push_back(
            line(t, "Warning low ppO2", count(m.lowOxygen().size()), worst(m.lowOxygen(), false)));
    if (!m.fastAscents().empty())
        x.warnings.push_back(line(t, "Warning fast ascent", count(m.fastAscents().size()),
                                  worst(m.fastAscents(), true)));

    if (m.heldDepths() > 0) x.mends.push_back(line(t, "Model depths held", count(m.heldDepths())));
    if (m.raisedDepths() > 0)
        x.mends.push_back(line(t, "Model depths raised", count(m.raisedDepths())));
    if (m.gasSwitches().flagsIgnored)
        x.mends.push_back(line(t, "Model gas flags ignored", count(m.gasSwitches().flagEntries),
                               count(m.samples())));
    if (m.gasSwitches().unknownGasSwitches > 0)
        x.mends.push_back(
            line(t, "Model unknown stop gas", count(m.gasSwitches().unknownGasSwitches)));
    return x;
}

std::string ProfileModelText::panel() const {
    std::string out = oxygen + "\n" + whichIsWhich;
    for (const auto* group : {&tissues, &warnings, &mends}) {
        if (group->empty()) continue;
        out += "\n";
        for (const std::string& l : *group) out += "\n" + l;
    }
    return out;
}

std::string momentText(const ProfileModel::Moment& m, const Localisation& t) {
    const std::string leading = compartmentName(m.leading, t);
    if (m.decompression)
        return t.format(
            kProfil, "Pointer decompression", kFallback,
            {m.ppO2, m.ceiling, minutesText(m.timeToSurface, true, t), leading, m.surfaceGf});
    return t.format(kProfil, "Pointer no decompression", kFallback,
                    {m.ppO2, minutesText(m.noDecompression, false, t), leading, m.surfaceGf});
}

}  // namespace divelog
