// The consumables inventory: its file and its version 1 integers, the stock
// colours, the count date that follows its switch, and its card.

#include <gtest/gtest.h>

#include "ShippedTexts.h"
#include "archive/BinaryArchive.h"
#include "registers/InvConso.h"
#include "registers/RegisterForm.h"

using namespace divelog;
using namespace divelog::testing_texts;

namespace {

const InvConso& consumables = InvConso::instance();
using P = Consommables;

}  // namespace

TEST(Consumables, EveryFieldComesBackAsSaved) { EXPECT_TRUE(reopensWithEveryField(consumables)); }

TEST(Consumables, AVersionOneFileReadsStockAndReserveFromIntegers) {
    RecordListEncoder encoder("consumables", {{"Consommables", 1}}, 1);
    ArchiveWriter& w = encoder.beginRecord("Consommables");
    w.writeString(std::string("OR-2-015"));
    w.writeString(std::string("Viton"));
    w.writeString(std::string("Valve"));
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
    EXPECT_FALSE(r.text(P::notes));

    // Saved again, it is a version 2 file of floats.
    std::string message;
    const auto resaved = doc.dataOfType("consumables", message);
    RecordListDecoder decoder(resaved);
    ASSERT_TRUE(decoder.open("consumables"));
    EXPECT_EQ(decoder.header().classes.at(0).version, 2);
}

TEST(Consumables, StockColoursFollowTheReserve) {
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
}

TEST(Consumables, TheCountDateHidesWithItsSwitch) {
    const Date now = dateNow();
    RegisterForm form(consumables);
    form.blank({0, now, english()});
    EXPECT_EQ(form.text("stock"), "");
    EXPECT_TRUE(consumables.formState(form, now, english()).hidden.count("dateInventaire"));
    Record r = form.record();
    EXPECT_EQ(r.date(P::dateInventaire), now);
    EXPECT_EQ(r.real(P::stock), 0.0f);
    EXPECT_EQ(consumables.cellText(r, P::dateInventaire, english()), "");
    form.setInteger("noInventaire", 0, now);
    EXPECT_FALSE(consumables.formState(form, now, english()).hidden.count("dateInventaire"));
    r = form.record();
    EXPECT_EQ(consumables.cellText(r, P::dateInventaire, english()), formatDay(now));
}

TEST(Consumables, TheCardShowsThePartsWithoutReserveOrCountDate) {
    RegisterDocument doc(DocumentKind::Consommables, consumables);
    Record r(P::schema());
    r.setText(P::reference, std::string("OR-2-015"));
    r.setText(P::marque, std::string("Viton"));
    r.setReal(P::stock, 12.5f);
    r.setReal(P::reserve, 20);
    r.setDate(P::dateInventaire, Date{7.0e8});
    r.setText(P::notes, std::string("Green"));
    doc.add(r);
    doc.add(Record(P::schema()));
    const std::vector<std::string> expected = {
        "Consumables inventory",
        "",
        "--------------------",
        "Reference: OR-2-015",
        "Make: Viton",
        "Use: ",
        "In stock: 12.5",
        "Stored at: ",
        "Remarks: Green",
        "",
        "--------------------",
        "Reference: ",
        "Make: ",
        "Use: ",
        "In stock: 0",
        "Stored at: ",
        "Remarks: ",
    };
    EXPECT_EQ(cardLines(doc), expected);
}
