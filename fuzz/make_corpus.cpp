// Writes the seed files of tests/data/archive. Run by hand after a format
// change:   build/tests/cli/make_corpus tests/data/archive
// Names carry the expectation the replay test checks: ok-* must be accepted
// by `divelog-convert info`, bad-* refused; other files only must not crash.

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "archive/BinaryArchive.h"
#include "kinds/DocumentKinds.h"
#include "logbook/Carnet.h"
#include "registers/AdressesEts.h"
#include "registers/AdressesStruct.h"
#include "registers/DiversDocuments.h"
#include "registers/InvConso.h"
#include "registers/InvMateriel.h"
#include "registers/MaintComp.h"
#include "registers/PreviBudget.h"
#include "registers/RebreatherServ.h"
#include "registers/RegisterDocument.h"
#include "registers/RepEpaves.h"
#include "util/Date.h"

using namespace divelog;
using Bytes = std::vector<std::uint8_t>;

namespace {

Plongee sampleDive(std::int32_t number, DateParts when, const char* lieu, const char* site) {
    NewDiveDefaults defaults;
    defaults.number = number;
    defaults.now = dateFromLocalParts(when);
    defaults.countryCode = "FR";
    defaults.gpsTemplate = "43°00.000'N 006°23.000'E";
    defaults.tankVolume = 12;
    defaults.tankPressure = 232;
    defaults.fabricant = "Suunto";
    defaults.ordinateur = "D5";
    defaults.serie = "SN-0042";
    Plongee p = makeNewDive(defaults);
    p.setLieu(std::string(lieu));
    p.setSite(std::string(site));
    p.setPays(std::string("France"));
    p.setProfondeur(32.5f);
    p.setTemps(48);
    p.setDecoDepth_Level_1(4.5f);
    p.setDeco_Level_3_sw(1);
    p.setTypePlongee(4);
    p.setNotes(std::string("Mérous au tombant.\nBonne visibilité."));
    std::vector<double> depth;
    std::vector<std::int32_t> flags;
    std::vector<double> pressure;
    for (int i = 0; i < 12; ++i) {
        depth.push_back(i < 6 ? i * 5.5 : (12 - i) * 5.0);
        flags.push_back(i == 8 ? 1 : 0);
        pressure.push_back(200.0 - i * 12.5);
    }
    p.setProfilProfondeur(depth);
    p.setASC_Flag(flags);
    p.setSLOW_Flag(flags);
    p.setSURF_Flag(std::vector<std::int32_t>(12, 0));
    p.setCEIL_Flag(std::vector<std::int32_t>(12, 0));
    p.setGAZ_Flag(std::vector<std::int32_t>(12, 0));
    p.setPRESS_Data(pressure);
    p.setPartenaires(std::nullopt);  // an absent object, as imports leave it
    return p;
}

Bytes twoDiveLogbook() {
    Carnet carnet;
    carnet.add(sampleDive(1, {2024, 5, 31, 10, 15, 0}, "Port-Cros", "La Gabinière"));
    carnet.add(sampleDive(2, {2023, 6, 1, 9, 0, 0}, "Marseille", "Le Liban"));
    std::string error;
    return carnet.dataOfType("logbook", error);
}

// The value sequence of a dive in an archive of an older class version,
// written independently of Plongee::encode so the seeds also check it.
void writeLegacyDive(ArchiveWriter& w, int version) {
    auto ints = [&](int n, std::int32_t v) {
        for (int i = 0; i < n; ++i) w.writeInt(v);
    };
    auto texts = [&](int n, const char* s) {
        for (int i = 0; i < n; ++i) w.writeString(std::string(s));
    };
    w.writeRealArray(std::vector<double>{0, 10, 20, 10, 0});
    for (int i = 0; i < 5; ++i) w.writeIntArray(std::vector<std::int32_t>{0, 0, 1, 0, 0});
    w.writeRealArray(std::vector<double>{200, 180, 150, 120, 100});
    ints(3, 7);  // noPlongee, coeff, pmBm
    w.writeDate(Date{6.0e8});
    texts(5, "old");  // lieu .. gps
    w.writeInt(1);    // gpsSystem
    texts(4, "old");  // partenaires .. bateau
    w.writeString(std::string("--:--"));
    w.writeDate(Date{0});
    w.writeFloat(21.5f);
    ints(3, 0);   // temps, altitude, deco
    ints(5, 0);   // stop switches 3, 2, 1, 4, 5
    ints(10, 0);  // stop O2 and He
    for (float depth : {3.0f, 6.0f, 9.0f, 12.0f, 15.0f}) {
        std::int32_t bits;
        std::memcpy(&bits, &depth, 4);
        w.writeInt(bits);
    }
    ints(5, 0);                                         // stop times
    ints(9, 0);                                         // stage cylinders
    if (version >= 23) ints(10, 0);                     // bail-out
    ints(6, 0);                                         // cylinder 1 up to gaz
    if (version >= 20) w.writeFloat(0);                 // flow
    ints(2, 21);                                        // o2Mix, heMix
    if (version >= 20) ints(8, 0);                      // cylinder 2
    w.writeInt(0);                                      // ppO2
    texts(4, "-");                                      // deco software .. runtime
    ints(11, 4);                                        // meteo .. combinaison (typePlongee 4)
    texts(3, "old");                                    // fabricant, ordinateur, serie
    w.writeInt(0);                                      // samplingRate
    if (version >= 19 && version <= 21) w.writeInt(0);  // computerMode
    texts(12, "");
    w.writeInt(0);  // rebreather
    w.writeFloat(2.0f);
    if (version >= 21) w.writeInt(1);  // configuration
    w.writeString(std::nullopt);       // notes
    w.writeInt(2);                     // difficulte
    if (version <= 17) w.writeInt(0);  // etranger
}

Bytes legacyLogbook(int version) {
    RecordListEncoder encoder("logbook", {{"Plongee", version}}, 1);
    writeLegacyDive(encoder.beginRecord("Plongee"), version);
    encoder.endRecord();
    return encoder.finish();
}

// A register record with every field given, a small picture included.
Record sampleRecord(const RecordSchema& schema, int seed) {
    Record r(schema);
    for (std::size_t i = 0; i < schema.size(); ++i) {
        const int v = seed * 10 + static_cast<int>(i);
        switch (schema.fields[i].type) {
            case FieldType::Text: r.setText(i, "val " + std::to_string(v)); break;
            case FieldType::Int: r.setInteger(i, v % 6); break;
            case FieldType::Float: r.setReal(i, static_cast<float>(v) / 4); break;
            case FieldType::Date: r.setDate(i, Date{6.0e8 + v}); break;
            case FieldType::Image: r.setImage(i, Image{{0x89, 'P', 'N', 'G', 13, 10}}); break;
        }
    }
    return r;
}

Bytes registerOf(DocumentKind kind, const RegisterSpec& spec) {
    RegisterDocument doc(kind, spec);
    doc.add(sampleRecord(spec.schema(), 1));
    doc.add(sampleRecord(spec.schema(), 2));
    std::string error;
    return doc.dataOfType(doc.info().id, error);
}

// One record written as a file of an older class version writes it.
Bytes olderRegister(std::string_view kind, const RecordSchema& schema, int version) {
    RecordListEncoder encoder(kind, {{std::string(schema.className), version}}, 1);
    ArchiveWriter& w = encoder.beginRecord(schema.className);
    for (const RecordField& f : schema.fields) {
        if (version < f.since) continue;
        if (version < f.intBefore) {
            w.writeInt(7);
            continue;
        }
        switch (f.type) {
            case FieldType::Text: w.writeString(std::string(f.name)); break;
            case FieldType::Int: w.writeInt(1); break;
            case FieldType::Float: w.writeFloat(2.5f); break;
            case FieldType::Date: w.writeDate(Date{1000}); break;
            case FieldType::Image: w.writeNull(); break;
        }
    }
    encoder.endRecord();
    return encoder.finish();
}

Bytes emptyRegister(DocumentKind kind) {
    auto doc = makeDocument(kind);
    std::string error;
    return doc->dataOfType(doc->info().id, error);
}

std::size_t bodyOffset(const Bytes& b) {
    ArchiveHeader h;
    std::string error;
    if (!readArchiveHeader(b, h, error)) throw std::runtime_error(error);
    return h.bodyOffset;
}

// Body: '[' count:u32, then per record 'R' class:u16 length:u32 values...
std::size_t firstRecordValues(const Bytes& b) { return bodyOffset(b) + 5 + 7; }

void putU32(Bytes& b, std::size_t at, std::uint32_t v) { std::memcpy(b.data() + at, &v, 4); }

std::size_t find(const Bytes& b, std::string_view text) {
    auto it = std::search(b.begin(), b.end(), text.begin(), text.end());
    if (it == b.end()) throw std::runtime_error("marker not found");
    return static_cast<std::size_t>(it - b.begin());
}

void write(const std::filesystem::path& dir, const std::string& name, const Bytes& b) {
    std::ofstream f(dir / name, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    if (!f) throw std::runtime_error("cannot write " + name);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_corpus DIRECTORY\n";
        return 2;
    }
    std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    const Bytes good = twoDiveLogbook();

    write(dir, "ok-logbook-two-dives.divelog", good);
    {
        Carnet empty;
        std::string error;
        write(dir, "ok-logbook-empty.divelog", empty.dataOfType("logbook", error));
    }
    for (int v : {17, 19, 20, 21, 23})
        write(dir, "ok-logbook-version-" + std::to_string(v) + ".divelog", legacyLogbook(v));
    write(dir, "ok-register-empty.dlequip", emptyRegister(DocumentKind::Materiel));
    write(dir, "ok-register-empty.dlwrecks", emptyRegister(DocumentKind::Epaves));
    write(dir, "ok-wrecks-two.dlwrecks", registerOf(DocumentKind::Epaves, RepEpaves::instance()));
    write(dir, "ok-equipment-two.dlequip",
          registerOf(DocumentKind::Materiel, InvMateriel::instance()));
    for (int v : {1, 3, 4})
        write(dir, "ok-wrecks-version-" + std::to_string(v) + ".dlwrecks",
              olderRegister("wrecks", Epaves::schema(), v));
    write(dir, "ok-equipment-version-1.dlequip", olderRegister("equipment", Materiel::schema(), 1));
    write(dir, "ok-budget-two.dlbudget", registerOf(DocumentKind::Budget, PreviBudget::instance()));
    write(dir, "ok-firms-two.dlfirms",
          registerOf(DocumentKind::Entreprises, AdressesEts::instance()));
    write(dir, "ok-structures-two.dlstructures",
          registerOf(DocumentKind::Structures, AdressesStruct::instance()));
    write(dir, "ok-documents-two.dldocs",
          registerOf(DocumentKind::DiversDocuments, DiversDocuments::instance()));
    for (int v : {1, 2})
        write(dir, "ok-firms-version-" + std::to_string(v) + ".dlfirms",
              olderRegister("firms", Entreprises::schema(), v));
    write(dir, "ok-rebreather-two.dlrebreather",
          registerOf(DocumentKind::Rebreather, RebreatherServ::instance()));
    write(dir, "ok-rebreather-version-1.dlrebreather",
          olderRegister("rebreather", Rebreather::schema(), 1));
    write(dir, "ok-compressor-two.dlcompressor",
          registerOf(DocumentKind::Compresseur, MaintComp::instance()));
    write(dir, "ok-register-empty.dlcompressor", emptyRegister(DocumentKind::Compresseur));
    write(dir, "ok-consumables-two.dlconsumables",
          registerOf(DocumentKind::Consommables, InvConso::instance()));
    write(dir, "ok-consumables-version-1.dlconsumables",
          olderRegister("consumables", Consommables::schema(), 1));
    write(dir, "colour-archive.bin", encodeColourArchive(Colour{0.2f, 0.4f, 0.6f, 1.0f}));

    write(dir, "bad-empty.bin", {});
    {
        std::string text = "<?xml version=\"1.0\"?><uddf/>\n";
        write(dir, "bad-not-an-archive.uddf", Bytes(text.begin(), text.end()));
    }
    write(dir, "bad-truncated-header.divelog", Bytes(good.begin(), good.begin() + 14));
    write(dir, "bad-truncated-record.divelog",
          Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() * 2 / 3)));
    {
        Bytes b = good;
        putU32(b, bodyOffset(b) + 1, 0xffffffffu);
        write(dir, "bad-huge-record-count.divelog", b);
    }
    {
        Bytes b = good;
        putU32(b, find(b, "Port-Cros") - 4, 0x80000000u);
        write(dir, "bad-negative-string-length.divelog", b);
        putU32(b, find(b, "Port-Cros") - 4, 0xfffffff0u);
        write(dir, "bad-huge-string-length.divelog", b);
    }
    {
        Bytes b = good;
        putU32(b, firstRecordValues(b) + 1, 0x20000000u);  // profile depths: 8 bytes each
        write(dir, "bad-huge-array-length.divelog", b);
    }
    {
        Bytes b = good;
        putU32(b, bodyOffset(b) + 5 + 3, 0xfffffff0u);
        write(dir, "bad-huge-record-length.divelog", b);
        b = good;
        std::uint32_t length;
        std::memcpy(&length, b.data() + bodyOffset(b) + 5 + 3, 4);
        putU32(b, bodyOffset(b) + 5 + 3, length - 1);
        write(dir, "bad-record-length-short.divelog", b);
    }
    {
        Bytes b = good;
        b[firstRecordValues(b)] = 'z';
        write(dir, "bad-unknown-type-code.divelog", b);
        b = good;
        b[firstRecordValues(b)] = 'i';  // a known code where an array belongs
        write(dir, "bad-wrong-type-code.divelog", b);
    }
    {
        Bytes b = good;
        b.insert(b.end(), {'j', 'u', 'n', 'k'});
        write(dir, "bad-trailing-garbage.divelog", b);
    }
    {
        // The second record claims a class the logbook does not know.
        RecordListEncoder encoder("logbook", {{"Plongee", 23}, {"Epaves", 5}}, 2);
        sampleDive(1, {2024, 1, 2, 3, 4, 5}, "A", "B").encode(encoder.beginRecord("Plongee"));
        encoder.endRecord();
        encoder.beginRecord("Epaves").writeString(std::string("Le Donator"));
        encoder.endRecord();
        write(dir, "bad-unknown-class.divelog", encoder.finish());
    }
    {
        RecordListEncoder encoder("logbook", {{"Plongeur", 23}}, 1);
        sampleDive(1, {2024, 1, 2, 3, 4, 5}, "A", "B").encode(encoder.beginRecord("Plongeur"));
        encoder.endRecord();
        write(dir, "bad-missing-class.divelog", encoder.finish());
    }
    {
        Bytes b = good;
        putU32(b, find(b, "Plongee") + 7, 24);
        write(dir, "bad-version-24.divelog", b);
        b = good;
        putU32(b, find(b, "Plongee") + 7, 16);
        write(dir, "bad-version-16.divelog", b);
        b = good;
        b[8] = 2;  // archive format version
        write(dir, "bad-format-version-2.divelog", b);
    }
    {
        // A string list whose count the rest of the record could back at four
        // bytes an entry, though its second entry's length runs past the end:
        // a count to check, never a size to allocate.
        RecordListEncoder encoder("logbook", {{"Plongee", 23}}, 1);
        ArchiveWriter& w = encoder.beginRecord("Plongee");
        w.writeStringList(std::vector<std::string>{"x"});
        w.writeImage(Image{Bytes(4096, 0xff)});
        encoder.endRecord();
        Bytes b = encoder.finish();
        const std::size_t countAt = firstRecordValues(b) + 1;
        putU32(b, countAt, static_cast<std::uint32_t>((b.size() - countAt - 4) / 4));
        write(dir, "bad-hostile-string-list.divelog", b);
    }
    {
        RecordListEncoder encoder("diving", {}, 0);
        write(dir, "bad-unknown-kind.bin", encoder.finish());
    }
    {
        RecordListEncoder encoder("equipment", {{"Materiel", 2}}, 1);
        encoder.beginRecord("Materiel").writeString(std::string("Détendeur"));
        encoder.endRecord();
        write(dir, "bad-register-with-records.dlequip", encoder.finish());
    }
    std::cout << "wrote "
              << std::distance(std::filesystem::directory_iterator(dir),
                               std::filesystem::directory_iterator())
              << " files to " << dir << '\n';
    return 0;
}
