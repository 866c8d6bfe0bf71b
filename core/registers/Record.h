#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "registers/RecordSchema.h"

namespace divelog {

class ArchiveReader;
class ArchiveWriter;

// One card of a register: a plain value holder over its class's schema.
// Fields are reached by index (each register names its indices) or by name;
// a value of the wrong type for its field is refused, never stored.
class Record {
public:
    explicit Record(const RecordSchema& schema);

    const RecordSchema& schema() const { return *schema_; }
    std::size_t size() const { return values_.size(); }

    const FieldValue& value(std::size_t field) const { return values_.at(field); }
    // False, and nothing changed, when the value's type is not the field's.
    bool setValue(std::size_t field, FieldValue value);

    // Typed reads; a field of another type reads as empty or 0.
    const std::optional<std::string>& text(std::size_t field) const;
    std::string textOr(std::size_t field) const;  // empty for an absent text
    std::int32_t integer(std::size_t field) const;
    float real(std::size_t field) const;
    const std::optional<Date>& date(std::size_t field) const;
    const std::optional<Image>& image(std::size_t field) const;

    void setText(std::size_t field, std::optional<std::string> text);
    void setInteger(std::size_t field, std::int32_t value);
    void setReal(std::size_t field, float value);
    void setDate(std::size_t field, std::optional<Date> date);
    void setImage(std::size_t field, std::optional<Image> image);

    // The archive: every field in schema order, at the schema's version.
    void encode(ArchiveWriter& out) const;
    // Reads the fields a file of `version` holds; the others take their
    // older-version value. False when the archive is unusable.
    [[nodiscard]] bool decode(ArchiveReader& in, int version);

    // Bytes held beyond the record itself (texts, pictures), for the
    // history's footprint.
    std::size_t heldBytes() const;

    // Orders two records by one field with the natural comparison of its
    // values (texts bytewise, numbers, dates); absent values come first.
    static int compare(const Record& a, const Record& b, std::size_t field);

    friend bool operator==(const Record& a, const Record& b) {
        return a.schema_ == b.schema_ && a.values_ == b.values_;
    }

private:
    const RecordSchema* schema_;
    std::vector<FieldValue> values_;
};

}  // namespace divelog
