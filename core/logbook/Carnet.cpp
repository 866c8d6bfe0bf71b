#include "logbook/Carnet.h"

#include <algorithm>
#include <limits>

#include "archive/RecordList.h"
#include "logbook/CarnetCommands.h"

namespace divelog {

namespace {
constexpr ListNames kNames{"Add Dive",        "Insert Dive", "Update Dive",    "Delete Dive",
                           "Delete %d Dives", "Sort Dives",  "Import %d Dives"};
}  // namespace

Carnet::Carnet() : RecordListDocument(DocumentKind::Carnet, kNames) {}

std::int32_t Carnet::nextDiveNumber() const {
    if (records_.empty()) return 1;
    const std::int32_t last = records_.back()->noPlongee();
    return last == std::numeric_limits<std::int32_t>::max() ? last : last + 1;
}

std::int32_t Carnet::numberAfterHighest() const {
    std::int32_t highest = 0;
    for (const auto& d : records_) highest = std::max(highest, d->noPlongee());
    return highest == std::numeric_limits<std::int32_t>::max() ? highest : highest + 1;
}

void Carnet::renumber(std::int32_t first) {
    if (records_.empty()) return;
    history().push(std::make_unique<SwapNumbers>(*this, first));
}

bool Carnet::setField(std::size_t row, Plongee::Field field, const Plongee::Value& value) {
    if (row >= records_.size()) return false;
    Plongee probe;
    if (!probe.setValue(field, value)) return false;  // a value of another kind
    if (records_[row]->value(field) == value) return false;
    history().push(std::make_unique<SwapField>(*this, ids_[row], field, value));
    return true;
}

void Carnet::sortDives(Plongee::Field field, bool ascending) {
    // Keys are taken once so a large logbook sorts without rebuilding values per comparison.
    std::vector<std::pair<Plongee::Value, std::size_t>> keys;
    keys.reserve(records_.size());
    for (std::size_t i = 0; i < records_.size(); ++i)
        keys.emplace_back(records_[i]->value(field), i);
    std::stable_sort(keys.begin(), keys.end(), [ascending](const auto& a, const auto& b) {
        return ascending ? a.first < b.first : b.first < a.first;
    });
    std::vector<std::size_t> order;
    order.reserve(keys.size());
    for (const auto& k : keys) order.push_back(k.second);
    reorder(std::move(order));
}

std::vector<std::uint8_t> Carnet::encodeRecords() const {
    std::size_t hint = 0;
    for (const auto& d : records_) {
        hint += 1200;
        if (d->profilProfondeur()) hint += d->profilProfondeur()->size() * 9;
        if (d->PRESS_Data()) hint += d->PRESS_Data()->size() * 8;
        if (d->ASC_Flag()) hint += d->ASC_Flag()->size() * 20;
    }
    return encodeRecordList(info().id, records_, hint);
}

bool Carnet::writeRecords(ByteOutput& out) const {
    return writeRecordList(out, info().id, records_);
}

bool Carnet::loadData(std::span<const std::uint8_t> bytes, std::string_view type,
                      std::string& error) {
    if (type != info().id) {
        error = "A logbook cannot be opened as \"" + std::string(type) + "\".";
        return false;
    }
    DiveList decoded;
    if (!decodeRecordList(bytes, info().id, decoded, error)) return false;
    loadList(std::move(decoded));
    return true;
}

}  // namespace divelog
