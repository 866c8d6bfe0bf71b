// The rebreather service log: its file, its checklist cells and card, the
// cell count that follows its switch, and absorbent times that read the same
// in every time zone.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>

#include "ShippedTexts.h"
#include "registers/ClockDuration.h"
#include "registers/RebreatherServ.h"
#include "registers/RegisterForm.h"
#include "registers/RegisterSession.h"
#include "settings/PickLists.h"
#include "settings/SettingsStore.h"

using namespace divelog;
using namespace divelog::testing_texts;

namespace {

const RebreatherServ& service = RebreatherServ::instance();

std::string cell(const Record& r, std::size_t field) {
    return service.cellText(r, field, english());
}

// Runs the test body under another time zone, then puts the old one back.
class ZoneGuard {
public:
    explicit ZoneGuard(const char* zone) {
        if (const char* old = std::getenv("TZ")) old_ = old;
        set(zone);
    }
    ~ZoneGuard() { old_ ? set(old_->c_str()) : (unsetenv("TZ"), tzset()); }
    static void set(const char* zone) {
        setenv("TZ", zone, 1);
        tzset();
    }

private:
    std::optional<std::string> old_;
};

}  // namespace

TEST(RebreatherService, EveryFieldComesBackAsSaved) { EXPECT_TRUE(reopensWithEveryField(service)); }

TEST(RebreatherService, AbsorbentTimesReadTheSameInEveryZone) {
    std::vector<std::uint8_t> saved;
    {
        ZoneGuard zone("UTC-14");  // fourteen hours east
        RegisterDocument doc(DocumentKind::Rebreather, service);
        RegisterForm form(service);
        form.blank({0, dateNow(), english()});
        EXPECT_EQ(ClockDuration::of(*form.date("sofnoTime")), ClockDuration{});
        form.setDate("sofnoTime", ClockDuration{2, 30}.date(), dateNow());
        doc.add(form.record());
        std::string error;
        saved = doc.dataOfType("rebreather", error);
    }
    for (const char* zone : {"UTC+11", "UTC0", "CET-1CEST,M3.5.0,M10.5.0/3"}) {
        ZoneGuard guard(zone);
        RegisterDocument doc(DocumentKind::Rebreather, service);
        DocumentError error;
        ASSERT_TRUE(doc.load(saved, error));
        EXPECT_EQ(cell(doc.record(0), Rebreather::sofnoTime), "02:30") << zone;
        EXPECT_EQ(cardLines(doc).at(5), "Absorbent time: 02:30 h") << zone;
    }
    // Any stored day counts by its time of day; a damaged value reads as none.
    EXPECT_EQ(ClockDuration::of(Date{-3600}), (ClockDuration{23, 0}));
    EXPECT_EQ(ClockDuration::of(Date{8.64e8 + 5 * 3600 + 59 * 60 + 59}), (ClockDuration{5, 59}));
    EXPECT_EQ(ClockDuration::of(Date{std::nan("")}), ClockDuration{});
    EXPECT_EQ(durationText(std::nullopt), "");
}

TEST(RebreatherService, ChecklistCellsAndColours) {
    Record r(Rebreather::schema());
    r.setInteger(Rebreather::sofnolime, 1);
    r.setInteger(Rebreather::cells, 1);
    EXPECT_EQ(cell(r, Rebreather::sofnolime), "✓");
    for (std::size_t f :
         {Rebreather::battery, Rebreather::scrubber, Rebreather::nbCells, Rebreather::mpO2Value})
        EXPECT_EQ(cell(r, f), "") << f;
    const Date now = dateNow();
    EXPECT_EQ(service.cellStyle(r, Rebreather::battery, now).text, colours::kGreen);
    EXPECT_EQ(service.cellStyle(r, Rebreather::nbCells, now).text, colours::kBlack);
    r.setInteger(Rebreather::nbCells, 3);
    r.setReal(Rebreather::mpO2Value, 1.6f);
    EXPECT_EQ(cell(r, Rebreather::nbCells), "3");
    EXPECT_EQ(cell(r, Rebreather::mpO2Value), "1.6");
}

TEST(RebreatherService, TheCellCountFollowsItsSwitchAndKeepsItsValue) {
    const Date now = dateNow();
    Record stored(Rebreather::schema());
    stored.setInteger(Rebreather::nbCells, 3);
    RegisterForm form(service);
    form.load(stored);
    EXPECT_TRUE(service.formState(form, now, english()).disabled.count("nbCells"));
    form.setText("notes", "loop rinsed", now);
    EXPECT_EQ(form.record().integer(Rebreather::nbCells), 3);
    form.setInteger("cells", 1, now);
    EXPECT_FALSE(service.formState(form, now, english()).disabled.count("nbCells"));

    form.blank({0, now, english()});
    EXPECT_EQ(form.date("date"), now);
    const Record blank = form.record();
    EXPECT_EQ(blank.textOr(Rebreather::rebreatherTime), "--:--");
    EXPECT_EQ(blank.date(Rebreather::sofnoTime), Date{0});
    EXPECT_EQ(blank.real(Rebreather::mpO2Value), 0.0f);
}

TEST(RebreatherService, CardsListOnlyWhatWasDone) {
    RegisterDocument doc(DocumentKind::Rebreather, service);
    Record r(Rebreather::schema());
    r.setDate(Rebreather::date, dateFromLocalParts({2024, 5, 31, 9, 0, 0}));
    r.setText(Rebreather::rebreatherTime, std::string("120 h"));
    r.setDate(Rebreather::sofnoTime, ClockDuration{2, 30}.date());
    r.setInteger(Rebreather::sofnolime, 1);
    doc.add(r);
    for (std::size_t f : {Rebreather::disinfection, Rebreather::battery, Rebreather::cells,
                          Rebreather::injector, Rebreather::valve, Rebreather::oRing,
                          Rebreather::electronicHead, Rebreather::scrubber, Rebreather::mpO2})
        r.setInteger(f, 1);
    r.setInteger(Rebreather::sofnolime, 0);
    r.setReal(Rebreather::mpO2Value, 1.6f);
    r.setText(Rebreather::notes, std::string("New cells"));
    doc.add(r);
    const std::vector<std::string> expected = {
        "Rebreather service log",
        "--------------------",
        "",
        "Date: 31/05/2024",
        "Unit running time: 120 h",
        "Absorbent time: 02:30 h",
        "Absorbent changed",
        "Remarks: ",
        "--------------------",
        "",
        "Date: 31/05/2024",
        "Unit running time: 120 h",
        "Absorbent time: 02:30 h",
        "Loop disinfected",
        "Battery changed",
        "Oxygen cells changed",
        "pO2 check : 1.6 bar",
        "Injector serviced",
        "Valve serviced",
        "O-rings changed",
        "Electronic head serviced",
        "Scrubber serviced",
        "Remarks: New cells",
        "--------------------",
    };
    EXPECT_EQ(cardLines(doc), expected);
}

TEST(RebreatherService, CountsInterventionsAndShowsTheLastAtLoad) {
    InMemorySettingsStore store;
    PickLists lists{store};
    RegisterDocument doc(DocumentKind::Rebreather, service);
    RegisterSession session(doc, lists, english());
    session.documentLoaded();
    EXPECT_EQ(session.countText(), "0 interventions");
    doc.add(Record(Rebreather::schema()));
    EXPECT_EQ(session.countText(), "1 intervention");
    doc.add(Record(Rebreather::schema()));
    session.documentLoaded();
    EXPECT_EQ(session.singleSelection(), 1u);
}
