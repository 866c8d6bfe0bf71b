#include "registers/RegisterSpec.h"

#include <stdexcept>

#include "localisation/Localisation.h"
#include "registers/RegisterCard.h"
#include "registers/RegisterForm.h"
#include "util/Numbers.h"

namespace divelog {

bool holdsText(ControlKind kind) {
    return kind == ControlKind::Text || kind == ControlKind::Number || kind == ControlKind::Combo ||
           kind == ControlKind::Notes;
}

bool holdsDate(ControlKind kind) {
    return kind == ControlKind::Date || kind == ControlKind::DateNow ||
           kind == ControlKind::Duration;
}

std::size_t RegisterSpec::field(std::string_view name) const {
    if (auto i = schema().indexOf(name)) return *i;
    // A register naming a field its class lacks is a programming error.
    throw std::logic_error("unknown register field: " + std::string(name));
}

const FormControl* RegisterSpec::control(std::string_view name) const {
    for (const FormControl& c : controls())
        if (c.field == name) return &c;
    return nullptr;
}

NumberTyping RegisterSpec::numberTyping(const FormControl& c) const {
    if (c.typing) return *c.typing;
    const FieldType type = schema().fields[field(c.field)].type;
    // Nine digits always fit a 32-bit integer.
    if (type == FieldType::Float) return {.decimals = true, .maxDigits = 7};
    return {.maxDigits = 9};
}

std::string RegisterSpec::codeLabel(const CodeList& codes, std::int32_t code,
                                    const Localisation& texts) {
    const CodeLabel* label = codes.find(code);
    return label ? labelText(*label, texts) : std::string("N/A");
}

std::string RegisterSpec::labelText(const CodeLabel& label, const Localisation& texts) {
    if (label.table.empty()) return std::string(label.key);
    return texts.text(label.table, label.key, "N/A");
}

void RegisterSpec::blank(RegisterForm& /*form*/, const BlankContext& /*context*/) const {}

std::string RegisterSpec::formText(const Record& record, std::size_t field) const {
    switch (record.schema().fields[field].type) {
        case FieldType::Text: return record.textOr(field);
        case FieldType::Int: return integerText(record.integer(field));
        case FieldType::Float: return decimalText(record.real(field));
        default: return std::string();
    }
}

void RegisterSpec::readFormText(Record& record, std::size_t field, const std::string& text) const {
    switch (record.schema().fields[field].type) {
        case FieldType::Text: record.setText(field, text); break;
        // Unreadable numbers count as 0, as an empty field does.
        case FieldType::Int: record.setInteger(field, readInteger(text).value_or(0)); break;
        case FieldType::Float: record.setReal(field, readFloat(text).value_or(0.0f)); break;
        default: break;
    }
}

std::optional<std::vector<Record>> RegisterSpec::importOlder(
    std::span<const std::uint8_t> /*bytes*/, std::string& /*error*/) const {
    return std::nullopt;
}

void RegisterSpec::writeCardHead(const RegisterDocument& /*document*/,
                                 RegisterCardWriter& card) const {
    if (separatorAfter()) card.plain(cardSeparator());
}

FormState RegisterSpec::formState(const RegisterForm& /*form*/, Date /*now*/,
                                  const Localisation& /*texts*/) const {
    return {};
}

std::string RegisterSpec::cellText(const Record& record, std::size_t field,
                                   const Localisation& /*texts*/) const {
    switch (record.schema().fields[field].type) {
        case FieldType::Text: return record.textOr(field);
        case FieldType::Int: return integerText(record.integer(field));
        case FieldType::Float: return decimalText(record.real(field));
        case FieldType::Date: return record.date(field) ? formatDay(*record.date(field)) : "";
        case FieldType::Image: return std::string();
    }
    return std::string();
}

}  // namespace divelog
