// The hour grid's columns against the widths of its texts: a third of a digit stays blank
// after the hour line and between a cell's note letter and the next minute, and the plain
// widths stay where the texts fit them.
#include "app/screens/stoptimetables/HourGridSpacing.h"

#include <gtest/gtest.h>

namespace pelorvant {
namespace {

struct SpacingCase {
    int fontHeight;
    int smallHeight;
    GridTextWidths widths;
};

class HourGridSpacingTest : public ::testing::TestWithParam<SpacingCase> {};

TEST_P(HourGridSpacingTest, ATextKeepsAThirdOfADigitFromTheLineAndFromTheNextMinute) {
    const SpacingCase c = GetParam();
    const GridSpacing s = gridSpacing(c.fontHeight, c.smallHeight, c.widths);
    const int third = (c.widths.digit + 2) / 3;
    const int minute = 2 * c.widths.digit;
    // Cell 0 starts at the hour line; the minute is right-aligned before the letter's room.
    const int lineRight = s.columns.hour + 1;
    const int minuteLeft = s.columns.hour + s.columns.cell - s.letterRoom - minute;
    EXPECT_GE(minuteLeft - lineRight, third) << "after the hour line";
    // The letter ends at the cell's edge at the latest; the next minute starts as the first did.
    const int nextMinuteLeft = minuteLeft + s.columns.cell;
    EXPECT_GE(nextMinuteLeft - (s.columns.hour + s.columns.cell), third) << "after a note letter";
    EXPECT_GT(s.letterRoom, c.widths.letter) << "the letter clear of its minute";
    EXPECT_GE(s.columns.hour - s.gap - minute, 0) << "the hour within its column";
    EXPECT_GE(s.gap, third);
    EXPECT_GE(s.columns.hour, c.fontHeight);
    EXPECT_GE(s.columns.cell, static_cast<int>(1.5 * c.fontHeight));
}

// Real digits are about 0.6 of the font height: the grid's fonts on the three profiles, a
// narrow font, and no font at all.
INSTANTIATE_TEST_SUITE_P(Fonts, HourGridSpacingTest,
                         ::testing::Values(SpacingCase{28, 18, {17, 12}},
                                           SpacingCase{16, 10, {10, 7}},
                                           SpacingCase{18, 11, {11, 8}}, SpacingCase{14, 9, {9, 6}},
                                           SpacingCase{16, 10, {4, 3}},
                                           SpacingCase{16, 10, {0, 0}}));

TEST(HourGridSpacing, NarrowTextsKeepThePlainWidths) {
    const GridSpacing s = gridSpacing(32, 20, {6, 5});
    EXPECT_EQ(s.columns.hour, 32);
    EXPECT_EQ(s.columns.cell, 48);
    EXPECT_EQ(s.letterRoom, 11);  // 0.55 of the small font height
}

}  // namespace
}  // namespace pelorvant
