#include "registers/OpeningHours.h"

#include "registers/Record.h"
#include "registers/RegisterCard.h"

namespace divelog {

const std::array<std::string_view, OpeningHours::kFieldCount>& OpeningHours::fields() {
    static constexpr std::array<std::string_view, kFieldCount> names = {
        "horaireLundi_1",    "horaireLundi_2",    "horaireLundi_3",    "horaireLundi_4",
        "horaireMardi_1",    "horaireMardi_2",    "horaireMardi_3",    "horaireMardi_4",
        "horaireMercredi_1", "horaireMercredi_2", "horaireMercredi_3", "horaireMercredi_4",
        "horaireJeudi_1",    "horaireJeudi_2",    "horaireJeudi_3",    "horaireJeudi_4",
        "horaireVendredi_1", "horaireVendredi_2", "horaireVendredi_3", "horaireVendredi_4",
        "horaireSamedi_1",   "horaireSamedi_2",   "horaireSamedi_3",   "horaireSamedi_4",
        "horaireDimanche_1", "horaireDimanche_2", "horaireDimanche_3", "horaireDimanche_4"};
    return names;
}

const std::array<std::string_view, OpeningHours::kDays>& OpeningHours::dayKeys() {
    static constexpr std::array<std::string_view, kDays> keys = {
        "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
    return keys;
}

std::string OpeningHours::joined(std::string_view a, std::string_view b, std::string_view c,
                                 std::string_view d) {
    std::string out(a);
    out.append(" - ").append(b).append(" / ").append(c).append(" - ").append(d);
    return out;
}

void OpeningHours::writeCard(const Record& r, std::size_t first, RegisterCardWriter& card) {
    card.heading("Schedules");
    for (std::size_t day = 0; day < kDays; ++day) {
        const std::size_t f = first + day * kPerDay;
        card.field(dayKeys()[day],
                   joined(r.textOr(f), r.textOr(f + 1), r.textOr(f + 2), r.textOr(f + 3)));
    }
}

}  // namespace divelog
