#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/ArchiveValues.h"
#include "util/Date.h"

namespace divelog {

// What a record sees when it decodes itself. Every read reports success; a
// false return means the archive is unusable (truncated, wrong type code,
// hostile length) and the caller must stop decoding and return false too.
// Object reads accept a null object and leave the value empty.
class ArchiveReader {
public:
    virtual ~ArchiveReader() = default;

    // Version stored for a class name in this archive; -1 when the class is not in it.
    virtual int versionOfClass(std::string_view className) const = 0;

    [[nodiscard]] virtual bool readInt(std::int32_t& value) = 0;
    [[nodiscard]] virtual bool readFloat(float& value) = 0;

    [[nodiscard]] virtual bool readString(std::optional<std::string>& value) = 0;
    [[nodiscard]] virtual bool readDate(std::optional<Date>& value) = 0;
    [[nodiscard]] virtual bool readNumber(std::optional<double>& value) = 0;
    [[nodiscard]] virtual bool readIntArray(std::optional<std::vector<std::int32_t>>& value) = 0;
    [[nodiscard]] virtual bool readRealArray(std::optional<std::vector<double>>& value) = 0;
    [[nodiscard]] virtual bool readStringList(std::optional<std::vector<std::string>>& value) = 0;
    [[nodiscard]] virtual bool readImage(std::optional<Image>& value) = 0;
    [[nodiscard]] virtual bool readColour(std::optional<Colour>& value) = 0;
};

}  // namespace divelog
