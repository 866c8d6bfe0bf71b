#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "registers/RecordSchema.h"
#include "registers/RegisterSpec.h"

namespace divelog {

class Record;
class RegisterCardWriter;

// The opening hours as both address books keep them: seven days of four
// texts. Their fields, the schemas' rows and the forms' controls are all
// made from the names here, so both books keep one order and one spelling.
struct OpeningHours {
    static constexpr std::size_t kDays = 7;
    static constexpr std::size_t kPerDay = 4;
    static constexpr std::size_t kFieldCount = kDays * kPerDay;

    // Day by day, Monday first: morning opening and closing, afternoon
    // opening and closing.
    static constexpr std::array<std::string_view, kFieldCount> kFields = {
        "horaireLundi_1",    "horaireLundi_2",    "horaireLundi_3",    "horaireLundi_4",
        "horaireMardi_1",    "horaireMardi_2",    "horaireMardi_3",    "horaireMardi_4",
        "horaireMercredi_1", "horaireMercredi_2", "horaireMercredi_3", "horaireMercredi_4",
        "horaireJeudi_1",    "horaireJeudi_2",    "horaireJeudi_3",    "horaireJeudi_4",
        "horaireVendredi_1", "horaireVendredi_2", "horaireVendredi_3", "horaireVendredi_4",
        "horaireSamedi_1",   "horaireSamedi_2",   "horaireSamedi_3",   "horaireSamedi_4",
        "horaireDimanche_1", "horaireDimanche_2", "horaireDimanche_3", "horaireDimanche_4"};
    // The label keys of the days, on the card and on each day's first control.
    static constexpr std::array<std::string_view, kDays> kDayKeys = {
        "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};

    // The schema's rows: every hour a text, in every version.
    static constexpr std::array<RecordField, kFieldCount> recordFields() {
        std::array<RecordField, kFieldCount> rows{};
        for (std::size_t i = 0; i < kFieldCount; ++i) rows[i] = {kFields[i], FieldType::Text};
        return rows;
    }

    // The form's controls on `view`: a row per day labelled with the day,
    // each hour after the first joining it with "to", "and", "to".
    static constexpr std::array<FormControl, kFieldCount> formControls(int view) {
        constexpr std::string_view between[kPerDay] = {{}, "Hours to", "Hours and", "Hours to"};
        std::array<FormControl, kFieldCount> controls{};
        for (std::size_t i = 0; i < kFieldCount; ++i) {
            const std::size_t slot = i % kPerDay;
            const FormControl c{kFields[i], ControlKind::Text, view,
                                slot == 0 ? kDayKeys[i / kPerDay] : between[slot]};
            controls[i] = slot == 0 ? c : divelog::joined(c);
        }
        return controls;
    }

    // A day's four hours as the card shows them: "8h - 12h / 14h - 18h".
    static std::string joined(std::string_view a, std::string_view b, std::string_view c,
                              std::string_view d);
    // The card's "Schedules" heading and a line per day, from the record's
    // 28 hour fields that start at `first`.
    static void writeCard(const Record& record, std::size_t first, RegisterCardWriter& card);
};

}  // namespace divelog
