#include "logbook/DiveFormCombos.h"

#include <algorithm>
#include <map>

#include "settings/PickLists.h"

namespace divelog {

namespace {
const std::map<std::string, std::string, std::less<>>& pickListByControl() {
    static const std::map<std::string, std::string, std::less<>> m = [] {
        std::map<std::string, std::string, std::less<>> r = {{"lieu", "lieux"},
                                                             {"site", "sites"},
                                                             {"pays", "pays"},
                                                             {"countryCode", "countryCode"},
                                                             {"partenaires", "partenaires"},
                                                             {"epaves", "epaves"},
                                                             {"structure", "structures"},
                                                             {"ordinateur", "ordinateurs"}};
        for (int i = 1; i <= 12; ++i) r["equip_" + std::to_string(i)] = "sac de plongee";
        return r;
    }();
    return m;
}
}  // namespace

const std::vector<std::string>& DiveFormCombos::cylinderVolumes() {
    static const std::vector<std::string> l = {"2",  "4",  "5",  "6",  "9",  "10", "11", "12",
                                               "15", "18", "20", "22", "24", "30", "33", "36"};
    return l;
}

const std::vector<std::string>& DiveFormCombos::cylinderPressures() {
    static const std::vector<std::string> l = {"176", "200", "207", "232", "300"};
    return l;
}

const std::vector<std::string>& DiveFormCombos::planningSoftware() {
    static const std::vector<std::string> l = {
        "...", "Abyss", "Decoplanner", "GAP-Diveplanner", "V Planner", "Z Planner"};
    return l;
}

const std::vector<std::string>& DiveFormCombos::decoAlgorithms() {
    static const std::vector<std::string> l = {
        "...",   "BühlmannB-GF", "BühlmannC-GF", "MF11F6",    "RGBM",
        "VPM-A", "VPM-B",        "VPM-B/E",      "ZH-L 16 B", "ZH-L 16 C"};
    return l;
}

std::optional<std::string> DiveFormCombos::pickListKey(std::string_view control) {
    const auto& m = pickListByControl();
    auto it = m.find(control);
    if (it == m.end()) return std::nullopt;
    return it->second;
}

const std::vector<std::string>* DiveFormCombos::fixedList(std::string_view control) {
    if (control == "volumeBloc" || control == "volumeBloc_2") return &cylinderVolumes();
    if (control == "pressionBloc" || control == "pressionBloc_2") return &cylinderPressures();
    if (control == "decoSoftName") return &planningSoftware();
    if (control == "decoAlgoType") return &decoAlgorithms();
    return nullptr;
}

const std::vector<std::string>& DiveFormCombos::comboControls() {
    static const std::vector<std::string> l = [] {
        std::vector<std::string> r;
        for (const auto& [control, key] : pickListByControl()) r.push_back(control);
        for (const char* c : {"volumeBloc", "volumeBloc_2", "pressionBloc", "pressionBloc_2",
                              "decoSoftName", "decoAlgoType"})
            r.push_back(c);
        return r;
    }();
    return l;
}

const std::vector<std::string>& DiveFormCombos::items(std::string_view control,
                                                      const PickLists& pickLists) {
    if (auto key = pickListKey(control)) return pickLists.list(*key);
    if (auto fixed = fixedList(control)) return *fixed;
    static const std::vector<std::string> none;
    return none;
}

bool DiveFormCombos::shouldAskToAdd(const PickLists& pickLists, const std::string& key,
                                    std::string_view typed) {
    return pickLists.shouldOfferToAdd(key, typed);
}

void DiveFormCombos::acceptAdd(PickLists& pickLists, const std::string& key,
                               const std::string& typed, bool yes) {
    pickLists.answerOfferToAdd(key, typed, yes);
}

}  // namespace divelog
