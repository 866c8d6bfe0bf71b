#include "logbook/CarnetCommands.h"

#include "localisation/Localisation.h"

namespace divelog {

namespace {
constexpr std::string_view kTable = "Main";

std::size_t valueBytes(const Plongee::Value& v) {
    if (auto s = std::get_if<std::string>(&v)) return s->capacity();
    if (auto i = std::get_if<std::vector<std::int32_t>>(&v)) return i->capacity() * 4;
    if (auto d = std::get_if<std::vector<double>>(&v)) return d->capacity() * 8;
    return 0;
}
}  // namespace

std::size_t approximateBytes(const Plongee& dive) {
    std::size_t n = sizeof(Plongee);
    for (std::size_t i = 0; i < Plongee::fields().size(); ++i)
        n += valueBytes(dive.value(static_cast<Plongee::Field>(i)));
    return n;
}

PlaceDives::PlaceDives(Carnet& carnet, std::vector<PlacedDive> dives, std::string_view nameKey)
    : carnet_(carnet), adding_(true), held_(std::move(dives)), nameKey_(nameKey) {
    for (const auto& d : held_) rows_.push_back(d.row);
}

PlaceDives::PlaceDives(Carnet& carnet, std::vector<std::size_t> rows, std::string_view nameKey)
    : carnet_(carnet), adding_(false), rows_(std::move(rows)), nameKey_(nameKey) {}

void PlaceDives::put() { CarnetEdit::insert(carnet_, held_); }

void PlaceDives::take() { held_ = CarnetEdit::remove(carnet_, rows_); }

std::string PlaceDives::name(const Localisation& texts) const {
    return texts.format(kTable, nameKey_, nameKey_, {static_cast<std::int64_t>(rows_.size())});
}

std::size_t PlaceDives::heldBytes() const {
    std::size_t n = rows_.capacity() * sizeof(std::size_t) + held_.capacity() * sizeof(PlacedDive);
    for (const auto& d : held_) n += approximateBytes(*d.dive);
    return n;
}

SwapDive::SwapDive(Carnet& carnet, DiveId id, std::unique_ptr<Plongee> record,
                   std::string_view nameKey)
    : carnet_(carnet), id_(id), other_(std::move(record)), nameKey_(nameKey) {}

void SwapDive::swap() {
    if (auto row = carnet_.rowOf(id_)) CarnetEdit::swapRecord(carnet_, *row, other_);
}

std::string SwapDive::name(const Localisation& texts) const {
    return texts.text(kTable, nameKey_, nameKey_);
}

std::size_t SwapDive::heldBytes() const { return approximateBytes(*other_); }

SwapField::SwapField(Carnet& carnet, DiveId id, Plongee::Field field, Plongee::Value value)
    : carnet_(carnet), id_(id), field_(field), other_(std::move(value)) {}

void SwapField::swap() {
    if (auto row = carnet_.rowOf(id_)) CarnetEdit::swapField(carnet_, *row, field_, other_);
}

std::string SwapField::name(const Localisation& texts) const {
    return texts.text(kTable, "Edit Dive", "Edit Dive");
}

std::size_t SwapField::heldBytes() const { return valueBytes(other_); }

SwapNumbers::SwapNumbers(Carnet& carnet, std::int32_t first) : carnet_(carnet), first_(first) {}

void SwapNumbers::redo() {
    if (done_) {
        CarnetEdit::swapNumbers(carnet_, numbers_);
        return;
    }
    numbers_ = CarnetEdit::renumber(carnet_, first_);
    done_ = true;
}

std::string SwapNumbers::name(const Localisation& texts) const {
    return texts.text(kTable, "Renumber Dives", "Renumber Dives");
}

ReorderDives::ReorderDives(Carnet& carnet, std::vector<std::size_t> order)
    : carnet_(carnet), order_(std::move(order)) {}

void ReorderDives::redo() { CarnetEdit::reorder(carnet_, order_); }

void ReorderDives::undo() {
    std::vector<std::size_t> back(order_.size());
    for (std::size_t i = 0; i < order_.size(); ++i) back[order_[i]] = i;
    CarnetEdit::reorder(carnet_, back);
}

std::string ReorderDives::name(const Localisation& texts) const {
    return texts.text(kTable, "Sort Dives", "Sort Dives");
}

}  // namespace divelog
