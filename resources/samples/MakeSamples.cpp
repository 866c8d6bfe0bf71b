// Writes the sample files shipped with the application: a logbook of made-up
// dives over several years and sites, and a wreck directory and an equipment
// inventory to go with it. Everything goes through the core's records and
// documents and is saved by their own writers, so the samples are what the
// program itself would write.
//
//   make_samples PHOTO_DIR OUT_DIR
//
// PHOTO_DIR holds the wreck photos drawn by draw_wreck_photos (wreck-N.png).

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "SampleDives.h"
#include "SampleFiles.h"
#include "exchange/GpsPosition.h"
#include "kinds/DocumentKinds.h"
#include "logbook/Carnet.h"
#include "registers/Epaves.h"
#include "registers/Materiel.h"
#include "registers/RegisterDocument.h"
#include "util/FileIO.h"

namespace {

using namespace divelog;

std::string position(double lat, double lon) { return GpsPosition{lat, lon}.text(); }

Date day(int y, int m, int d) { return dateFromLocalParts({y, m, d, 12, 0, 0}); }

struct WreckCard {
    const char* name;
    const char* type;
    const char* nationality;
    float length, beam;
    int material;    // 1 wood, 2 iron...
    int propulsion;  // 6 steam, 2 diesel...
    const char* built;
    const char* sunk;
    const char* cause;
    float top, bottom;
    const char* place;
    const char* site;
    const char* country;
    double lat, lon;
    int interest, difficulty;
    const char* notes;
};

const WreckCard kWrecks[] = {
    {"Le Liban",
     "Liner",
     "French",
     91,
     11,
     2,
     6,
     "1882",
     "07/06/1903",
     "Collision",
     28,
     36,
     "Marseille",
     "Ile Maïre",
     "France",
     43.2105,
     5.3355,
     5,
     3,
     "Cut in two by the Insulaire off Maïre; the bow and the boilers are the best of it."},
    {"Le Donator",
     "Cargo",
     "Norwegian",
     70,
     11,
     2,
     6,
     "1931",
     "14/11/1945",
     "Mine",
     38,
     51,
     "Porquerolles",
     "Pointe du Petit Langoustier",
     "France",
     42.9969,
     6.1780,
     5,
     4,
     "Upright on sand; gorgonians on the rails, congers in the holds."},
    {"SS Thistlegorm",
     "Cargo",
     "British",
     126,
     18,
     2,
     6,
     "1940",
     "06/10/1941",
     "Bombing",
     16,
     32,
     "Sharm el-Sheikh",
     "Sha'ab Ali",
     "Egypt",
     27.8136,
     33.9209,
     5,
     3,
     "Holds full of lorries, motorcycles and rifles; the stern lies on its side after the "
     "explosion."},
    {"SS Carnatic",
     "Liner",
     "British",
     90,
     12,
     2,
     7,
     "1862",
     "13/09/1869",
     "Reef",
     18,
     27,
     "Hurghada",
     "Abu Nuhas",
     "Egypt",
     27.5789,
     33.9262,
     4,
     2,
     "Wooden decks gone, iron ribs covered in soft corals; glassfish in the stern."},
    {"Swansea Vale",
     "Cargo",
     "British",
     72,
     10,
     2,
     6,
     "1908",
     "12/12/1916",
     "Torpedo",
     52,
     60,
     "Ouessant",
     "Pierres Noires",
     "France",
     48.3050,
     -4.9220,
     4,
     5,
     "Deep and tidal: slack water only; the boilers stand on the rock."},
};

void writeOrDie(Document& doc, const std::string& path) {
    std::string error;
    if (!doc.save(path, error)) {
        std::fprintf(stderr, "make_samples: %s: %s\n", path.c_str(), error.c_str());
        std::exit(1);
    }
}

std::unique_ptr<Document> wrecks(const std::string& photoDir) {
    auto doc = makeDocument(DocumentKind::Epaves);
    auto& reg = static_cast<RegisterDocument&>(*doc);
    std::vector<Record> cards;
    int n = 0;
    for (const WreckCard& w : kWrecks) {
        Record r(Epaves::schema());
        r.setText(Epaves::nom, w.name);
        r.setText(Epaves::type, w.type);
        r.setText(Epaves::nationalite, w.nationality);
        r.setReal(Epaves::longueur, w.length);
        r.setReal(Epaves::largeur, w.beam);
        r.setInteger(Epaves::materiau, w.material);
        r.setInteger(Epaves::propulsion, w.propulsion);
        r.setText(Epaves::dateConstruction, w.built);
        r.setText(Epaves::dateNaufrage, w.sunk);
        r.setText(Epaves::causeNaufrage, w.cause);
        r.setReal(Epaves::pointHaut, w.top);
        r.setReal(Epaves::pointBas, w.bottom);
        r.setInteger(Epaves::inclinaison, 1);
        r.setDate(Epaves::dateVisite, day(2019 + n, 6, 10 + n));
        r.setText(Epaves::lieu, w.place);
        r.setText(Epaves::site, w.site);
        r.setText(Epaves::pays, w.country);
        r.setText(Epaves::gps, position(w.lat, w.lon));
        r.setInteger(Epaves::gpsSystem, 1);
        r.setInteger(Epaves::acces, 1);
        r.setInteger(Epaves::interet, w.interest);
        r.setInteger(Epaves::technicite, w.difficulty);
        r.setText(Epaves::notes, w.notes);
        r.setText(Epaves::natureFond, "Sand and rock");
        r.setDate(Epaves::miseAJour, day(2024, 9, 1));
        std::vector<std::uint8_t> photo;
        std::string error;
        const std::string path = photoDir + "/wreck-" + std::to_string(n + 1) + ".png";
        if (!readWholeFile(path, photo, error)) {
            std::fprintf(stderr, "make_samples: %s: %s\n", path.c_str(), error.c_str());
            std::exit(1);
        }
        r.setImage(Epaves::photo, Image{std::move(photo)});
        cards.push_back(std::move(r));
        ++n;
    }
    reg.loadRecords(std::move(cards));
    return doc;
}

std::unique_ptr<Document> equipment() {
    struct Item {
        const char* type;
        const char* make;
        const char* serial;
        const char* bought;
        const char* price;
        int lastYear, nextYear;
        bool cylinder;
        float capacity;
        const char* notes;
    };
    const Item items[] = {
        {"Regulator", "Apeks XTX50", "AX5-20931", "03/2019", "640 €", 2024, 2025, false, 0,
         "Serviced every year or 100 dives."},
        {"Regulator", "Apeks XTX40 (deco)", "AX4-11872", "05/2021", "420 €", 2024, 2026, false, 0,
         "Oxygen clean, on the 7 l stage."},
        {"BCD", "Hollis ST Elite", "HST-7781", "03/2019", "590 €", 2023, 2025, false, 0, ""},
        {"Dive computer", "Shearwater Perdix 2", "SW-100482", "01/2022", "1,150 €", 2024, 2026,
         false, 0, "Battery changed 2024."},
        {"Cylinder", "Roth 12 l steel", "RT-0412-19", "03/2019", "310 €", 2024, 2025, true, 12,
         "Visual inspection every year."},
        {"Cylinder", "Luxfer 7 l aluminium", "LX-7-2021-88", "05/2021", "260 €", 2024, 2025, true,
         7, "Stage for nitrox 50."},
        {"Dry suit", "Santi E.Lite", "SAN-44129", "10/2020", "1,480 €", 2023, 2025, false, 0,
         "Neck seal replaced 2023."},
        {"Torch", "Light Monkey 21 W", "LM-2171", "07/2022", "380 €", 0, 0, false, 0, ""},
    };
    auto doc = makeDocument(DocumentKind::Materiel);
    auto& reg = static_cast<RegisterDocument&>(*doc);
    std::vector<Record> cards;
    int n = 0;
    for (const Item& it : items) {
        Record r(Materiel::schema());
        r.setText(Materiel::matosNo, std::to_string(++n));
        r.setText(Materiel::typeMatos, it.type);
        r.setText(Materiel::marqueMatos, it.make);
        r.setText(Materiel::serieMatos, it.serial);
        r.setText(Materiel::dateAchatMatos, it.bought);
        r.setInteger(Materiel::quantiteMatos, 1);
        r.setText(Materiel::prixMatos, it.price);
        const bool inspected = it.lastYear > 0;
        r.setDate(Materiel::lastRevision, inspected ? day(it.lastYear, 4, 2) : Materiel::noDate());
        r.setDate(Materiel::nextRevision, inspected ? day(it.nextYear, 4, 2) : Materiel::noDate());
        r.setDate(Materiel::nextRequalification,
                  it.cylinder ? day(it.lastYear + 1, 3, 15) : Materiel::noDate());
        r.setInteger(Materiel::noInspection, inspected ? 0 : 1);
        r.setInteger(Materiel::bloc, it.cylinder ? 1 : 0);
        r.setInteger(Materiel::tiv, it.cylinder ? 1 : 0);
        if (it.cylinder) {
            r.setText(Materiel::firstRequalification, it.bought);
            r.setText(Materiel::noTIV, "TIV-" + std::to_string(1200 + n));
            r.setText(Materiel::nomTIV, "Marc Le Gall");
            r.setReal(Materiel::capaciteBloc, it.capacity);
            r.setInteger(Materiel::pressionService, 232);
            r.setInteger(Materiel::pressionEpreuve, 348);
        }
        r.setText(Materiel::notesMatos, it.notes);
        r.setInteger(Materiel::equipState, 0);
        r.setInteger(Materiel::factureMatos, 1);
        r.setText(Materiel::lieuAchatMatos, "Plongée Services, Brest");
        cards.push_back(std::move(r));
    }
    reg.loadRecords(std::move(cards));
    return doc;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_samples PHOTO_DIR OUT_DIR\n");
        return 2;
    }
    const std::string photos = argv[1], out = argv[2];
    Carnet logbook;
    logbook.loadList(divelog::samples::sampleDives());
    writeOrDie(logbook, out + "/" + divelog::samples::kLogbookFile);
    writeOrDie(*wrecks(photos), out + "/" + divelog::samples::kWrecksFile);
    writeOrDie(*equipment(), out + "/" + divelog::samples::kEquipmentFile);
    return 0;
}
