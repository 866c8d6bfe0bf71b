#include "profile/ProfileDataSheet.h"

#include "localisation/Localisation.h"
#include "profile/ProfileText.h"

namespace divelog {

void ProfileDataSheet::fill(const ProfileSeries& series) {
    for (const SeriesInfo& s : ProfileSeries::series()) {
        Slot& sl = slot(s.id);
        sl.text = series.size(s.id) >= 2 ? ProfileText::text(series, s.id) : std::string();
        sl.replace = false;
    }
    all_ = false;
}

void ProfileDataSheet::selectAllSwitches() {
    for (Slot& sl : slots_) {
        sl.text.clear();
        sl.replace = true;
    }
    all_ = true;
}

std::string ProfileDataSheet::countText(const ProfileSeries& series, SeriesId id,
                                        const Localisation& texts) {
    const std::size_t n = series.size(id);
    if (n < 2) return texts.text("Carnet", "No datas");
    return texts.format("Carnet", "Datas", "error !", {static_cast<std::int64_t>(n)});
}

ProfileDataSheet::Applied ProfileDataSheet::apply(ProfileSeries& series) const {
    ProfileSeries result = series;
    for (const SeriesInfo& s : ProfileSeries::series()) {
        if (!replaces(s.id)) continue;
        ProfileText::Parsed parsed = ProfileText::parse(s.id, text(s.id));
        if (parsed.badLine) return {false, s.id, *parsed.badLine};
        result.setValues(s.id, parsed.values);
    }
    series = std::move(result);
    return {};
}

}  // namespace divelog
