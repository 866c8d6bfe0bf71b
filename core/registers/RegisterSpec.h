#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "document/CellStyle.h"
#include "document/DocumentKind.h"
#include "registers/Record.h"
#include "util/NumberTyping.h"

namespace divelog {

class Localisation;
class RegisterForm;
class RegisterCardWriter;
class RegisterDocument;

// How the edit form shows a field. Text-like controls hold the typed text;
// pop-ups, switches and sliders an integer; the others their value.
enum class ControlKind : std::uint8_t {
    Text,      // one line of text
    Number,    // one line read as the field's number
    Combo,     // one line with the choices of a pick list
    Notes,     // several lines
    Popup,     // one code of a code table
    Switch,    // 0 or 1
    Slider,    // an integer from 0 to `maximum`
    Date,      // a date and time
    Image,     // a picture
    DateNow,   // a date and time with a button that sets it to now
    Duration,  // hours and minutes kept as a time of day (ClockDuration)
};

bool holdsText(ControlKind kind);
bool holdsDate(ControlKind kind);

// One control of the edit form, in the order the views show them.
struct FormControl {
    std::string_view field;
    ControlKind kind;
    int view;                         // 1 to the register's view count
    std::string_view labelKey;        // in the register's table; empty for none
    std::string_view pickList{};      // Combo: the pick list's key
    const CodeList* codes = nullptr;  // Popup: its items
    std::int32_t maximum = 0;         // Slider
    // Key of a read-out shown beside the control (see FormState): a slider's
    // value text, a figure worked out from the form; "gauge" puts the
    // inspection gauge with the read-outs "gauge" and "status" under it.
    std::string_view readout{};
    // Shown on the row of the control before it, after its own short label,
    // rather than on a row of its own (a price beside its quantity).
    bool joinsRow = false;
    // Number: what may be typed, when the field's type alone does not say
    // (a "-" for not given, a negative value).
    std::optional<NumberTyping> typing{};
};

// `control` put on the row of the control before it.
constexpr FormControl joined(FormControl control) {
    control.joinsRow = true;
    return control;
}

// `control` taking what `typing` lets through.
constexpr FormControl typed(FormControl control, NumberTyping typing) {
    control.typing = typing;
    return control;
}

// A column of the list window's table, named by the field it shows.
struct ColumnSpec {
    std::string_view field;
    std::string_view titleKey;  // in the register's table
    int width;                  // points
};

// What the form's dependent controls look like for the values it holds.
struct FormState {
    std::set<std::string, std::less<>> hidden;    // field names
    std::set<std::string, std::less<>> disabled;  // field names
    struct Readout {
        std::string text;
        std::optional<Colour> colour;
    };
    // Texts shown beside controls, by readout key.
    std::map<std::string, Readout, std::less<>> readouts;
    std::optional<double> gauge;  // percent, when the register shows one
};

// What the form's defaults may depend on.
struct BlankContext {
    std::size_t count;  // records in the register
    Date now;
    const Localisation& texts;
};

// The names a register's commands, toolbar items and pictures go by.
struct RegisterNames {
    std::string_view newItem, addItem, insertItem, updateItem, deleteItem;
    std::string_view addImage, insertImage, updateImage, deleteImage;
    std::string_view listToolbar, editToolbar;
    enum class SaveInEdit { No, Both, DefaultOnly } saveInEditToolbar = SaveInEdit::No;
};

// Everything one register adds to the shared register shape: its record
// class, its table's cell rules, its form, its synthesis card. One object per
// register kind, living for the whole program.
class RegisterSpec {
public:
    virtual ~RegisterSpec() = default;

    virtual DocumentKind kind() const = 0;
    virtual const RecordSchema& schema() const = 0;
    // The register's own localisation table.
    virtual std::string_view table() const = 0;
    virtual const RegisterNames& names() const = 0;
    virtual int viewCount() const = 0;
    // Titles of the edit views, keys of the register's table, one per view.
    virtual std::span<const std::string_view> viewTitles() const = 0;
    virtual std::span<const ColumnSpec> columns() const = 0;
    virtual std::span<const FormControl> controls() const = 0;

    // Keys of the count label; each is looked up in the register's table,
    // then in "Main".
    virtual std::string_view oneKey() const { return "One card"; }
    virtual std::string_view manyKey() const { return "Cards"; }
    // Title of the synthesis card, a key of the register's table.
    virtual std::string_view cardTitleKey() const { return "Inventory"; }
    // False for a register without a synthesis card.
    virtual bool hasCard() const { return true; }
    // After loading, the last record is shown rather than the first.
    virtual bool selectsLastAtLoad() const { return false; }
    // Erasing the form keeps the table's selection (Insert then works on it).
    virtual bool blankKeepsSelection() const { return false; }

    // The form's empty defaults.
    virtual void blank(RegisterForm& form, const BlankContext& context) const;
    // What a text-like control shows for a field's value, and how its text
    // is read back into the record.
    virtual std::string formText(const Record& record, std::size_t field) const;
    virtual void readFormText(Record& record, std::size_t field, const std::string& text) const;
    // A file that is no record archive at all may be one of the register's
    // older formats: a register with an importer reads its records here. By
    // default, and when the importer cannot read it, there are none and
    // `error` says why (left alone: the archive's own reason stands).
    virtual std::optional<std::vector<Record>> importOlder(std::span<const std::uint8_t> bytes,
                                                           std::string& error) const;
    // Values that follow other values (a switch that resets dates); called
    // after each change the user makes.
    virtual void applyRules(RegisterForm& /*form*/, Date /*now*/) const {}
    virtual FormState formState(const RegisterForm& form, Date now,
                                const Localisation& texts) const;
    // The longest text a read-out beside a control may show, for its room;
    // empty when it needs none set aside.
    virtual std::string readoutSample(std::string_view /*readout*/,
                                      const Localisation& /*texts*/) const {
        return {};
    }

    virtual std::string cellText(const Record& record, std::size_t field,
                                 const Localisation& texts) const;
    virtual CellStyle cellStyle(const Record& /*record*/, std::size_t /*field*/,
                                Date /*now*/) const {
        return {};
    }
    // What the card shows between its title and the first record; by
    // default the separator, when it follows each record.
    virtual void writeCardHead(const RegisterDocument& document, RegisterCardWriter& card) const;
    // One record's part of the synthesis card, after its separator.
    virtual void writeCard(const Record& record, RegisterCardWriter& card) const = 0;
    // The line between records ("\r\r--------------------"); written before
    // each record, or after each one when `separatorAfter`.
    virtual std::string_view cardSeparator() const { return "\r\r--------------------"; }
    virtual bool separatorAfter() const { return false; }
    // The card's line with the document's path.
    virtual std::string_view fileLineFormat() const { return "\rFile dir : %@"; }

    // Conveniences over the schema and controls.
    std::size_t field(std::string_view name) const;  // the index; throws for an unknown name
    const FormControl* control(std::string_view field) const;
    // What a Number control lets the user type: its own rule, else digits
    // for an integer field and a decimal number for a float one.
    NumberTyping numberTyping(const FormControl& control) const;
    // A code's label ("N/A" when the code has none), as cells and cards show it.
    static std::string codeLabel(const CodeList& codes, std::int32_t code,
                                 const Localisation& texts);
    // A label's text: its key looked up, or the key itself when it names no table.
    static std::string labelText(const CodeLabel& label, const Localisation& texts);
};

}  // namespace divelog
