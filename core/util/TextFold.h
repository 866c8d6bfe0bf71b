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

// The order a person reads a list in: case and accents folded ("écrins"
// beside "Ecrins", "Åland" among the A), and texts alike once folded kept
// apart by their exact text, so the order never depends on the input's.
bool readsBefore(std::string_view a, std::string_view b);

}  // namespace divelog
