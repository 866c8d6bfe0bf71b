// A register's file keeps every field, reads older versions with their
// named defaults, and refuses what is not its own without a crash.

#include <gtest/gtest.h>

#include "archive/BinaryArchive.h"
#include "logbook/Carnet.h"
#include "registers/InvMateriel.h"
#include "registers/RegisterDocument.h"
#include "registers/RepEpaves.h"

using namespace divelog;

namespace {

using Bytes = std::vector<std::uint8_t>;

// Every field given a value of its own, a picture included.
Record filled(const RecordSchema& schema, int seed) {
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

Bytes bytesOf(const Document& d) {
    std::string error;
    return d.dataOfType(d.info().id, error);
}

// A file of an older class version, its values written by `write`.
template <class Write>
Bytes olderFile(std::string_view kind, const char* className, int version, Write write) {
    RecordListEncoder encoder(kind, {{className, version}}, 1);
    write(encoder.beginRecord(className));
    encoder.endRecord();
    return encoder.finish();
}

// The values of a version-4 wreck: fields 1 to 35, length and beam as floats.
void wreckV4(ArchiveWriter& w, int version) {
    const RecordSchema& s = Epaves::schema();
    for (std::size_t i = 0; i < Epaves::typeMachine; ++i) {
        const RecordField& f = s.fields[i];
        if (version < f.since) continue;
        if (version < f.intBefore) {
            w.writeInt(12);
            continue;
        }
        switch (f.type) {
            case FieldType::Text: w.writeString(std::string(f.name)); break;
            case FieldType::Int: w.writeInt(1); break;
            case FieldType::Float: w.writeFloat(7.5f); break;
            case FieldType::Date: w.writeDate(Date{5000}); break;
            case FieldType::Image: w.writeNull(); break;
        }
    }
}

}  // namespace

TEST(RegisterArchive, EveryFieldOfBothRegistersComesBackAsSaved) {
    for (const RegisterSpec* spec : {static_cast<const RegisterSpec*>(&RepEpaves::instance()),
                                     static_cast<const RegisterSpec*>(&InvMateriel::instance())}) {
        RegisterDocument doc(spec->kind(), *spec);
        doc.add(filled(spec->schema(), 1));
        doc.add(filled(spec->schema(), 2));
        doc.add(Record(spec->schema()));  // every object absent
        const Bytes saved = bytesOf(doc);

        RegisterDocument back(spec->kind(), *spec);
        DocumentError error;
        ASSERT_TRUE(back.load(saved, error)) << error.details;
        ASSERT_EQ(back.recordCount(), 3u);
        for (std::size_t r = 0; r < 3; ++r) EXPECT_TRUE(back.record(r) == doc.record(r)) << r;
        EXPECT_EQ(bytesOf(back), saved);
    }
}

TEST(RegisterArchive, OlderWrecksReadWithTheirDefaults) {
    for (int version : {1, 2, 3, 4}) {
        const Bytes file =
            olderFile("wrecks", "Epaves", version, [&](ArchiveWriter& w) { wreckV4(w, version); });
        RegisterDocument doc(DocumentKind::Epaves, RepEpaves::instance());
        DocumentError error;
        ASSERT_TRUE(doc.load(file, error)) << version << ": " << error.details;
        const Record& r = doc.record(0);
        EXPECT_EQ(r.real(Epaves::longueur), version < 4 ? 12.0f : 7.5f) << version;
        EXPECT_EQ(r.integer(Epaves::orientationSwitch), version < 3 ? 0 : 1) << version;
        EXPECT_EQ(r.integer(Epaves::aVisiter), version < 2 ? 0 : 1) << version;
        for (std::size_t f = Epaves::typeMachine; f <= Epaves::destination; ++f)
            EXPECT_EQ(r.text(f), std::optional<std::string>("")) << version << " " << f;
        EXPECT_FALSE(r.date(Epaves::miseAJour));
        EXPECT_EQ(r.textOr(Epaves::relevement3), "relevement3");
    }
    // Saved again, a version 4 wreck is written as version 5 with the empty texts.
    RegisterDocument doc(DocumentKind::Epaves, RepEpaves::instance());
    DocumentError error;
    ASSERT_TRUE(
        doc.load(olderFile("wrecks", "Epaves", 4, [](ArchiveWriter& w) { wreckV4(w, 4); }), error));
    const Bytes resaved = bytesOf(doc);
    RecordListDecoder decoder(resaved);
    ASSERT_TRUE(decoder.open("wrecks"));
    ASSERT_EQ(decoder.header().classes.size(), 1u);
    EXPECT_EQ(decoder.header().classes[0].version, 5);
}

TEST(RegisterArchive, AVersionOneItemHasNoStateInvoiceOrShop) {
    const Bytes file = olderFile("equipment", "Materiel", 1, [](ArchiveWriter& w) {
        const RecordSchema& s = Materiel::schema();
        for (std::size_t i = 0; i < Materiel::equipState; ++i) {
            switch (s.fields[i].type) {
                case FieldType::Text: w.writeString(std::string("x")); break;
                case FieldType::Int: w.writeInt(3); break;
                case FieldType::Float: w.writeFloat(12.0f); break;
                case FieldType::Date: w.writeDate(Date{0}); break;
                case FieldType::Image: w.writeNull(); break;
            }
        }
    });
    RegisterDocument doc(DocumentKind::Materiel, InvMateriel::instance());
    DocumentError error;
    ASSERT_TRUE(doc.load(file, error)) << error.details;
    const Record& r = doc.record(0);
    EXPECT_EQ(r.integer(Materiel::equipState), 0);
    EXPECT_EQ(r.integer(Materiel::factureMatos), 0);
    EXPECT_FALSE(r.text(Materiel::lieuAchatMatos));
    EXPECT_EQ(r.real(Materiel::capaciteBloc), 12.0f);
}

TEST(RegisterArchive, OtherKindsAndClassesAreRefusedAndNothingChanges) {
    RegisterDocument wrecks(DocumentKind::Epaves, RepEpaves::instance());
    wrecks.add(filled(Epaves::schema(), 3));
    RegisterDocument equipment(DocumentKind::Materiel, InvMateriel::instance());
    equipment.add(filled(Materiel::schema(), 4));
    Carnet logbook;
    logbook.add(Plongee());

    DocumentError error;
    EXPECT_FALSE(wrecks.load(bytesOf(equipment), error));
    EXPECT_EQ(error.problem, DocumentProblem::OtherKind);
    EXPECT_FALSE(wrecks.load(bytesOf(logbook), error));
    EXPECT_FALSE(logbook.load(bytesOf(wrecks), error));
    EXPECT_FALSE(equipment.load(bytesOf(wrecks), error));
    // A wreck file whose list holds equipment items.
    RecordListEncoder foreign("wrecks", {{"Materiel", 2}}, 1);
    filled(Materiel::schema(), 5).encode(foreign.beginRecord("Materiel"));
    foreign.endRecord();
    EXPECT_FALSE(wrecks.load(foreign.finish(), error));
    // A newer wreck class than this program knows.
    RecordListEncoder newer("wrecks", {{"Epaves", 6}}, 1);
    filled(Epaves::schema(), 6).encode(newer.beginRecord("Epaves"));
    newer.endRecord();
    EXPECT_FALSE(wrecks.load(newer.finish(), error));
    EXPECT_EQ(error.problem, DocumentProblem::NewerVersion);

    ASSERT_EQ(wrecks.recordCount(), 1u);
    EXPECT_TRUE(wrecks.record(0) == filled(Epaves::schema(), 3));
    EXPECT_EQ(equipment.recordCount(), 1u);
}

// Every cut of a good file is refused cleanly; so is a file with a byte flipped anywhere.
TEST(RegisterArchive, TruncatedAndDamagedFilesAreRefusedCleanly) {
    RegisterDocument doc(DocumentKind::Epaves, RepEpaves::instance());
    doc.add(filled(Epaves::schema(), 7));
    doc.add(filled(Epaves::schema(), 8));
    const Bytes good = bytesOf(doc);
    for (std::size_t keep = 0; keep < good.size(); ++keep) {
        RegisterDocument d(DocumentKind::Epaves, RepEpaves::instance());
        DocumentError error;
        EXPECT_FALSE(d.load(Bytes(good.begin(), good.begin() + static_cast<long>(keep)), error))
            << keep;
        EXPECT_EQ(d.recordCount(), 0u);
    }
    for (std::size_t at = 0; at < good.size(); ++at) {
        Bytes bad = good;
        bad[at] ^= 0xA5;
        RegisterDocument d(DocumentKind::Epaves, RepEpaves::instance());
        DocumentError error;
        // A flipped text byte may still read; anything else is refused.
        if (d.load(bad, error)) {
            EXPECT_EQ(d.recordCount(), 2u) << at;
        }
    }
}
