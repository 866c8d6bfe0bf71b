// The firms and structures directories: cleared forms with their opening
// hours, rating read-outs, the colours of ratings and of old update dates,
// the structures' kinds, prices and integer postal codes, the structures'
// edit toolbar, and both cards line by line with the shipped English texts.

#include <gtest/gtest.h>

#include "SideRegisterSupport.h"
#include "registers/AdressesEts.h"
#include "registers/AdressesStruct.h"
#include "registers/OpeningHours.h"
#include "registers/RegisterForm.h"
#include "registers/RegisterToolbars.h"

using namespace sidereg;

namespace {

const AdressesEts& firms = AdressesEts::instance();
const AdressesStruct& structures = AdressesStruct::instance();
constexpr double kDay = 86400;

void setHours(Record& r, std::size_t first) {
    const char* monday[] = {"8h", "12h", "14h", "18h"};
    for (std::size_t i = 0; i < 4; ++i) r.setText(first + i, std::string(monday[i]));
    for (std::size_t i = 4; i < 28; ++i) r.setText(first + i, std::string("-"));
}

std::vector<std::string> hourLines() {
    return {"",
            "Opening hours",
            "Monday: 8h - 12h / 14h - 18h",
            "Tuesday: - - - / - - -",
            "Wednesday: - - - / - - -",
            "Thursday: - - - / - - -",
            "Friday: - - - / - - -",
            "Saturday: - - - / - - -",
            "Sunday: - - - / - - -"};
}

}  // namespace

TEST(FirmRules, AClearedFormHasItsHoursAndTheRatingReadOut) {
    const Date now = dateNow();
    RegisterForm form(firms);
    form.blank({3, now, english()});
    for (std::string_view f : OpeningHours::kFields)
        EXPECT_EQ(form.text(f), f.starts_with("horaireDimanche") ? "Closed" : "-") << f;
    EXPECT_EQ(form.date("miseAJour"), now);
    EXPECT_EQ(form.text("entreprise"), "");
    EXPECT_EQ(firms.formState(form, now, english()).readouts["cotation"].text, "?");
    form.setInteger("cotation", 3, now);
    EXPECT_EQ(firms.formState(form, now, english()).readouts["cotation"].text, "3");
    EXPECT_EQ(form.record().textOr(*Entreprises::schema().indexOf("horaireSamedi_4")), "-");
}

TEST(FirmRules, OldUpdateDatesTurnOrangeThenRedAndRatingsBrown) {
    const Date now = dateNow();
    Record r(Entreprises::schema());
    auto updated = [&](std::optional<double> daysAgo) {
        r.setDate(
            Entreprises::miseAJour,
            daysAgo ? std::optional<Date>(Date{now.seconds - *daysAgo * kDay}) : std::nullopt);
        return firms.cellStyle(r, Entreprises::miseAJour, now).text;
    };
    EXPECT_EQ(updated(100), colours::kBlack);
    EXPECT_EQ(updated(364), colours::kBlack);
    EXPECT_EQ(updated(400), colours::kOrange);
    EXPECT_EQ(updated(700), colours::kOrange);
    EXPECT_EQ(updated(800), colours::kRed);
    EXPECT_EQ(updated(std::nullopt), colours::kBlack);
    EXPECT_EQ(updated(-30), colours::kBlack);  // a date ahead of the clock

    EXPECT_EQ(firms.cellText(r, Entreprises::cotation, english()), "Not rated");
    EXPECT_EQ(firms.cellStyle(r, Entreprises::cotation, now).text, colours::kBlack);
    r.setInteger(Entreprises::cotation, 2);
    EXPECT_EQ(firms.cellText(r, Entreprises::cotation, english()), "★★");
    EXPECT_EQ(firms.cellStyle(r, Entreprises::cotation, now).text, colours::kBrown);
    EXPECT_EQ(firms.cellStyle(r, Entreprises::entreprise, now).text, colours::kBlack);
}

TEST(FirmCard, AFirmCardFollowsItsOrderLineByLine) {
    RegisterDocument doc(DocumentKind::Entreprises, firms);
    Record r(Entreprises::schema());
    r.setText(Entreprises::entreprise, std::string("Deep Shop"));
    r.setText(Entreprises::adresse, std::string("3 quai Nord"));
    r.setText(Entreprises::codePostal, std::string("13002"));
    r.setText(Entreprises::ville, std::string("Marseille"));
    r.setText(Entreprises::pays, std::string("France"));
    r.setText(Entreprises::telephone, std::string("04 91"));
    r.setText(Entreprises::activite, std::string("Shop"));
    r.setInteger(Entreprises::cotation, 5);
    r.setDate(Entreprises::miseAJour, dateFromLocalParts({2024, 5, 31, 12, 0, 0}));
    setHours(r, Entreprises::horaires);
    doc.add(r);
    std::vector<std::string> expected = {
        "Firms directory",
        "------------------------------",
        "",
        "Name: Deep Shop",
        "Address: 3 quai Nord 13002 Marseille France",
        "Phone: 04 91",
        "Fax: ",
        "E-mail: ",
        "Web site: ",
        "Activity: Shop",
        "",
    };
    for (const std::string& line : hourLines())
        if (!line.empty()) expected.push_back(line);
    expected.insert(expected.end(), {"Remarks: ", "Updated on: 31/05/2024"});
    EXPECT_EQ(cardLines(doc), expected);
}

TEST(StructureRules, KindsRatingsAndTheClearedForm) {
    const Date now = dateNow();
    RegisterForm form(structures);
    form.blank({0, now, english()});
    EXPECT_EQ(form.integer("type"), 1);
    EXPECT_EQ(form.text("horaireDimanche_4"), "-");
    EXPECT_EQ(form.text("bapteme"), "");
    EXPECT_EQ(form.text("codePostal"), "");
    EXPECT_EQ(form.date("miseAJour"), now);
    EXPECT_EQ(structures.formState(form, now, english()).readouts["cotation"].text, "N/A");
    form.setInteger("cotation", 4, now);
    EXPECT_EQ(structures.formState(form, now, english()).readouts["cotation"].text, "Good");

    const Record r = form.record();
    EXPECT_EQ(r.integer(Structures::cotation), 4);
    EXPECT_EQ(r.real(Structures::bapteme), 0.0f);
    EXPECT_EQ(structures.cellText(r, Structures::cotation, english()), "★★★★");
    EXPECT_EQ(structures.cellStyle(r, Structures::cotation, now).text, colours::kBrown);
    EXPECT_EQ(structures.cellStyle(r, Structures::nom, now).text, colours::kBlack);
    EXPECT_EQ(structures.cellText(r, Structures::type, english()), "Business");
}

TEST(StructureRules, APostalCodeIsStoredAsAnIntegerAndTheFormSaysWhatIsKept) {
    const Date now = dateNow();
    RegisterForm form(structures);
    form.blank({0, now, english()});
    form.setText("codePostal", "75012", now);
    EXPECT_FALSE(structures.formState(form, now, english()).readouts.count("codePostal"));
    form.setText("codePostal", "01234", now);
    EXPECT_EQ(form.record().integer(Structures::codePostal), 1234);
    auto kept = structures.formState(form, now, english()).readouts["codePostal"];
    EXPECT_EQ(kept.text, "kept as 1234");
    EXPECT_EQ(kept.colour, colours::kOrange);
    // A code of letters is refused as typed rather than kept as 0.
    EXPECT_FALSE(form.setText("codePostal", "SW1A 1AA", now));
    EXPECT_EQ(structures.formState(form, now, english()).readouts["codePostal"].text,
              "kept as 1234");
}

// Its edit toolbar lists Save first by default; the customisation check must
// not then drop it as not allowed.
TEST(StructureRules, TheEditToolbarKeepsSaveFirst) {
    const ToolbarLayout& edit = RegisterToolbars::edit(structures);
    EXPECT_EQ(edit.defaults.front(), "saveDocument");
    EXPECT_TRUE(edit.item("saveDocument"));
    const std::vector<std::string> order = {"saveDocument", "addStructure", "updateStructure"};
    EXPECT_EQ(edit.sanitised(order), order);
    EXPECT_EQ(RegisterToolbars::edit(firms).defaults.front(), "addFirm");
}

TEST(StructureCard, AStructureCardFollowsItsOrderLineByLine) {
    RegisterDocument doc(DocumentKind::Structures, structures);
    Record r(Structures::schema());
    r.setText(Structures::nom, std::string("Calanques Club"));
    r.setInteger(Structures::type, 1);
    r.setText(Structures::adresse, std::string("Port"));
    r.setInteger(Structures::codePostal, 13008);
    r.setText(Structures::ville, std::string("Marseille"));
    r.setText(Structures::email, std::string("club@example.org"));
    r.setText(Structures::url, std::string("club.example.org"));
    r.setInteger(Structures::cotation, 4);
    r.setReal(Structures::bapteme, 35);
    r.setText(Structures::plongee_1, std::string("Morning dive"));
    r.setReal(Structures::prix_1, 28.5f);
    r.setText(Structures::formation_6, std::string("Nitrox"));
    r.setReal(Structures::prixForm_6, 120);
    r.setInteger(Structures::nbPlongees, 12);
    setHours(r, Structures::horaires);
    doc.add(r);
    r.setInteger(Structures::type, 2);
    doc.add(r);
    std::vector<std::string> one = {
        "------------------------------",
        "",
        "Name: Calanques Club",
        "Type: Business",
        "Affiliation: ",
        "Manager: ",
        "Address: Port 13008 Marseille ",
        "Phone: ",
        "Mobile: ",
        "Fax: ",
        "E-mail: club@example.org",
        "Web site: club.example.org",
        "Rating: 4",
        "Updated on: ",
        "",
        "Prices",
        "Try-dive: 35.00 €",
        "Morning dive : 28.50 €",
        " : 0.00 €",
        " : 0.00 €",
        " : 0.00 €",
        " : 0.00 €",
        " : 0.00 €",
        " : 0.00 €",
        " : 0.00 €",
        " : 0.00 €",
        " : 0.00 €",
        "Nitrox : 120.00 €",
    };
    const auto hours = hourLines();
    one.insert(one.end(), hours.begin(), hours.end());
    one.insert(one.end(), {"Dives made there: 12", "Remarks: "});
    std::vector<std::string> expected = {"Dive structures"};
    expected.insert(expected.end(), one.begin(), one.end());
    one[3] = "Type: N/A";
    expected.insert(expected.end(), one.begin(), one.end());
    EXPECT_EQ(cardLines(doc), expected);
}

// Both books keep their hours in one run of the archive and of the form: a
// shifted run would read every later field of an old file into the wrong
// place, and a control off its view would leave an hour unseen.
TEST(OpeningHoursLayout, BothBooksKeepTheHoursInOneRunOnTheLastView) {
    struct Book {
        const RecordSchema& schema;
        std::size_t first;
        std::string_view after;
        std::span<const FormControl> controls;
        int view;
    };
    for (const Book& b :
         {Book{Entreprises::schema(), Entreprises::horaires, "remarques", firms.controls(), 3},
          Book{Structures::schema(), Structures::horaires, "nbPlongees", structures.controls(),
               4}}) {
        for (std::size_t i = 0; i < OpeningHours::kFieldCount; ++i) {
            EXPECT_EQ(b.schema.fields[b.first + i].name, OpeningHours::kFields[i]);
            EXPECT_EQ(b.schema.fields[b.first + i].type, FieldType::Text);
        }
        EXPECT_EQ(b.schema.fields[b.first + OpeningHours::kFieldCount].name, b.after);

        std::vector<const FormControl*> hours;
        for (const FormControl& c : b.controls)
            if (c.field.starts_with("horaire")) hours.push_back(&c);
        ASSERT_EQ(hours.size(), OpeningHours::kFieldCount);
        for (std::size_t i = 0; i < hours.size(); ++i) {
            EXPECT_EQ(hours[i]->field, OpeningHours::kFields[i]);
            EXPECT_EQ(hours[i]->view, b.view);
            // A day a row, the row named by its day.
            EXPECT_EQ(hours[i]->joinsRow, i % OpeningHours::kPerDay != 0);
            if (i % OpeningHours::kPerDay == 0) {
                EXPECT_EQ(hours[i]->labelKey, OpeningHours::kDayKeys[i / OpeningHours::kPerDay]);
            }
        }
        EXPECT_EQ(hours[1]->labelKey, "Hours to");
        EXPECT_EQ(hours[2]->labelKey, "Hours and");
        EXPECT_EQ(hours[3]->labelKey, "Hours to");
    }
}
