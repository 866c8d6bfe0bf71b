#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "profile/BreathedGas.h"
#include "profile/Buhlmann.h"
#include "profile/OxygenDose.h"
#include "profile/ProfileSeries.h"

namespace divelog {

class Plongee;

// What the model needs besides the samples.
struct ModelInputs {
    DiveGases gases;
    double surfaceBar = 1;        // from the site's altitude
    double samplingSeconds = 10;  // a code outside the table: 10 s, as the view takes it
    GradientFactors gf;
    Tissues start = Tissues::saturated(1);  // at the first sample

    // A stored dive's gases, site and sampling; altitude is feet under "us units".
    static ModelInputs of(const Plongee& dive, bool usUnits);
    friend bool operator==(const ModelInputs&, const ModelInputs&) = default;
};

// Consecutive samples that share a warning, with the worst value among them.
struct SampleRun {
    std::size_t first = 0, last = 0;
    double worst = 0;
    friend bool operator==(const SampleRun&, const SampleRun&) = default;
};

// A dive worked out sample by sample: the oxygen breathed and its dose, the
// inert gas of the 16 ZHL-16C compartments (Schreiner between samples, depths
// going linearly from one to the next) and the decompression ceiling under
// the gradient factors, which run from GF low at the deepest GF-low ceiling
// met so far to GF high at the surface. 10 m of water make a bar.
//
// A depth that is no number holds the one before it (the surface at the
// start), a negative one is the surface; the model counts both.
class ProfileModel {
public:
    static constexpr double kFastestAscent = 10;  // m/min, over a minute
    static constexpr double kHighestPpO2 = 1.6, kLowestPpO2 = 0.16;
    static constexpr double kStopSpacing = 3;     // m, for the time to surface
    static constexpr double kLongestLimit = 999;  // min: NDL and TTS beyond it are not told

    enum class Missing {
        Nothing,
        Profile,   // fewer than two samples
        SetPoint,  // a closed circuit without a set point
    };

    static std::shared_ptr<const ProfileModel> compute(const ProfileSeries& series,
                                                       const ModelInputs& inputs);
    // Only the tissues at the last sample, for the dives before this one;
    // none for a closed circuit without a set point. Fewer than two samples
    // leave the start as it was.
    static std::optional<Tissues> tissuesAfter(const ProfileSeries& series,
                                               const ModelInputs& inputs);

    Missing missing() const { return missing_; }
    bool available() const { return missing_ == Missing::Nothing; }
    const ModelInputs& inputs() const { return inputs_; }
    std::size_t samples() const { return depths_.size(); }
    double minutesPerSample() const { return minutesPerSample_; }
    const std::vector<double>& depths() const { return depths_; }   // as the model took them
    const std::vector<float>& ppO2() const { return ppO2_; }        // bar, per sample
    const std::vector<float>& ceiling() const { return ceiling_; }  // metres, 0 at the surface

    OxygenDose dose() const { return dose_; }
    double highestPpO2() const { return highestPpO2_; }
    double lowestPpO2() const { return lowestPpO2_; }
    double deepestCeiling() const { return deepestCeiling_; }
    // At the last sample.
    const Tissues& endTissues() const { return end_; }

    // The warnings, each as runs of samples: above the ceiling (worst: metres
    // above it), oxygen above 1.6 or below 0.16 bar (worst: the pressure) and
    // ascents faster than 10 m/min over the last minute (worst: m/min).
    const std::vector<SampleRun>& aboveCeiling() const { return aboveCeiling_; }
    const std::vector<SampleRun>& highOxygen() const { return highOxygen_; }
    const std::vector<SampleRun>& lowOxygen() const { return lowOxygen_; }
    const std::vector<SampleRun>& fastAscents() const { return fastAscents_; }

    std::size_t heldDepths() const { return heldDepths_; }      // no number
    std::size_t raisedDepths() const { return raisedDepths_; }  // negative
    const GasSwitches& gasSwitches() const { return gas_; }

    // The tissues at one moment, as the pointer asks for them.
    struct Moment {
        std::size_t sample = 0;
        double minutes = 0, depth = 0, ambient = 1, ppO2 = 0;
        Tissues tissues;
        double ceiling = 0;  // metres
        bool decompression = false;
        // Staying at this depth on this gas; none beyond kLongestLimit.
        std::optional<double> noDecompression;
        // Ascending at 10 m/min with stops every 3 m on this gas; none beyond kLongestLimit.
        std::optional<double> timeToSurface;
        std::size_t leading = 0;  // the compartment nearest its surface M-value
        double surfaceGf = 0;     // percent of the way to the surface M-value, 0 at or below
        std::array<double, zhl16c::kCompartments> loading{};  // % of the M-value here
        std::array<double, zhl16c::kCompartments> heliumShare{};
    };
    // The last sample for one past the end.
    Moment at(std::size_t sample) const;
    Tissues tissuesAt(std::size_t sample) const;

private:
    static constexpr std::size_t kCheckpointEvery = 64;

    ModelInputs inputs_;
    Missing missing_ = Missing::Nothing;
    double minutesPerSample_ = 1.0 / 6;
    std::vector<double> depths_;
    GasSwitches gas_;
    std::vector<float> ppO2_, ceiling_;
    std::vector<float> anchor_;         // bar: where GF low applies, at each sample
    std::vector<Tissues> checkpoints_;  // every kCheckpointEvery samples
    OxygenDose dose_;
    double highestPpO2_ = 0, lowestPpO2_ = 0, deepestCeiling_ = 0;
    Tissues end_;
    std::vector<SampleRun> aboveCeiling_, highOxygen_, lowOxygen_, fastAscents_;
    std::size_t heldDepths_ = 0, raisedDepths_ = 0;
};

// The last model worked out, given again while its series and inputs stay
// the same: a form refreshes far more often than its profile changes.
class ProfileModelCache {
public:
    std::shared_ptr<const ProfileModel> get(const ProfileSeries& series, const ModelInputs& inputs);

private:
    ProfileSeries series_;
    ModelInputs inputs_;
    std::shared_ptr<const ProfileModel> model_;
};

// The ceiling of a set of tissues as an ambient pressure, bar (the surface
// pressure when there is none). `anchor` is the deepest GF-low ceiling met so
// far, raised here when these tissues set a deeper one. `leading`, when given,
// is the compartment that set the last ceiling, looked at first (tissues a
// sample apart are led by the same one, and the others then need no root of
// their own), and becomes the one that sets this ceiling.
double ceilingPressure(const Tissues& tissues, const GradientFactors& gf, double surfaceBar,
                       double& anchor, std::size_t* leading = nullptr);

// The dose over a stored dive's profile, as its profile window sums it; none
// without profile samples or for a closed circuit without a set point.
// Altitude is feet under "us units".
std::optional<OxygenDose> oxygenOverProfile(const Plongee& dive, bool usUnits);

}  // namespace divelog
