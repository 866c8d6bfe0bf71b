#include "logbook/DiveChoices.h"

#include <map>
#include <utility>

#include "localisation/Localisation.h"
#include "logbook/DiveForm.h"

namespace divelog {

namespace {

using Keyed = std::vector<std::pair<std::int32_t, std::string_view>>;

const std::map<std::string_view, Keyed, std::less<>>& keyedLists() {
    // clang-format off
    static const Keyed gas = {{0, "Air"}, {1, "Nitrox"}, {2, "Trimix"}, {3, "Heliox"},
                              {4, "Triox"}, {5, "Heliair"}};
    static const Keyed material = {{0, "Steel"}, {1, "Aluminum"}, {2, "Carbon"}};
    static const std::map<std::string_view, Keyed, std::less<>> lists = {
        {"pmBm", {{0, "N/A"}, {1, "High tide"}, {2, "Low tide"}}},
        {"gpsSystem", {{0, "N/A"}, {1, "WGS84"}, {2, "ED50"}}},
        {"meteo", {{0, "Clear"}, {1, "Cloudy"}, {2, "Foggy"}, {3, "Rainy"}, {4, "Hail"},
                   {5, "Snowy"}, {6, "Thundery"}, {7, "N/A"}}},
        {"ventSecteur", {{0, "N/A"}, {1, "N"}, {2, "N-E"}, {3, "E"}, {4, "S-E"}, {5, "S"},
                         {6, "S-W"}, {7, "W"}, {8, "N-W"}}},
        {"courant", {{0, "None"}, {1, "Weak"}, {2, "Moderate"}, {3, "Strong"},
                     {4, "Very strong"}, {5, "Violent"}, {6, "N/A"}}},
        // Best first; "Exceptional" came last as a code but reads first.
        {"visibilite", {{8, "Exceptional"}, {0, "Excellent"}, {1, "Very good"}, {2, "Good"},
                        {3, "Medium"}, {4, "Bad"}, {5, "Very bad"}, {6, "Execrable"},
                        {7, "N/A"}}},
        {"typePlongee", {{0, "Wreck"}, {1, "Recreational"}, {3, "Photo dive"}, {4, "Tek"},
                         {5, "Cave"}, {6, "Movies"}, {7, "Work"}, {8, "Other"}, {9, "Drift"},
                         {10, "Under ice"}, {11, "Training"}, {12, "Biology"}, {13, "Quarry"},
                         {14, "Recuperation"}}},
        {"deco", {{0, "Computer"}, {1, "Air tables"}, {2, "Nitrox tables"}, {3, "Run time"}}},
        {"rebreather", {{0, "OC"}, {1, "SCR"}, {2, "mCCR"}, {3, "eCCR"}, {4, "hCCR"}}},
        // In order of pressure; the codes are not.
        {"ppO2", {{0, "..."}, {10, "0,7 bar"}, {9, "0,8 bar"}, {8, "0,9 bar"}, {7, "1,0 bar"},
                  {6, "1,1 bar"}, {1, "1,2 bar"}, {2, "1,3 bar"}, {3, "1,4 bar"},
                  {4, "1,5 bar"}, {5, "1,6 bar"}}},
        {"gaz", gas},
        {"gaz_2", gas},
        {"alliageBloc", material},
        {"alliageBloc_2", material},
        {"combinaison", {{0, "Wet suit"}, {1, "Dry suit"}, {2, "Shorty"}, {3, "No suit"},
                         {4, "Semi-dry suit"}, {5, "T-shirt"}, {6, "Tropical suit"}}},
        {"configuration", {{0, "No Tek"}, {1, "Tek"}}},
        {"inoubliable", {{0, "No mark"}, {1, "Mark heart"}, {2, "Mark point"},
                         {3, "Mark cross"}, {4, "Mark death"}}},
    };
    // clang-format on
    return lists;
}

}  // namespace

std::vector<Choice> DiveChoices::items(std::string_view control, const Localisation& texts) {
    std::vector<Choice> out;
    if (control == "ventForce") {
        out.push_back({0, texts.text("Carnet", "N/A"), {}});
        out.push_back({1, texts.text("Carnet", "No wind"), {}});
        // Code n stands for Beaufort force n - 1.
        for (std::int32_t code = 2; code <= 13; ++code)
            out.push_back(
                {code,
                 texts.format("Carnet", "Wind force %d", "error !", {std::int64_t{code - 1}}),
                 {}});
        return out;
    }
    if (control == "samplingRate") {
        // Shortest interval first.
        for (std::int32_t code : {6, 5, 7, 0, 1, 2, 3, 4})
            out.push_back({code, DiveForm::samplingRateTitle(code), {}});
        return out;
    }
    const auto& lists = keyedLists();
    auto it = lists.find(control);
    if (it == lists.end()) return out;
    static const char* marks[] = {"", "coeur", "point", "croix", "death"};
    for (const auto& [tag, key] : it->second)
        out.push_back({tag, texts.text("Carnet", key, key),
                       control == "inoubliable" ? marks[tag] : std::string()});
    return out;
}

}  // namespace divelog
