// The rebreather, compressor and consumables registers: their files (older
// versions and absorbent times opened in other zones included), the rules of
// their forms and cells, and their cards line by line with the shipped texts.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "archive/BinaryArchive.h"
#include "localisation/Localisation.h"
#include "registers/ClockDuration.h"
#include "registers/InvConso.h"
#include "registers/MaintComp.h"
#include "registers/RebreatherServ.h"
#include "registers/RegisterCard.h"
#include "registers/RegisterDocument.h"
#include "registers/RegisterForm.h"

using namespace divelog;

namespace {

const RebreatherServ& rebreather = RebreatherServ::instance();
const MaintComp& compressor = MaintComp::instance();
const InvConso& consumables = InvConso::instance();
using R = Rebreather;
using K = Compresseur;
using P = Consommables;

const Localisation& english() {
    static const Localisation texts = [] {
        Localisation l;
        auto dir = std::filesystem::current_path();
        while (!std::filesystem::exists(dir / "resources/lang/en") && dir != dir.parent_path())
            dir = dir.parent_path();
        for (const char* table : {"Main", "Rebreather", "Compresseur", "Consommables"}) {
            std::stringstream text;
            text << std::ifstream(dir / "resources/lang/en" / (std::string(table) + ".strings"))
                        .rdbuf();
            l.loadTable(table, text.str());
        }
        return l;
    }();
    return texts;
}

std::string cell(const RegisterSpec& spec, const Record& r, std::size_t field) {
    return spec.cellText(r, field, english());
}

// The card's text without the file and date lines, as lines.
std::vector<std::string> cardLines(const RegisterDocument& doc) {
    std::string text = registerCard(doc, english(), Date{0}).plainText();
    std::stringstream in(text.substr(0, text.find("\nFile dir")));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::uint8_t> bytesOf(const Document& d) {
    std::string error;
    return d.dataOfType(d.info().id, error);
}

void setZone(const char* zone) {
    zone ? setenv("TZ", zone, 1) : unsetenv("TZ");
    tzset();
}

}  // namespace

TEST(ServiceRegisters, EveryFieldComesBackAsSaved) {
    for (const RegisterSpec* spec :
         std::initializer_list<const RegisterSpec*>{&rebreather, &compressor, &consumables}) {
        RegisterDocument doc(spec->kind(), *spec);
        Record r(spec->schema());
        for (std::size_t i = 0; i < r.size(); ++i) {
            const int v = 100 + static_cast<int>(i);
            switch (spec->schema().fields[i].type) {
                case FieldType::Text: r.setText(i, "text " + std::to_string(v) + " é"); break;
                case FieldType::Int: r.setInteger(i, v); break;
                case FieldType::Float: r.setReal(i, v + 0.25f); break;
                case FieldType::Date: r.setDate(i, Date{1.0e8 + v}); break;
                case FieldType::Image: break;
            }
        }
        doc.add(r);
        doc.add(Record(spec->schema()));  // every object absent
        RegisterDocument back(spec->kind(), *spec);
        DocumentError error;
        ASSERT_TRUE(back.load(bytesOf(doc), error)) << error.details;
        ASSERT_EQ(back.recordCount(), 2u);
        EXPECT_TRUE(back.record(0) == r && back.record(1) == doc.record(1)) << spec->table();
    }
}

TEST(ServiceRegisters, AVersionOnePartReadsStockAndReserveFromIntegers) {
    RecordListEncoder encoder("consumables", {{"Consommables", 1}}, 1);
    ArchiveWriter& w = encoder.beginRecord("Consommables");
    for (const char* text : {"OR-2-015", "Viton", "Valve"}) w.writeString(std::string(text));
    w.writeInt(4);
    w.writeInt(2);
    w.writeString(std::string("Box 3"));
    w.writeInt(0);
    w.writeDate(Date{7.0e8});
    w.writeString(std::nullopt);
    encoder.endRecord();
    RegisterDocument doc(DocumentKind::Consommables, consumables);
    DocumentError error;
    ASSERT_TRUE(doc.load(encoder.finish(), error)) << error.details;
    const Record& r = doc.record(0);
    EXPECT_EQ(r.real(P::stock), 4.0f);
    EXPECT_EQ(r.real(P::reserve), 2.0f);
    EXPECT_EQ(r.textOr(P::rangement), "Box 3");
    EXPECT_EQ(r.date(P::dateInventaire), Date{7.0e8});
}

// A duration saved fourteen hours east reads the same eleven hours west.
TEST(ServiceRegisters, DurationsReadTheSameInEveryZone) {
    const char* old = std::getenv("TZ");
    const std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
    setZone("UTC-14");
    RegisterDocument doc(DocumentKind::Rebreather, rebreather);
    RegisterForm form(rebreather);
    form.blank({0, dateNow(), english()});
    EXPECT_EQ(durationText(form.date("sofnoTime")), "00:00");
    form.setDate("sofnoTime", ClockDuration{2, 30}.date(), dateNow());
    doc.add(form.record());
    RegisterDocument compressorDoc(DocumentKind::Compresseur, compressor);
    Record service(K::schema());
    service.setDate(K::temps, ClockDuration{1, 5}.date());
    compressorDoc.add(service);
    const auto interventions = bytesOf(doc), services = bytesOf(compressorDoc);
    for (const char* zone : {"UTC+11", "CET-1CEST,M3.5.0,M10.5.0/3"}) {
        setZone(zone);
        DocumentError error;
        ASSERT_TRUE(doc.load(interventions, error) && compressorDoc.load(services, error));
        EXPECT_EQ(cell(rebreather, doc.record(0), R::sofnoTime), "02:30") << zone;
        EXPECT_EQ(cardLines(doc).at(5), "Absorbent time: 02:30 h") << zone;
        EXPECT_EQ(cardLines(compressorDoc).at(8), "Running time: 01 h 05 min.") << zone;
    }
    setZone(saved ? saved->c_str() : nullptr);
    // Only the time of day counts; a damaged value reads as no time.
    EXPECT_EQ(ClockDuration::of(Date{-3600}), (ClockDuration{23, 0}));
    EXPECT_EQ(ClockDuration::of(Date{8.64e8 + 5 * 3600 + 59 * 60 + 59}), (ClockDuration{5, 59}));
    EXPECT_EQ(ClockDuration::of(Date{std::nan("")}), ClockDuration{});
}

// Only the absorbent changed: one check mark, in green; no count, no reading.
TEST(ServiceRegisters, RebreatherChecklistCellsAndTheCellCountKept) {
    const Date now = dateNow();
    Record r(R::schema());
    r.setInteger(R::sofnolime, 1);
    r.setInteger(R::nbCells, 3);  // set before the cells switch went off
    for (const ColumnSpec& c : rebreather.columns()) {
        const std::size_t f = rebreather.field(c.field);
        EXPECT_EQ(cell(rebreather, r, f), f == R::sofnolime ? "✓"
                                          : f == R::nbCells ? "3"
                                                            : "")
            << c.field;
    }
    EXPECT_EQ(rebreather.cellStyle(r, R::sofnolime, now).text, colours::kGreen);

    RegisterForm form(rebreather);
    form.load(r);
    form.setText("notes", "loop rinsed", now);
    EXPECT_EQ(form.record().integer(R::nbCells), 3);
}

TEST(ServiceRegisters, ARebreatherCardListsOnlyWhatWasDone) {
    RegisterDocument doc(DocumentKind::Rebreather, rebreather);
    Record r(R::schema());
    r.setDate(R::date, dateFromLocalParts({2024, 5, 31, 9, 0, 0}));
    r.setText(R::rebreatherTime, std::string("120 h"));
    r.setDate(R::sofnoTime, ClockDuration{2, 30}.date());
    for (std::size_t f : {R::sofnolime, R::cells, R::mpO2, R::scrubber}) r.setInteger(f, 1);
    r.setReal(R::mpO2Value, 1.6f);
    r.setText(R::notes, std::string("New cells"));
    doc.add(r);
    const std::vector<std::string> expected = {
        "Rebreather service log", "--------------------",     "",
        "Date: 31/05/2024",       "Unit running time: 120 h", "Absorbent time: 02:30 h",
        "Absorbent changed",      "Oxygen cells changed",     "pO2 check : 1.6 bar",
        "Scrubber serviced",      "Remarks: New cells",       "--------------------"};
    EXPECT_EQ(cardLines(doc), expected);
}

TEST(ServiceRegisters, CompressorAnalysesNotMeasuredNeverShowAsMeasures) {
    const Date now = dateNow();
    RegisterForm form(compressor);
    form.blank({0, now, english()});
    EXPECT_EQ(form.text("anCO"), "-");
    auto stored = [&](const char* typed) {
        form.setText("anHuile", typed, now);
        return form.record().real(K::anHuile);
    };
    EXPECT_EQ(stored("12,5"), 12.5f);
    EXPECT_EQ(stored("0"), 0.0f);
    for (const char* none : {"-", "", "abc", "-0.5"}) EXPECT_EQ(stored(none), -1.0f) << none;

    Record r(K::schema());
    r.setReal(K::anHuile, -1);
    r.setReal(K::anCO2, 500);
    r.setInteger(K::anCO2Unit, 1);
    r.setReal(K::anCO, 500);
    r.setReal(K::anH2O, 0.5f);
    EXPECT_EQ(cell(compressor, r, K::anHuile), "-");
    EXPECT_EQ(cell(compressor, r, K::anCO2), "500 ppm");
    EXPECT_EQ(cell(compressor, r, K::anCO), "500 ml/m³");
    EXPECT_EQ(cell(compressor, r, K::anH2O), "0.5 ml/m³");
    for (std::size_t f : {K::filtreAir, K::soupapes}) r.setInteger(f, 1);
    EXPECT_EQ(cell(compressor, r, K::filtreAir), "Cleaned");
    EXPECT_EQ(cell(compressor, r, K::soupapes), "Verified");
}

TEST(ServiceRegisters, ACompressorCardNumbersServicesInListOrder) {
    RegisterDocument doc(DocumentKind::Compresseur, compressor);
    Record r(K::schema());
    r.setText(K::marque, std::string("Bauer"));
    r.setDate(K::date, dateFromLocalParts({2024, 3, 2, 10, 0, 0}));
    for (std::size_t f : {K::vidange, K::typeHuile, K::cartouche, K::charbon, K::soupapes})
        r.setInteger(f, 1);  // the cartridge holds the charcoal: it is left out
    for (std::size_t f : {K::anHuile, K::anCO, K::anH2O}) r.setReal(f, -1);
    r.setReal(K::anCO2, 500);
    r.setInteger(K::anCO2Unit, 1);
    doc.add(r);
    Record older(K::schema());
    older.setText(K::marque, std::string("Coltri"));
    older.setDate(K::date, dateFromLocalParts({2023, 1, 2, 10, 0, 0}));
    older.setInteger(K::alumine, 1);
    older.setReal(K::anHuile, 0.1f);
    doc.add(older);
    // clang-format off
    const std::vector<std::string> expected = {
        "Compressor maintenance", "Make: Bauer", "Model: ", "", "------------------------------",
        "Service No. 1", "", "Date: 02/03/2024", "Running time: ", "Total hours: ", "",
        "Operations", "Oil changed (synthetic)", "Purification cartridge changed",
        "Safety valves verified", "", "Air analyses", "CO2: 500 ppm", "Remarks: ",
        "--------------------", "Service No. 2", "", "Date: 02/01/2023", "Running time: ",
        "Total hours: ", "", "Operations", "Activated alumina changed", "", "Air analyses",
        "Oil: 0.1 mg/m³", "CO2: 0 ml/m³", "CO: 0 ml/m³", "Water: 0 ml/m³", "Remarks: ",
        "--------------------"};
    // clang-format on
    EXPECT_EQ(cardLines(doc), expected);
    doc.sortBy(K::date, true);
    const auto sorted = cardLines(doc);
    EXPECT_EQ(sorted[1], "Make: Coltri");
    EXPECT_EQ(sorted[7], "Date: 02/01/2023");
}

TEST(ServiceRegisters, StockColoursAndTheCountDate) {
    const Date now = dateNow();
    auto colours = [&](float stock, float reserve) {
        Record r(P::schema());
        r.setReal(P::stock, stock);
        r.setReal(P::reserve, reserve);
        return std::pair{consumables.cellStyle(r, P::reference, now).text,
                         consumables.cellStyle(r, P::stock, now).text};
    };
    EXPECT_EQ(colours(3, 5), std::pair(colours::kRed, colours::kRed));
    EXPECT_EQ(colours(5, 5), std::pair(colours::kOrange, colours::kBlack));
    EXPECT_EQ(colours(6, 5), std::pair(colours::kBlack, colours::kBlack));

    RegisterForm form(consumables);
    form.blank({0, now, english()});
    EXPECT_EQ(form.text("stock"), "");
    EXPECT_EQ(cell(consumables, form.record(), P::dateInventaire), "");  // a date is stored
    form.setInteger("noInventaire", 0, now);
    EXPECT_EQ(cell(consumables, form.record(), P::dateInventaire), formatDay(now));
}

TEST(ServiceRegisters, APartsCardLeavesOutReserveAndCountDate) {
    RegisterDocument doc(DocumentKind::Consommables, consumables);
    Record r(P::schema());
    r.setText(P::reference, std::string("OR-2-015"));
    r.setReal(P::stock, 12.5f);
    r.setReal(P::reserve, 20);
    r.setText(P::notes, std::string("Green"));
    doc.add(r);
    const std::vector<std::string> expected = {"Consumables inventory",
                                               "",
                                               "--------------------",
                                               "Reference: OR-2-015",
                                               "Make: ",
                                               "Use: ",
                                               "In stock: 12.5",
                                               "Stored at: ",
                                               "Remarks: Green"};
    EXPECT_EQ(cardLines(doc), expected);
}
