#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "util/Numbers.h"
#include "logbook/DiveFormReadouts.h"
#include "logbook/Plongee.h"
#include "util/Date.h"

namespace divelog {

class Localisation;
class SettingsStore;

// The working copy of the shown dive's profile, owned by the form: storing
// copies it into the record, loading copies the record's into it.
struct WorkingProfile {
    std::vector<double> profilProfondeur;
    std::vector<std::int32_t> ASC_Flag, SLOW_Flag, SURF_Flag, CEIL_Flag, GAZ_Flag;
    std::vector<double> PRESS_Data;

    // Gives each empty series its one-entry placeholder (0.0 or 0).
    void fillPlaceholders();
    friend bool operator==(const WorkingProfile&, const WorkingProfile&) = default;
};

// The values a cleared form proposes; `from` gathers them where the app keeps them.
struct ClearContext {
    Date now{};
    std::string countryCode;
    std::string gpsTemplate;
    double stopInterval = 3;  // not a positive number: 3
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
    std::optional<std::size_t> selectedRow;
};

struct StoreResult {
    Plongee dive;
    // Message keys (table "Carnet") of the alerts to show, in order, one "OK" each.
    std::vector<std::string> alerts;
};

// The dive edit form as data: one control per record field, holding what its
// widget shows, plus the shown-only nitrogen fields and the working profile.
// A window binds every control by name through controls()/value()/setValue().
//
// Number fields are text, and store() decides what they mean (util/Numbers.h
// reads them). The form never refuses to store: out of range values are
// corrected in the form and in the record.
class DiveForm {
public:
    enum class ControlKind {
        Text,  // text field or text area; numbers too
        Tag,   // choice list: the tag of the selected item
        Switch,
        Slider,    // difficulty, 0..5
        Selector,  // apparatus, one cell per `rebreather` code
        Date,
    };
    struct ControlInfo {
        std::string_view name;  // the record field it feeds
        ControlKind kind;
        bool stored;  // false for the shown-only nitrogen fields
    };
    // Tag, Slider and Selector hold an int.
    using ControlValue = std::variant<std::string, std::int32_t, bool, Date>;

    static constexpr std::string_view kPressureAlert = "Pressure in out";
    static constexpr std::string_view kHeliumAlert = "Helium percent";

    // Every control, in record field order, then "n2Mix" and "n2Mix_2".
    static const std::vector<ControlInfo>& controls();
    static std::optional<ControlKind> kindOf(std::string_view name);
    // Key (table "Carnet") of the difficulty label for a slider value.
    static std::string_view difficultyKey(std::int32_t value);
    // The sampling-rate pop-up titles by code ("10 s" for code 0); "-" for others.
    static std::string samplingRateTitle(std::int32_t code);

    DiveForm();

    // Typed access by control name. A name that is not a control of that kind
    // is a programming error: std::out_of_range. Setters mark the form
    // modified when the value changes; the slider clamps to 0..5.
    const std::string& text(std::string_view name) const;
    void setText(std::string_view name, std::string value);
    std::int32_t tag(std::string_view name) const;  // Tag, Slider or Selector
    void setTag(std::string_view name, std::int32_t value);
    bool switchOn(std::string_view name) const;
    void setSwitch(std::string_view name, bool on);
    Date date(std::string_view name) const;
    void setDate(std::string_view name, Date value);
    ControlValue value(std::string_view name) const;
    // Throws std::out_of_range for an unknown name or a value of the wrong kind.
    void setValue(std::string_view name, ControlValue value);

    // A text field read as a number, as store() reads it (unreadable: 0).
    std::int32_t intValue(std::string_view name) const;
    double decimalValue(std::string_view name) const;

    void setDiveNumber(std::int32_t number) { setText("noPlongee", integerText(number)); }

    const WorkingProfile& profile() const { return profile_; }
    void setProfile(WorkingProfile profile);

    // True once any control or the profile was changed through a setter since
    // the last load() or clear(); corrections made by store() and refresh()
    // do not count. Browsing without edits can then leave records untouched.
    bool modified() const { return modified_; }
    void resetModified() { modified_ = false; }

    // Shows the dive. Not-given codes show "-" (coefficient 0, temperatures
    // -50, stop oxygen below 5), stop helium below 1 shows "0", stop depths
    // of 0 or less show 3, 6, 9, 12, 15; an absent date shows the reference
    // date and an absent gas-switch series one 0 per depth sample. Clears
    // modified().
    void load(const Plongee& dive);
    // Builds a new record from the form, correcting out-of-range fields in
    // the form as it goes, and fills empty profile series with placeholders.
    // Reads the setting "us units" (altitude limit 13123 ft instead of 4000 m).
    // Unreadable text goes through the field's rule as 0 (temperatures: not
    // given, oxygen: 21, helium: alert); the record never holds nan or inf.
    StoreResult store(const SettingsStore& settings);
    // Puts the blank-dive values in; keeps the bail-out cylinders and the
    // sampling rate. The number stays empty: the caller proposes one.
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
    // "decoO2_Level_" and 3 give "decoO2_Level_3".
    static std::string numbered(const char* family, int n);
    std::size_t indexOf(std::string_view name, ControlKind kind) const;
    // Writes a control the way a correction does: modified() is left alone.
    void put(std::string_view name, ControlValue value);
    // What the stored value of an int field is, from the form.
    std::int32_t storedInt(std::string_view name) const;

    void storeCorrections(bool usUnits, std::vector<std::string>& alerts);
    void storeNonNegative(std::string_view name);
    void storeTemperature(std::string_view name, int low, int high);
    void balanceMix();

    void refreshCylinders(FormReadouts& r, const Localisation& loc) const;
    void refreshProfileSummary(FormReadouts& r, const Localisation& loc) const;
    void refreshOxygenExposure(FormReadouts& r) const;

    std::vector<ControlValue> values_;
    WorkingProfile profile_;
    FormReadouts readouts_;
    bool modified_ = false;
};

}  // namespace divelog
