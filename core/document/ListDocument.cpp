#include "document/ListDocument.h"

#include <algorithm>
#include <unordered_set>

namespace divelog {

bool ListChange::concerns(RecordId id) const {
    return allRows || std::find(ids.begin(), ids.end(), id) != ids.end();
}

std::vector<std::pair<std::size_t, std::size_t>> rowRuns(const std::vector<std::size_t>& rows) {
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    for (std::size_t i = 0; i < rows.size();) {
        std::size_t j = i;
        while (j + 1 < rows.size() && rows[j + 1] == rows[j] + 1) ++j;
        runs.emplace_back(rows[i], rows[j]);
        i = j + 1;
    }
    return runs;
}

std::optional<std::size_t> ListDocument::rowOf(RecordId id) const {
    auto it = std::find(ids_.begin(), ids_.end(), id);
    if (it == ids_.end()) return std::nullopt;
    return static_cast<std::size_t>(it - ids_.begin());
}

std::vector<std::size_t> ListDocument::rowsOf(const std::vector<RecordId>& ids) const {
    std::vector<std::size_t> rows;
    if (ids.empty()) return rows;
    const std::unordered_set<RecordId> wanted(ids.begin(), ids.end());
    for (std::size_t i = 0; i < ids_.size(); ++i)
        if (wanted.count(ids_[i])) rows.push_back(i);
    return rows;
}

std::optional<std::size_t> ListDocument::previousRow(std::size_t row) const {
    if (row == 0 || row >= ids_.size()) return std::nullopt;
    return row - 1;
}

std::optional<std::size_t> ListDocument::nextRow(std::size_t row) const {
    if (row + 1 >= ids_.size()) return std::nullopt;
    return row + 1;
}

void ListDocument::addObserver(const void* owner, Observer observer) {
    observers_.emplace_back(owner, std::move(observer));
}

void ListDocument::removeObserver(const void* owner) {
    std::erase_if(observers_, [owner](const auto& o) { return o.first == owner; });
}

void ListDocument::notify(const ListChange& change) {
    aboutToNotify(change);
    const auto observers = observers_;
    for (const auto& [owner, observer] : observers) observer(change);
}

}  // namespace divelog
