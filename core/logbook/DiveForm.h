#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "dive/Plongee.h"
#include "logbook/DiveFormReadouts.h"
#include "profile/ProfileChart.h"
#include "profile/ProfileSeries.h"
#include "util/Date.h"
#include "util/Numbers.h"

namespace divelog {

class Localisation;
class SettingsStore;

// The values a cleared form proposes; `from` gathers them where the app keeps them.
struct ClearContext {
    Date now{};
    std::string countryCode;
    std::string gpsTemplate;
    double stopInterval = 0;  // not a positive number: the default interval
    double tankVolume = 0;
    double tankPressure = 0;
    std::string fabricant, ordinateur, serie;

    static ClearContext from(const SettingsStore& settings, const Localisation& localisation,
                             Date now);
};

struct RefreshContext {
    const SettingsStore& settings;
    const Localisation& localisation;
    std::size_t diveCount = 0;
    // The row the form shows, none for a new dive: previous and next step from it.
    std::optional<std::size_t> selectedRow;
    // The stored dives, for the tissues a dive carries over from the one before it that day.
    std::span<const std::unique_ptr<Plongee>> logbook{};
    // The tissues and the oxygen over the profile walk every sample, and the
    // day's earlier dives: worked out only while a window shows them.
    bool profileModel = false;
};

struct StoreResult {
    Plongee dive;
    // Message keys (table "Carnet") of the alerts to show, in order, one "OK" each.
    std::vector<std::string> alerts;
    // The fields whose value the store replaced in the form, once each, in
    // the order it corrected them; with or without an alert.
    std::vector<Plongee::Field> corrected;
};

// The dive edit form as data: one control per record field, holding what its
// widget shows, plus the shown-only nitrogen fields and the working profile.
// The rules reach controls through the record's typed fields; a window binds
// its widgets by control name.
//
// Number fields are text, and store() decides what they mean (util/Numbers.h
// reads them). The form never refuses to store: out of range values are
// corrected in the form and in the record.
class DiveForm {
public:
    using Field = Plongee::Field;

    enum class ControlKind {
        Text,  // text field or text area; numbers too
        Tag,   // choice list: the tag of the selected item
        Switch,
        Slider,    // difficulty, 0..5
        Selector,  // apparatus, one cell per `rebreather` code
        Date,
    };
    struct ControlInfo {
        std::string_view name;  // the record field it feeds, or a shown-only name
        ControlKind kind;
        std::optional<Field> field;  // none for the shown-only nitrogen fields
    };
    // Tag, Slider and Selector hold an int.
    using ControlValue = std::variant<std::string, std::int32_t, bool, Date>;

    // The control a record field has; none for the profile series and the
    // two legacy fields. Constant, so a field's kind can be checked when
    // the code that sets it is compiled.
    static constexpr std::optional<ControlKind> controlKindOf(Field field);
    // The alternative of ControlValue a control of that kind holds.
    static constexpr std::size_t valueIndexOf(ControlKind kind) {
        switch (kind) {
            case ControlKind::Text: return 0;
            case ControlKind::Tag:
            case ControlKind::Slider:
            case ControlKind::Selector: return 1;
            case ControlKind::Switch: return 2;
            case ControlKind::Date: return 3;
        }
        return 0;
    }
    // A field that has a control holding values of the kind `Kind` holds:
    // built from a field named in the code, and refused by the compiler for
    // any other, so a value set through it always finds its control.
    template <ControlKind Kind>
    struct FieldOfKind {
        consteval FieldOfKind(Field f) : field(f) {
            const auto kind = controlKindOf(f);
            if (!kind || valueIndexOf(*kind) != valueIndexOf(Kind))
                throw "the dive form has no control of this kind for the field";
        }
        Field field;
    };
    using TextField = FieldOfKind<ControlKind::Text>;
    using TagField = FieldOfKind<ControlKind::Tag>;  // a slider or a selector too
    using SwitchField = FieldOfKind<ControlKind::Switch>;
    using DateField = FieldOfKind<ControlKind::Date>;

    static constexpr std::string_view kPressureAlert = "Pressure in out";
    static constexpr std::string_view kHeliumAlert = "Helium percent";
    static constexpr std::string_view kOxygenAlert = "Oxygen percent";
    static constexpr std::string_view kMixAlert = "Mix percent";

    // Every control, in record field order, then "n2Mix" and "n2Mix_2".
    static const std::vector<ControlInfo>& controls();
    static std::optional<ControlKind> kindOf(std::string_view name);

    DiveForm();

    // Typed access. A field without a control of that kind is a programming
    // error: std::out_of_range. Setters mark the form modified when the value
    // changes; the slider clamps to 0..5.
    const std::string& text(Field field) const;
    void setText(Field field, std::string value);
    std::int32_t tag(Field field) const;  // Tag, Slider or Selector
    void setTag(Field field, std::int32_t value);
    bool switchOn(Field field) const;
    void setSwitch(Field field, bool on);
    Date date(Field field) const;
    void setDate(Field field, Date value);

    // The same by control name, for the window's binding.
    const std::string& text(std::string_view name) const;
    void setText(std::string_view name, std::string value);
    std::int32_t tag(std::string_view name) const;
    void setTag(std::string_view name, std::int32_t value);
    bool switchOn(std::string_view name) const;
    void setSwitch(std::string_view name, bool on);
    Date date(std::string_view name) const;
    void setDate(std::string_view name, Date value);
    ControlValue value(std::string_view name) const;
    // Throws std::out_of_range for an unknown name or a value of the wrong kind.
    void setValue(std::string_view name, ControlValue value);

    // A text field read as a number, as store() reads it (unreadable: 0).
    std::int32_t intValue(Field field) const;
    double decimalValue(Field field) const;

    void setDiveNumber(std::int32_t number) { setText(Field::noPlongee, integerText(number)); }
    // A value the record now holds, shown without counting as the user's edit
    // (an in-place table edit of the shown dive).
    void showStoredValue(Field field, const std::string& text);

    const ProfileSeries& profile() const { return profile_; }
    void setProfile(ProfileSeries profile);
    // What the profile view draws of the dive shown: the working series and
    // the form's gases, pressures and sampling interval.
    ProfileChartData profileChartData() const;

    // True once any control or the profile was changed through a setter since
    // the last load() or clear(); corrections made by store() and refresh()
    // do not count. Browsing without edits can then leave records untouched.
    bool modified() const { return modified_; }
    void resetModified() { modified_ = false; }

    // Shows the dive. Not-given codes show "-" (coefficient 0, temperatures
    // units::kNoTemperature, stop oxygen below 5), stop helium below 1 shows
    // "0", stop depths of 0 or less show 3, 6, 9, 12, 15; an absent date shows
    // the reference date and an absent gas-switch series one 0 per depth
    // sample. Clears modified().
    void load(const Plongee& dive);
    // Builds a new record from the form, correcting out-of-range fields in
    // the form as it goes, and fills empty profile series with placeholders.
    // Reads the setting "us units" (altitude limit 13123 ft instead of 4000 m).
    // Unreadable text goes through the field's rule as 0 (temperatures: not
    // given, oxygen: 21, helium: alert); the record never holds nan or inf.
    StoreResult store(const SettingsStore& settings);
    // Shows the blank dive (makeNewDive), keeping the bail-out cylinders and
    // the sampling rate; number, depth, time and pressures show empty. The
    // caller proposes a number.
    void clear(const ClearContext& context);
    // Recomputes the read-outs and enabling; forces cylinder 1 to 100 % O2
    // with an oxygen rebreather and rebalances its mix. Statistics, over the
    // whole logbook, are the caller's to refresh afterwards.
    FormReadouts refresh(const RefreshContext& context);

    // Oxygen, nitrogen and helium presets for cylinder 1.
    void razAir();
    void razNitrox();
    void razHeliox();

private:
    std::size_t indexOf(Field field, ControlKind kind) const;
    std::size_t indexOf(std::string_view name, ControlKind kind) const;
    void assign(std::size_t index, ControlValue value);
    // Writes a control the way a correction does: modified() is left alone.
    void put(Field field, ControlValue value);
    void putNitrogen(int cylinder, std::int64_t percent);
    // What the stored value of an int field is, from the form.
    std::int32_t storedInt(Field field) const;

    void storeCorrections(bool usUnits, std::vector<std::string>& alerts);
    void storeNonNegative(Field field);
    void storeTemperature(Field field, int low, int high);
    void storeMix(Field o2, Field he, std::vector<std::string>& alerts);
    void balanceMix();

    void refreshCylinders(FormReadouts& r, const Localisation& loc, bool usUnits) const;
    void refreshOxygenExposure(FormReadouts& r, bool usUnits) const;
    void refreshProfileModel(FormReadouts& r, const RefreshContext& context, bool usUnits);

    std::vector<ControlValue> values_;
    ProfileSeries profile_;
    FormReadouts readouts_;
    ProfileModelCache model_;
    bool modified_ = false;
    std::vector<Field>* corrections_ = nullptr;  // while store() corrects
};

#define DIVELOG_FORM_CONTROL_INT ControlKind::Text
#define DIVELOG_FORM_CONTROL_FLOAT ControlKind::Text
#define DIVELOG_FORM_CONTROL_STRING ControlKind::Text
#define DIVELOG_FORM_CONTROL_DATE ControlKind::Date
#define DIVELOG_FORM_CONTROL_INTS std::nullopt
#define DIVELOG_FORM_CONTROL_REALS std::nullopt

// clang-format off
constexpr std::optional<DiveForm::ControlKind> DiveForm::controlKindOf(Field field) {
    switch (field) {
        case Field::pmBm: case Field::gpsSystem: case Field::meteo: case Field::ventSecteur:
        case Field::ventForce: case Field::visibilite: case Field::courant:
        case Field::typePlongee: case Field::inoubliable: case Field::deco: case Field::ppO2:
        case Field::gaz: case Field::gaz_2: case Field::alliageBloc: case Field::alliageBloc_2:
        case Field::combinaison: case Field::samplingRate: case Field::configuration:
            return ControlKind::Tag;
        case Field::nocturne: case Field::deco_Level_1_sw: case Field::deco_Level_2_sw:
        case Field::deco_Level_3_sw: case Field::deco_Level_4_sw: case Field::deco_Level_5_sw:
            return ControlKind::Switch;
        case Field::difficulte: return ControlKind::Slider;
        case Field::rebreather: return ControlKind::Selector;
        case Field::computerMode: case Field::etranger: return std::nullopt;
        default: break;
    }
    // The others by what the record holds: the profile lives in ProfileSeries.
    switch (field) {
#define DIVELOG_X(kind, name, Setter) \
    case Field::name: return DIVELOG_FORM_CONTROL_##kind;
        DIVELOG_PLONGEE_FIELDS(DIVELOG_X)
#undef DIVELOG_X
    }
    return std::nullopt;
}
// clang-format on

#undef DIVELOG_FORM_CONTROL_INT
#undef DIVELOG_FORM_CONTROL_FLOAT
#undef DIVELOG_FORM_CONTROL_STRING
#undef DIVELOG_FORM_CONTROL_DATE
#undef DIVELOG_FORM_CONTROL_INTS
#undef DIVELOG_FORM_CONTROL_REALS

}  // namespace divelog
