// The miscellaneous documents: kind labels, the renewal date that is only
// disabled while no renewal is due, and a card that shows overdue renewals
// in red.

#include <gtest/gtest.h>

#include "SideRegisterSupport.h"
#include "registers/DiversDocuments.h"
#include "registers/RegisterForm.h"

using namespace sidereg;

namespace {

const DiversDocuments& papers = DiversDocuments::instance();
constexpr double kDay = 86400;

}  // namespace

TEST(DocumentRules, KindsShowTheirLabelAndUnknownKindsTheirNumber) {
    Record r(DiversDocs::schema());
    r.setInteger(DiversDocs::type, 2);
    EXPECT_EQ(papers.cellText(r, DiversDocs::type, english()), "Medical certificate");
    r.setInteger(DiversDocs::type, 9);
    EXPECT_EQ(papers.cellText(r, DiversDocs::type, english()), "9");
}

TEST(DocumentRules, TurningRenewalOffDisablesItsDateButKeepsIt) {
    const Date now = dateNow();
    RegisterForm form(papers);
    form.blank({0, now, english()});
    EXPECT_EQ(form.integer("type"), 0);
    EXPECT_EQ(form.date("date"), now);
    EXPECT_EQ(form.date("dateRenouvellement"), now);
    EXPECT_TRUE(papers.formState(form, now, english()).disabled.count("dateRenouvellement"));

    Record r(DiversDocs::schema());
    r.setInteger(DiversDocs::renouveler, 1);
    r.setDate(DiversDocs::dateRenouvellement, Date{now.seconds + 90 * kDay});
    form.load(r);
    EXPECT_FALSE(papers.formState(form, now, english()).disabled.count("dateRenouvellement"));
    form.setInteger("renouveler", 0, now);
    EXPECT_TRUE(papers.formState(form, now, english()).disabled.count("dateRenouvellement"));
    const Record stored = form.record();
    EXPECT_EQ(stored.integer(DiversDocs::renouveler), 0);
    EXPECT_EQ(stored.date(DiversDocs::dateRenouvellement), r.date(DiversDocs::dateRenouvellement));
}

TEST(DocumentCard, EveryPaperIsListedAndOverdueRenewalsStandOutInRed) {
    const Date now = dateFromLocalParts({2025, 6, 1, 12, 0, 0});
    RegisterDocument doc(DocumentKind::DiversDocuments, papers);
    Record r(DiversDocs::schema());
    r.setInteger(DiversDocs::type, 2);
    r.setText(DiversDocs::titre, std::string("Fitness to dive"));
    r.setText(DiversDocs::emetteur, std::string("Dr Martin"));
    r.setDate(DiversDocs::date, dateFromLocalParts({2024, 5, 2, 9, 0, 0}));
    r.setInteger(DiversDocs::renouveler, 1);
    r.setDate(DiversDocs::dateRenouvellement, dateFromLocalParts({2025, 5, 2, 9, 0, 0}));
    r.setImage(DiversDocs::photocopy, Image{{1, 2, 3}});
    doc.add(r);
    r.setDate(DiversDocs::dateRenouvellement, dateFromLocalParts({2026, 5, 2, 9, 0, 0}));
    doc.add(r);
    r.setInteger(DiversDocs::renouveler, 0);
    r.setInteger(DiversDocs::type, 1);
    r.setImage(DiversDocs::photocopy, std::nullopt);
    doc.add(r);

    const std::vector<std::string> head = {"",
                                           "--------------------",
                                           "Kind: Medical certificate",
                                           "Title: Fitness to dive",
                                           "Issued by: Dr Martin",
                                           "Issued on: 02/05/2024"};
    std::vector<std::string> expected = {"Miscellaneous documents"};
    expected.insert(expected.end(), head.begin(), head.end());
    expected.insert(expected.end(),
                    {"Renewal: 02/05/2025 (overdue)", "Scanned copy: Yes", "Notes: "});
    expected.insert(expected.end(), head.begin(), head.end());
    expected.insert(expected.end(), {"Renewal: 02/05/2026", "Scanned copy: Yes", "Notes: "});
    expected.insert(expected.end(), head.begin(), head.end());
    expected[expected.size() - 4] = "Kind: Certification";
    expected.insert(expected.end(), {"Renewal: No", "Scanned copy: No", "Notes: "});
    EXPECT_EQ(cardLines(doc, now), expected);

    // Only the overdue renewal is in the red style.
    std::vector<std::string> red;
    const StyledText card = registerCard(doc, english(), now);
    for (const StyledRun& run : card.runs())
        if (run.style == TextStyle::Header) red.push_back(run.text);
    EXPECT_EQ(red, std::vector<std::string>{"\nRenewal: 02/05/2025 (overdue)"});
}
