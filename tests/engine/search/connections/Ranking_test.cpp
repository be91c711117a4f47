// The rank and class of a journey.

#include <gtest/gtest.h>

#include "engine/search/connections/Ranking.h"

namespace trasovnik::testing {
namespace {

TEST(Ranking, RankWeighsDurationTransfersShortfallWalkingAndPenalty) {
    const struct {
        std::int32_t o, g, h, l, m, rank;
    } cases[] = {
        {30, 1, 5, 0, 3, 2375},  // 16 * (3 + 120 + 0 + 16) + 5 * 30 + 1
        {40, 0, 0, 0, 0, 2561},
        {41, 0, 0, 0, 0, 2625},                                   // one minute more weighs 64
        {200, 2, 10, 3, 0, 16 * (800 + 24 + 32) + 10 * 128 + 1},  // penalty counts 128 minutes
        {0, 0, 0, 0, 0, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rankOf(c.o, c.g, c.h, c.l, c.m), c.rank) << c.o << " min";
    }
}

TEST(Ranking, ClassIsAFourteenthOfTheDurationUpToTwelve) {
    const struct {
        std::int32_t duration, cls;
    } cases[] = {{27, 1}, {13, 0}, {14, 1}, {168, 12}, {200, 12}};
    for (const auto& c : cases) {
        EXPECT_EQ(classOf(c.duration), c.cls) << c.duration;
    }
}

}  // namespace
}  // namespace trasovnik::testing
