// What the wreck and equipment registers show: form readings, table cells
// and colours, dependent controls, the inspection gauge and the synthesis
// card, line by line with the shipped English texts.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "localisation/Localisation.h"
#include "registers/InvMateriel.h"
#include "registers/RegisterCard.h"
#include "registers/RegisterDocument.h"
#include "registers/RegisterForm.h"
#include "registers/RepEpaves.h"

using namespace divelog;

namespace {

const RepEpaves& wrecks = RepEpaves::instance();
const InvMateriel& equipment = InvMateriel::instance();
constexpr double kDay = 86400;

// The English tables as the application ships them.
const Localisation& english() {
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
        for (const char* table : {"Main", "Carnet", "Epaves", "Materiel"}) {
            std::ifstream in(dir / (std::string(table) + ".strings"));
            std::stringstream text;
            text << in.rdbuf();
            l.loadTable(table, text.str());
        }
        return l;
    }();
    return texts;
}

std::string cell(const RegisterSpec& spec, const Record& r, std::size_t field) {
    return spec.cellText(r, field, english());
}

// The card's text with the file and date lines left out, as lines.
std::vector<std::string> cardLines(const RegisterDocument& doc) {
    std::string text = registerCard(doc, english(), Date{0}).plainText();
    text = text.substr(0, text.find("\nFile dir"));
    std::vector<std::string> lines;
    std::stringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace

TEST(WreckRules, DepthsLengthsAndRatingsReadAndShowAsTheirRulesSay) {
    RegisterForm form(wrecks);
    form.load(Record(Epaves::schema()));
    const Date now = dateNow();
    form.setText("pointHaut", "-", now);
    EXPECT_FALSE(form.setText("pointBas", "-3", now));  // a depth is never negative
    form.setText("pointBas", "1", now);
    form.setText("pointBas", "", now);  // emptied: not given, never 0 m
    form.setText("longueur", "23,26", now);
    Record r = form.record();
    EXPECT_EQ(r.real(Epaves::pointHaut), -1.0f);
    EXPECT_EQ(r.real(Epaves::pointBas), -1.0f);
    EXPECT_EQ(cell(wrecks, r, Epaves::pointHaut), "-");
    EXPECT_EQ(cell(wrecks, r, Epaves::longueur), "23.3 m");
    form.load(r);
    EXPECT_EQ(form.text("pointHaut"), "-");

    r.setReal(Epaves::longueur, 0.5f);
    r.setReal(Epaves::pointHaut, 0);
    r.setReal(Epaves::pointBas, 0);
    EXPECT_EQ(cell(wrecks, r, Epaves::longueur), "-");
    EXPECT_EQ(cell(wrecks, r, Epaves::pointHaut), "0 m");
    EXPECT_EQ(cell(wrecks, r, Epaves::pointBas), "0");
    r.setReal(Epaves::pointHaut, -2.5f);  // written by hand into an old file
    EXPECT_EQ(cell(wrecks, r, Epaves::pointHaut), "-2.5");
    r.setInteger(Epaves::propulsion, 6);
    EXPECT_EQ(cell(wrecks, r, Epaves::propulsion), "Steam");
    r.setInteger(Epaves::propulsion, 12);
    EXPECT_EQ(cell(wrecks, r, Epaves::propulsion), "N/A");
    r.setInteger(Epaves::interet, 7);
    EXPECT_EQ(cell(wrecks, r, Epaves::interet), "");
}

TEST(WreckRules, ColoursAndDependentControls) {
    Record r(Epaves::schema());
    r.setInteger(Epaves::aVisiter, 1);
    r.setInteger(Epaves::technicite, 4);
    const Date now = dateNow();
    EXPECT_EQ(wrecks.cellStyle(r, Epaves::nom, now).text, colours::kRed);
    EXPECT_EQ(wrecks.cellStyle(r, Epaves::technicite, now).text, colours::kPurple);
    EXPECT_EQ(wrecks.cellStyle(r, Epaves::interet, now).text, colours::kBrown);
    r.setInteger(Epaves::technicite, 0);
    EXPECT_EQ(wrecks.cellStyle(r, Epaves::interet, now).text, colours::kBlack);

    RegisterForm form(wrecks);
    form.load(r);
    FormState state = wrecks.formState(form, now, english());
    EXPECT_TRUE(state.hidden.count("dateVisite"));
    EXPECT_TRUE(state.disabled.count("orientation"));
    EXPECT_EQ(state.readouts["interet"].text, "?");
    form.setInteger("aVisiter", 0, now);
    form.setInteger("orientationSwitch", 1, now);
    form.setInteger("interet", 3, now);
    state = wrecks.formState(form, now, english());
    EXPECT_FALSE(state.hidden.count("dateVisite"));
    EXPECT_FALSE(state.disabled.count("orientation"));
    EXPECT_EQ(state.readouts["interet"].text, "3");
}

TEST(EquipmentRules, TheGaugeAndItsColoursFollowTheInspectionDates) {
    const Date now = dateNow();
    Record r(Materiel::schema());
    auto at = [&](double share) {
        // A year from the last inspection to the next, `share` of it gone.
        r.setDate(Materiel::lastRevision, Date{now.seconds - share * 365 * kDay});
        r.setDate(Materiel::nextRevision, Date{now.seconds + (1 - share) * 365 * kDay});
        return equipment.cellStyle(r, Materiel::nextRevision, now).background;
    };
    EXPECT_EQ(at(0.5), (Colour{0, 0.9f, 0, 1}));
    EXPECT_EQ(at(0.8), colours::kOrange);
    EXPECT_EQ(at(0.95), (Colour{1, 0, 0, 0.8f}));
    r.setInteger(Materiel::noInspection, 1);
    EXPECT_FALSE(equipment.cellStyle(r, Materiel::nextRevision, now).background);
    EXPECT_EQ(cell(equipment, r, Materiel::nextRevision), "-");
    r.setDate(Materiel::lastRevision, Materiel::noDate());
    EXPECT_EQ(cell(equipment, r, Materiel::lastRevision), "");

    RegisterForm form(equipment);
    form.blank({0, now, english()});
    form.setInteger("noInspection", 0, now);
    form.setDate("lastRevision", Date{now.seconds - 365 * kDay}, now);
    form.setDate("nextRevision", Date{now.seconds + 365 * kDay}, now);
    FormState state = equipment.formState(form, now, english());
    EXPECT_NEAR(*state.gauge, 50, 0.01);
    EXPECT_EQ(state.readouts["gauge"].text, "50 %");
    EXPECT_EQ(state.readouts["status"].text, "elapsed");
    EXPECT_FALSE(state.readouts["status"].colour);
    form.setDate("nextRevision", Date{now.seconds - kDay}, now);
    state = equipment.formState(form, now, english());
    EXPECT_EQ(state.readouts["status"].text, "Inspection overdue");
    EXPECT_EQ(state.readouts["status"].colour, colours::kRed);
    form.setDate("nextRevision", Date{now.seconds - 365 * kDay}, now);  // equal dates
    EXPECT_EQ(*equipment.formState(form, now, english()).gauge, 0);

    // No next inspection yet: no share of a span to 1900, no "-2 %".
    form.setDate("lastRevision", Date{now.seconds - 7 * kDay}, now);
    form.setDate("nextRevision", Materiel::noDate(), now);
    state = equipment.formState(form, now, english());
    EXPECT_EQ(*state.gauge, 0);
    EXPECT_EQ(state.readouts["gauge"].text, "");
    EXPECT_EQ(state.readouts["status"].text, "");
    // An inspection not started yet has nothing elapsed.
    form.setDate("lastRevision", Date{now.seconds + 7 * kDay}, now);
    form.setDate("nextRevision", Date{now.seconds + 365 * kDay}, now);
    EXPECT_EQ(equipment.formState(form, now, english()).readouts["gauge"].text, "0 %");
}

// "No date" was saved as midnight, 1 January 1900, in the zone of the
// machine that saved it; read in any other zone it is still no date.
TEST(EquipmentRules, NoDateSavedInAnotherZoneIsStillNoDate) {
    const Date now = dateNow();
    Record r(Materiel::schema());
    const double midnightUtc = -36890.0 * kDay;  // 1900-01-01 00:00 UTC
    for (double hours : {-14.0, -9.35, 0.0, 5.5, 12.0}) {
        r.setDate(Materiel::lastRevision, Date{midnightUtc - hours * 3600});
        r.setDate(Materiel::nextRevision, Date{midnightUtc - hours * 3600});
        EXPECT_TRUE(Materiel::isNoDate(r.date(Materiel::lastRevision))) << hours;
        EXPECT_EQ(cell(equipment, r, Materiel::lastRevision), "") << hours;
        EXPECT_EQ(cell(equipment, r, Materiel::nextRevision), "") << hours;
        EXPECT_FALSE(equipment.cellStyle(r, Materiel::nextRevision, now).background) << hours;
    }
    EXPECT_FALSE(Materiel::isNoDate(Date{midnightUtc + 2 * kDay}));
    EXPECT_TRUE(Materiel::isNoDate(std::nullopt));
}

TEST(EquipmentRules, NoInspectionResetsTheDatesAndHidesTheCylinder) {
    const Date now = dateNow();
    RegisterForm form(equipment);
    form.blank({4, now, english()});
    EXPECT_EQ(form.text("matosNo"), "5");
    form.setInteger("noInspection", 0, now);
    form.setInteger("bloc", 1, now);
    form.setInteger("tiv", 1, now);
    form.setDate("nextRequalification", Date{now.seconds + 300 * kDay}, now);
    FormState state = equipment.formState(form, now, english());
    for (const char* shown : {"tiv", "capaciteBloc", "noTIV", "lastRevision"})
        EXPECT_FALSE(state.hidden.count(shown)) << shown;
    form.setInteger("noInspection", 1, now);
    EXPECT_EQ(form.integer("bloc"), 0);
    EXPECT_EQ(form.integer("tiv"), 0);
    EXPECT_EQ(form.date("nextRequalification"), Materiel::noDate());
    EXPECT_EQ(form.date("lastRevision"), Materiel::noDate());
    state = equipment.formState(form, now, english());
    for (const char* hidden :
         {"bloc", "tiv", "capaciteBloc", "noTIV", "lastRevision", "nextRevision"})
        EXPECT_TRUE(state.hidden.count(hidden)) << hidden;
    EXPECT_EQ(*state.gauge, 0);
    const Record r = form.record();
    EXPECT_EQ(r.date(Materiel::nextRequalification), Materiel::noDate());
}

TEST(EquipmentRules, CellsSayTheStateAndTheInvoice) {
    Record r(Materiel::schema());
    r.setInteger(Materiel::factureMatos, 1);
    r.setInteger(Materiel::equipState, 5);
    EXPECT_EQ(cell(equipment, r, Materiel::factureMatos), "✓");
    EXPECT_EQ(cell(equipment, r, Materiel::equipState), "Lost");
    const Date now = dateNow();
    EXPECT_EQ(equipment.cellStyle(r, Materiel::equipState, now).text, colours::kRed);
    EXPECT_EQ(equipment.cellStyle(r, Materiel::matosNo, now).text, colours::kBrown);
    r.setInteger(Materiel::equipState, 9);
    EXPECT_EQ(cell(equipment, r, Materiel::equipState), "N/A");
    EXPECT_EQ(equipment.cellStyle(r, Materiel::equipState, now).text, colours::kBlack);
}

TEST(RegisterCard, AWreckCardFollowsItsOrderLineByLine) {
    RegisterDocument doc(DocumentKind::Epaves, wrecks);
    Record r(Epaves::schema());
    r.setText(Epaves::nom, std::string("Donator"));
    r.setText(Epaves::type, std::string("Cargo"));
    r.setReal(Epaves::longueur, 72.5f);
    r.setInteger(Epaves::materiau, 2);
    r.setInteger(Epaves::propulsion, 6);
    r.setReal(Epaves::pointHaut, 43);
    r.setReal(Epaves::pointBas, -1);  // not given
    r.setInteger(Epaves::orientationSwitch, 1);
    r.setInteger(Epaves::orientation, 120);
    r.setInteger(Epaves::gpsSystem, 1);
    r.setText(Epaves::gps, std::string("N 43°"));
    r.setInteger(Epaves::interet, 5);
    r.setDate(Epaves::miseAJour, dateFromLocalParts({2024, 5, 31, 12, 0, 0}));
    doc.add(r);
    const std::vector<std::string> expected = {
        "Wrecks",
        "--------------------",
        "",
        "Name: Donator",
        "",
        "Characteristics",
        "Type: Cargo",
        "Registration: ",
        "Length (m): 72.5",
        "Beam (m): 0",
        "Tonnage: 0",
        "Hull: Steel",
        "Propulsion: Steam",
        "Engine: ",
        "Power: ",
        "Shallowest point: 43 m",
        "Deepest point: -",
        "Bottom: ",
        "Orientation: 120°",
        "List: N/A",
        "",
        "History",
        "Previous names: ",
        "Nationality: ",
        "Owner: ",
        "Built: ",
        "Built at: ",
        "Home ports: ",
        "Captain: ",
        "Crew: ",
        "Cargo: ",
        "From: ",
        "To: ",
        "Sunk: ",
        "Cause of sinking: ",
        "Card updated: 31/05/2024",
        "",
        "Where it lies",
        "Place: ",
        "Site: ",
        "Country: ",
        "Position: N 43° (WGS84)",
        "Access: N/A",
        "Finding it: N/A",
        "Interest: ★★★★★",
        "Difficulty: Not rated",
        "",
        "Land marks",
        "Land mark 1: ",
        "Land mark 2: ",
        "Land mark 3: ",
        "First visit: ",
        "Remarks: ",
        "--------------------",
    };
    EXPECT_EQ(cardLines(doc), expected);
}

TEST(RegisterCard, AnItemCardShowsItsCylinderOnlyWhenItIsOne) {
    RegisterDocument doc(DocumentKind::Materiel, equipment);
    Record r(Materiel::schema());
    r.setText(Materiel::matosNo, std::string("2"));
    r.setText(Materiel::typeMatos, std::string("Cylinder"));
    r.setInteger(Materiel::quantiteMatos, 1);
    r.setInteger(Materiel::factureMatos, 1);
    r.setInteger(Materiel::bloc, 1);
    r.setReal(Materiel::capaciteBloc, 15.5f);
    r.setInteger(Materiel::pressionService, 232);
    r.setDate(Materiel::lastRevision, dateFromLocalParts({2024, 1, 2, 0, 0, 0}));
    r.setDate(Materiel::nextRevision, dateFromLocalParts({2025, 1, 2, 0, 0, 0}));
    r.setInteger(Materiel::equipState, 1);
    doc.add(r);
    r.setInteger(Materiel::noInspection, 1);
    r.setInteger(Materiel::bloc, 0);
    r.setInteger(Materiel::factureMatos, 0);
    doc.add(r);
    const std::vector<std::string> expected = {
        "Equipment inventory",
        "",
        "--------------------",
        "Card No.: 2",
        "Type: Cylinder",
        "Make: ",
        "Serial No.: ",
        "Bought on: ",
        "Bought at: ",
        "Quantity: 1",
        "Price: ",
        "Invoice kept: Yes",
        "Last inspection: 02/01/2024",
        "Next inspection: 02/01/2025",
        "Cylinder",
        "Capacity (l): 15.5",
        "Service pressure (bar): 232",
        "Test pressure (bar): 0",
        "First hydrostatic test: ",
        "Next hydrostatic test: ",
        "State: To repair",
        "Remarks: ",
        "",
        "--------------------",
        "Card No.: 2",
        "Type: Cylinder",
        "Make: ",
        "Serial No.: ",
        "Bought on: ",
        "Bought at: ",
        "Quantity: 1",
        "Price: ",
        "Invoice kept: No",
        "State: To repair",
        "Remarks: ",
    };
    EXPECT_EQ(cardLines(doc), expected);
}
