// Styled text: runs merge, line breaks are one kind, styled ranges never
// run past a short text.

#include <gtest/gtest.h>

#include "util/StyledText.h"

using namespace divelog;

TEST(StyledText, RunsMergeAndCarriageReturnsBreakLines) {
    StyledText t;
    t.append("Depth\r");
    t.append("");
    t.append(": ");
    t.append("30 m", TextStyle::Value);
    ASSERT_EQ(t.runs().size(), 2u);
    EXPECT_EQ(t.runs()[0], (StyledRun{"Depth\n: ", TextStyle::Plain}));
    EXPECT_EQ(t.plainText(), "Depth\n: 30 m");
}

TEST(StyledText, HeaderUnderlineStartsAtACharacterAndIsClampedToTheText) {
    StyledText t;
    t.appendHeader("\n\n•• Gaz", 5);  // bullets are three bytes each
    ASSERT_EQ(t.runs().size(), 2u);
    EXPECT_EQ(t.runs()[0], (StyledRun{"\n\n•• ", TextStyle::Header, false}));
    EXPECT_EQ(t.runs()[1], (StyledRun{"Gaz", TextStyle::Header, true}));

    StyledText shortTitle;
    shortTitle.appendHeader("Gas", 5);
    ASSERT_EQ(shortTitle.runs().size(), 1u);
    EXPECT_EQ(shortTitle.runs()[0], (StyledRun{"Gas", TextStyle::Header, false}));
    EXPECT_EQ(StyledText::byteOffset("é", 5), 2u);
    EXPECT_EQ(StyledText::byteOffset("\xE2\x80", 1), 2u) << "a cut character ends the text";
}
