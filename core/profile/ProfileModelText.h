#pragma once

#include <string>
#include <vector>

#include "profile/ProfileModel.h"
#include "profile/RepetitiveDives.h"

namespace divelog {

class Localisation;

// What the model says of a dive, as the side panel and the consumption sheet
// show it (table "Carnet"): the oxygen over the profile with the line that
// tells it from the CNS clock, the tissues, the warnings, and what the model
// had to mend in the samples.
struct ProfileModelText {
    std::string oxygen;
    std::string whichIsWhich;
    std::vector<std::string> tissues;
    std::vector<std::string> warnings;
    std::vector<std::string> mends;

    static ProfileModelText of(const ProfileModel& model, const TissueStart& start,
                               const Localisation& texts);
    // Every line, the groups a blank line apart.
    std::string panel() const;
};

// The tissues under the pointer (table "Profil"): ppO2, ceiling, NDL or time
// to surface, leading compartment and surface GF.
std::string momentText(const ProfileModel::Moment& moment, const Localisation& texts);

// "1b (5 min)": a compartment by its name and nitrogen half-time.
std::string compartmentName(std::size_t compartment, const Localisation& texts);

}  // namespace divelog
