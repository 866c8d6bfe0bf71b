#include "BenchRegister.h"

#include <array>
#include <string>

#include "registers/Epaves.h"
#include "registers/RepEpaves.h"

namespace divelog::bench {

namespace {

constexpr std::array<const char*, 6> kTypes = {"Cargo",     "Tanker", "Destroyer",
                                               "Submarine", "Liner",  "Tug"};
constexpr std::array<const char*, 6> kPlaces = {"Marseille", "Port-Cros", "Toulon",
                                                "Ajaccio",   "Brest",     "Cherbourg"};

}  // namespace

std::unique_ptr<RegisterDocument> makeBenchWrecks(std::size_t cards) {
    auto doc = std::make_unique<RegisterDocument>(DocumentKind::Epaves, RepEpaves::instance());
    for (std::size_t i = 0; i < cards; ++i) {
        Record r(Epaves::schema());
        r.setText(Epaves::nom, "Wreck " + std::to_string(i));
        r.setText(Epaves::type, kTypes[i % kTypes.size()]);
        r.setText(Epaves::lieu, kPlaces[i % kPlaces.size()]);
        r.setText(Epaves::site, "Site " + std::to_string(i % 97));
        r.setText(Epaves::gps, "43°12'" + std::to_string(i % 60) + "\" N 5°20'12\" E");
        r.setReal(Epaves::longueur, static_cast<float>(40 + i % 160));
        r.setReal(Epaves::largeur, static_cast<float>(6 + i % 20));
        r.setReal(Epaves::pointHaut, static_cast<float>(10 + i % 30));
        r.setReal(Epaves::pointBas, static_cast<float>(25 + i % 40));
        r.setInteger(Epaves::materiau, static_cast<std::int32_t>(1 + i % 4));
        r.setText(Epaves::notes, "Sunk in a storm; the bow lies on sand, the stern broken.");
        doc->add(std::move(r));
    }
    doc->history().clear();
    doc->clearChanged();
    return doc;
}

}  // namespace divelog::bench
