#include "registers/RegisterDocument.h"

#include <algorithm>

#include "archive/RecordList.h"
#include "registers/RegisterSpec.h"

namespace divelog {

namespace {
constexpr ListNames kNames{"Add Card",        "Insert Card", "Update Card",    "Delete Card",
                           "Delete %d Cards", "Sort Cards",  "Import %d Cards"};
}  // namespace

RegisterDocument::RegisterDocument(DocumentKind kind, const RegisterSpec& spec)
    : RecordListDocument(kind, kNames), spec_(spec) {}

RecordVersions RegisterDocument::recordVersions() const { return {0, spec_.schema().version}; }

bool RegisterDocument::accepts(const Record& record) const {
    return &record.schema() == &spec_.schema();
}

void RegisterDocument::sortBy(std::size_t field, bool ascending) {
    if (field >= spec_.schema().size()) return;
    std::vector<std::size_t> order(records_.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const int c = Record::compare(*records_[a], *records_[b], field);
        return ascending ? c < 0 : c > 0;
    });
    reorder(std::move(order));
}

void RegisterDocument::loadRecords(std::vector<Record> records) {
    List list;
    list.reserve(records.size());
    for (auto& r : records) list.push_back(std::make_unique<Record>(std::move(r)));
    loadList(std::move(list));
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
