#include "engine/data/Passages.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/data/EngineException.h"
#include "tests/engine/data/TimetableTestFiles.h"

namespace trasovnik {
namespace {

class CityPassages : public ::testing::Test {
protected:
    void SetUp() override {
        jr = testing::load(testing::readFixture("city_v40.jz"));
        ASSERT_NE(jr, nullptr);
    }
    std::unique_ptr<cJizdniRad> jr;
};

TEST_F(CityPassages, EveryPassageNamesATripAtItsRowsStop) {
    const cPrujezdyZastavek& p = jr->passages;
    const cSpoje& s = jr->trips;
    ASSERT_EQ(p.stopCount(), jr->stops.stopCount());
    for (std::size_t stop = 0; stop < p.stopCount(); ++stop) {
        EXPECT_EQ(p.passageCount(stop), jr->stops.passageCount(stop));
        EXPECT_EQ(p.mirroredPassageCount(stop), p.passageCount(stop));
        for (std::uint32_t i = 0; i < p.passageCount(stop); ++i) {
            EXPECT_EQ(s.stopAt(p.tripAt(stop, i), p.positionAt(stop, i)), stop);
            if (i > 0) {
                EXPECT_LE(p.departureMinute(stop, i - 1), p.departureMinute(stop, i));
            }
            std::uint32_t trip = p.mirroredTripAt(stop, i);
            EXPECT_EQ(s.stopAt(trip, s.mirroredPosition(trip, p.mirroredPositionAt(stop, i))),
                      stop);
            if (i > 0) {
                EXPECT_LE(p.mirroredDepartureMinute(stop, i - 1),
                          p.mirroredDepartureMinute(stop, i));
            }
        }
    }
}

TEST_F(CityPassages, FirstAndNextDepartures) {
    const cPrujezdyZastavek& p = jr->passages;
    // Stop 2 "Náměstí": departures 6:08, 6:36, 6:54, 7:08, 8:08, 13:20, 23:58.
    const std::size_t nam = 1;
    struct Case {
        int minute;
        int expectedMinute;
        int dayAdvance;
    };
    const Case cases[] = {
        {0, 6 * 60 + 8, 0},
        {6 * 60 + 8, 6 * 60 + 8, 0},
        {6 * 60 + 9, 6 * 60 + 36, 0},
        {23 * 60 + 58, 23 * 60 + 58, 0},
        {23 * 60 + 59, 6 * 60 + 8, 1},
    };
    for (const Case& c : cases) {
        int day = 0;
        std::uint32_t i = p.firstDepartureFrom(nam, c.minute, day);
        EXPECT_EQ(p.departureMinute(nam, i), c.expectedMinute) << c.minute;
        EXPECT_EQ(day, c.dayAdvance) << c.minute;
    }
    int day = 0;
    std::uint32_t last = p.passageCount(nam) - 1;
    EXPECT_EQ(p.nextDepartureFrom(nam, 0, day), 1u);
    EXPECT_EQ(day, 0);
    EXPECT_EQ(p.nextDepartureFrom(nam, last, day), 0u);
    EXPECT_EQ(day, 1);
}

TEST_F(CityPassages, FindPassageOfATripAtAPosition) {
    const cPrujezdyZastavek& p = jr->passages;
    for (std::size_t stop = 0; stop < p.stopCount(); ++stop) {
        for (std::uint32_t i = 0; i < p.passageCount(stop); ++i) {
            EXPECT_EQ(p.findPassage(stop, p.tripAt(stop, i), p.positionAt(stop, i)), i);
            EXPECT_EQ(p.mirroredFindPassage(stop, p.mirroredTripAt(stop, i),
                                            p.mirroredPositionAt(stop, i)),
                      i);
        }
    }
    EXPECT_EQ(p.findPassage(1, 0, 0), cPrujezdyZastavek::kNoPassage) << "trip 0 starts elsewhere";
    EXPECT_EQ(p.findPassage(1, 999, 0), cPrujezdyZastavek::kNoPassage);
    EXPECT_THROW(p.tripAt(1, p.passageCount(1)), EngineException);
    EXPECT_THROW(p.passageCount(p.stopCount()), EngineException);
}

// A row read whole gives the passages one by one access gives, in their order, and ends
// where the visitor asks.
TEST_F(CityPassages, VisitRowGivesTheRowsPassagesInOrder) {
    const cPrujezdyZastavek& p = jr->passages;
    for (std::size_t stop = 0; stop < p.stopCount(); ++stop) {
        std::vector<std::pair<std::uint32_t, std::uint8_t>> expected, visited;
        for (std::uint32_t i = 0; i < p.passageCount(stop); ++i) {
            expected.emplace_back(p.tripAt(stop, i), p.positionAt(stop, i));
        }
        p.visitRow(stop, [&](std::uint32_t trip, std::uint8_t position) {
            visited.emplace_back(trip, position);
            return true;
        });
        EXPECT_EQ(visited, expected) << stop;
    }
    const std::size_t busy = 1;  // "Náměstí", seven departures
    ASSERT_GE(p.passageCount(busy), 3u);
    std::vector<std::uint32_t> firstTwo;
    p.visitRow(busy, [&](std::uint32_t trip, std::uint8_t) {
        firstTwo.push_back(trip);
        return firstTwo.size() < 2;
    });
    EXPECT_EQ(firstTwo, (std::vector<std::uint32_t>{p.tripAt(busy, 0), p.tripAt(busy, 1)}));
    EXPECT_THROW(p.visitRow(p.stopCount(), [](std::uint32_t, std::uint8_t) { return true; }),
                 EngineException);
}

TEST(Passages, EmptyRowAdvancesTheDay) {
    nlohmann::json doc = testing::smallDescription();
    doc["stops"].push_back(
        {{"id", "D"}, {"name", "Delta"}, {"town", "t"}, {"group", "g2"}, {"key", 4}});
    auto jr = testing::load(testing::compileAltered(doc));
    int day = 5;
    EXPECT_EQ(jr->passages.passageCount(3), 0u);
    EXPECT_EQ(jr->passages.firstDepartureFrom(3, 0, day), 0u);
    EXPECT_EQ(day, 6);
    EXPECT_EQ(jr->passages.mirroredFirstDepartureFrom(3, 0, day), 0u);
    EXPECT_EQ(day, 7);
}

}  // namespace
}  // namespace trasovnik
