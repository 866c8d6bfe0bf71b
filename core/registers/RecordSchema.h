#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "archive/ArchiveValues.h"
#include "util/Date.h"

namespace divelog {

// What a register record keeps in one field, as the archive codes it: "i",
// "f", or an object (string, date, image).
enum class FieldType : std::uint8_t { Text, Int, Float, Date, Image };

// A field's value. The alternative is the field's type: Text holds an
// optional string, Int an int32, Float a float, Date and Image optionals.
using FieldValue = std::variant<std::optional<std::string>, std::int32_t, float,
                                std::optional<Date>, std::optional<Image>>;

// One field of a record class, in archive order. The version branches of a
// register's file format are stated here and nowhere else.
struct RecordField {
    std::string_view name;
    FieldType type;
    // The oldest class version whose files hold the field. An older file
    // gives 0, an absent object, or the empty string when `olderEmptyText`.
    int since = 0;
    // Files older than this hold an "i" instead: a Float takes its value, a
    // Text its decimal text.
    int intBefore = 0;
    bool olderEmptyText = false;
};

// A record class: its name and version as the archive stores them, and its
// fields in archive order.
struct RecordSchema {
    std::string_view className;
    int version;  // written, and the newest read
    std::span<const RecordField> fields;

    std::size_t size() const { return fields.size(); }
    // Fields are looked up by the names the table columns and forms use.
    std::optional<std::size_t> indexOf(std::string_view name) const;
    // The value an empty record holds in field `index`.
    FieldValue emptyValue(std::size_t index) const;
};

// The text of one code of a coded field: a key in a localisation table.
struct CodeLabel {
    std::int32_t code;
    std::string_view key;
    std::string_view table;
};

// The codes of a coded field, in the order a pop-up menu offers them. The
// table cell, the form's pop-up and the synthesis card all read it.
struct CodeList {
    std::span<const CodeLabel> labels;

    const CodeLabel* find(std::int32_t code) const;
};

}  // namespace divelog
