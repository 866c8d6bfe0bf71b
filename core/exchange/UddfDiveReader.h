#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "exchange/ExchangeFormat.h"
#include "exchange/ImportRules.h"
#include "exchange/UddfDefinitions.h"
#include "exchange/UddfWaypointScanner.h"

namespace divelog {

// One `dive` element of a UDDF file as values for the dive form. A dive of
// the 3.x structure (`informationbeforedive`, `tankdata`, waypoints with
// their own `depth` and `divetime`, `informationafterdive`) is read as the
// standard says, in SI units; an older dive by its 2.x paths. What a file
// held that the logbook has no field for is counted over the whole file and
// told once, so a file of 2,000 dives gives a short report.
class UddfDiveReader {
public:
    explicit UddfDiveReader(const UddfDefinitions& definitions) : definitions_(definitions) {}

    // None for a `dive` that holds nothing of a dive: no date, depth,
    // duration or waypoint (some programs write one before the first dive
    // only to carry its surface interval).
    // `waypoints`, for a 3.x dive whose samples are read apart from its tree
    // (`dive` then holds no `samples`), gives them in document order to its
    // argument, and says whether there was any.
    using Waypoints = std::function<bool(const std::function<void(const WaypointElement&)>& visit)>;
    std::optional<DiveDraft> read(pugi::xml_node dive, std::vector<std::string>& notes,
                                  const Waypoints& waypoints = {});
    // A waypoint of a tree as the scanner gives one; `scratch` holds its children.
    static WaypointElement waypointElement(pugi::xml_node waypoint,
                                           std::vector<WaypointChild>& scratch);
    // Appends the report's lines for what the dives read so far left behind.
    void report(std::vector<std::string>& notes) const;
    std::size_t skipped() const { return empty_; }

private:
    struct Tank;
    void readVersion2(DiveDraft& d, pugi::xml_node dive, std::vector<std::string>& notes);
    // Whether the dive had a waypoint.
    bool readVersion3(DiveDraft& d, pugi::xml_node dive, std::vector<std::string>& notes,
                      const Waypoints& waypoints);

    const UddfDefinitions& definitions_;
    // Counts of dives, for the report.
    std::size_t extraTanks_ = 0, extraMixes_ = 0, unknownMixes_ = 0, otherTankPressures_ = 0;
    std::size_t fileOrder_ = 0, cut_ = 0, badDepths_ = 0, repeated_ = 0, empty_ = 0, ratings_ = 0;
    QuantityReader numbers_;
    std::map<std::string, std::size_t, std::less<>> sensors_;  // reading -> dives
};

}  // namespace divelog
