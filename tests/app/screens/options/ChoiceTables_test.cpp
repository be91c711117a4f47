#include "app/screens/options/ChoiceTables.h"

#include <gtest/gtest.h>

namespace pelorvant {
namespace {

struct IntervalCase {
    std::int32_t stored;
    int shownRow;
    bool fits;
};

class IntervalRowTest : public ::testing::TestWithParam<IntervalCase> {};

TEST_P(IntervalRowTest, AStoredWindowShowsTheFirstRowAtOrAboveIt) {
    const IntervalCase c = GetParam();
    const auto row = rowAtOrAbove(intervalRows(), c.stored);
    EXPECT_EQ(row.has_value(), c.fits);
    EXPECT_EQ(row.value_or(0), c.shownRow);
}

INSTANTIATE_TEST_SUITE_P(Windows, IntervalRowTest,
                         ::testing::Values(IntervalCase{90, 1, true},      // "2 hod."
                                           IntervalCase{60, 0, true},      // exactly the first row
                                           IntervalCase{7200, 15, true},   // exactly the last row
                                           IntervalCase{10000, 0, false},  // above "5 dní"
                                           IntervalCase{30, 0, false}));   // below "1 hod."

TEST(RowValueTest, TheRowShownGivesTheValueSaved) {
    // Stored 90 shows "2 hod." and is saved as 120 even when left unchanged.
    EXPECT_EQ(rowValue(intervalRows(), rowAtOrAbove(intervalRows(), 90).value_or(0)), 120);
    EXPECT_EQ(rowValue(intervalRows(), 3), 240);
    // A value no row carries shows row 0, and row 0 is what is saved: penalty 60 becomes 2.
    EXPECT_EQ(rowValue(transferPenaltyRows(), rowAtOrAbove(transferPenaltyRows(), 60).value_or(0)),
              2);
    EXPECT_EQ(rowValue(intervalRows(), rowAtOrAbove(intervalRows(), 10000).value_or(0)), 60);
    // No row chosen reads as the row such a choice shows.
    EXPECT_EQ(rowValue(intervalRows(), -1), 60);
    EXPECT_EQ(rowValue(intervalRows(), 16), 60);
}

TEST(ChoiceTablesTest, TheBlocksHaveTheirRowsAndValues) {
    EXPECT_EQ(intervalRows().size(), 16u);
    EXPECT_EQ(minimumTransferRows().size(), 16u);
    EXPECT_EQ(safeTransferRows().size(), 16u);
    EXPECT_EQ(transferPenaltyRows().size(), 13u);
    EXPECT_EQ(connectionCountRows().size(), 12u);
    EXPECT_EQ(intervalRows()[11].value, 1440);
    EXPECT_EQ(std::u16string(intervalRows()[11].text), u"1 den");
    EXPECT_EQ(safeTransferRows()[14].value, 27);
    // A count of connections no row carries shows "9".
    EXPECT_FALSE(rowEqualTo(connectionCountRows(), 11).has_value());
    EXPECT_EQ(std::u16string(connectionCountRows()[kDefaultConnectionCountRow].text), u"9");
}

TEST(FontRowsTest, HighResolutionStepsByTwoAndTruncates) {
    const auto heights = fontHeights(28, true);
    EXPECT_EQ(heights, (std::array<std::int32_t, 7>{24, 26, 28, 30, 32, 34, 36}));
    EXPECT_EQ(fontRowForHeight(27, 28, true), 2);  // (27 − 28) / 2 truncates to 0
    EXPECT_EQ(fontRowForHeight(20, 28, true), 0);  // kept within the rows
    EXPECT_EQ(fontRowForHeight(60, 28, true), 6);
    EXPECT_EQ(fontRowForHeight(17, 16, false), 3);
}

TEST(OperatorRowTest, KnownNamesAndAnythingElse) {
    EXPECT_EQ(operatorRow(u"Vodafone"), 0);
    EXPECT_EQ(operatorRow(u"O2"), 1);
    EXPECT_EQ(operatorRow(u"T-Mobile"), 2);
    EXPECT_EQ(operatorRow(u"o2"), 3);  // exact comparison
    EXPECT_EQ(operatorRow(u""), 3);
}

}  // namespace
}  // namespace pelorvant
