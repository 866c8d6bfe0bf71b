#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "util/Date.h"
#include "util/StyledText.h"

namespace divelog {

class Localisation;
class RegisterDocument;

// Writes one register's synthesis card: labels in black, values in blue,
// section headings in red, the frame in green. Label keys are looked up in
// the register's own table; their translations carry their own line breaks.
class RegisterCardWriter {
public:
    RegisterCardWriter(StyledText& out, const Localisation& texts, std::string_view table,
                       Date now = {})
        : out_(out), texts_(texts), table_(table), now_(now) {}

    const Localisation& texts() const { return texts_; }
    // When the card is written, for what depends on it (a date gone by).
    Date now() const { return now_; }
    // The row of the record being written, counted from 0.
    std::size_t row() const { return row_; }
    void setRow(std::size_t row) { row_ = row; }
    // The text of a key of the register's table.
    std::string text(std::string_view key) const;

    void label(std::string_view key);
    void value(std::string_view text);
    void field(std::string_view labelKey, std::string_view value) {
        label(labelKey);
        this->value(value);
    }
    void heading(std::string_view key);
    void plain(std::string_view text);
    // Text that must stand out, in red.
    void alert(std::string_view text);

private:
    StyledText& out_;
    const Localisation& texts_;
    std::string_view table_;
    Date now_;
    std::size_t row_ = 0;
};

// The whole card of a register: title, every record in list order with its
// separators, then the file's path and the edition date.
StyledText registerCard(const RegisterDocument& document, const Localisation& texts, Date now);

// A date as the cards show it: "31/05/2024"; empty for none.
std::string cardDate(const std::optional<Date>& date);

}  // namespace divelog
