// The choices the query page offers after each status, read from the engine's result over the
// city network, and the page's answer to every status.
#include "StCityEngine.h"

#include "app/core/EngineTexts.h"
#include "app/core/TextConversion.h"
#include "app/screens/stoptimetables/StopTimetableChoices.h"

#include <algorithm>
#include <string>
#include <vector>

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
            return LineNames{u"group " + std::u16string(1, static_cast<char16_t>(u'0' + group % 10)), u"Bus"};
        });
    }

    // The names the page gives a line: its group's and its kind's, read from the engine.
    StopTimetableChoices choicesNamedByEngine(const StopTimetableQuery& q) {
        const StopTimetableAnswer answer = runStopTimetableSearch(api(), q);
        return readStopTimetableChoices(api(), answer, [this](std::int32_t line) {
            LineNames names;
            std::int32_t length = 0;
            std::int32_t kind = -1;
            EXPECT_EQ(api().api_getNadlinka_DelkyStringu(set, 0, line, &length), ENGINE_OK);
            std::string group(static_cast<std::size_t>(length) + 1, '\0');
            EXPECT_EQ(api().api_getNadlinka(set, 0, line, &kind, group.data()), ENGINE_OK);
            names.group = fromNarrowString(group.data(), length);
            names.kind = EngineTexts(api()).getDruhLinky(set, 0, kind);
            return names;
        });
    }
};

TEST_F(StopTimetableChoicesTest, AnAmbiguousLineOffersItsCandidatesByName) {
    const StopTimetableChoices c = choicesOf(query("7", -1, -1, false), -202);
    ASSERT_EQ(c.lines.size(), 2u);  // the bus and the tram both named 7
    EXPECT_NE(c.lines[0].lineGroup, c.lines[1].lineGroup);
    EXPECT_EQ(c.lines[0].name.substr(0, 6), u"group ");
    // Both groups named alike: the kind tells them apart in the list.
    EXPECT_EQ(c.lines[0].label.substr(0, 6), u"group ");
    EXPECT_NE(c.lines[0].label, c.lines[1].label);
}

// The city network keeps every line in one nameless group: the list shows each line's kind,
// and the line box keeps what was typed (no group name to put there).
TEST_F(StopTimetableChoicesTest, NamelessGroupsShowTheLineKindsAndNoEmptyEntry) {
    const StopTimetableChoices c = choicesNamedByEngine(query("7", -1, -1, false));
    ASSERT_EQ(c.lines.size(), 2u);
    std::vector<std::u16string> labels{c.lines[0].label, c.lines[1].label};
    std::sort(labels.begin(), labels.end());
    EXPECT_EQ(labels, (std::vector<std::u16string>{u"Bus", u"Tram"}));
    EXPECT_TRUE(c.lines[0].name.empty());
}

TEST(StopTimetableLineLabels, EveryEntryShowsSomethingTheUserCanTellApart) {
    struct Case {
        const char* what;
        std::vector<LineNames> lines;
        std::vector<std::u16string> labels;
    };
    const Case cases[] = {
        {"named groups", {{u"7", u"Bus"}, {u"12", u"Bus"}}, {u"7", u"12"}},
        {"nameless groups show the kind", {{u"", u"Bus"}, {u"", u"Tram"}}, {u"Bus", u"Tram"}},
        {"one name twice gets the kind", {{u"7", u"Bus"}, {u"7", u"Tram"}, {u"9", u"Bus"}},
         {u"7, Bus", u"7, Tram", u"9"}},
        {"still alike: numbered in order", {{u"", u"Bus"}, {u"", u"Tram"}, {u"", u"Bus"}},
         {u"Bus (1)", u"Tram", u"Bus (2)"}},
        {"name and kind alike", {{u"7", u"Bus"}, {u"7", u"Bus"}}, {u"7, Bus (1)", u"7, Bus (2)"}},
        {"nothing to show at all", {{u"", u""}}, {u"(1)"}},
        {"a nameless bus beside a group named Bus", {{u"Bus", u"Tram"}, {u"", u"Bus"}},
         {u"Bus, Tram", u"Bus"}},
        {"no candidates", {}, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(lineChoiceLabels(c.lines), c.labels) << c.what;
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

// After a status the first shown list (line, from, direction) of more than three entries opens
// by itself; a list the status does not show never does.
TEST(StopTimetableStatus, AListOfMoreThanThreeEntriesOpensByItself) {
    struct Case {
        std::int32_t status;
        std::size_t lines, items, directions;
        StSide opens;
    };
    const Case cases[] = {
        {-202, 4, 0, 0, StSide::line},      {-202, 3, 0, 0, StSide::none},
        {-202, 2, 9, 9, StSide::none},      {-204, 1, 4, 5, StSide::from},
        {-204, 1, 3, 4, StSide::direction}, {-204, 1, 3, 3, StSide::none},
        {-205, 9, 9, 4, StSide::direction}, {-205, 9, 9, 3, StSide::none},
        {-206, 9, 9, 9, StSide::none},      {-201, 9, 9, 9, StSide::none},
        {0, 9, 9, 9, StSide::none},
    };
    for (const Case& c : cases) {
        const StatusReaction r = reactionToStatus(c.status);
        ShownChoiceCounts shown;
        shown.line = r.showsLines ? c.lines : 0;
        shown.from = r.showsFrom ? c.items : 0;
        shown.direction = r.showsDirection ? c.directions : 0;
        EXPECT_EQ(sideOpenedByItself(shown), c.opens) << c.status << " " << c.lines << c.items << c.directions;
    }
}

}  // namespace
}  // namespace pelorvant::testing
