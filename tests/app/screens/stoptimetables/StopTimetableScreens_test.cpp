// The stop-timetable result view over the real engine and the city network: its pages and
// titles as golden text, the shots per profile, opening a departure and searching again from
// the route's stops.
#include "StopTimetableViewTest.h"

#include "app/screens/stoptimetables/StopTimetableTabLinks.h"

#include "platform/core/LocalTime.h"
#include "platform/core/MessageLoop.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/ShellMessages.h"
#include "platform/ui/UiMessages.h"
#include "platform/testkit/ImageCompare.h"
#include "platform/ui/Focus.h"
#include "platform/ui/VirtualKeys.h"

namespace pelorvant::testing {
namespace {

TEST_F(StopTimetableScreensTest, AWeekOfLineTwelveMatchesItsGoldenText) {
    open(query("12", element(u"Divadlo"), -1, true));
    expectGoldenText(describe(*view), "st-city-week.txt");
    EXPECT_EQ(view->pageTitle(0), u"Zastávky");
}

TEST_F(StopTimetableScreensTest, EnterOpensTheDepartureAsAWholeTripButNotAnHourCell) {
    open(query("12", element(u"Divadlo"), -1, true));
    view->showPage(1);
    cStopTimetableGrid& g = grid(1);
    ui::setFocus(g.handle());
    kit->key(ui::VK_RETURN);
    EXPECT_TRUE(links.legs.empty());  // the hour cell is selected first
    // Walk right until a departure is selected.
    for (int i = 0; i < 48 && g.selectedDeparture() == nullptr; ++i) kit->key(ui::VK_RIGHT);
    const StDeparture* d = g.selectedDeparture();
    ASSERT_NE(d, nullptr);
    kit->key(ui::VK_RETURN);
    ASSERT_EQ(links.legs.size(), 1u);
    EXPECT_EQ(links.legs[0].trip, static_cast<std::uint32_t>(d->trip));
    EXPECT_EQ(links.legs[0].boardPosition, 255);
    EXPECT_EQ(links.legs[0].alightPosition, 255);
    EXPECT_EQ(links.legs[0].timetable, 0);
    EXPECT_EQ(links.returns[0], 4042);
}

TEST_F(StopTimetableScreensTest, ADoubleTapOnADepartureOpensIt) {
    open(query("12", element(u"Divadlo"), -1, true));
    view->showPage(1);
    cStopTimetableGrid& g = grid(1);
    g.ScrollTo(0);
    const HourGridGeometry& geo = g.geometry();
    int hour = 0;
    while (hour < 23 && geo.count(hour) == 0) ++hour;
    const Rect cell = geo.departureRect(hour, 0).offset(0, -g.scrollPos);
    const auto origin = ui::clientToScreen(g.handle(), {cell.left + 3, cell.top + 3});
    kit->tap(origin);
    kit->advance(50);
    kit->tap(origin);
    kit->pump();
    EXPECT_EQ(g.selection(), (GridCell{1, hour}));
    EXPECT_EQ(links.legs.size(), 1u);
}

TEST_F(StopTimetableScreensTest, RouteStopsSearchAgainFromTheRowOrTheOtherWay) {
    open(query("12", element(u"Divadlo"), element(u"Sídliště"), false));
    const StopTimetableCopy& t = view->timetable();
    ASSERT_GE(t.routeStops.size(), 3u);
    auto& page = *static_cast<cRouteStopsPage*>(view->page(0));
    page.onChoose(t.fromRow());
    EXPECT_TRUE(links.queries.empty());  // the from row itself
    page.onChoose(2);
    ASSERT_EQ(links.queries.size(), 1u);
    EXPECT_EQ(links.queries[0].from, t.routeStops[2].stop);
    EXPECT_EQ(links.queries[0].fromOccurrence, t.routeStops[2].occurrence);
    EXPECT_EQ(links.queries[0].to, t.routeStops.back().stop);
    EXPECT_EQ(links.queries[0].lineText, "12");
    page.onChoose(static_cast<int>(t.routeStops.size()) - 1);
    ASSERT_EQ(links.queries.size(), 2u);
    EXPECT_EQ(links.queries[1].from, element(u"Sídliště"));
    EXPECT_EQ(links.queries[1].to, element(u"Divadlo"));
    EXPECT_EQ(links.queries[1].fromOccurrence, -1);
}

// Without a direction there is no direction to start from: the last row asks for the timetable
// from the route's last stop, which the engine finds with its way back.
TEST_F(StopTimetableScreensTest, TheLastRowOfASearchWithoutDirectionStartsFromTheLastStop) {
    open(query("12", element(u"Divadlo"), -1, false));
    const StopTimetableCopy& t = view->timetable();
    ASSERT_GE(t.routeStops.size(), 2u);
    auto& page = *static_cast<cRouteStopsPage*>(view->page(0));
    page.onChoose(static_cast<int>(t.routeStops.size()) - 1);
    ASSERT_EQ(links.queries.size(), 1u);
    const StopTimetableQuery& again = links.queries[0];
    EXPECT_EQ(again.from, t.routeStops.back().stop);
    EXPECT_EQ(again.fromOccurrence, t.routeStops.back().occurrence);
    EXPECT_EQ(again.to, -1);
    const StopTimetableAnswer answer = runStopTimetableSearch(api(), again);
    ASSERT_EQ(answer.engineStatus, ENGINE_OK);
    ASSERT_EQ(answer.status, 0);  // not -204, the question for a from stop
    view->buildStopTimetableText(answer.result.get(), again, answer.groupCount,
                                 answer.routeStopCount);
    // Sídliště 6:20 back to Divadlo 6:32.
    const StopTimetableCopy& back = view->timetable();
    ASSERT_EQ(back.routeStops.size(), 5u);
    EXPECT_EQ(back.routeStops.front().minutes, 0);
    EXPECT_EQ(back.routeStops.back().minutes, 12);
    ASSERT_EQ(back.groups.size(), 1u);
    ASSERT_EQ(back.groups[0].hours[6].size(), 1u);
    EXPECT_EQ(back.groups[0].hours[6][0].minute, 20);
}

// A search again from the route that asks for a choice goes to the query page with its answer;
// one with nothing to choose is told over the timetable, which stays; a found one rebuilds it.
TEST_F(StopTimetableScreensTest, ASearchAgainThatNeedsAChoiceGoesToTheQueryPage) {
    open(query("12", element(u"Divadlo"), -1, false));
    StopTimetableTabLinks tabLinks(context, *view);
    std::vector<std::int32_t> offered;
    tabLinks.showQueryChoices = [&](const StopTimetableAnswer& answer, const StopTimetableQuery&) {
        offered.push_back(answer.status);
        EXPECT_NE(answer.result, nullptr);  // still readable while the page copies the choices
    };
    const std::size_t stops = view->timetable().routeStops.size();

    StopTimetableQuery reverse = query("12", -1, element(u"Divadlo"), false);
    reverse.lineIndex = 0;
    tabLinks.searchAgain(reverse);
    EXPECT_EQ(offered, std::vector<std::int32_t>{-204});
    EXPECT_EQ(view->timetable().routeStops.size(), stops);

    std::vector<platform::shell::MessageBoxRequest> told;
    platform::shell::setMessageBoxAnswerer([&](const platform::shell::MessageBoxRequest& box) {
        told.push_back(box);
        return static_cast<int>(platform::shell::IDOK);
    });
    StopTimetableQuery noLine = reverse;
    noLine.lineIndex = 999;
    tabLinks.searchAgain(noLine);
    platform::shell::setMessageBoxAnswerer({});
    EXPECT_EQ(offered.size(), 1u);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].text, u"Zadání je chybné. Opravte prosím zadání.");
    EXPECT_EQ(told[0].owner, view->handle());
    EXPECT_EQ(view->timetable().routeStops.size(), stops);

    tabLinks.searchAgain(query("12", element(u"Sídliště"), -1, false));
    EXPECT_EQ(offered.size(), 1u);
    EXPECT_EQ(view->timetable().routeStops.front().minutes, 0);
}

TEST_F(StopTimetableScreensTest, ASearchWithoutNotesHasNoNotesPage) {
    open(query("112", element(u"Hřbitov"), -1, false));
    ASSERT_TRUE(view->timetable().notes.empty());
    for (int n = 0; n < view->pageCount(); ++n) EXPECT_NE(view->pageTitle(n), u"Poznámky");
}

using StopTimetableTitlesTest = StopTimetableProfileTest;

// Without tabs each grid names its day group above the hours, as the tab would; with tabs the
// tab does and the grid fills the page.
TEST_P(StopTimetableTitlesTest, AGridWithoutTabsShowsItsDayGroupsTitle) {
    open(query("12", element(u"Divadlo"), -1, true));
    const bool tabs = settings.isNotSmartphone;
    for (int n = 1; n <= 4; ++n) {
        view->showPage(n);
        kit->pump();
        auto* page = static_cast<cStopTimetableGridPage*>(view->page(n));
        const bool shown = ui::isWindowVisible(page->heading.label.handle());
        EXPECT_EQ(shown, !tabs) << n;
        EXPECT_EQ(page->heading.title(), tabs ? u"" : view->pageTitle(n)) << n;
        const Rect gridRect = ui::getWindowRect(page->grid.handle());
        const Rect headingRect = ui::getWindowRect(page->heading.label.handle());
        if (shown)
            EXPECT_GE(gridRect.top, headingRect.bottom) << "the grid below its title";
    }
    EXPECT_EQ(view->pageTitle(2), u"Úterý-Pátek");
}

// The grid is filled before its page is laid out: at 8 o'clock every grid opens with hour 8 at
// its top (or scrolled to its end), also where the hours before 8 wrapped into more lines in
// the tiny first window.
TEST_P(StopTimetableTitlesTest, EveryGridOpensWithTheCurrentHourAtItsTop) {
    setClock(4, 8);
    open(query("12", element(u"Divadlo"), -1, true));
    for (int n = 1; n <= 4; ++n) {
        view->showPage(n);
        kit->pump();
        cStopTimetableGrid& g = grid(n);
        EXPECT_EQ(g.selection(), (GridCell{0, 8})) << n;
        // At the top, or as near as the end of the content lets it come.
        const int end = g.geometry().contentHeight() - ui::getClientRect(g.handle()).height();
        EXPECT_EQ(g.scrollPos, std::min(g.geometry().rowTop(8), std::max(0, end))) << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Profiles, StopTimetableTitlesTest,
                         ::testing::Values("480x640", "240x320", "240x320-keypad"),
                         profileTestName);

using StopTimetableShotsTest = StopTimetableProfileTest;

// The Tuesday-to-Friday grid at 6 o'clock, and the route stops, as a person sees them.
TEST_P(StopTimetableShotsTest, GridAndRouteStopsMatchTheirGoldenImages) {
    setClock(5, 6);
    open(query("12", element(u"Divadlo"), -1, true));
    const std::string folder = std::string(TRASA_SOURCE_DIR) + "/tests/app/screens/stoptimetables/golden/";
    for (const int page : {2, 0}) {
        platform::sendMessage(view->handle(), ui::WM_COMMAND, kCommandFirstPage + page, 0);
        kit->pump();
        if (const char* dump = std::getenv("TRASA_SHOT_DIR")) kit->saveScreenshot(std::string(dump) + "/" + std::to_string(page) + GetParam() + ".png");
        const std::string file = "stoptimetable-page" + std::to_string(page) + "_" + GetParam() + ".png";
        std::string report;
        EXPECT_TRUE(platform::testkit::matchesGolden(kit->screenshot(), folder + file, 48, 400, &report))
            << file << ": " << report;
    }
}

INSTANTIATE_TEST_SUITE_P(Profiles, StopTimetableShotsTest, ::testing::Values("480x640", "240x320", "240x320-keypad"),
                         profileTestName);

}  // namespace
}  // namespace pelorvant::testing
