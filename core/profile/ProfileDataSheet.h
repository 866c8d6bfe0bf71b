#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "profile/ProfileSeries.h"

namespace divelog {

class Localisation;

// The profile-data window as data: for each series a text area, a count and
// a replace box, plus the box that ticks them all. Filled from the working
// series; applying replaces the ticked series with what their areas hold.
class ProfileDataSheet {
public:
    struct Applied {
        bool ok = true;
        std::optional<SeriesId> badSeries;  // a depth or pressure that is no number...
        std::size_t badLine = 0;            // ...on this line (1-based)
    };

    // Shows the series: the text of those with two entries or more, empty
    // areas for the others; every box unticked.
    void fill(const ProfileSeries& series);
    // Empties every area and ticks every box, so the next apply replaces all.
    void selectAllSwitches();

    const std::string& text(SeriesId id) const { return slot(id).text; }
    void setText(SeriesId id, std::string text) { slot(id).text = std::move(text); }
    bool replaces(SeriesId id) const { return slot(id).replace; }
    void setReplaces(SeriesId id, bool on) { slot(id).replace = on; }
    bool allSeries() const { return all_; }

    // "Datas" with the count for two entries or more, else "No datas".
    static std::string countText(const ProfileSeries& series, SeriesId id,
                                 const Localisation& texts);

    // Replaces the ticked series of `series`. All or nothing: a depth or
    // pressure line that is no number leaves `series` as it was.
    Applied apply(ProfileSeries& series) const;

private:
    struct Slot {
        std::string text;
        bool replace = false;
    };
    Slot& slot(SeriesId id) { return slots_[static_cast<std::size_t>(id)]; }
    const Slot& slot(SeriesId id) const { return slots_[static_cast<std::size_t>(id)]; }

    std::array<Slot, 7> slots_{};
    bool all_ = false;
};

}  // namespace divelog
