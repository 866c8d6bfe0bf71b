#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "archive/ArchiveValues.h"
#include "util/Date.h"

namespace divelog {

// What a record sees when it encodes itself: typed scalars ("i", "f") and
// objects, where an absent object is written as a null object. The byte
// layout is the business of the implementation alone.
class ArchiveWriter {
public:
    virtual ~ArchiveWriter() = default;

    virtual void writeInt(std::int32_t value) = 0;  // "i"
    virtual void writeFloat(float value) = 0;       // "f"

    virtual void writeNull() = 0;
    virtual void writeString(const std::optional<std::string>& value) = 0;
    virtual void writeDate(const std::optional<Date>& value) = 0;
    virtual void writeNumber(const std::optional<double>& value) = 0;
    virtual void writeIntArray(const std::optional<std::vector<std::int32_t>>& value) = 0;
    virtual void writeRealArray(const std::optional<std::vector<double>>& value) = 0;
    virtual void writeStringList(const std::optional<std::vector<std::string>>& value) = 0;
    virtual void writeImage(const std::optional<Image>& value) = 0;
    virtual void writeColour(const std::optional<Colour>& value) = 0;
};

}  // namespace divelog
