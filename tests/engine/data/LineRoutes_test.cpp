#include "engine/data/LineRoutes.h"

#include <gtest/gtest.h>

#include "engine/data/EngineException.h"
#include "tests/engine/data/TimetableTestFiles.h"

namespace trasovnik {
namespace {

using Trips = std::vector<std::uint32_t>;

TEST(LineRoutes, CityTripsGroupByRunAndDirection) {
    auto jr = testing::load(testing::readFixture("city_v40.jz"));
    ASSERT_NE(jr->routes, nullptr);
    const cTrasyLinek& r = *jr->routes;
    ASSERT_EQ(r.lineCount(), 2u);

    const cLinkaTras& l1 = r.line(0);
    EXPECT_EQ(l1.name, "1");
    EXPECT_EQ(l1.kindName, "Bus");
    EXPECT_EQ(l1.trips, (Trips{0, 1, 2}));
    ASSERT_EQ(l1.routes.size(), 2u);
    EXPECT_EQ(l1.routes[0].trips, (Trips{0, 1}));
    EXPECT_EQ(l1.routes[1].trips, (Trips{2}));
    EXPECT_EQ(l1.routes[1].firstOffset, 1) << "trip 2 runs part of the route";
    EXPECT_EQ(l1.largestRoute, 2u);
    EXPECT_EQ(l1.routes[0].firstStop, 4);  // Sídliště Jih
    EXPECT_EQ(l1.routes[0].lastStop, 3);   // Nemocnice

    const cLinkaTras& l2 = r.line(1);
    EXPECT_EQ(l2.trips, (Trips{3, 4, 5, 6}));
    ASSERT_EQ(l2.routes.size(), 2u);
    EXPECT_EQ(l2.routes[0].trips, (Trips{3, 5, 6}));
    EXPECT_FALSE(l2.routes[0].reversed);
    EXPECT_EQ(l2.routes[1].trips, (Trips{4}));
    EXPECT_TRUE(l2.routes[1].reversed);
    EXPECT_EQ(l2.routes[1].firstStop, 0);  // Nádraží
    EXPECT_EQ(l2.largestRoute, 3u);

    EXPECT_EQ(r.mapIndices(4).line, 1u);
    EXPECT_EQ(r.mapIndices(4).route, 1u);
    EXPECT_EQ(r.findRoute(1, 0, 3, true, l2.routes[1].routeRecord), 1u);
    EXPECT_FALSE(r.findRoute(1, 0, 2, true, l2.routes[1].routeRecord).has_value());
    EXPECT_THROW(r.mapIndices(7), EngineException);
    EXPECT_THROW(r.line(2), EngineException);
}

TEST(LineRoutes, EqualRunsOfDifferentRouteRecordsStaySeparate) {
    // Two trips of one line with the same stop count and offset over different stops.
    nlohmann::json doc = testing::smallDescription();
    doc["header"]["kind"] = "MHD";
    doc["trips"][1]["stops"][1]["stop"] = "A";
    doc["trips"][1]["stops"][2]["stop"] = "B";
    auto jr = testing::load(testing::compileAltered(doc));
    ASSERT_NE(jr->routes, nullptr);
    const cLinkaTras& line = jr->routes->line(0);
    ASSERT_EQ(line.routes.size(), 2u);
    EXPECT_EQ(line.routes[0].lastStop, 2);
    EXPECT_EQ(line.routes[1].lastStop, 1);
}

}  // namespace
}  // namespace trasovnik
