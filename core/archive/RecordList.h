#pragma once

// Encoding and decoding of a document's record list for any record class R
// that provides:
//   static constexpr const char* kClassName;
//   static constexpr int kClassVersion;      // written, and the newest read
//   static constexpr int kOldestVersion;     // the oldest read
//   void encode(ArchiveWriter&) const;
//   bool decode(ArchiveReader&, int version); // false when the archive is unusable

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "archive/BinaryArchive.h"

namespace divelog {

template <class R>
std::vector<std::uint8_t> encodeRecordList(std::string_view kind,
                                           const std::vector<std::unique_ptr<R>>& records,
                                           std::size_t sizeHint = 0) {
    RecordListEncoder encoder(kind, {{R::kClassName, R::kClassVersion}}, records.size(), sizeHint);
    for (const auto& record : records) {
        record->encode(encoder.beginRecord(R::kClassName));
        encoder.endRecord();
    }
    return encoder.finish();
}

// Streams the same archive to `out`; false when the output refused bytes.
template <class R>
[[nodiscard]] bool writeRecordList(ByteOutput& out, std::string_view kind,
                                   const std::vector<std::unique_ptr<R>>& records) {
    RecordListEncoder encoder(kind, {{R::kClassName, R::kClassVersion}}, records.size(), out);
    for (const auto& record : records) {
        record->encode(encoder.beginRecord(R::kClassName));
        encoder.endRecord();
    }
    return encoder.finishStream();
}

// Receives the records of a list as they are decoded, for record types that
// are not known at compile time (the registers share one record type).
class RecordSink {
public:
    virtual ~RecordSink() = default;
    // The file holds at most this many records; called once, before the first.
    virtual void reserve(std::size_t count) = 0;
    // Reads one record of the given class version; false when it is unusable.
    [[nodiscard]] virtual bool readRecord(ArchiveReader& in, int version) = 0;
};

// Decodes a list of records of one class, checking the document kind first
// and then that the class table names that class at a version this program
// reads. False with `error` set when the file is refused; the sink may then
// hold a part of the records, which the caller drops.
[[nodiscard]] bool decodeRecords(std::span<const std::uint8_t> bytes, std::string_view kind,
                                 std::string_view className, int oldestVersion, int newestVersion,
                                 RecordSink& sink, std::string& error);

// Decodes into `out` only on success; on failure `out` is untouched and
// `error` says why.
template <class R>
[[nodiscard]] bool decodeRecordList(std::span<const std::uint8_t> bytes, std::string_view kind,
                                    std::vector<std::unique_ptr<R>>& out, std::string& error) {
    struct Sink : RecordSink {
        std::vector<std::unique_ptr<R>> records;
        void reserve(std::size_t count) override { records.reserve(count); }
        bool readRecord(ArchiveReader& in, int version) override {
            auto record = std::make_unique<R>();
            if (!record->decode(in, version)) return false;
            records.push_back(std::move(record));
            return true;
        }
    } sink;
    if (!decodeRecords(bytes, kind, R::kClassName, R::kOldestVersion, R::kClassVersion, sink,
                       error))
        return false;
    out = std::move(sink.records);
    return true;
}

}  // namespace divelog
