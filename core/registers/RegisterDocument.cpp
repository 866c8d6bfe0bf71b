#include "registers/RegisterDocument.h"

#include <algorithm>

#include "archive/RecordList.h"
#include "registers/RegisterCommands.h"
#include "registers/RegisterSpec.h"

namespace divelog {

bool RegisterChange::concerns(RecordId id) const {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

RegisterDocument::RegisterDocument(DocumentKind kind, const RegisterSpec& spec)
    : Document(kind), spec_(spec) {}

std::optional<std::size_t> RegisterDocument::rowOf(RecordId id) const {
    auto it = std::find(ids_.begin(), ids_.end(), id);
    if (it == ids_.end()) return std::nullopt;
    return static_cast<std::size_t>(it - ids_.begin());
}

std::vector<std::size_t> RegisterDocument::rowsOf(const std::vector<RecordId>& ids) const {
    std::vector<std::size_t> rows;
    for (std::size_t i = 0; i < ids_.size(); ++i)
        if (std::find(ids.begin(), ids.end(), ids_[i]) != ids.end()) rows.push_back(i);
    return rows;
}

RecordVersions RegisterDocument::recordVersions() const { return {0, spec_.schema().version}; }

bool RegisterDocument::ownsClass(const Record& record) const {
    return &record.schema() == &spec_.schema();
}

std::optional<RecordId> RegisterDocument::add(Record record) {
    return insert(records_.size(), std::move(record));
}

std::optional<RecordId> RegisterDocument::insert(std::size_t row, Record record) {
    if (row > records_.size() || !ownsClass(record)) return std::nullopt;
    const RecordId id = nextId_++;
    std::vector<PlacedRecord> placed;
    placed.push_back({row, id, std::make_unique<Record>(std::move(record))});
    const bool append = row == records_.size();
    history().push(std::make_unique<PlaceRecords>(*this, std::move(placed),
                                                  append ? "Add Card" : "Insert Card"));
    return id;
}

bool RegisterDocument::update(RecordId id, Record record) {
    auto row = rowOf(id);
    if (!row || !ownsClass(record)) return false;
    if (*records_[*row] == record) return true;  // nothing to take back
    history().push(
        std::make_unique<SwapRecord>(*this, id, std::make_unique<Record>(std::move(record))));
    return true;
}

std::size_t RegisterDocument::erase(std::vector<std::size_t> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::erase_if(rows, [&](std::size_t r) { return r >= records_.size(); });
    if (rows.empty()) return 0;
    const std::size_t n = rows.size();
    history().push(std::make_unique<PlaceRecords>(*this, std::move(rows),
                                                  n == 1 ? "Delete Card" : "Delete %d Cards"));
    return n;
}

void RegisterDocument::sortBy(std::size_t field, bool ascending) {
    if (field >= spec_.schema().size()) return;
    std::vector<std::size_t> order(records_.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const int c = Record::compare(*records_[a], *records_[b], field);
        return ascending ? c < 0 : c > 0;
    });
    bool moved = false;
    for (std::size_t i = 0; i < order.size(); ++i) moved = moved || order[i] != i;
    if (moved) history().push(std::make_unique<ReorderRecords>(*this, std::move(order)));
}

void RegisterDocument::loadRecords(std::vector<Record> records) {
    records_.clear();
    ids_.clear();
    for (auto& r : records) {
        if (!ownsClass(r)) continue;
        records_.push_back(std::make_unique<Record>(std::move(r)));
        ids_.push_back(nextId_++);
    }
    history().clear();
    notify({RegisterChange::Kind::Reset, {}, {}, {}});
}

void RegisterDocument::addObserver(const void* owner, Observer observer) {
    observers_.emplace_back(owner, std::move(observer));
}

void RegisterDocument::removeObserver(const void* owner) {
    std::erase_if(observers_, [owner](const auto& o) { return o.first == owner; });
}

void RegisterDocument::notify(const RegisterChange& change) {
    const auto observers = observers_;  // an observer may remove itself
    for (const auto& [owner, observer] : observers) observer(change);
}

namespace {

struct RecordCollector : RecordSink {
    explicit RecordCollector(const RecordSchema& s) : schema(s) {}
    void reserve(std::size_t count) override { records.reserve(count); }
    bool readRecord(ArchiveReader& in, int version) override {
        Record r(schema);
        if (!r.decode(in, version)) return false;
        records.push_back(std::move(r));
        return true;
    }
    const RecordSchema& schema;
    std::vector<Record> records;
};

void encodeAll(RecordListEncoder& encoder, const RecordSchema& schema,
               const std::vector<std::unique_ptr<Record>>& records) {
    const std::string name(schema.className);
    for (const auto& r : records) {
        r->encode(encoder.beginRecord(name));
        encoder.endRecord();
    }
}

}  // namespace

bool RegisterDocument::loadData(std::span<const std::uint8_t> bytes, std::string_view type,
                                std::string& error) {
    // The kind is checked before anything is decoded: a file of another
    // kind is refused whatever it holds.
    if (type != info().id) {
        error = "This register cannot be opened as \"" + std::string(type) + "\".";
        return false;
    }
    const RecordSchema& schema = spec_.schema();
    RecordCollector collector(schema);
    if (!decodeRecords(bytes, info().id, schema.className, 0, schema.version, collector, error)) {
        // No record archive at all: perhaps a file of the register's older format.
        ArchiveHeader header;
        ArchiveError why;
        if (readArchiveHeader(bytes, header, why) || why.problem != ArchiveProblem::NotAnArchive)
            return false;
        auto older = spec_.importOlder(bytes, error);
        if (!older) return false;
        loadRecords(std::move(*older));
        return true;
    }
    loadRecords(std::move(collector.records));
    return true;
}

std::vector<std::uint8_t> RegisterDocument::encodeRecords() const {
    const RecordSchema& schema = spec_.schema();
    RecordListEncoder encoder(info().id, {{std::string(schema.className), schema.version}},
                              records_.size());
    encodeAll(encoder, schema, records_);
    return encoder.finish();
}

bool RegisterDocument::writeRecords(ByteOutput& out) const {
    const RecordSchema& schema = spec_.schema();
    RecordListEncoder encoder(info().id, {{std::string(schema.className), schema.version}},
                              records_.size(), out);
    encodeAll(encoder, schema, records_);
    return encoder.finishStream();
}

}  // namespace divelog
