#pragma once

// Byte values shared by the archive's writer and reader (docs/archive-format.md).

#include <cstdint>
#include <string_view>

namespace divelog::archive_detail {

inline constexpr char kMagic[8] = {'D', 'I', 'V', 'E', 'L', 'O', 'G', 'A'};
inline constexpr std::string_view kColourKind = "colour";

// Type codes of the body. Scalars carry the letters records name them by.
enum Tag : std::uint8_t {
    kTagInt = 'i',
    kTagFloat = 'f',
    kTagNull = '0',
    kTagString = 's',
    kTagDate = 'd',
    kTagNumber = 'n',
    kTagIntArray = 'I',
    kTagRealArray = 'D',
    kTagStringList = 'L',
    kTagImage = 'P',
    kTagColour = 'c',
    kTagRecordList = '[',
    kTagRecord = 'R',
};

// The smallest record: its tag, class index and body length.
inline constexpr std::size_t kSmallestRecord = 7;

}  // namespace divelog::archive_detail
