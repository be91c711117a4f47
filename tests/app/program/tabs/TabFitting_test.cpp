#include "app/program/tabs/TabFitting.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace pelorvant {
namespace {

struct ShrinkCase {
    std::vector<int> widths;
    int excess;
    std::vector<int> expected;
};

class ShrinkTest : public ::testing::TestWithParam<ShrinkCase> {};

TEST_P(ShrinkTest, TakesFromTheWidestFirst) {
    std::vector<int> widths = GetParam().widths;
    shrinkHeaderWidths(widths, GetParam().excess);
    EXPECT_EQ(widths, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShrinkTest,
    ::testing::Values(
        // The widest alone comes down as far as the excess asks.
        ShrinkCase{{100, 50, 80}, 10, {90, 50, 80}},
        // Down to the next width, then both together, the last step shared out (rounded up).
        ShrinkCase{{100, 50, 80}, 30, {75, 50, 75}},
        // A wide header far from the others does not drop to nothing in one pass.
        ShrinkCase{{100, 20, 90}, 15, {87, 20, 87}},
        // Equal widths share the excess.
        ShrinkCase{{60, 60, 60}, 30, {50, 50, 50}},
        // Nothing to take: the widths stay.
        ShrinkCase{{40, 30}, 0, {40, 30}},
        // More excess than width: every header reaches zero and no further.
        ShrinkCase{{10, 5}, 100, {0, 0}}));

TEST(GrowHeaderWidths, GivesPixelsBackUpToTheNaturalWidths) {
    std::vector<int> widths{30, 40, 50};
    const std::vector<int> natural{35, 40, 51};
    growHeaderWidths(widths, natural, 4);
    EXPECT_EQ(widths, (std::vector<int>{33, 40, 51}));
    growHeaderWidths(widths, natural, 100);
    EXPECT_EQ(widths, natural);
}

TEST(CloseImageSize, PicksTheLargestRegisteredImageNotAboveTheSize) {
    const std::pair<int, int> cases[] = {{12, 11}, {30, 27}, {9, 11}, {11, 11}, {21, 21}, {26, 25}};
    for (const auto& [size, image] : cases) EXPECT_EQ(closeImageSize(size), image) << size;
}

}  // namespace
}  // namespace pelorvant
