#include "logbook/Carnet.h"

#include <algorithm>

#include "archive/RecordList.h"

namespace divelog {

Carnet::Carnet() : Document(DocumentKind::Carnet) {}

std::int32_t Carnet::nextDiveNumber() const {
    return _carnet.empty() ? 1 : _carnet.back()->noPlongee() + 1;
}

void Carnet::addDive(std::unique_ptr<Plongee> dive) {
    _carnet.push_back(std::move(dive));
    markChanged();
}

bool Carnet::insertDive(std::size_t index, std::unique_ptr<Plongee> dive) {
    if (index >= _carnet.size()) return false;
    _carnet.insert(_carnet.begin() + static_cast<std::ptrdiff_t>(index), std::move(dive));
    markChanged();
    return true;
}

bool Carnet::updateDive(std::size_t index, std::unique_ptr<Plongee> dive) {
    if (index >= _carnet.size()) return false;
    _carnet[index] = std::move(dive);
    markChanged();
    return true;
}

std::size_t Carnet::deleteDives(std::vector<std::size_t> indices) {
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    while (!indices.empty() && indices.back() >= _carnet.size()) indices.pop_back();
    if (indices.empty()) return 0;
    // One compaction pass keeps a large multi-row delete linear.
    std::size_t out = indices.front(), next = 0;
    for (std::size_t i = indices.front(); i < _carnet.size(); ++i) {
        if (next < indices.size() && indices[next] == i) {
            ++next;
            continue;
        }
        _carnet[out++] = std::move(_carnet[i]);
    }
    _carnet.resize(out);
    markChanged();
    return indices.size();
}

std::optional<std::size_t> Carnet::previousIndex(std::size_t index) const {
    if (index == 0 || index >= _carnet.size()) return std::nullopt;
    return index - 1;
}

std::optional<std::size_t> Carnet::nextIndex(std::size_t index) const {
    if (index + 1 >= _carnet.size()) return std::nullopt;
    return index + 1;
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
    _carnet = std::move(decoded);
    return true;
}

}  // namespace divelog
