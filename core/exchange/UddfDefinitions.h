#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include <pugixml.hpp>

namespace divelog {

// What the dives of a UDDF 3 file refer to by id: the gas mixes, the dive
// sites, the diver's tanks and rebreathers, the buddies and the boats. Ids are matched with the
// blanks around them trimmed; blanks and punctuation inside are part of the id.
class UddfDefinitions {
public:
    struct Mix {
        double o2 = 0.21;  // fractions
        double he = 0;
        std::string name;
    };
    struct Site {
        std::string name, location, country;
        std::optional<double> latitude, longitude;
    };
    // A tank or rebreather of the diver's equipment.
    struct Equipment {
        std::string name;
        std::optional<double> volume;  // cubic metres
        std::string material;
    };

    // Takes what a `gasdefinitions`, `divesite`, `diver` or `divetrip` element defines;
    // any other element adds nothing. Later definitions of an id win.
    void read(pugi::xml_node element);

    const Mix* mix(std::string_view ref) const { return find(mixes_, ref); }
    // The id of the mix a reference names, as these definitions keep it.
    const std::string* mixId(std::string_view ref) const {
        const auto it = mixes_.find(std::string(trimmed(ref)));
        return it == mixes_.end() ? nullptr : &it->first;
    }
    const Site* site(std::string_view ref) const { return find(sites_, ref); }
    const Equipment* equipment(std::string_view ref) const { return find(equipment_, ref); }
    // A buddy's name: first and last name.
    const std::string* buddy(std::string_view ref) const { return find(buddies_, ref); }
    // The boat of a dive trip that names the dive.
    const std::string* boat(std::string_view diveId) const { return find(boats_, diveId); }

    static std::string_view trimmed(std::string_view id);

private:
    template <class T>
    static const T* find(const std::unordered_map<std::string, T>& map, std::string_view ref) {
        const auto it = map.find(std::string(trimmed(ref)));
        return it == map.end() ? nullptr : &it->second;
    }
    void readMix(pugi::xml_node mix);

    std::unordered_map<std::string, Mix> mixes_;
    std::unordered_map<std::string, Site> sites_;
    std::unordered_map<std::string, Equipment> equipment_;
    std::unordered_map<std::string, std::string> buddies_, boats_;
};

}  // namespace divelog
