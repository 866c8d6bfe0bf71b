#include "registers/RegisterForm.h"

#include "registers/RegisterSpec.h"

namespace divelog {

RegisterForm::RegisterForm(const RegisterSpec& spec) : spec_(spec), base_(spec.schema()) {
    for (const FormControl& c : spec.controls()) fieldOfSlot_.push_back(spec.field(c.field));
    for (std::size_t i = 0; i < fieldOfSlot_.size(); ++i)
        values_.push_back(valueOf(base_, fieldOfSlot_[i]));
    dirty_.assign(fieldOfSlot_.size(), false);
}

std::optional<std::size_t> RegisterForm::slot(std::string_view field) const {
    const auto controls = spec_.controls();
    for (std::size_t i = 0; i < controls.size(); ++i)
        if (controls[i].field == field) return i;
    return std::nullopt;
}

RegisterForm::Value RegisterForm::valueOf(const Record& record, std::size_t field) const {
    const FormControl* c = spec_.control(record.schema().fields[field].name);
    if (holdsText(c->kind)) return spec_.formText(record, field);
    if (holdsDate(c->kind)) return record.date(field);
    if (c->kind == ControlKind::Image) return record.image(field);
    // Pop-ups, switches and sliders over a float field show its whole part.
    if (record.schema().fields[field].type == FieldType::Float)
        return static_cast<std::int32_t>(record.real(field));
    return record.integer(field);
}

void RegisterForm::load(const Record& record) {
    base_ = record;
    for (std::size_t i = 0; i < fieldOfSlot_.size(); ++i)
        values_[i] = valueOf(base_, fieldOfSlot_[i]);
    dirty_.assign(fieldOfSlot_.size(), false);
    modified_ = false;
}

void RegisterForm::blank(const BlankContext& context) {
    load(Record(spec_.schema()));
    spec_.blank(*this, context);
    // A new card takes every control's value, defaults included.
    dirty_.assign(fieldOfSlot_.size(), true);
    modified_ = false;
}

Record RegisterForm::record() const {
    Record out = base_;
    for (std::size_t i = 0; i < fieldOfSlot_.size(); ++i) {
        if (!dirty_[i]) continue;
        const std::size_t f = fieldOfSlot_[i];
        const Value& v = values_[i];
        if (const auto* s = std::get_if<std::string>(&v)) {
            spec_.readFormText(out, f, *s);
        } else if (const auto* n = std::get_if<std::int32_t>(&v)) {
            if (out.schema().fields[f].type == FieldType::Float)
                out.setReal(f, static_cast<float>(*n));
            else
                out.setInteger(f, *n);
        } else if (const auto* d = std::get_if<std::optional<Date>>(&v)) {
            out.setDate(f, *d);
        } else if (const auto* p = std::get_if<std::optional<Image>>(&v)) {
            out.setImage(f, *p);
        }
    }
    return out;
}

std::string RegisterForm::text(std::string_view field) const {
    auto i = slot(field);
    const auto* v = i ? std::get_if<std::string>(&values_[*i]) : nullptr;
    return v ? *v : std::string();
}

std::int32_t RegisterForm::integer(std::string_view field) const {
    auto i = slot(field);
    const auto* v = i ? std::get_if<std::int32_t>(&values_[*i]) : nullptr;
    return v ? *v : 0;
}

std::optional<Date> RegisterForm::date(std::string_view field) const {
    auto i = slot(field);
    const auto* v = i ? std::get_if<std::optional<Date>>(&values_[*i]) : nullptr;
    return v ? *v : std::nullopt;
}

std::optional<Image> RegisterForm::image(std::string_view field) const {
    auto i = slot(field);
    const auto* v = i ? std::get_if<std::optional<Image>>(&values_[*i]) : nullptr;
    return v ? *v : std::nullopt;
}

void RegisterForm::assign(std::string_view field, Value value) {
    auto i = slot(field);
    if (!i || value.index() != values_[*i].index()) return;
    if (values_[*i] == value) return;
    values_[*i] = std::move(value);
    dirty_[*i] = true;
}

void RegisterForm::userSet(std::string_view field, Value value, Date now) {
    auto i = slot(field);
    if (!i || value.index() != values_[*i].index() || values_[*i] == value) return;
    values_[*i] = std::move(value);
    dirty_[*i] = true;
    modified_ = true;
    spec_.applyRules(*this, now);
}

bool RegisterForm::setText(std::string_view field, std::string text, Date now) {
    const FormControl* c = spec_.control(field);
    if (c && c->kind == ControlKind::Number &&
        checkTyping(spec_.numberTyping(*c), text) == Typed::Refused)
        return false;
    userSet(field, std::move(text), now);
    return true;
}
void RegisterForm::setInteger(std::string_view field, std::int32_t value, Date now) {
    userSet(field, value, now);
}
void RegisterForm::setDate(std::string_view field, std::optional<Date> date, Date now) {
    userSet(field, date, now);
}
void RegisterForm::setImage(std::string_view field, std::optional<Image> image, Date now) {
    userSet(field, std::move(image), now);
}

}  // namespace divelog
