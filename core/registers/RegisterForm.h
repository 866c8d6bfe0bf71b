#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "registers/Record.h"

namespace divelog {

class RegisterSpec;
struct BlankContext;

// The edit form of a register as plain data: what each control holds, and
// the record it was filled from. Storing writes only the controls the user
// (or a rule) changed over that record, so a field without a control, or one
// left alone, keeps its value exactly.
class RegisterForm {
public:
    using Value =
        std::variant<std::string, std::int32_t, std::optional<Date>, std::optional<Image>>;

    explicit RegisterForm(const RegisterSpec& spec);

    const RegisterSpec& spec() const { return spec_; }

    // Fills the controls from a record; the form is then unmodified.
    void load(const Record& record);
    // The register's empty defaults.
    void blank(const BlankContext& context);
    // The record the form describes.
    Record record() const;
    const Record& base() const { return base_; }

    // Control values by field name; a field without a control of that sort
    // reads as empty and ignores writes.
    std::string text(std::string_view field) const;
    std::int32_t integer(std::string_view field) const;
    std::optional<Date> date(std::string_view field) const;
    std::optional<Image> image(std::string_view field) const;

    // The user's edits: mark the form modified when the value differs, then
    // run the register's rules. A number control refuses a text its typing
    // rule refuses (false), so nothing unreadable is stored as 0.
    bool setText(std::string_view field, std::string text, Date now);
    void setInteger(std::string_view field, std::int32_t value, Date now);
    void setDate(std::string_view field, std::optional<Date> date, Date now);
    void setImage(std::string_view field, std::optional<Image> image, Date now);

    // Writes by the register's rules and defaults: stored with the form, but
    // not an edit of the user's.
    void assign(std::string_view field, Value value);

    bool modified() const { return modified_; }
    void resetModified() { modified_ = false; }

private:
    std::optional<std::size_t> slot(std::string_view field) const;
    Value valueOf(const Record& record, std::size_t field) const;
    void userSet(std::string_view field, Value value, Date now);

    const RegisterSpec& spec_;
    Record base_;
    std::vector<std::size_t> fieldOfSlot_;  // one slot per control
    std::vector<Value> values_;
    std::vector<bool> dirty_;
    bool modified_ = false;
};

}  // namespace divelog
