#pragma once

// What the tests of the budget, firms, structures and documents registers
// share: the shipped English texts, records with every field filled, a
// document's bytes and its card as lines.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "localisation/Localisation.h"
#include "registers/RegisterCard.h"
#include "registers/RegisterDocument.h"

namespace sidereg {

using namespace divelog;
using Bytes = std::vector<std::uint8_t>;

inline const Localisation& english() {
    static const Localisation texts = [] {
        Localisation l;
        std::filesystem::path dir;
        for (auto p = std::filesystem::current_path(); !p.empty(); p = p.parent_path()) {
            if (std::filesystem::exists(p / "resources/lang/en/Main.strings")) {
                dir = p / "resources/lang/en";
                break;
            }
            if (p == p.parent_path()) break;
        }
        for (const char* table : {"Main", "Budget", "Entreprises", "Structures", "Documents"}) {
            std::ifstream in(dir / (std::string(table) + ".strings"));
            std::stringstream text;
            text << in.rdbuf();
            l.loadTable(table, text.str());
        }
        return l;
    }();
    return texts;
}

// Every field given a value of its own, a picture included.
inline Record filled(const RecordSchema& schema, int seed) {
    Record r(schema);
    for (std::size_t i = 0; i < schema.size(); ++i) {
        const int v = seed * 100 + static_cast<int>(i);
        switch (schema.fields[i].type) {
            case FieldType::Text: r.setText(i, "text " + std::to_string(v) + " é"); break;
            case FieldType::Int: r.setInteger(i, v); break;
            case FieldType::Float: r.setReal(i, static_cast<float>(v) + 0.25f); break;
            case FieldType::Date: r.setDate(i, Date{1.0e8 + v}); break;
            case FieldType::Image:
                r.setImage(i, Image{{0x89, 'P', 'N', 'G', 0, 255, std::uint8_t(v)}});
                break;
        }
    }
    return r;
}

inline Bytes bytesOf(const Document& d) {
    std::string error;
    return d.dataOfType(d.info().id, error);
}

// The card's text between the title and the file line, as lines.
inline std::vector<std::string> cardLines(const RegisterDocument& doc, Date now = Date{0}) {
    std::string text = registerCard(doc, english(), now).plainText();
    text = text.substr(0, text.find("\nFile dir"));
    std::vector<std::string> lines;
    std::stringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

}  // namespace sidereg
