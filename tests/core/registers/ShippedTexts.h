// Helpers of the service registers' tests: the English tables as shipped,
// a register's card as lines, records with every field given.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "localisation/Localisation.h"
#include "registers/RegisterCard.h"
#include "registers/RegisterDocument.h"
#include "registers/RegisterSpec.h"

namespace divelog::testing_texts {

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
        for (const char* table : {"Main", "Rebreather", "Compresseur", "Consommables"}) {
            std::ifstream in(dir / (std::string(table) + ".strings"));
            std::stringstream text;
            text << in.rdbuf();
            l.loadTable(table, text.str());
        }
        return l;
    }();
    return texts;
}

// The card's text with the file and date lines left out, as lines.
inline std::vector<std::string> cardLines(const RegisterDocument& doc) {
    std::string text = registerCard(doc, english(), Date{0}).plainText();
    text = text.substr(0, text.find("\nFile dir"));
    std::vector<std::string> lines;
    std::stringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Every field given a value of its own.
inline Record filled(const RecordSchema& schema, int seed) {
    Record r(schema);
    for (std::size_t i = 0; i < schema.size(); ++i) {
        const int v = seed * 100 + static_cast<int>(i);
        switch (schema.fields[i].type) {
            case FieldType::Text: r.setText(i, "text " + std::to_string(v) + " é"); break;
            case FieldType::Int: r.setInteger(i, v); break;
            case FieldType::Float: r.setReal(i, static_cast<float>(v) + 0.25f); break;
            case FieldType::Date: r.setDate(i, Date{1.0e8 + v}); break;
            case FieldType::Image: r.setImage(i, Image{{0x89, 'P', std::uint8_t(v)}}); break;
        }
    }
    return r;
}

// Saved and read back into a new document of the same register; every
// record must come back equal.
inline ::testing::AssertionResult reopensWithEveryField(const RegisterSpec& spec) {
    RegisterDocument doc(spec.kind(), spec);
    doc.add(filled(spec.schema(), 1));
    doc.add(filled(spec.schema(), 2));
    doc.add(Record(spec.schema()));  // every object absent
    std::string message;
    const auto saved = doc.dataOfType(doc.info().id, message);
    RegisterDocument back(spec.kind(), spec);
    DocumentError error;
    if (!back.load(saved, error)) return ::testing::AssertionFailure() << error.details;
    if (back.recordCount() != 3) return ::testing::AssertionFailure() << back.recordCount();
    for (std::size_t r = 0; r < 3; ++r)
        if (!(back.record(r) == doc.record(r))) return ::testing::AssertionFailure() << "row " << r;
    return ::testing::AssertionSuccess();
}

}  // namespace divelog::testing_texts
