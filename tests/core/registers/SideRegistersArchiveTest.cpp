// The budget, firms, structures and documents registers keep every field
// through a save, read the older firms files with their named defaults, and
// refuse what is not theirs, whatever their kind table says of type names.

#include <gtest/gtest.h>

#include <iostream>

#include "SideRegisterSupport.h"
#include "archive/BinaryArchive.h"
#include "kinds/DocumentKinds.h"
#include "logbook/Carnet.h"
#include "registers/AdressesEts.h"
#include "registers/AdressesStruct.h"
#include "registers/DiversDocuments.h"
#include "registers/PreviBudget.h"
#include "registers/RegisterSpecs.h"

using namespace sidereg;

namespace {

const RegisterSpec* const kSpecs[] = {&PreviBudget::instance(), &AdressesEts::instance(),
                                      &AdressesStruct::instance(), &DiversDocuments::instance()};

// A one-firm file of an older version: each field it holds, the postal code
// as the integer `postalCode` where that version kept one.
Bytes olderFirm(int version, std::int32_t postalCode) {
    const RecordSchema& s = Entreprises::schema();
    RecordListEncoder encoder("firms", {{"Entreprises", version}}, 1);
    ArchiveWriter& w = encoder.beginRecord("Entreprises");
    for (const RecordField& f : s.fields) {
        if (version < f.since) continue;
        if (version < f.intBefore) {
            w.writeInt(postalCode);
            continue;
        }
        switch (f.type) {
            case FieldType::Text: w.writeString(std::string(f.name)); break;
            case FieldType::Int: w.writeInt(4); break;
            case FieldType::Date: w.writeDate(Date{5000}); break;
            default: break;  // a firm has no other type
        }
    }
    encoder.endRecord();
    return encoder.finish();
}

}  // namespace

TEST(SideRegisterArchive, EveryFieldOfEveryKindComesBackAsSaved) {
    for (const RegisterSpec* spec : kSpecs) {
        // The document controller makes each kind's register from the kind table.
        EXPECT_EQ(registerSpec(spec->kind()), spec);
        EXPECT_EQ(makeDocument(spec->kind())->recordVersions().newest, spec->schema().version);
        RegisterDocument doc(spec->kind(), *spec);
        doc.add(filled(spec->schema(), 1));
        doc.add(filled(spec->schema(), 2));
        doc.add(Record(spec->schema()));  // every object absent
        const Bytes saved = bytesOf(doc);

        RegisterDocument back(spec->kind(), *spec);
        DocumentError error;
        ASSERT_TRUE(back.load(saved, error)) << spec->table() << ": " << error.details;
        ASSERT_EQ(back.recordCount(), 3u);
        for (std::size_t r = 0; r < 3; ++r)
            EXPECT_TRUE(back.record(r) == doc.record(r)) << spec->table() << " " << r;
        EXPECT_EQ(bytesOf(back), saved) << spec->table();
    }
    // The structures class sets no version: its files say 0.
    RegisterDocument structures(DocumentKind::Structures, AdressesStruct::instance());
    const Bytes empty = bytesOf(structures);
    RecordListDecoder decoder(empty);
    ASSERT_TRUE(decoder.open("structures"));
    EXPECT_EQ(decoder.header().classes.at(0), (ClassVersion{"Structures", 0}));
}

TEST(SideRegisterArchive, OlderFirmsReadTheirPostalCodeAsTextAndNoRating) {
    for (auto [postal, text] : {std::pair{75012, "75012"}, {1000, "1000"}, {-5, "-5"}}) {
        RegisterDocument doc(DocumentKind::Entreprises, AdressesEts::instance());
        DocumentError error;
        ASSERT_TRUE(doc.load(olderFirm(1, postal), error)) << error.details;
        EXPECT_EQ(doc.record(0).text(Entreprises::codePostal), std::optional<std::string>(text));
        EXPECT_EQ(doc.record(0).integer(Entreprises::cotation), 0);
        EXPECT_EQ(doc.record(0).textOr(Entreprises::remarques), "remarques");
    }
    RegisterDocument doc(DocumentKind::Entreprises, AdressesEts::instance());
    DocumentError error;
    ASSERT_TRUE(doc.load(olderFirm(2, 0), error)) << error.details;
    const Record& r = doc.record(0);
    EXPECT_EQ(r.textOr(Entreprises::codePostal), "codePostal");
    EXPECT_EQ(r.integer(Entreprises::cotation), 0);
    EXPECT_EQ(r.textOr(*Entreprises::schema().indexOf("horaireDimanche_4")), "horaireDimanche_4");
    // Saved again, it is a version 3 firm.
    const Bytes resaved = bytesOf(doc);
    RecordListDecoder decoder(resaved);
    ASSERT_TRUE(decoder.open("firms"));
    EXPECT_EQ(decoder.header().classes.at(0).version, 3);
}

// The firms and structures registers take a file of any type name, yet still
// only a record list of their own class: a logbook or another register is
// refused, never decoded into firms.
TEST(SideRegisterArchive, FilesOfAnotherKindOrClassAreRefused) {
    Carnet logbook;
    logbook.add(Plongee());
    RegisterDocument budget(DocumentKind::Budget, PreviBudget::instance());
    budget.add(filled(Budget::schema(), 3));
    for (DocumentKind kind : {DocumentKind::Entreprises, DocumentKind::Structures}) {
        RegisterDocument doc(kind, *registerSpec(kind));
        doc.add(Record(doc.spec().schema()));
        DocumentError error;
        EXPECT_FALSE(doc.load(bytesOf(logbook), error));
        EXPECT_EQ(error.problem, DocumentProblem::OtherKind);
        EXPECT_FALSE(doc.load(bytesOf(budget), error));
        // A file of its own kind whose list holds budget lines.
        RecordListEncoder foreign(doc.info().id, {{"Budget", 1}}, 1);
        filled(Budget::schema(), 4).encode(foreign.beginRecord("Budget"));
        foreign.endRecord();
        EXPECT_FALSE(doc.load(foreign.finish(), error));
        EXPECT_EQ(doc.recordCount(), 1u);
    }
    RegisterDocument firms(DocumentKind::Entreprises, AdressesEts::instance());
    firms.add(filled(Entreprises::schema(), 5));
    DocumentError error;
    EXPECT_FALSE(logbook.load(bytesOf(firms), error));
    EXPECT_FALSE(budget.load(bytesOf(firms), error));
}

// A budget that is no record archive at all goes to the older budget
// importer, which this version lacks: the log says so and the opening fails.
TEST(SideRegisterArchive, ABudgetOfNoKnownFormatIsLoggedAndRefused) {
    RegisterDocument doc(DocumentKind::Budget, PreviBudget::instance());
    doc.add(filled(Budget::schema(), 6));
    const std::string older = "prestation=plongee;prix=30\n";
    std::ostringstream log;
    std::streambuf* was = std::clog.rdbuf(log.rdbuf());
    DocumentError error;
    const bool loaded = doc.load(Bytes(older.begin(), older.end()), error);
    std::clog.rdbuf(was);
    EXPECT_FALSE(loaded);
    EXPECT_NE(log.str().find("Format non reconnu"), std::string::npos);
    EXPECT_NE(error.details.find("budget"), std::string::npos) << error.details;
    EXPECT_EQ(doc.recordCount(), 1u);

    // A damaged budget archive is not handed to the importer.
    Bytes damaged = bytesOf(doc);
    damaged.resize(damaged.size() - 3);
    log.str("");
    was = std::clog.rdbuf(log.rdbuf());
    EXPECT_FALSE(doc.load(damaged, error));
    std::clog.rdbuf(was);
    EXPECT_EQ(log.str(), "");
}
