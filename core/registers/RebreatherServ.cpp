#include "registers/RebreatherServ.h"

#include <algorithm>
#include <array>

#include "localisation/Localisation.h"
#include "registers/ClockDuration.h"
#include "registers/RegisterCard.h"
#include "registers/RegisterForm.h"
#include "util/Numbers.h"

namespace divelog {

namespace {

using R = Rebreather;
using C = ControlKind;

const RegisterNames kNames{"newRebreatherService",
                           "addRebreatherService",
                           "insertRebreatherService",
                           "updateRebreatherService",
                           "deleteRebreatherService",
                           "addSoda",
                           "insertSoda",
                           "updateSoda",
                           "deleteSoda",
                           "rebreatherTableViewWindowToolbar",
                           "rebreatherEditWindowToolbar"};

const auto kColumns = std::to_array<ColumnSpec>({
    {"date", "Date", 90},
    {"rebreatherTime", "Rebreather history", 130},
    {"sofnoTime", "Soda time", 110},
    {"sofnolime", "Column sofnolime", 80},
    {"disinfection", "Column disinfection", 90},
    {"battery", "Column battery", 65},
    {"nbCells", "Column cells", 50},
    {"injector", "Column injector", 65},
    {"valve", "Column valve", 55},
    {"oRing", "Column oRing", 65},
    {"electronicHead", "Column electronicHead", 60},
    {"scrubber", "Column scrubber", 70},
    {"mpO2Value", "Column mpO2Value", 75},
    {"notes", "Remarks", 150},
});

// Views: 1 the intervention, 2 its checklist, 3 remarks.
const auto kControls = std::to_array<FormControl>({
    {"date", C::DateNow, 1, "Date"},
    {"rebreatherTime", C::Text, 1, "Rebreather history"},
    {"sofnoTime", C::Duration, 1, "Soda time"},
    {"sofnolime", C::Switch, 2, "Sofnolime"},
    {"disinfection", C::Switch, 2, "Disinfection"},
    {"battery", C::Switch, 2, "Battery"},
    {"cells", C::Switch, 2, "Cells"},
    {"nbCells", C::Popup, 2, "Cells count", {}, &Rebreather::cellCounts()},
    {"injector", C::Switch, 2, "Injector"},
    {"valve", C::Switch, 2, "Valve"},
    {"oRing", C::Switch, 2, "ORing"},
    {"electronicHead", C::Switch, 2, "Electonic head"},
    {"scrubber", C::Switch, 2, "Scrubber"},
    {"mpO2", C::Switch, 2, "MpO2"},
    {"mpO2Value", C::Number, 2, "MpO2 value"},
    {"notes", C::Notes, 3, "Remarks"},
});

// The checklist columns: a check mark in green when done.
constexpr std::array<std::size_t, 8> kChecked = {R::sofnolime,      R::disinfection, R::battery,
                                                 R::injector,       R::valve,        R::oRing,
                                                 R::electronicHead, R::scrubber};

bool isChecked(std::size_t field) {
    return std::find(kChecked.begin(), kChecked.end(), field) != kChecked.end();
}

}  // namespace

const RebreatherServ& RebreatherServ::instance() {
    static const RebreatherServ spec;
    return spec;
}

const RegisterNames& RebreatherServ::names() const { return kNames; }
std::span<const ColumnSpec> RebreatherServ::columns() const { return kColumns; }

std::span<const std::string_view> RebreatherServ::viewTitles() const {
    static constexpr std::string_view titles[] = {"View intervention", "View checklist",
                                                  "View remarks"};
    return titles;
}
std::span<const FormControl> RebreatherServ::controls() const { return kControls; }

void RebreatherServ::blank(RegisterForm& form, const BlankContext& context) const {
    form.assign("date", std::optional<Date>(context.now));
    form.assign("rebreatherTime", std::string("--:--"));
    form.assign("sofnoTime", std::optional<Date>(ClockDuration{}.date()));
    form.assign("mpO2Value", std::string("0.0"));
}

FormState RebreatherServ::formState(const RegisterForm& form, Date /*now*/,
                                    const Localisation& /*texts*/) const {
    FormState state;
    if (form.integer("cells") != 1) state.disabled.insert("nbCells");
    return state;
}

std::string RebreatherServ::cellText(const Record& r, std::size_t field,
                                     const Localisation& texts) const {
    if (isChecked(field)) return r.integer(field) == 1 ? texts.text("Main", "Check") : "";
    switch (field) {
        case R::nbCells: return r.integer(field) == 0 ? "" : integerText(r.integer(field));
        case R::mpO2Value: return r.real(field) == 0.0f ? "" : decimalText(r.real(field));
        case R::sofnoTime: return durationText(r.date(field));
        default: return RegisterSpec::cellText(r, field, texts);
    }
}

CellStyle RebreatherServ::cellStyle(const Record& /*r*/, std::size_t field, Date /*now*/) const {
    CellStyle style;
    if (isChecked(field)) style.text = colours::kGreen;
    return style;
}

void RebreatherServ::writeCard(const Record& r, RegisterCardWriter& card) const {
    card.field("Date", cardDate(r.date(R::date)));
    card.field("Rebreather history", r.textOr(R::rebreatherTime));
    const std::string soda = durationText(r.date(R::sofnoTime));
    card.field("Soda time", soda.empty() ? soda : soda + " h");
    auto done = [&](std::string_view key, std::size_t field) {
        if (r.integer(field) == 1) card.label(key);
    };
    done("Sofnolime", R::sofnolime);
    done("Disinfection", R::disinfection);
    done("Battery", R::battery);
    done("Cells", R::cells);
    if (r.integer(R::mpO2) == 1)
        card.field("MpO2", formatText(" : %@ bar", {decimalText(r.real(R::mpO2Value))}));
    done("Injector", R::injector);
    done("Valve", R::valve);
    done("ORing", R::oRing);
    done("Electonic head", R::electronicHead);
    done("Scrubber", R::scrubber);
    card.field("Remarks", r.textOr(R::notes));
}

}  // namespace divelog
