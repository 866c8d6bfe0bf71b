// Numbers as files write them, read exactly as the general reader reads them.

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <string>

#include "exchange/XmlReading.h"

using namespace divelog;

TEST(LeadingNumber, ReadsEveryDecimalAsTheGeneralReaderDoes) {
    std::mt19937_64 random(7);
    for (int n = 0; n < 200000; ++n) {
        // Up to 17 digits, the point anywhere, a sign or not, a unit after.
        const int length = 1 + static_cast<int>(random() % 17);
        std::string text = random() % 4 == 0 ? "-" : "";
        const int point = static_cast<int>(random() % (length + 2)) - 1;
        for (int k = 0; k < length; ++k) {
            if (k == point) text += '.';
            text += static_cast<char>('0' + random() % 10);
        }
        if (point == length) text += '.';
        const std::string after = random() % 3 == 0 ? " m" : random() % 2 ? "e3" : "";
        double expected = 0;
        const std::string all = text + after;
        std::from_chars(all.data(), all.data() + all.size(), expected);
        const auto v = leadingNumber("  " + all);
        ASSERT_TRUE(v) << all;
        ASSERT_EQ(*v, expected) << all;
        ASSERT_EQ(std::signbit(*v), std::signbit(expected)) << all;
    }
    EXPECT_EQ(leadingNumber("+12.5"), 12.5);
    EXPECT_EQ(leadingNumber(".5"), 0.5);
    EXPECT_EQ(leadingNumber("7."), 7.0);
    for (const char* none : {"", ".", "-", "- 5", "m", "inf", "nan", "1e999"})
        EXPECT_FALSE(leadingNumber(none)) << none;
}
