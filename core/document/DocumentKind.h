#pragma once

#include <array>
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

// Everything fixed about a document kind. `id` is what files store and the
// code compares; the type name is only shown (looked up in "Main" when
// `typeNameLocalised`), so a file saved under one language opens under another.
struct DocumentKindInfo {
    DocumentKind kind;
    std::string_view id;
    std::string_view typeName;
    bool typeNameLocalised;
    std::string_view documentClass;
    std::string_view recordClass;
    std::string_view windowLayout;
    std::string_view extension;  // without the dot
    std::string_view mimeType;
    std::string_view newCommand;
};

const std::array<DocumentKindInfo, 10>& documentKinds();
const DocumentKindInfo& kindInfo(DocumentKind kind);
const DocumentKindInfo* kindForId(std::string_view id);
// Case-insensitive; accepts "divelog" or ".divelog".
const DocumentKindInfo* kindForExtension(std::string_view extension);

}  // namespace divelog
