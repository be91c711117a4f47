// Stop timetables of a compiled city network, checked as text: route stops, day groups with
// their hour rows and validity texts, route notes, the week merge (with its hours 0-2 rule),
// the line text search and each status with the choices it offers.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "engine/data/Cp1250Text.h"
#include "engine/data/DayNumber.h"
#include "engine/data/LoadObserver.h"
#include "engine/data/TimetableFile.h"
#include "engine/search/stoptimetables/StopTimetableSearch.h"
#include "tests/engine/data/SetTestFiles.h"

namespace trasovnik::testing {
namespace {

// Stops of the fixture, in file order, and the elements of its stops kind (name order).
enum Stop { kA, kB, kC, kD, kE, kF, kG, kX };
enum Element { eDivadlo, eHrbitov, eNadrazi, eNamesti, eNemocnice, eSidliste, eSkola, eZahrada };
enum Line { kL12, kL112, kL7bus, kL7tram };

const int kMonday = dateToDayNumber(4, 1, 2027);
const int kWednesday = kMonday + 2;

class StopTimetableTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        LoadObserver quiet;
        file = loadTimetableFile(std::string(TRASA_FIXTURE_DIR) + "/st-city.jz", quiet).release();
        ASSERT_NE(file, nullptr);
        ASSERT_TRUE(file->routes);
    }
    static void TearDownTestSuite() {
        delete file;
        file = nullptr;
    }

    static std::string stopName(std::int32_t s) {
        return cp1250ToUtf8(file->stops.name(file->names, static_cast<std::size_t>(s)));
    }
    static std::string elementName(std::int32_t e) {
        const auto k = static_cast<std::size_t>(file->categories.stopsKind());
        return cp1250ToUtf8(
            file->categories.elementName(file->names, k, static_cast<std::size_t>(e)));
    }

    // The whole result as text.
    static std::string render(const cStVysledek& r) {
        std::ostringstream out;
        out << "status " << r.status << "\n";
        if (!r.lineCandidates.empty()) {
            out << "lines";
            for (std::int32_t l : r.lineCandidates) {
                out << " " << l;
            }
            out << "\n";
        }
        if (!r.routeStops.empty()) {
            out << "route";
            for (const cStZastavkaTrasy& s : r.routeStops) {
                out << " " << stopName(s.stop) << "/" << s.occurrence << " " << s.minutes << " "
                    << s.distance << ";";
            }
            out << "\n";
        }
        for (std::size_t i = 0; i < r.choiceStops.size(); ++i) {
            out << "choice " << stopName(r.choiceStops[i]) << "/" << r.choiceOccurrences[i]
                << " ->";
            for (std::int32_t d : r.directionLists[i]) {
                out << " " << stopName(d);
            }
            out << "\n";
        }
        for (std::size_t i = r.choiceStops.size(); i < r.directionLists.size(); ++i) {
            out << "direction ->";
            for (std::int32_t d : r.directionLists[i]) {
                out << " " << stopName(d);
            }
            out << "\n";
        }
        for (std::size_t i = 0; i < r.queryItems.size(); ++i) {
            out << "item " << elementName(r.queryItems[i]) << " ->";
            for (std::int32_t d : r.queryDirections[i]) {
                out << " " << elementName(d);
            }
            out << "\n";
        }
        for (const auto& g : r.groups) {
            out << "group " << g->text << " days";
            for (std::int32_t d : g->days) {
                out << " " << d - kMonday;
            }
            out << (g->week ? " week" : "") << "\n";
            for (std::size_t h = 0; h < 24; ++h) {
                if (g->hours[h].empty()) {
                    continue;
                }
                out << "  " << h << ":";
                for (const cStOdjezd& d : g->hours[h]) {
                    out << " " << d.minute;
                    if (d.note >= 0) {
                        out << "/" << d.note;
                    }
                }
                out << "\n";
            }
            for (std::size_t n = 0; n < g->notes.size(); ++n) {
                out << "  note " << n << " \"" << cp1250ToUtf8(g->notes[n].text) << "\"\n";
            }
        }
        return out.str();
    }

    static std::string search(StQuery q) { return render(*stSearch(*file, q)); }

    static cJizdniRad* file;
};

cJizdniRad* StopTimetableTest::file = nullptr;

TEST_F(StopTimetableTest, AWeekFromTheFirstStopHasItsDayGroupsAndRouteNotes) {
    StQuery q;
    q.lineText = "12";
    q.fromValue = eDivadlo;
    q.toValue = -1;
    q.day = kWednesday;
    q.week = true;
    // Monday has the night trip in hour 23 and stays apart; Tuesday to Friday are one group.
    EXPECT_EQ(search(q),
              "status 0\n"
              "lines 0\n"
              "route Divadlo/0 0 0; Náměstí/0 3 800; Nádraží/0 6 1400; Nemocnice/0 9 2300; "
              "Sídliště/0 12 3000;\n"
              "choice Divadlo/0 -> Sídliště\n"
              "item Divadlo -> Sídliště\n"
              "group {stDateMonday} days 0 week\n"
              "  6: 0\n"
              "  7: 0 30/0\n"
              "  8: 15/1\n"
              "  23: 58\n"
              "  note 0 \" {stEndsAt} Nádraží\"\n"
              "  note 1 \" {stRunsThourgh} Škola, {stDoesNotRunThrough} Nádraží, \"\n"
              "group {stDateTuesday}-{stDateFriday} days 1 2 3 4 week\n"
              "  6: 0\n"
              "  7: 0 30/0\n"
              "  8: 15/1\n"
              "  note 0 \" {stEndsAt} Nádraží\"\n"
              "  note 1 \" {stRunsThourgh} Škola, {stDoesNotRunThrough} Nádraží, \"\n"
              "group {stDateSaturday} days 5 week\n"
              "  9: 0\n"
              "group {stDateSunday} days 6 week\n"
              "  10: 0\n");
}

TEST_F(StopTimetableTest, DaysThatDifferOnlyInHoursZeroToTwoMerge) {
    // From the second stop the Monday night trip leaves at 0:01, so Monday differs from
    // Tuesday only in hour 0, and Tuesday's hours 0-2 equal Wednesday's.
    StQuery q;
    q.lineIndex = kL12;
    q.fromValue = kB;
    q.fromOccurrence = 0;
    q.toValue = kE;
    q.day = kMonday + 6;  // a Sunday searches the week from the Monday before
    q.week = true;
    EXPECT_EQ(search(q),
              "status 0\n"
              "lines 0\n"
              "route Divadlo/0 -1 -1; Náměstí/0 0 0; Nádraží/0 3 600; Nemocnice/0 6 1500; "
              "Sídliště/0 9 2200;\n"
              "choice Náměstí/0 -> Sídliště\n"
              "item Náměstí -> Sídliště\n"
              "group {stDateWorkingDays} days 0 1 2 3 4 week\n"
              "  6: 3\n"
              "  7: 3 33/0\n"
              "  8: 18/1\n"
              "  note 0 \" {stEndsAt} Nádraží\"\n"
              "  note 1 \" {stRunsThourgh} Škola, {stDoesNotRunThrough} Nádraží, \"\n"
              "group {stDateSaturday} days 5 week\n"
              "  9: 3\n"
              "group {stDateSunday} days 6 week\n"
              "  10: 3\n");
}

TEST_F(StopTimetableTest, AOneDaySearchIsDatedAndKeepsTheNightDeparture) {
    StQuery q;
    q.lineIndex = kL12;
    q.fromValue = kB;
    q.fromOccurrence = 0;
    q.toValue = kE;
    q.day = kMonday;
    EXPECT_EQ(search(q),
              "status 0\n"
              "lines 0\n"
              "route Divadlo/0 -1 -1; Náměstí/0 0 0; Nádraží/0 3 600; Nemocnice/0 6 1500; "
              "Sídliště/0 9 2200;\n"
              "choice Náměstí/0 -> Sídliště\n"
              "item Náměstí -> Sídliště\n"
              "group 4.1.2027 days 0\n"
              "  0: 1\n"
              "  6: 3\n"
              "  7: 3 33/0\n"
              "  8: 18/1\n"
              "  note 0 \" {stEndsAt} Nádraží\"\n"
              "  note 1 \" {stRunsThourgh} Škola, {stDoesNotRunThrough} Nádraží, \"\n");
}

TEST_F(StopTimetableTest, StatusesAndTheirChoices) {
    struct Case {
        const char* what;
        StQuery query;
        std::string expected;
    };
    auto q = [](std::string_view text, std::int32_t line, std::int32_t from, std::int32_t fromOcc,
                std::int32_t to, std::int32_t toOcc, int day) {
        StQuery s;
        s.lineText = text;
        s.lineIndex = line;
        s.fromValue = from;
        s.fromOccurrence = fromOcc;
        s.toValue = to;
        s.toOccurrence = toOcc;
        s.day = day;
        return s;
    };
    const Case cases[] = {
        {"line index beyond the lines", q("", 4, eDivadlo, -1, -1, -1, kMonday), "status -201\n"},
        {"no line of that name", q("99", -1, -1, -1, -1, -1, kMonday), "status -201\n"},
        {"empty line text", q(" , ", -1, -1, -1, -1, -1, kMonday), "status -201\n"},
        {"a line that misses the from stop", q("112", -1, eDivadlo, -1, -1, -1, kMonday),
         "status -201\n"},
        {"two lines named 7", q("7", -1, eZahrada, -1, -1, -1, kMonday),
         "status -202\nlines 2 3\nchoice Zahrada/0 ->\nitem Zahrada ->\n"},
        {"two lines named 7 towards a stop", q("7", -1, -1, -1, eZahrada, -1, kMonday),
         "status -202\nlines 2 3\ndirection -> Zahrada\nitem Zahrada ->\n"},
        // The tram's kind name decides between the two.
        {"7 tram", q("7 tram", -1, -1, -1, -1, -1, kMonday),
         "status -204\nlines 3\n"
         "choice Divadlo/0 ->\nchoice Zahrada/0 ->\nitem Divadlo ->\nitem Zahrada ->\n"},
        {"no stop condition", q("", kL112, -1, -1, -1, -1, kMonday),
         "status -204\nlines 1\nchoice Hřbitov/0 ->\nchoice Náměstí/0 ->\nchoice Zahrada/0 ->\n"
         "item Hřbitov ->\nitem Náměstí ->\nitem Zahrada ->\n"},
        {"two directions from the stop", q("12", -1, eNamesti, -1, -1, -1, kMonday),
         "status -205\nlines 0\nchoice Náměstí/0 -> Sídliště Divadlo\n"
         "item Náměstí -> Sídliště Divadlo\n"},
        {"a direction off the line", q("", kL12, kA, 0, kG, 0, kMonday), "status -206\n"},
        {"a day without service", q("", kL12, kA, 0, kE, 0, kMonday + 7), "status -206\n"},
        // Numbers beyond the file's stops or the stops kind's elements stand for no stop: the
        // line is kept and its stops are offered, never read as some other stop.
        {"a stop number beyond the stops", q("12", -1, 99, 0, -1, -1, kMonday),
         "status -204\nlines 0\nchoice Divadlo/0 ->\nchoice Náměstí/0 ->\nchoice Nádraží/0 ->\n"
         "choice Nemocnice/0 ->\nchoice Sídliště/0 ->\nchoice Škola/0 ->\n"
         "item Divadlo ->\nitem Nádraží ->\nitem Náměstí ->\nitem Nemocnice ->\nitem Sídliště ->\n"
         "item Škola ->\n"},
        {"an element beyond the stops kind", q("12", -1, 99, -1, -1, -1, kMonday),
         "status -204\nlines 0\nchoice Divadlo/0 ->\nchoice Náměstí/0 ->\nchoice Nádraží/0 ->\n"
         "choice Nemocnice/0 ->\nchoice Sídliště/0 ->\nchoice Škola/0 ->\n"
         "item Divadlo ->\nitem Nádraží ->\nitem Náměstí ->\nitem Nemocnice ->\nitem Sídliště ->\n"
         "item Škola ->\n"},
        {"an occurrence the route does not have", q("", kL12, kA, 1, kE, 0, kMonday),
         "status -204\nlines 0\nchoice Divadlo/0 ->\nchoice Náměstí/0 ->\nchoice Nádraží/0 ->\n"
         "choice Nemocnice/0 ->\nchoice Sídliště/0 ->\nchoice Škola/0 ->\n"
         // query items in name order
         "item Divadlo ->\nitem Nádraží ->\nitem Náměstí ->\nitem Nemocnice ->\nitem Sídliště ->\n"
         "item Škola ->\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(search(c.query), c.expected) << c.what;
    }
}

TEST_F(StopTimetableTest, TheLineTextSearchPrefersTheExactName) {
    struct Case {
        std::u16string text;
        std::vector<std::int32_t> lines;
    };
    const Case cases[] = {
        {u"12", {kL12}},  // 3000 against 1000 for 112
        {u"112", {kL112}},
        {u"1", {kL12, kL112}},  // equal scores: both, in line order
        {u"7", {kL7bus, kL7tram}},
        {u"7,bus", {kL7bus}},
        {u"7 TRAM", {kL7tram}},  // case is ignored in the further names
        {u"bus", {kL12, kL112, kL7bus}},
        {u"12 bus x", {}},  // every word must occur somewhere
        {u"", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(stFindLinesByText(*file, wideToCp1250(c.text)), c.lines);
    }
}

TEST(StopTimetableTexts, ValidityTextsOfDayGroups) {
    const int mon = dateToDayNumber(4, 1, 2027);
    struct Case {
        std::vector<int> weekdays;
        bool week;
        std::string text;
    };
    const Case cases[] = {
        {{0, 1, 2, 3, 4}, true, "{stDateWorkingDays}"},
        {{0, 1, 2, 3, 4, 5, 6}, true, "{stDateDaily}"},
        {{5, 6}, true, "{stDateWeekend}"},
        {{4, 6}, true, "{stDateSunday} + {stDateHolidays}"},
        {{4, 5}, true, "{stDateSaturday} + {stDateHolidays}"},
        {{0, 2}, true, "{stDateMonday}-{stDateWednesday}"},
        {{0, 1, 2, 3}, true, "{stDateMonday}-{stDateThursday}"},
        {{4, 5, 6}, true, "{stDateFriday}-{stDateSunday}"},
        {{5}, true, "{stDateSaturday}"},
        {{2}, true, "{stDateWednesday}"},
        {{0}, false, "4.1.2027"},
        {{0, 1}, false, ""},
    };
    for (const Case& c : cases) {
        std::vector<std::int32_t> days;
        for (int w : c.weekdays) {
            days.push_back(mon + w);
        }
        EXPECT_EQ(stValidityText(days, c.week), c.text);
    }
    EXPECT_EQ(stValidityText({0}, false), "1.1.2004");
    EXPECT_EQ(stValidityText({dateToDayNumber(5, 3, 2012)}, false), "5.3.2012");
}

TEST(StopTimetableTexts, RouteNoteTexts) {
    const std::vector<std::string> names = {wideToCp1250(u"Náměstí"), wideToCp1250(u"Divadlo"),
                                            wideToCp1250(u"Nádraží")};
    cStPoznamka note;
    note.kinds = {kStRunsThrough, kStRunsThrough, kStEndsAt};
    note.stops = {0, 1, 2};
    EXPECT_EQ(stNoteText(note, names),
              wideToCp1250(u" {stRunsThourgh} Náměstí, Divadlo, {stEndsAt} Nádraží"));

    note.kinds = {kStDoesNotRunThrough, kStDoesNotRunThrough};
    note.stops = {2, 0};
    EXPECT_EQ(stNoteText(note, names), wideToCp1250(u" {stDoesNotRunThrough} Nádraží, Náměstí, "));

    // A text that would reach 1000 characters ends before the piece that would.
    const std::vector<std::string> longNames(1, std::string(300, 'x'));
    note.kinds = std::vector<std::int32_t>(5, kStRunsThrough);
    note.stops = std::vector<std::int32_t>(5, 0);
    const std::string text = stNoteText(note, longNames);
    EXPECT_LT(text.size(), kStNoteTextLimit);
    EXPECT_EQ(text, " {stRunsThourgh} " + longNames[0] + ", " + longNames[0] + ", " + longNames[0] +
                        ", ");
}

TEST(StopTimetableFiles, AFileWithoutLineRoutesHasNoLines) {
    LoadObserver quiet;
    auto bus = loadTimetableBytes(jz::compileTimetable(setFile("Alfa", 1)), quiet);
    ASSERT_TRUE(bus);
    ASSERT_FALSE(bus->routes);
    StQuery q;
    q.lineIndex = 0;
    EXPECT_EQ(stSearch(*bus, q)->status, ST_NO_LINE);
    q.lineIndex = -1;
    q.lineText = "1";
    EXPECT_EQ(stSearch(*bus, q)->status, ST_NO_LINE);
}

}  // namespace
}  // namespace trasovnik::testing
