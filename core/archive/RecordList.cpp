#include "archive/RecordList.h"

namespace divelog {

bool decodeRecords(std::span<const std::uint8_t> bytes, std::string_view kind,
                   std::string_view className, int oldestVersion, int newestVersion,
                   RecordSink& sink, std::string& error) {
    RecordListDecoder decoder(bytes);
    if (!decoder.open(kind)) {
        error = decoder.error();
        return false;
    }
    const std::string name(className);
    if (decoder.count() > 0) {
        int version = -1;
        for (const auto& c : decoder.header().classes)
            if (c.name == className) version = c.version;
        if (version < 0) {
            error = "The file's class table has no entry for " + name + ".";
            return false;
        }
        if (version > newestVersion) {
            error = "The file holds " + name + " records of version " + std::to_string(version) +
                    ", newer than this program reads (" + std::to_string(newestVersion) + ").";
            return false;
        }
        if (version < oldestVersion) {
            error = "The file holds " + name + " records of version " + std::to_string(version) +
                    ", older than this program reads (" + std::to_string(oldestVersion) + ").";
            return false;
        }
        sink.reserve(decoder.plausibleCount());
        for (std::size_t i = 0; i < decoder.count(); ++i) {
            ArchiveReader* reader = nullptr;
            if (!decoder.beginRecord(className, reader)) break;
            const bool ok = sink.readRecord(*reader, version);
            if (!decoder.endRecord() || !ok) break;
        }
    }
    if (!decoder.finish()) {
        error = decoder.error().empty() ? "The file is damaged." : decoder.error();
        return false;
    }
    return true;
}

}  // namespace divelog
