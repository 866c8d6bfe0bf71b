#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

#include <pugixml.hpp>

namespace divelog {

// What the dives of a UDDF 3 file refer to by id: the gas mixes, the dive
// sites and the diver's tanks. Ids are matched with the blanks around them
// trimmed; blanks and punctuation inside are part of the id.
class UddfDefinitions {
public:
    struct Mix {
        double o2 = 0.21;  // fractions
        double he = 0;
    };
    struct Site {
        std::string name, location, country;
    };

    // Takes what a `gasdefinitions`, `divesite` or `diver` element defines;
    // any other element adds nothing. Later definitions of an id win.
    void read(pugi::xml_node element);

    const Mix* mix(std::string_view ref) const { return find(mixes_, ref); }
    const Site* site(std::string_view ref) const { return find(sites_, ref); }
    // The volume in cubic metres of a tank of the diver's equipment.
    const double* tankVolume(std::string_view ref) const { return find(tanks_, ref); }

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
    std::unordered_map<std::string, double> tanks_;
};

}  // namespace divelog
