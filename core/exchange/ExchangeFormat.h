#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "logbook/Carnet.h"
#include "logbook/DiveForm.h"
#include "profile/ProfileSeries.h"
#include "util/Date.h"
#include "util/FileIO.h"

namespace divelog {

class Localisation;

// What an export needs beyond the dives: the texts of its labels, whether
// the logbook's values are typed in feet and Fahrenheit, and the moment of
// export for the files that record it.
struct ExportContext {
    const Localisation& texts;
    bool usUnits = false;
    Date now{};
};

// A file format the logbook can be saved as. Writers stream: they hold no
// copy of the whole file. On failure `error` says why, in a diver's words
// (the character and the dive that a text encoding cannot hold); what was
// written so far is to be discarded.
class DiveExporter {
public:
    virtual ~DiveExporter() = default;
    // The export type's name, as the save panel offers it.
    virtual std::string_view typeName() const = 0;
    virtual std::string_view extension() const = 0;
    [[nodiscard]] virtual bool write(const Carnet::DiveList& dives, const ExportContext& context,
                                     ByteOutput& out, std::string& error) const = 0;
};

// A dive read from a file, as values for the dive form's fields: applied in
// order over a blank form, then the form's own rules store the dive. Each
// field is checked when the reader is compiled to have a control of the
// value's kind, so every value reaches the form.
class DiveDraft {
public:
    struct Value {
        // The value is made in place: no variant is moved on the way.
        template <typename T>
        Value(Plongee::Field f, T&& v) : field(f), value(std::forward<T>(v)) {}
        Plongee::Field field;
        DiveForm::ControlValue value;
    };
    std::optional<ProfileSeries> profile;  // replaces the blank profile when given

    void setText(DiveForm::TextField f, std::string text) {
        values_.emplace_back(f.field, std::move(text));
    }
    void setTag(DiveForm::TagField f, std::int32_t tag) { values_.emplace_back(f.field, tag); }
    void setSwitch(DiveForm::SwitchField f, bool on) { values_.emplace_back(f.field, on); }
    void setDate(DiveForm::DateField f, Date d) { values_.emplace_back(f.field, d); }

    const std::vector<Value>& values() const { return values_; }
    bool sets(Plongee::Field field) const {
        for (const Value& v : values_)
            if (v.field == field) return true;
        return false;
    }

private:
    std::vector<Value> values_;
};

// What a file gave: its dives, and what it held that could not be used.
struct ImportResult {
    std::vector<DiveDraft> dives;
    std::size_t skipped = 0;
    std::vector<std::string> notes;  // one line each, in English, for the import report
    bool readable = true;            // false: not a file of this format at all
};

// What a reader may know of the logbook the dives go to: the places and
// sites of its pick lists, to tell a place from a site in a text that joins
// them.
struct ReadContext {
    std::span<const std::string> places, sites;
};

// A file format dives can be read from. Readers take bytes, so tests and
// fuzzers feed memory; they never throw and never trust a size or a depth.
// They give values in metres and degrees Celsius; the import converts them
// to the logbook's units.
class DiveImporter {
public:
    virtual ~DiveImporter() = default;
    virtual std::string_view name() const = 0;                     // "UDDF", "UDCF", ...
    virtual std::vector<std::string_view> extensions() const = 0;  // for the open panel
    virtual ImportResult read(std::span<const std::uint8_t> bytes,
                              const ReadContext& context) const = 0;
    ImportResult read(std::span<const std::uint8_t> bytes) const { return read(bytes, {}); }
};

}  // namespace divelog
