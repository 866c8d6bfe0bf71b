#pragma once

#include <span>
#include <string_view>

#include "localisation/Localisation.h"

namespace divelog::cli {

// The application's English text tables (resources/lang/en), built into the
// converter: the GPS template of a new dive, the alerts of the import
// report and the labels of the exports read as the application reads them.
struct EnglishTable {
    std::string_view name, text;
};
std::span<const EnglishTable> englishTables();

// A localisation holding every English table.
inline Localisation englishTexts() {
    Localisation texts;
    for (const EnglishTable& t : englishTables()) texts.loadTable(std::string(t.name), t.text);
    return texts;
}

}  // namespace divelog::cli
