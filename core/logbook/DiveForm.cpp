#include "logbook/DiveForm.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <unordered_map>

#include "localisation/Localisation.h"
#include "settings/SettingsStore.h"

namespace divelog {

namespace {

using Kind = DiveForm::ControlKind;
using F = Plongee::Field;

constexpr std::size_t kNoControl = static_cast<std::size_t>(-1);

struct Index {
    std::unordered_map<std::string_view, std::size_t> byName;
    std::vector<std::size_t> byField;  // kNoControl for fields without a control
    std::array<std::size_t, 2> nitrogen{};
};

const Index& controlIndex() {
    static const Index index = [] {
        Index ix;
        ix.byField.assign(Plongee::fields().size(), kNoControl);
        const auto& c = DiveForm::controls();
        for (std::size_t i = 0; i < c.size(); ++i) {
            ix.byName.emplace(c[i].name, i);
            if (c[i].field) ix.byField[static_cast<std::size_t>(*c[i].field)] = i;
        }
        ix.nitrogen = {ix.byName.at("n2Mix"), ix.byName.at("n2Mix_2")};
        return ix;
    }();
    return index;
}

}  // namespace

const std::vector<DiveForm::ControlInfo>& DiveForm::controls() {
    static const std::vector<ControlInfo> table = [] {
        std::vector<ControlInfo> t;
        for (std::size_t i = 0; i < Plongee::fields().size(); ++i) {
            const auto field = static_cast<F>(i);
            if (const auto kind = controlKindOf(field))
                t.push_back({Plongee::nameOf(field), *kind, field});
        }
        t.push_back({"n2Mix", Kind::Text, std::nullopt});
        t.push_back({"n2Mix_2", Kind::Text, std::nullopt});
        return t;
    }();
    return table;
}

std::optional<DiveForm::ControlKind> DiveForm::kindOf(std::string_view name) {
    const auto& index = controlIndex().byName;
    auto it = index.find(name);
    if (it == index.end()) return std::nullopt;
    return controls()[it->second].kind;
}

DiveForm::DiveForm() {
    for (const auto& c : controls()) {
        switch (c.kind) {
            case Kind::Text: values_.emplace_back(std::string()); break;
            case Kind::Tag:
            case Kind::Slider:
            case Kind::Selector: values_.emplace_back(std::int32_t{0}); break;
            case Kind::Switch: values_.emplace_back(false); break;
            case Kind::Date: values_.emplace_back(Date{}); break;
        }
    }
}

std::size_t DiveForm::indexOf(Field field, ControlKind kind) const {
    std::size_t i = controlIndex().byField[static_cast<std::size_t>(field)];
    if (i == kNoControl ||
        DiveForm::valueIndexOf(controls()[i].kind) != DiveForm::valueIndexOf(kind))
        throw std::out_of_range("no dive form control " + std::string(Plongee::nameOf(field)) +
                                " of that kind");
    return i;
}

std::size_t DiveForm::indexOf(std::string_view name, ControlKind kind) const {
    const auto& index = controlIndex().byName;
    auto it = index.find(name);
    if (it == index.end() ||
        DiveForm::valueIndexOf(controls()[it->second].kind) != DiveForm::valueIndexOf(kind))
        throw std::out_of_range("no dive form control " + std::string(name) + " of that kind");
    return it->second;
}

void DiveForm::assign(std::size_t index, ControlValue value) {
    if (controls()[index].kind == Kind::Slider)
        value = std::clamp(std::get<std::int32_t>(value), 0, 5);
    ControlValue& slot = values_[index];
    if (slot == value) return;
    slot = std::move(value);
    modified_ = true;
}

const std::string& DiveForm::text(Field f) const {
    return std::get<std::string>(values_[indexOf(f, Kind::Text)]);
}
void DiveForm::setText(Field f, std::string v) { assign(indexOf(f, Kind::Text), std::move(v)); }
std::int32_t DiveForm::tag(Field f) const {
    return std::get<std::int32_t>(values_[indexOf(f, Kind::Tag)]);
}
void DiveForm::setTag(Field f, std::int32_t v) { assign(indexOf(f, Kind::Tag), v); }
bool DiveForm::switchOn(Field f) const { return std::get<bool>(values_[indexOf(f, Kind::Switch)]); }
void DiveForm::setSwitch(Field f, bool on) { assign(indexOf(f, Kind::Switch), on); }
Date DiveForm::date(Field f) const { return std::get<Date>(values_[indexOf(f, Kind::Date)]); }
void DiveForm::setDate(Field f, Date v) { assign(indexOf(f, Kind::Date), v); }

const std::string& DiveForm::text(std::string_view name) const {
    return std::get<std::string>(values_[indexOf(name, Kind::Text)]);
}
void DiveForm::setText(std::string_view name, std::string v) { setValue(name, std::move(v)); }
std::int32_t DiveForm::tag(std::string_view name) const {
    return std::get<std::int32_t>(values_[indexOf(name, Kind::Tag)]);
}
void DiveForm::setTag(std::string_view name, std::int32_t v) { setValue(name, v); }
bool DiveForm::switchOn(std::string_view name) const {
    return std::get<bool>(values_[indexOf(name, Kind::Switch)]);
}
void DiveForm::setSwitch(std::string_view name, bool on) { setValue(name, on); }
Date DiveForm::date(std::string_view name) const {
    return std::get<Date>(values_[indexOf(name, Kind::Date)]);
}
void DiveForm::setDate(std::string_view name, Date v) { setValue(name, v); }

DiveForm::ControlValue DiveForm::value(std::string_view name) const {
    auto kind = kindOf(name);
    if (!kind) throw std::out_of_range("no dive form control " + std::string(name));
    return values_[indexOf(name, *kind)];
}

void DiveForm::setValue(std::string_view name, ControlValue value) {
    auto kind = kindOf(name);
    if (!kind || DiveForm::valueIndexOf(*kind) != value.index())
        throw std::out_of_range("no dive form control " + std::string(name) + " of that kind");
    assign(indexOf(name, *kind), std::move(value));
}

void DiveForm::put(Field field, ControlValue value) {
    const bool was = modified_;
    const std::size_t index = indexOf(field, *controlKindOf(field));
    if (corrections_ && values_[index] != value &&
        std::find(corrections_->begin(), corrections_->end(), field) == corrections_->end())
        corrections_->push_back(field);
    assign(index, std::move(value));
    modified_ = was;
}

void DiveForm::putNitrogen(int cylinder, std::int64_t percent) {
    const bool was = modified_;
    assign(controlIndex().nitrogen.at(cylinder == 2 ? 1 : 0), integerText(percent));
    modified_ = was;
}

void DiveForm::showStoredValue(Field field, const std::string& text) { put(field, text); }

std::int32_t DiveForm::intValue(Field f) const { return readInteger(text(f)).value_or(0); }

double DiveForm::decimalValue(Field f) const { return readDecimal(text(f)).value_or(0); }

void DiveForm::setProfile(ProfileSeries profile) {
    if (profile == profile_) return;
    profile_ = std::move(profile);
    modified_ = true;
}

void DiveForm::razAir() {
    setText(F::o2Mix, "21");
    setText(F::heMix, "0");
    putNitrogen(1, 79);
}

void DiveForm::razNitrox() {
    setText(F::heMix, "0");
    putNitrogen(1, 100 - std::int64_t{intValue(F::o2Mix)});
}

void DiveForm::razHeliox() {
    setText(F::heMix, integerText(100 - std::int64_t{intValue(F::o2Mix)}));
    putNitrogen(1, 0);
}

}  // namespace divelog
