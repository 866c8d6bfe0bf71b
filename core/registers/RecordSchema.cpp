#include "registers/RecordSchema.h"

namespace divelog {

std::optional<std::size_t> RecordSchema::indexOf(std::string_view name) const {
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i].name == name) return i;
    return std::nullopt;
}

FieldValue RecordSchema::emptyValue(std::size_t index) const {
    switch (fields[index].type) {
        case FieldType::Text: return std::optional<std::string>();
        case FieldType::Int: return std::int32_t{0};
        case FieldType::Float: return 0.0f;
        case FieldType::Date: return std::optional<Date>();
        case FieldType::Image: return std::optional<Image>();
    }
    return std::optional<std::string>();
}

const CodeLabel* CodeList::find(std::int32_t code) const {
    for (const auto& label : labels)
        if (label.code == code) return &label;
    return nullptr;
}

}  // namespace divelog
