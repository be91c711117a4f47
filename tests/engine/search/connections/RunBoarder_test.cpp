// A label boarding the departures of a transfer: the values worked out per stop and per
// departure are the ones the ranking and the counters give, and the quick turn-away by an
// event's best label decides as the outright dominance does.

#include <gtest/gtest.h>

#include "engine/search/connections/LabelDominance.h"
#include "engine/search/connections/Ranking.h"
#include "engine/search/connections/RunBoarder.h"

namespace trasovnik::testing {
namespace {

using searchrun::BoardedValues;
using searchrun::Boarder;
using searchrun::kFlagBus;
using searchrun::kFlagSc;
using searchrun::kFlagVia;
using searchrun::Label;
using searchrun::LabelValues;

struct Changer {
    std::int32_t start;
    std::uint8_t transfers, penalty, shortfall, walking;
    std::uint32_t flags;
};

// Labels as they change; the walk near 255 minutes and the start long before the departure
// reach the caps of walking and of the penalty's minutes.
const Changer kChangers[] = {
    {0, 1, 0, 0, 0, 0},
    {-40, 2, 7, 3, 12, kFlagVia},
    {-300, 4, 30, 200, 250, kFlagSc | kFlagBus},
    {25, 0, 255, 255, 5, kFlagBus},
};

struct Departure {
    std::int32_t minute;
    std::uint32_t lack;
    std::int32_t walk;
};

const Departure kDepartures[] = {
    {30, 0, 0}, {31, 9, 3}, {90, 255, 0}, {200, 4, 10}, {45, 0, 240},
};

Boarder boarderOf(const Label& base, const Changer& c) {
    return Boarder::of(base, c.start, c.transfers, c.penalty, c.shortfall, c.walking, c.flags);
}

TEST(RunBoarder, ValuesOnADepartureAreTheRankAndCountersOfTheChangedLabel) {
    const Label base{};
    for (const Changer& c : kChangers) {
        for (const Departure& d : kDepartures) {
            const BoardedValues v = valuesOn(boarderOf(base, c).walked(d.walk), d.minute, d.lack);
            const std::int32_t shortfall = std::max<std::int32_t>(c.shortfall, d.lack);
            const std::int32_t walking = std::min(c.walking + d.walk, 255);
            EXPECT_EQ(v.rank,
                      rankOf(d.minute - c.start, c.transfers, c.penalty, shortfall, walking))
                << c.start << " " << d.minute;
            EXPECT_EQ(v.counters, LabelValues::pack(c.transfers, c.penalty,
                                                    static_cast<std::uint8_t>(shortfall),
                                                    static_cast<std::uint8_t>(walking)));
            EXPECT_EQ(v.shortfall, shortfall);
            EXPECT_EQ(v.walking, walking);
        }
    }
}

TEST(RunBoarder, TurnsAwayExactlyTheBoardersItsBestDominatesOutright) {
    const Label base{};
    // Best labels around each boarder: ranks a little and a fifth better or worse, counters
    // one lower or higher in each lane, starts earlier and later, every flag combination.
    const std::int32_t rankSteps[] = {-1000, -1, 0, 1};
    const std::int32_t rankScales[] = {7, 8, 9, 10};  // tenths of the boarder's rank
    const std::int32_t counterSteps[] = {-1, 0, 1};
    const std::int32_t startSteps[] = {-1, 0, 1};
    const std::uint32_t flagSets[] = {0,
                                      kFlagVia,
                                      kFlagSc,
                                      kFlagBus,
                                      kFlagVia | kFlagSc,
                                      kFlagSc | kFlagBus,
                                      kFlagVia | kFlagBus};
    std::size_t turnedAway = 0, kept = 0;
    for (const Changer& c : kChangers) {
        const Boarder b = boarderOf(base, c).walked(4);
        for (const std::uint32_t sc : {0u, kFlagSc}) {
            const BoardedValues v = valuesOn(b, 60, 2);
            const LabelValues n{b.start, v.rank, v.counters, b.flags | sc};
            for (std::size_t lane = 0; lane < 4; ++lane) {
                for (const std::int32_t step : counterSteps) {
                    const std::int64_t shifted =
                        static_cast<std::int64_t>((n.counters >> (16 * lane)) & 0xFFFF) + step;
                    if (shifted < 0 || shifted > 255) {
                        continue;
                    }
                    const std::uint64_t counters =
                        (n.counters & ~(std::uint64_t{0xFFFF} << (16 * lane))) |
                        static_cast<std::uint64_t>(shifted) << (16 * lane);
                    for (const std::int32_t startStep : startSteps) {
                        for (const std::uint32_t flags : flagSets) {
                            auto check = [&](std::int32_t rank) {
                                const LabelValues d{n.start + startStep, rank, counters, flags};
                                const bool expected = searchrun::dominatesOutright(d, n);
                                EXPECT_EQ(searchrun::turnsAway(d, v, b, sc), expected)
                                    << "lane " << lane << " step " << step << " start " << startStep
                                    << " flags " << flags << " rank " << rank << " of " << n.rank;
                                ++(expected ? turnedAway : kept);
                            };
                            for (const std::int32_t r : rankSteps) {
                                check(n.rank + r);
                            }
                            for (const std::int32_t s : rankScales) {
                                check(n.rank * s / 10);
                            }
                        }
                    }
                }
            }
        }
    }
    // The table reaches both answers.
    EXPECT_GT(turnedAway, 0u);
    EXPECT_GT(kept, 0u);
}

}  // namespace
}  // namespace trasovnik::testing
