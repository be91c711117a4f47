// The stop-timetable result view over a network that runs differently on the state holidays of
// Christmas and New Year: the hour grids and their titles of every day group as golden text, and
// the titles a person reads for the holiday weeks.
#include "StopTimetableViewTest.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pelorvant::testing {
namespace {

class StopTimetableHolidayTest : public StopTimetableScreensTest {
protected:
    const char* fixtureFile() const override { return "st-holiday.jz"; }

    // The day number of a date of the network's service.
    std::int16_t day(int d, int month, int year) const {
        std::int16_t number = 0;
        EXPECT_EQ(api().api_DatumToShortDen(d, month, year, &number), ENGINE_OK);
        return number;
    }

    // `line` from Nádraží towards its end (Hřbitov for the holiday line 30, else Lázně), on the
    // day (or its week) given, with the direction named as a user names it.
    StopTimetableQuery holidayQuery(const std::string& line, std::int16_t on, bool week) const {
        StopTimetableQuery q =
            query(line, element(u"Nádraží"), element(line == "30" ? u"Hřbitov" : u"Lázně"), week);
        q.day = on;
        return q;
    }

    std::vector<std::u16string> titles() const {
        std::vector<std::u16string> out;
        for (int n = 0; n < view->pageCount(); ++n) out.push_back(view->pageTitle(n));
        return out;
    }
};

struct HolidayCase {
    const char* caption;
    const char* line;
    int day;
    int month;
    int year;
    bool week;
};

// Each line over the Christmas week (holidays Thursday to Saturday), line 3 and the holiday line
// over the New Year week (a Friday holiday) and a week without holidays, and Christmas Eve alone.
constexpr HolidayCase kHolidayCases[] = {
    {"line 3, week of Monday 21.12.2026", "3", 21, 12, 2026, true},
    {"line 4, week of Monday 21.12.2026", "4", 21, 12, 2026, true},
    {"line 30, week of Monday 21.12.2026", "30", 21, 12, 2026, true},
    {"line 3, week of Monday 28.12.2026", "3", 28, 12, 2026, true},
    {"line 30, week of Monday 28.12.2026", "30", 28, 12, 2026, true},
    {"line 3, week of Monday 14.12.2026", "3", 14, 12, 2026, true},
    {"line 3, Thursday 24.12.2026", "3", 24, 12, 2026, false},
};

TEST_F(StopTimetableHolidayTest, HourGridsAndTitlesOfEveryDayGroupMatchTheirGoldenText) {
    std::string text;
    for (const HolidayCase& c : kHolidayCases) {
        SCOPED_TRACE(c.caption);
        open(holidayQuery(c.line, day(c.day, c.month, c.year), c.week));
        if (HasFatalFailure()) return;
        text += std::string("== ") + c.caption + "\n" + describe(*view);
        view.reset();
    }
    expectGoldenText(text, "st-holiday-weeks.txt");
}

// The holidays Thursday and Friday run line 3's Saturday trips, so they share Saturday's page.
TEST_F(StopTimetableHolidayTest, HolidaysRunningSaturdayTripsShareTheSaturdayPage) {
    open(holidayQuery("3", day(21, 12, 2026), true));
    EXPECT_EQ(titles(), (std::vector<std::u16string>{u"Zastávky", u"Pondělí-Středa", u"Sobota + Svátky", u"Neděle",
                                                     u"Poznámky"}));
    const StopTimetableCopy& t = view->timetable();
    ASSERT_EQ(t.groups.size(), 3u);
    EXPECT_EQ(t.groups[1].hours[11].size(), 1u);  // 11:30, the Saturday and holiday trip
    EXPECT_TRUE(t.groups[0].hours[11].empty());
}

// Titles of the holiday groups per line and week: a holiday run that a Saturday shares, one that
// runs into Sunday, a holiday line, and a Friday holiday before a Saturday.
TEST_F(StopTimetableHolidayTest, HolidayGroupsAreTitledByTheirDays) {
    struct Case {
        const char* line;
        int day;
        std::vector<std::u16string> grids;
    };
    const Case cases[] = {
        {"4", 21, {u"Pondělí-Středa", u"Čtvrtek-Neděle"}},
        {"30", 21, {u"Sobota + Svátky"}},
        {"3", 28, {u"Pondělí-Čtvrtek", u"Sobota + Svátky", u"Neděle"}},
        {"30", 28, {u"Pátek"}},
        {"3", 14, {u"Pracovní dny", u"Sobota", u"Neděle"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.line) + " " + std::to_string(c.day));
        open(holidayQuery(c.line, day(c.day, 12, 2026), true));
        if (HasFatalFailure()) return;
        std::vector<std::u16string> grids = titles();
        grids.erase(grids.begin());  // the route stops
        if (!view->timetable().notes.empty()) grids.pop_back();
        EXPECT_EQ(grids, c.grids);
        view.reset();
    }
}

// A week search without a direction takes it from the routes running on the week's first day
// with a trip of the line: the holiday line does not run on Monday, and the week is not "nothing
// found" for that.
TEST_F(StopTimetableHolidayTest, AWeekWithoutTheLineOnMondayTakesTheDirectionOfItsFirstRunningDay) {
    for (const int monday : {21, 28}) {
        SCOPED_TRACE(monday);
        open(holidayQuery("30", day(monday, 12, 2026), true));
        if (HasFatalFailure()) return;
        const std::string named = describe(*view);
        view.reset();
        StopTimetableQuery unnamed = holidayQuery("30", day(monday, 12, 2026), true);
        unnamed.to = -1;
        open(unnamed);
        if (HasFatalFailure()) return;
        EXPECT_EQ(describe(*view), named);
        view.reset();
    }
}

TEST_F(StopTimetableHolidayTest, AOneDaySearchOnAHolidayIsTitledByItsDate) {
    open(holidayQuery("3", day(24, 12, 2026), false));
    EXPECT_EQ(titles(), (std::vector<std::u16string>{u"Zastávky", u"24.12.2026", u"Poznámky"}));
}

}  // namespace
}  // namespace pelorvant::testing
