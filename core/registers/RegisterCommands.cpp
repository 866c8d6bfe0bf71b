#include "registers/RegisterCommands.h"

#include <utility>

#include "localisation/Localisation.h"

namespace divelog {

namespace {
constexpr std::string_view kTable = "Main";
}  // namespace

void RegisterEdit::insert(RegisterDocument& d, std::vector<PlacedRecord>& records) {
    if (records.empty()) return;
    RegisterChange change{RegisterChange::Kind::Inserted, {}, {}, {}};
    const std::size_t total = d.records_.size() + records.size();
    std::vector<std::unique_ptr<Record>> list;
    std::vector<RecordId> ids;
    list.reserve(total);
    ids.reserve(total);
    std::size_t from = 0, next = 0;
    for (std::size_t row = 0; row < total; ++row) {
        if (next < records.size() && records[next].row == row) {
            change.rows.push_back(row);
            change.ids.push_back(records[next].id);
            ids.push_back(records[next].id);
            list.push_back(std::move(records[next].record));
            ++next;
        } else {
            ids.push_back(d.ids_[from]);
            list.push_back(std::move(d.records_[from]));
            ++from;
        }
    }
    d.records_ = std::move(list);
    d.ids_ = std::move(ids);
    records.clear();
    d.notify(change);
}

std::vector<PlacedRecord> RegisterEdit::remove(RegisterDocument& d,
                                               const std::vector<std::size_t>& rows) {
    std::vector<PlacedRecord> out;
    if (rows.empty()) return out;
    RegisterChange change{RegisterChange::Kind::Removed, rows, {}, {}};
    std::size_t kept = rows.front(), next = 0;
    for (std::size_t i = rows.front(); i < d.records_.size(); ++i) {
        if (next < rows.size() && rows[next] == i) {
            change.ids.push_back(d.ids_[i]);
            out.push_back({i, d.ids_[i], std::move(d.records_[i])});
            ++next;
            continue;
        }
        d.records_[kept] = std::move(d.records_[i]);
        d.ids_[kept] = d.ids_[i];
        ++kept;
    }
    d.records_.resize(kept);
    d.ids_.resize(kept);
    d.notify(change);
    return out;
}

void RegisterEdit::swapRecord(RegisterDocument& d, std::size_t row,
                              std::unique_ptr<Record>& record) {
    std::swap(d.records_[row], record);
    d.notify({RegisterChange::Kind::Changed, {row}, {d.ids_[row]}, {}});
}

void RegisterEdit::reorder(RegisterDocument& d, const std::vector<std::size_t>& order) {
    RegisterChange change{RegisterChange::Kind::Moved, {}, {}, {}};
    change.newRowOf.resize(order.size());
    std::vector<std::unique_ptr<Record>> list;
    std::vector<RecordId> ids;
    list.reserve(order.size());
    ids.reserve(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        list.push_back(std::move(d.records_[order[i]]));
        ids.push_back(d.ids_[order[i]]);
        change.newRowOf[order[i]] = i;
    }
    d.records_ = std::move(list);
    d.ids_ = std::move(ids);
    d.notify(change);
}

PlaceRecords::PlaceRecords(RegisterDocument& doc, std::vector<PlacedRecord> records,
                           std::string_view nameKey)
    : doc_(doc), adding_(true), held_(std::move(records)), nameKey_(nameKey) {
    for (const auto& r : held_) rows_.push_back(r.row);
}

PlaceRecords::PlaceRecords(RegisterDocument& doc, std::vector<std::size_t> rows,
                           std::string_view nameKey)
    : doc_(doc), adding_(false), rows_(std::move(rows)), nameKey_(nameKey) {}

void PlaceRecords::put() { RegisterEdit::insert(doc_, held_); }
void PlaceRecords::take() { held_ = RegisterEdit::remove(doc_, rows_); }

std::string PlaceRecords::name(const Localisation& texts) const {
    return texts.format(kTable, nameKey_, nameKey_, {static_cast<std::int64_t>(rows_.size())});
}

std::size_t PlaceRecords::heldBytes() const {
    std::size_t n = rows_.capacity() * sizeof(std::size_t);
    for (const auto& r : held_) n += sizeof(PlacedRecord) + sizeof(Record) + r.record->heldBytes();
    return n;
}

SwapRecord::SwapRecord(RegisterDocument& doc, RecordId id, std::unique_ptr<Record> record)
    : doc_(doc), id_(id), other_(std::move(record)) {}

void SwapRecord::swap() {
    if (auto row = doc_.rowOf(id_)) RegisterEdit::swapRecord(doc_, *row, other_);
}

std::string SwapRecord::name(const Localisation& texts) const {
    return texts.text(kTable, "Update Card", "Update Card");
}

ReorderRecords::ReorderRecords(RegisterDocument& doc, std::vector<std::size_t> order)
    : doc_(doc), order_(std::move(order)) {}

void ReorderRecords::redo() { RegisterEdit::reorder(doc_, order_); }

void ReorderRecords::undo() {
    std::vector<std::size_t> back(order_.size());
    for (std::size_t i = 0; i < order_.size(); ++i) back[order_[i]] = i;
    RegisterEdit::reorder(doc_, back);
}

std::string ReorderRecords::name(const Localisation& texts) const {
    return texts.text(kTable, "Sort Cards", "Sort Cards");
}

}  // namespace divelog
