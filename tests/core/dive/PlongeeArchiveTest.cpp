// The logbook file format: the dive's value order and every version rule,
// checked against archives built value by value from the documented order.

#include <gtest/gtest.h>

#include <bit>
#include <functional>

#include "archive/BinaryArchive.h"
#include "logbook/Carnet.h"

using namespace divelog;

namespace {

enum class T { I, F, DepthBits, S, D, Ints, Reals };

struct Slot {
    std::string field;
    T type;
    int minVersion = 0;
    int maxVersion = 99;
};

// The file order, stated independently of the encoder.
const std::vector<Slot>& fileOrder() {
    static const std::vector<Slot> order = [] {
        std::vector<Slot> o = {{"profilProfondeur", T::Reals},
                               {"ASC_Flag", T::Ints},
                               {"SLOW_Flag", T::Ints},
                               {"SURF_Flag", T::Ints},
                               {"CEIL_Flag", T::Ints},
                               {"GAZ_Flag", T::Ints},
                               {"PRESS_Data", T::Reals},
                               {"noPlongee", T::I},
                               {"coeff", T::I},
                               {"pmBm", T::I},
                               {"date", T::D},
                               {"lieu", T::S},
                               {"site", T::S},
                               {"pays", T::S},
                               {"countryCode", T::S},
                               {"gps", T::S},
                               {"gpsSystem", T::I},
                               {"partenaires", T::S},
                               {"epaves", T::S},
                               {"structure", T::S},
                               {"bateau", T::S},
                               {"surface", T::S},
                               {"heure", T::D},
                               {"profondeur", T::F},
                               {"temps", T::I},
                               {"altitude", T::I},
                               {"deco", T::I},
                               {"deco_Level_3_sw", T::I},
                               {"deco_Level_2_sw", T::I},
                               {"deco_Level_1_sw", T::I},
                               {"deco_Level_4_sw", T::I},
                               {"deco_Level_5_sw", T::I}};
        for (const char* p :
             {"decoO2_Level_", "decoHe_Level_", "decoDepth_Level_", "decoTime_Level_"})
            for (int n = 1; n <= 5; ++n)
                o.push_back({p + std::to_string(n),
                             std::string(p) == "decoDepth_Level_" ? T::DepthBits : T::I});
        for (const char* f :
             {"volPony1", "volPony2", "volPony3", "pressDepartPony1", "pressDepartPony2",
              "pressDepartPony3", "pressFinPony1", "pressFinPony2", "pressFinPony3"})
            o.push_back({f, T::I});
        for (const char* f : {"volBailout1", "volBailout2", "pressDepartBailout1",
                              "pressDepartBailout2", "pressFinBailout1", "pressFinBailout2",
                              "O2Bailout1", "O2Bailout2", "HeBailout1", "HeBailout2"})
            o.push_back({f, T::I, 23});
        for (const char* f :
             {"alliageBloc", "volumeBloc", "pressionBloc", "pressionDepart", "pressionFin", "gaz"})
            o.push_back({f, T::I});
        o.push_back({"flow", T::F, 20});
        o.push_back({"o2Mix", T::I});
        o.push_back({"heMix", T::I});
        for (const char* f : {"alliageBloc_2", "volumeBloc_2", "pressionBloc_2", "pressionDepart_2",
                              "pressionFin_2", "gaz_2", "o2Mix_2", "heMix_2"})
            o.push_back({f, T::I, 20});
        o.push_back({"ppO2", T::I});
        for (const char* f : {"decoSoftName", "decoAlgoType", "decoConservatism", "runtime"})
            o.push_back({f, T::S});
        for (const char* f :
             {"meteo", "ventSecteur", "ventForce", "visibilite", "courant", "typePlongee",
              "nocturne", "tempEau", "tempAir", "inoubliable", "combinaison"})
            o.push_back({f, T::I});
        for (const char* f : {"fabricant", "ordinateur", "serie"}) o.push_back({f, T::S});
        o.push_back({"samplingRate", T::I});
        o.push_back({"computerMode", T::I, 19, 21});
        for (int n = 1; n <= 12; ++n) o.push_back({"equip_" + std::to_string(n), T::S});
        o.push_back({"rebreather", T::I});
        o.push_back({"lestage", T::F});
        o.push_back({"configuration", T::I, 21});
        o.push_back({"notes", T::S});
        o.push_back({"difficulte", T::I});
        o.push_back({"etranger", T::I, 0, 17});
        return o;
    }();
    return order;
}

// A distinct value per position, so a value read into the wrong field shows.
Plongee::Value valueAt(std::size_t k, T type) {
    switch (type) {
        case T::I: return static_cast<std::int32_t>(1000 + k);
        case T::F: return static_cast<float>(k) + 0.25f;
        case T::DepthBits: return static_cast<float>(k) + 0.5f;
        case T::S: return "s" + std::to_string(k);
        case T::D: return Date{static_cast<double>(k) * 86400.0};
        case T::Ints: return std::vector<std::int32_t>{static_cast<std::int32_t>(k), 1, 0};
        case T::Reals: return std::vector<double>{static_cast<double>(k), 4.5, 0.0};
    }
    return {};
}

std::vector<std::uint8_t> archiveOfVersion(int version, std::int32_t typePlongee = 1003) {
    RecordListEncoder enc("logbook", {{"Plongee", version}}, 1);
    ArchiveWriter& w = enc.beginRecord("Plongee");
    const auto& order = fileOrder();
    for (std::size_t k = 0; k < order.size(); ++k) {
        const Slot& s = order[k];
        if (version < s.minVersion || version > s.maxVersion) continue;
        Plongee::Value v = valueAt(k, s.type);
        if (s.field == "typePlongee") v = typePlongee;
        switch (s.type) {
            case T::I: w.writeInt(std::get<std::int32_t>(v)); break;
            case T::F: w.writeFloat(std::get<float>(v)); break;
            case T::DepthBits: w.writeInt(std::bit_cast<std::int32_t>(std::get<float>(v))); break;
            case T::S: w.writeString(std::get<std::string>(v)); break;
            case T::D: w.writeDate(std::get<Date>(v)); break;
            case T::Ints: w.writeIntArray(std::get<std::vector<std::int32_t>>(v)); break;
            case T::Reals: w.writeRealArray(std::get<std::vector<double>>(v)); break;
        }
    }
    enc.endRecord();
    return enc.finish();
}

Plongee decodeOne(const std::vector<std::uint8_t>& bytes) {
    Carnet c;
    std::string error;
    EXPECT_TRUE(c.loadData(bytes, "logbook", error)) << error;
    EXPECT_EQ(c.recordCount(), 1u);
    return c.recordCount() ? c.dive(0) : Plongee();
}

// Every field the version holds carries its position's value; every other field is 0.
void expectFieldsOfVersion(const Plongee& p, int version) {
    const auto& order = fileOrder();
    for (std::size_t k = 0; k < order.size(); ++k) {
        const Slot& s = order[k];
        const std::string& name = s.field;
        if (name == "configuration" || name == "typePlongee") continue;
        bool present = version >= s.minVersion && version <= s.maxVersion;
        Plongee::Value expected = present ? valueAt(k, s.type) : Plongee::Value{};
        if (!present) {
            if (s.type == T::I) expected = std::int32_t{0};
            if (s.type == T::F) expected = 0.0f;
        }
        EXPECT_EQ(p.value(name), expected) << "version " << version << ", field " << name;
    }
}

}  // namespace

TEST(PlongeeArchive, EveryVersionFrom17To23ReadsEachValueIntoItsField) {
    for (int version : {17, 18, 19, 20, 21, 22, 23}) {
        SCOPED_TRACE(version);
        Plongee p = decodeOne(archiveOfVersion(version));
        expectFieldsOfVersion(p, version);
    }
}

TEST(PlongeeArchive, ConfigurationIsDerivedFromDiveTypeBelowVersion21) {
    for (int version : {17, 18, 19, 20}) {
        EXPECT_EQ(decodeOne(archiveOfVersion(version, 4)).configuration(), 1) << version;
        EXPECT_EQ(decodeOne(archiveOfVersion(version, 0)).configuration(), 0) << version;
    }
    // From 21 on the stored value wins, whatever the type.
    Plongee p = decodeOne(archiveOfVersion(21, 4));
    EXPECT_NE(p.configuration(), 1);
}

TEST(PlongeeArchive, OlderAndNewerVersionsAndShortRecordsAreRefused) {
    for (int version : {16, 24}) {
        auto bytes = archiveOfVersion(version);
        Carnet c;
        std::string error;
        EXPECT_FALSE(c.loadData(bytes, "logbook", error)) << version;
        EXPECT_FALSE(error.empty());
    }
    // A version 20 archive labelled 23 lacks the bail-out values: the reads run out of step.
    auto bytes = archiveOfVersion(20);
    ArchiveHeader h;
    std::string error;
    ASSERT_TRUE(readArchiveHeader(bytes, h, error));
    bytes[h.bodyOffset - 4] = 23;
    Carnet c;
    EXPECT_FALSE(c.loadData(bytes, "logbook", error));
}

TEST(PlongeeArchive, CurrentWriterMatchesTheDocumentedOrderOfVersion23) {
    Plongee p = decodeOne(archiveOfVersion(23));
    Carnet c;
    c.add(p);
    std::string error;
    EXPECT_EQ(c.dataOfType("logbook", error), archiveOfVersion(23));
}

TEST(PlongeeArchive, StopDepthsTravelAsFloatBitsAndAbsentObjectsStayAbsent) {
    Plongee p;
    p.setDecoDepth_Level_1(4.5f);
    p.setDecoDepth_Level_2(7.25f);
    p.setDecoDepth_Level_5(std::numeric_limits<float>::quiet_NaN());
    p.setDeco_Level_1_sw(1);
    p.setDeco_Level_3_sw(3);
    p.setNoPlongee(42);
    Carnet c;
    c.add(p);
    std::string error;
    auto bytes = c.dataOfType("logbook", error);

    Carnet back;
    ASSERT_TRUE(back.loadData(bytes, "logbook", error)) << error;
    const Plongee& q = back.dive(0);
    EXPECT_EQ(q.decoDepth_Level_1(), 4.5f);
    EXPECT_EQ(q.decoDepth_Level_2(), 7.25f);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(q.decoDepth_Level_5()),
              std::bit_cast<std::uint32_t>(p.decoDepth_Level_5()));
    EXPECT_EQ(q.deco_Level_1_sw(), 1);
    EXPECT_EQ(q.deco_Level_3_sw(), 3);
    EXPECT_FALSE(q.partenaires().has_value());
    EXPECT_FALSE(q.date().has_value());
    EXPECT_FALSE(q.profilProfondeur().has_value());
    EXPECT_EQ(back.dataOfType("logbook", error), bytes);
}
