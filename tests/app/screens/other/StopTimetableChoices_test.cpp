// The choices the query page offers after each status, read from the engine's result over the
// city network, and the page's answer to every status.
#include "StCityEngine.h"

#include "app/screens/other/StopTimetableChoices.h"

#include <gtest/gtest.h>

namespace pelorvant::testing {
namespace {

class StopTimetableChoicesTest : public StCityTest {
protected:
    StopTimetableChoices choicesOf(const StopTimetableQuery& q, std::int32_t expectedStatus) {
        const StopTimetableAnswer answer = runStopTimetableSearch(api(), q);
        EXPECT_EQ(answer.engineStatus, ENGINE_OK);
        EXPECT_EQ(answer.status, expectedStatus);
        return readStopTimetableChoices(api(), answer, [](std::int32_t group) {
            return u"group " + std::u16string(1, static_cast<char16_t>(u'0' + group % 10));
        });
    }
};

TEST_F(StopTimetableChoicesTest, AnAmbiguousLineOffersItsCandidatesByName) {
    const StopTimetableChoices c = choicesOf(query("7", -1, -1, false), -202);
    ASSERT_EQ(c.lines.size(), 2u);  // the bus and the tram both named 7
    EXPECT_NE(c.lines[0].lineGroup, c.lines[1].lineGroup);
    EXPECT_EQ(c.lines[0].name.substr(0, 6), u"group ");
}

TEST_F(StopTimetableChoicesTest, ALineWithoutAFromStopOffersEveryStopOfTheLine) {
    const StopTimetableChoices c = choicesOf(query("12", -1, -1, false), -204);
    ASSERT_GE(c.items.size(), 2u);
    for (const QueryItemChoice& item : c.items) EXPECT_GE(item.element, 0);
    EXPECT_LE(c.lines.size(), 1u);  // at most the one line found
}

TEST_F(StopTimetableChoicesTest, ASuccessfulSearchOffersItsFromStopWithTheDirection) {
    const StopTimetableChoices c = choicesOf(query("12", element(u"Divadlo"), -1, false), 0);
    ASSERT_EQ(c.items.size(), 1u);
    EXPECT_EQ(c.items[0].element, element(u"Divadlo"));
    ASSERT_EQ(c.items[0].directions.size(), 1u);
}

TEST(StopTimetableStatus, EachStatusHasItsTextAndChoices) {
    struct Case {
        std::int32_t status;
        std::uint32_t text;
        bool keeps, lines, from, direction;
    };
    const Case cases[] = {
        {0, 0, false, false, false, false},       {-201, 376, true, false, false, false},
        {-202, 377, false, true, false, false},   {-203, 378, false, false, false, false},
        {-204, 379, false, false, true, true},    {-205, 380, false, false, false, true},
        {-206, 381, true, false, false, false},   {-207, 0, false, false, false, false},
    };
    for (const Case& c : cases) {
        const StatusReaction r = reactionToStatus(c.status);
        EXPECT_EQ(r.text, c.text) << c.status;
        EXPECT_EQ(r.keepsChoices, c.keeps) << c.status;
        EXPECT_EQ(r.showsLines, c.lines) << c.status;
        EXPECT_EQ(r.showsFrom, c.from) << c.status;
        EXPECT_EQ(r.showsDirection, c.direction) << c.status;
    }
}

}  // namespace
}  // namespace pelorvant::testing
