// The profile series as the profile-data window shows and reads them.

#include <gtest/gtest.h>

#include <cmath>

#include "profile/ProfileText.h"

using namespace divelog;

TEST(ProfileText, SeriesShowOneEntryPerLine) {
    ProfileSeries p;
    p.profilProfondeur = {0.0, 5.0, 12.34, 3.0};
    p.GAZ_Flag = {0, 1, 2};
    p.PRESS_Data = {200};
    EXPECT_EQ(ProfileText::text(p, SeriesId::Depth), "0.0\n5.0\n12.3\n3.0");
    EXPECT_EQ(ProfileText::text(p, SeriesId::Gas), "0\n1\n2");
    EXPECT_EQ(ProfileText::text(p, SeriesId::Pressure), "200.0");
    EXPECT_EQ(ProfileText::text(p, SeriesId::Ceiling), "");
}

TEST(ProfileText, ReadingBackWhatIsTypedOrPasted) {
    auto depths = ProfileText::parse(SeriesId::Depth, "0\n5,5\n12.25\n");
    EXPECT_EQ(depths.values, (std::vector<double>{0, 5.5, 12.25}))
        << "no sample for the last line break";
    EXPECT_FALSE(depths.badLine);
    EXPECT_EQ(ProfileText::parse(SeriesId::Depth, "1\r\n2\r\n").values,
              (std::vector<double>{1, 2}));
    EXPECT_TRUE(ProfileText::parse(SeriesId::Pressure, "").values.empty());

    auto bad = ProfileText::parse(SeriesId::Depth, "3\n\n4");
    EXPECT_EQ(bad.badLine, 2u) << "an empty line in the middle is no depth";
    EXPECT_TRUE(bad.values.empty());
    EXPECT_EQ(ProfileText::parse(SeriesId::Pressure, "200\nnan").badLine, 2u);
    EXPECT_EQ(ProfileText::parse(SeriesId::Depth, "12 m").badLine, 1u);

    // Flags take the leading whole number of a line, 0 when there is none.
    EXPECT_EQ(ProfileText::parse(SeriesId::Slow, "0\n1.0\n x\n  1\n-1\n7abc").values,
              (std::vector<double>{0, 1, 0, 1, -1, 7}));
}

TEST(ProfileText, SeriesAreAddressedByName) {
    ProfileSeries p;
    p.setValues(SeriesId::Surface, {0, 1, 1e12, std::nan("")});
    EXPECT_EQ(p.SURF_Flag, (std::vector<std::int32_t>{0, 1, 0, 0}));
    p.setValues(SeriesId::Ascent, {1});
    EXPECT_EQ(p.ASC_Flag, std::vector<std::int32_t>{1});
    EXPECT_TRUE(p.SLOW_Flag.empty());
    EXPECT_EQ(p.size(SeriesId::Surface), 4u);
    std::vector<std::string_view> names;
    for (const auto& s : ProfileSeries::series()) names.push_back(s.field);
    EXPECT_EQ(names,
              (std::vector<std::string_view>{"profilProfondeur", "ASC_Flag", "SLOW_Flag",
                                             "SURF_Flag", "CEIL_Flag", "GAZ_Flag", "PRESS_Data"}));
}
