// The sample files as the build wrote them, opened as the application opens
// any file: by what their header names.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "SampleFiles.h"
#include "dive/DiveCodes.h"
#include "exchange/GpsPosition.h"
#include "kinds/DocumentKinds.h"
#include "logbook/Carnet.h"
#include "registers/Epaves.h"
#include "registers/Materiel.h"
#include "registers/RegisterDocument.h"

namespace divelog {
namespace {

std::unique_ptr<Document> openSample(const char* name, DocumentKind kind) {
    DocumentError error;
    auto doc = openDocumentFile(std::string(DIVELOG_SAMPLES_DIR) + "/" + name, error);
    EXPECT_TRUE(doc) << name << ": " << error.details;
    if (doc) {
        EXPECT_EQ(doc->kind(), kind);
    }
    return doc;
}

TEST(SampleLogbook, HoldsYearsOfDivesWithEveryKindOfGas) {
    auto doc = openSample(samples::kLogbookFile, DocumentKind::Carnet);
    ASSERT_TRUE(doc);
    const auto& carnet = static_cast<const Carnet&>(*doc);
    ASSERT_GE(carnet.recordCount(), 38u);
    ASSERT_LE(carnet.recordCount(), 45u);
    std::set<int> gases, years, apparatus;
    std::set<std::string> countries;
    for (std::size_t i = 0; i < carnet.recordCount(); ++i) {
        const Plongee& p = carnet.dive(i);
        SCOPED_TRACE("dive " + std::to_string(p.noPlongee()));
        EXPECT_EQ(p.noPlongee(), static_cast<int>(i + 1));
        if (i > 0) {
            EXPECT_GE(p.date()->seconds, carnet.dive(i - 1).date()->seconds);
        }
        gases.insert(p.gaz());
        years.insert(localParts(*p.date()).year);
        apparatus.insert(p.rebreather());
        countries.insert(p.pays().value_or(""));
        EXPECT_TRUE(GpsPosition::parse(p.gps().value_or(""))) << *p.gps();
        EXPECT_FALSE(p.partenaires().value_or("").empty());
        EXPECT_FALSE(p.notes().value_or("").empty());
    }
    EXPECT_TRUE(gases.count(0) && gases.count(1) && gases.count(2)) << "air, nitrox and trimix";
    EXPECT_TRUE(std::any_of(apparatus.begin(), apparatus.end(), DiveCodes::isClosedCircuit));
    EXPECT_GE(years.size(), 4u);
    EXPECT_GE(countries.size(), 3u);
}

// What the profile view, the summary and the consumption rely on: every
// series as long as the depths, the depth field the deepest sample, the gas
// switches pointing at stops that carry their gas, pressures that fall.
TEST(SampleLogbook, ProfilesAgreeWithTheirDives) {
    auto doc = openSample(samples::kLogbookFile, DocumentKind::Carnet);
    ASSERT_TRUE(doc);
    const auto& carnet = static_cast<const Carnet&>(*doc);
    int switchesToDecoGas = 0, stopDives = 0;
    for (const auto& dive : carnet.dives()) {
        const Plongee& p = *dive;
        SCOPED_TRACE("dive " + std::to_string(p.noPlongee()));
        const auto& depth = *p.profilProfondeur();
        ASSERT_GT(depth.size(), 100u);
        for (const auto* series :
             {&p.ASC_Flag(), &p.SLOW_Flag(), &p.SURF_Flag(), &p.CEIL_Flag(), &p.GAZ_Flag()})
            ASSERT_EQ((*series)->size(), depth.size());
        ASSERT_EQ(p.PRESS_Data()->size(), depth.size());
        EXPECT_FLOAT_EQ(p.profondeur(),
                        static_cast<float>(*std::max_element(depth.begin(), depth.end())));
        EXPECT_EQ(depth.front(), 0.0);
        EXPECT_EQ(depth.back(), 0.0);
        EXPECT_EQ(p.GAZ_Flag()->front(), 1) << "starts on the bottom gas";
        EXPECT_EQ(p.SURF_Flag()->back(), 1);
        const auto& press = *p.PRESS_Data();
        EXPECT_TRUE(std::is_sorted(press.rbegin(), press.rend()));
        EXPECT_EQ(p.pressionDepart(), static_cast<int>(press.front()));
        EXPECT_LT(p.pressionFin(), p.pressionDepart());
        EXPECT_GT(p.pressionFin(), 30) << "no dive ends out of gas";
        if (p.deco_Level_1_sw()) ++stopDives;
        for (std::size_t i = 0; i < depth.size(); ++i) {
            const int code = (*p.GAZ_Flag())[i];
            if (code < 2) continue;
            ++switchesToDecoGas;
            const std::size_t stop = static_cast<std::size_t>(code - 2);
            ASSERT_LT(stop, Plongee::kStopDepth.size());
            EXPECT_EQ(std::get<std::int32_t>(p.value(Plongee::kStopSwitch[stop])), 1);
            EXPECT_NEAR(depth[i], std::get<float>(p.value(Plongee::kStopDepth[stop])), 0.5);
            EXPECT_GT(std::get<std::int32_t>(p.value(Plongee::kStopO2[stop])), p.o2Mix());
        }
    }
    EXPECT_GE(switchesToDecoGas, 4);
    EXPECT_GE(stopDives, 3);
}

TEST(SampleRegisters, WrecksHaveTheirPhotosAndEquipmentItsCylinders) {
    auto wrecks = openSample(samples::kWrecksFile, DocumentKind::Epaves);
    ASSERT_TRUE(wrecks);
    const auto& w = static_cast<const RegisterDocument&>(*wrecks);
    ASSERT_GE(w.recordCount(), 4u);
    const std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G'};
    for (std::size_t i = 0; i < w.recordCount(); ++i) {
        const Record& r = w.record(i);
        SCOPED_TRACE(*r.text(Epaves::nom));
        ASSERT_TRUE(r.image(Epaves::photo));
        const auto& bytes = r.image(Epaves::photo)->bytes;
        ASSERT_GT(bytes.size(), 1000u);
        EXPECT_TRUE(std::equal(png.begin(), png.end(), bytes.begin()));
        EXPECT_TRUE(GpsPosition::parse(r.text(Epaves::gps).value_or("")));
    }

    auto equipment = openSample(samples::kEquipmentFile, DocumentKind::Materiel);
    ASSERT_TRUE(equipment);
    const auto& e = static_cast<const RegisterDocument&>(*equipment);
    ASSERT_GE(e.recordCount(), 5u);
    int cylinders = 0;
    for (std::size_t i = 0; i < e.recordCount(); ++i)
        if (e.record(i).integer(Materiel::bloc) == 1) {
            ++cylinders;
            EXPECT_GT(e.record(i).real(Materiel::capaciteBloc), 0);
        }
    EXPECT_GE(cylinders, 1);
}

}  // namespace
}  // namespace divelog
