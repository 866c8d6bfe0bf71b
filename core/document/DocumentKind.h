#pragma once

#include <array>
#include <string>
#include <string_view>

namespace divelog {

enum class DocumentKind {
    Carnet,           // dive logbook
    DiversDocuments,  // miscellaneous documents
    Materiel,         // equipment inventory
    Rebreather,       // rebreather service log
    Consommables,     // consumables inventory
    Compresseur,      // compressor maintenance
    Epaves,           // wreck directory
    Budget,           // budget forecast
    Entreprises,      // firms directory
    Structures,       // dive structures directory
};

// Everything fixed about a document kind: the one table that the document
// controller, the File > New menu, the file filters and the converter read.
// `id` is what files store in their header and the code compares; the type
// name is only shown (looked up in "Main" when `typeNameLocalised`), so a file
// saved under one language opens under another. Adding a kind is one row here,
// its own document class and one row of the maker in kinds/.
struct DocumentKindInfo {
    DocumentKind kind;
    std::string_view id;
    std::string_view typeName;  // key of the shown name in "Main"
    bool typeNameLocalised;
    std::string_view englishName;  // for the converter's output
    std::string_view documentClass;
    std::string_view recordClass;
    std::string_view windowLayout;
    std::string_view extension;  // without the dot
    std::string_view mimeType;
    std::string_view newCommand;  // the menu command's name, a selector with its colon
};

inline constexpr std::size_t kDocumentKindCount = 10;
// What a new document is when nobody says otherwise.
inline constexpr DocumentKind kDefaultDocumentKind = DocumentKind::Carnet;

const std::array<DocumentKindInfo, kDocumentKindCount>& documentKinds();
const DocumentKindInfo& kindInfo(DocumentKind kind);
// Null for an id no kind has (a newer program's kind, or not a document).
const DocumentKindInfo* kindForId(std::string_view id);

// True when `path` ends with the kind's extension and its dot, whatever the
// case: "Dives v1.5" does not, although it has a suffix.
bool hasKindExtension(std::string_view path, const DocumentKindInfo& kind);
// `path` with the kind's extension added unless it already ends with it.
std::string withKindExtension(std::string_view path, const DocumentKindInfo& kind);

}  // namespace divelog
