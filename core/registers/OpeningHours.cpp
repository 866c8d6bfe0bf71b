#include "registers/OpeningHours.h"

#include "registers/Record.h"
#include "registers/RegisterCard.h"

namespace divelog {

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
        card.field(kDayKeys[day],
                   joined(r.textOr(f), r.textOr(f + 1), r.textOr(f + 2), r.textOr(f + 3)));
    }
}

}  // namespace divelog
