#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "dive/PlongeeFields.h"
#include "util/Date.h"

namespace divelog {

class ArchiveReader;
class ArchiveWriter;

// One dive. A plain value holder: every field has a getter named like the
// field and a setter set<Field>, and can also be reached by its name (the
// table and the search do that). Values are stored as typed: depths in metres
// or feet, temperatures in °C or °F, with no conversion.
class Plongee {
public:
    using Ints = std::optional<std::vector<std::int32_t>>;
    using Reals = std::optional<std::vector<double>>;
    using Text = std::optional<std::string>;
    using When = std::optional<Date>;

    enum class Kind { INT, FLOAT, STRING, DATE, INTS, REALS };

    enum class Field {
#define DIVELOG_X(kind, name, Setter) name,
        DIVELOG_PLONGEE_FIELDS(DIVELOG_X)
#undef DIVELOG_X
    };

    // Numbered families of fields, in number order.
    static constexpr std::array<Field, 5> kStopSwitch = {
        Field::deco_Level_1_sw, Field::deco_Level_2_sw, Field::deco_Level_3_sw,
        Field::deco_Level_4_sw, Field::deco_Level_5_sw};
    static constexpr std::array<Field, 5> kStopO2 = {Field::decoO2_Level_1, Field::decoO2_Level_2,
                                                     Field::decoO2_Level_3, Field::decoO2_Level_4,
                                                     Field::decoO2_Level_5};
    static constexpr std::array<Field, 5> kStopHe = {Field::decoHe_Level_1, Field::decoHe_Level_2,
                                                     Field::decoHe_Level_3, Field::decoHe_Level_4,
                                                     Field::decoHe_Level_5};
    static constexpr std::array<Field, 5> kStopDepth = {
        Field::decoDepth_Level_1, Field::decoDepth_Level_2, Field::decoDepth_Level_3,
        Field::decoDepth_Level_4, Field::decoDepth_Level_5};
    static constexpr std::array<Field, 5> kStopTime = {
        Field::decoTime_Level_1, Field::decoTime_Level_2, Field::decoTime_Level_3,
        Field::decoTime_Level_4, Field::decoTime_Level_5};
    static constexpr std::array<Field, 3> kStageVolume = {Field::volPony1, Field::volPony2,
                                                          Field::volPony3};
    static constexpr std::array<Field, 3> kStageStart = {
        Field::pressDepartPony1, Field::pressDepartPony2, Field::pressDepartPony3};
    static constexpr std::array<Field, 3> kStageEnd = {Field::pressFinPony1, Field::pressFinPony2,
                                                       Field::pressFinPony3};
    static constexpr std::array<Field, 2> kBailoutVolume = {Field::volBailout1, Field::volBailout2};
    static constexpr std::array<Field, 2> kBailoutStart = {Field::pressDepartBailout1,
                                                           Field::pressDepartBailout2};
    static constexpr std::array<Field, 2> kBailoutEnd = {Field::pressFinBailout1,
                                                         Field::pressFinBailout2};
    static constexpr std::array<Field, 2> kBailoutO2 = {Field::O2Bailout1, Field::O2Bailout2};
    static constexpr std::array<Field, 2> kBailoutHe = {Field::HeBailout1, Field::HeBailout2};
    static constexpr std::array<Field, 12> kEquipment = {
        Field::equip_1, Field::equip_2,  Field::equip_3,  Field::equip_4,
        Field::equip_5, Field::equip_6,  Field::equip_7,  Field::equip_8,
        Field::equip_9, Field::equip_10, Field::equip_11, Field::equip_12};

    struct FieldInfo {
        std::string_view name;
        Kind kind;
    };

    // A field's value seen from outside; monostate stands for an absent object.
    using Value = std::variant<std::monostate, std::int32_t, float, std::string, Date,
                               std::vector<std::int32_t>, std::vector<double>>;

    static constexpr const char* kClassName = "Plongee";
    static constexpr int kClassVersion = 23;
    static constexpr int kOldestVersion = 17;

    // Every number 0, every object absent.
    Plongee() = default;

#define DIVELOG_TYPE_INT std::int32_t
#define DIVELOG_TYPE_FLOAT float
#define DIVELOG_TYPE_STRING Text
#define DIVELOG_TYPE_DATE When
#define DIVELOG_TYPE_INTS Ints
#define DIVELOG_TYPE_REALS Reals
#define DIVELOG_X(kind, name, Setter)                           \
    const DIVELOG_TYPE_##kind& name() const { return name##_; } \
    void set##Setter(DIVELOG_TYPE_##kind value) { name##_ = std::move(value); }
    DIVELOG_PLONGEE_FIELDS(DIVELOG_X)
#undef DIVELOG_X

    static const std::vector<FieldInfo>& fields();
    static const FieldInfo& info(Field field) { return fields()[static_cast<std::size_t>(field)]; }
    static std::string_view nameOf(Field field) { return info(field).name; }
    static std::optional<Field> fieldNamed(std::string_view name);

    Value value(Field field) const;
    Value value(std::string_view name) const;  // monostate for an unknown name
    // False, and nothing changed, for an unknown name or a value of another kind.
    bool setValue(Field field, const Value& value);
    bool setValue(std::string_view name, const Value& value);
    // The field as text: strings as they are, numbers in decimal, dates as
    // day text, arrays and absent values empty.
    std::string text(Field field) const;
    std::string text(std::string_view name) const;

    void encode(ArchiveWriter& out) const;
    bool decode(ArchiveReader& in, int version);

    // Bytes held beyond the record itself (texts and series), roughly, for
    // the history's footprint; and the same for one value.
    std::size_t heldBytes() const;
    static std::size_t heldBytes(const Value& value);

    friend bool operator==(const Plongee&, const Plongee&) = default;

private:
#define DIVELOG_X(kind, name, Setter) DIVELOG_TYPE_##kind name##_{};
    DIVELOG_PLONGEE_FIELDS(DIVELOG_X)
#undef DIVELOG_X
#undef DIVELOG_TYPE_INT
#undef DIVELOG_TYPE_FLOAT
#undef DIVELOG_TYPE_STRING
#undef DIVELOG_TYPE_DATE
#undef DIVELOG_TYPE_INTS
#undef DIVELOG_TYPE_REALS
};

// Metres between two decompression stops when the setting holds no positive number.
inline constexpr double kDefaultStopInterval = 3;

// What a blank form proposes for a new dive; the caller gathers the settings.
struct NewDiveDefaults {
    std::int32_t number = 1;
    Date now{};
    std::string countryCode;
    std::string gpsTemplate;
    double stopInterval = 0;  // not a positive number: the default interval
    std::int32_t tankVolume = 0;
    std::int32_t tankPressure = 0;
    std::string fabricant, ordinateur, serie;
    std::int32_t samplingRate = 0;
    // The bail-out values the form kept from the dive shown before; zero otherwise.
    const Plongee* previous = nullptr;
};

Plongee makeNewDive(const NewDiveDefaults& defaults);

}  // namespace divelog
