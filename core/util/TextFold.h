#pragma once

#include <string>
#include <string_view>

namespace divelog {

// Text as a search compares it: Unicode case folding and composed (NFC)
// form, so "élan" and "ÉLAN" fold alike and a decomposed "e" + accent meets a
// composed "é". Bytes that are not UTF-8 fold as ASCII only.
std::string foldForSearch(std::string_view text);

// True when `folded` is found in `haystack` once folded too.
bool containsFolded(std::string_view haystack, std::string_view folded);

}  // namespace divelog
