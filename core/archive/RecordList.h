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

// Decodes into `out` only on success; on failure `out` is untouched and
// `error` says why.
template <class R>
[[nodiscard]] bool decodeRecordList(std::span<const std::uint8_t> bytes, std::string_view kind,
                                    std::vector<std::unique_ptr<R>>& out, std::string& error) {
    RecordListDecoder decoder(bytes);
    if (!decoder.open(kind)) {
        error = decoder.error();
        return false;
    }
    std::vector<std::unique_ptr<R>> records;
    if (decoder.count() > 0) {
        int version = -1;
        for (const auto& c : decoder.header().classes)
            if (c.name == R::kClassName) version = c.version;
        if (version < 0) {
            error = std::string("The file's class table has no entry for ") + R::kClassName + ".";
            return false;
        }
        if (version > R::kClassVersion) {
            error = std::string("The file holds ") + R::kClassName + " records of version " +
                    std::to_string(version) + ", newer than this program reads (" +
                    std::to_string(R::kClassVersion) + ").";
            return false;
        }
        if (version < R::kOldestVersion) {
            error = std::string("The file holds ") + R::kClassName + " records of version " +
                    std::to_string(version) + ", older than this program reads (" +
                    std::to_string(R::kOldestVersion) + ").";
            return false;
        }
        records.reserve(decoder.plausibleCount());
        for (std::size_t i = 0; i < decoder.count(); ++i) {
            ArchiveReader* reader = nullptr;
            if (!decoder.beginRecord(R::kClassName, reader)) break;
            auto record = std::make_unique<R>();
            bool ok = record->decode(*reader, version);
            if (!decoder.endRecord() || !ok) break;
            records.push_back(std::move(record));
        }
    }
    if (!decoder.finish()) {
        error = decoder.error().empty() ? "The file is damaged." : decoder.error();
        return false;
    }
    out = std::move(records);
    return true;
}

}  // namespace divelog
