#include "logbook/Carnet.h"

#include <algorithm>
#include <limits>
#include <unordered_set>

#include "archive/RecordList.h"
#include "logbook/CarnetCommands.h"

namespace divelog {

bool CarnetChange::concerns(DiveId id) const {
    return allRows || std::find(ids.begin(), ids.end(), id) != ids.end();
}

Carnet::Carnet() : Document(DocumentKind::Carnet) {}

std::optional<std::size_t> Carnet::rowOf(DiveId id) const {
    auto it = std::find(ids_.begin(), ids_.end(), id);
    if (it == ids_.end()) return std::nullopt;
    return static_cast<std::size_t>(it - ids_.begin());
}

std::vector<std::size_t> Carnet::rowsOf(const std::vector<DiveId>& ids) const {
    std::vector<std::size_t> rows;
    if (ids.empty()) return rows;
    const std::unordered_set<DiveId> wanted(ids.begin(), ids.end());
    for (std::size_t i = 0; i < ids_.size(); ++i)
        if (wanted.count(ids_[i])) rows.push_back(i);
    return rows;
}

std::int32_t Carnet::nextDiveNumber() const {
    if (_carnet.empty()) return 1;
    const std::int32_t last = _carnet.back()->noPlongee();
    return last == std::numeric_limits<std::int32_t>::max() ? last : last + 1;
}

DiveId Carnet::addDive(std::unique_ptr<Plongee> dive) {
    const DiveId id = newId();
    std::vector<PlacedDive> placed;
    placed.push_back({_carnet.size(), id, std::move(dive)});
    history().push(std::make_unique<PlaceDives>(*this, std::move(placed), "Add Dive"));
    return id;
}

std::optional<DiveId> Carnet::insertDive(std::size_t index, std::unique_ptr<Plongee> dive) {
    if (index >= _carnet.size()) return std::nullopt;
    const DiveId id = newId();
    std::vector<PlacedDive> placed;
    placed.push_back({index, id, std::move(dive)});
    history().push(std::make_unique<PlaceDives>(*this, std::move(placed), "Insert Dive"));
    return id;
}

bool Carnet::updateDive(DiveId id, std::unique_ptr<Plongee> dive, std::string_view nameKey) {
    auto row = rowOf(id);
    if (!row) return false;
    if (*_carnet[*row] == *dive) return true;  // nothing to take back
    history().push(std::make_unique<SwapDive>(*this, id, std::move(dive), nameKey));
    return true;
}

std::size_t Carnet::deleteDives(std::vector<std::size_t> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    while (!rows.empty() && rows.back() >= _carnet.size()) rows.pop_back();
    const std::size_t count = rows.size();
    if (count == 0) return 0;
    history().push(std::make_unique<PlaceDives>(*this, std::move(rows),
                                                count == 1 ? "Delete Dive" : "Delete %d Dives"));
    return count;
}

void Carnet::renumber(std::int32_t first) {
    if (_carnet.empty()) return;
    history().push(std::make_unique<SwapNumbers>(*this, first));
}

bool Carnet::setField(std::size_t row, Plongee::Field field, const Plongee::Value& value) {
    if (row >= _carnet.size()) return false;
    Plongee probe;
    if (!probe.setValue(field, value)) return false;  // a value of another kind
    if (_carnet[row]->value(field) == value) return false;
    history().push(std::make_unique<SwapField>(*this, ids_[row], field, value));
    return true;
}

void Carnet::sortDives(Plongee::Field field, bool ascending) {
    // Keys are taken once so a large logbook sorts without rebuilding values per comparison.
    std::vector<std::pair<Plongee::Value, std::size_t>> keys;
    keys.reserve(_carnet.size());
    for (std::size_t i = 0; i < _carnet.size(); ++i) keys.emplace_back(_carnet[i]->value(field), i);
    std::stable_sort(keys.begin(), keys.end(), [ascending](const auto& a, const auto& b) {
        return ascending ? a.first < b.first : b.first < a.first;
    });
    std::vector<std::size_t> order;
    order.reserve(keys.size());
    bool moved = false;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        order.push_back(keys[i].second);
        moved = moved || keys[i].second != i;
    }
    if (moved) history().push(std::make_unique<ReorderDives>(*this, std::move(order)));
}

std::vector<DiveId> Carnet::appendDives(DiveList dives) {
    std::vector<DiveId> ids;
    if (dives.empty()) return ids;
    std::vector<PlacedDive> placed;
    placed.reserve(dives.size());
    for (auto& d : dives) {
        ids.push_back(newId());
        placed.push_back({_carnet.size() + placed.size(), ids.back(), std::move(d)});
    }
    history().push(std::make_unique<PlaceDives>(*this, std::move(placed), "Import %d Dives"));
    return ids;
}

std::optional<std::size_t> Carnet::previousIndex(std::size_t index) const {
    if (index == 0 || index >= _carnet.size()) return std::nullopt;
    return index - 1;
}

std::optional<std::size_t> Carnet::nextIndex(std::size_t index) const {
    if (index + 1 >= _carnet.size()) return std::nullopt;
    return index + 1;
}

void Carnet::addObserver(const void* owner, Observer observer) {
    observers_.emplace_back(owner, std::move(observer));
}

void Carnet::removeObserver(const void* owner) {
    std::erase_if(observers_, [owner](const auto& o) { return o.first == owner; });
}

void Carnet::notify(const CarnetChange& change) {
    numberedFrom_.reset();  // any change may touch the numbers; renumbering sets it again
    // An observer may remove itself while being told.
    const auto observers = observers_;
    for (const auto& [owner, observer] : observers) observer(change);
}

std::vector<std::uint8_t> Carnet::encodeRecords() const {
    std::size_t hint = 0;
    for (const auto& d : _carnet) {
        hint += 1200;
        if (d->profilProfondeur()) hint += d->profilProfondeur()->size() * 9;
        if (d->PRESS_Data()) hint += d->PRESS_Data()->size() * 8;
        if (d->ASC_Flag()) hint += d->ASC_Flag()->size() * 20;
    }
    return encodeRecordList(info().id, _carnet, hint);
}

bool Carnet::writeRecords(ByteOutput& out) const {
    return writeRecordList(out, info().id, _carnet);
}

bool Carnet::loadData(std::span<const std::uint8_t> bytes, std::string_view type,
                      std::string& error) {
    if (type != info().id) {
        error = "A logbook cannot be opened as \"" + std::string(type) + "\".";
        return false;
    }
    DiveList decoded;
    if (!decodeRecordList(bytes, info().id, decoded, error)) return false;
    loadDives(std::move(decoded));
    return true;
}

void Carnet::loadDives(DiveList dives) {
    _carnet = std::move(dives);
    ids_.resize(_carnet.size());
    for (auto& id : ids_) id = newId();
    history().clear();
    notify({CarnetChange::Kind::Reset, {}, {}, {}, {}});
}

}  // namespace divelog
