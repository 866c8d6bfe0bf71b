#include "exchange/DiveFile.h"

#include <algorithm>
#include <cctype>

#include "document/DocumentFile.h"
#include "exchange/DiveImport.h"
#include "exchange/ExchangeFormats.h"
#include "localisation/Localisation.h"

namespace divelog {

namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The root element's name without prefix, from the first bytes; empty when
// the text does not start like XML in a byte-wide encoding.
std::string rootName(std::span<const std::uint8_t> bytes) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()),
                                std::min<std::size_t>(bytes.size(), 65536));
    for (std::size_t at = text.find('<'); at != std::string_view::npos;
         at = text.find('<', at + 1)) {
        if (at + 1 >= text.size()) break;
        const char c = text[at + 1];
        if (c == '?' || c == '!') {
            if (text.compare(at, 4, "<!--") == 0) {
                at = text.find("-->", at);
                if (at == std::string_view::npos) break;
            }
            continue;
        }
        std::size_t end = at + 1;
        while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end])) &&
               text[end] != '>' && text[end] != '/')
            ++end;
        std::string_view name = text.substr(at + 1, end - at - 1);
        if (const auto colon = name.find(':'); colon != std::string_view::npos)
            name.remove_prefix(colon + 1);
        return lower(name);
    }
    return {};
}

}  // namespace

const DiveImporter* DiveFile::importerFor(std::span<const std::uint8_t> bytes,
                                          std::string_view fileName) {
    const std::string root = rootName(bytes);
    if (root == "uddf") return ExchangeFormats::importer("UDDF");
    if (root == "profile") return ExchangeFormats::importer("UDCF");
    const std::string name = lower(fileName);
    for (const char* ext : {".uddf", ".udcf"})
        if (name.size() > 5 && name.compare(name.size() - 5, 5, ext) == 0)
            return ExchangeFormats::importer(ext[3] == 'd' ? "UDDF" : "UDCF");
    // The companion file has no root of its own; UDCF reads it too, so it goes first.
    for (const char* format : {"Companion", "UDDF", "UDCF"})
        if (const DiveImporter* i = ExchangeFormats::importer(format);
            !i->read(bytes).dives.empty())
            return i;
    return nullptr;
}

bool DiveFile::read(std::span<const std::uint8_t> bytes, std::string_view fileName,
                    std::int32_t firstNumber, const SettingsStore& settings,
                    const Localisation& texts, DiveFile& out, std::string& error) {
    DocumentError refusal;
    if (const DocumentKindInfo* kind = kindOfArchive(bytes, refusal)) {
        if (kind->kind != DocumentKind::Carnet) {
            error = "a " + std::string(kind->englishName) + " holds no dives";
            return false;
        }
        Carnet carnet;
        if (!carnet.load(bytes, refusal)) {
            error = refusal.details;
            return false;
        }
        out.format = "logbook";
        for (const auto& d : carnet.dives()) out.dives.push_back(std::make_unique<Plongee>(*d));
        return true;
    }
    const DiveImporter* importer = importerFor(bytes, fileName);
    if (!importer) {
        error = "not a logbook, UDDF, UDCF or companion file";
        return false;
    }
    ImportResult result = importer->read(bytes);
    if (!result.readable) {
        error = result.notes.empty() ? "the file cannot be read" : result.notes.front();
        return false;
    }
    out.format = std::string(importer->name());
    DiveImport::Built built = DiveImport::build(result.dives, firstNumber, settings, texts);
    out.dives = std::move(built.dives);
    out.notes = std::move(result.notes);
    for (const std::string& key : built.alerts) out.notes.push_back(texts.text("Carnet", key, key));
    if (std::string note = DiveImport::correctionNote(built); !note.empty())
        out.notes.push_back(std::move(note));
    return true;
}

}  // namespace divelog
