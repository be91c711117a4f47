// The arithmetic of the navigation view: arrow, head, name placement, texts and the track.
#include "app/screens/navigation/NavigationGeometry.h"
#include "app/screens/navigation/NavigationTrack.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace pelorvant {
namespace {

TEST(NavigationGeometry, TheArrowPointsUpForZeroAndTurnsClockwise) {
    struct Case {
        int angle;
        Point tail;
        Point tip;
    };
    const Case cases[] = {
        {0, {50, 100}, {50, 0}},
        {90, {0, 50}, {100, 50}},
        {180, {50, 0}, {50, 100}},
        {-90, {100, 50}, {0, 50}},
    };
    for (const Case& c : cases) {
        const ArrowLine line = arrowLine(c.angle, 50);
        EXPECT_NEAR(line.tail.x, c.tail.x, 1) << c.angle;
        EXPECT_NEAR(line.tail.y, c.tail.y, 1) << c.angle;
        EXPECT_NEAR(line.tip.x, c.tip.x, 1) << c.angle;
        EXPECT_NEAR(line.tip.y, c.tip.y, 1) << c.angle;
    }
}

TEST(NavigationGeometry, TheHeadIsATriangleBehindTheTip) {
    // Up the y axis, width 8: the base lies 8 / (tan 0.4 · 100) of the line behind the tip.
    const auto head = arrowHead({50, 100}, {50, 0}, 8);
    ASSERT_TRUE(head.has_value());
    EXPECT_EQ((*head)[0], (Point{50, 0}));
    EXPECT_EQ((*head)[1], (Point{54, 18}));
    EXPECT_EQ((*head)[2], (Point{46, 18}));
}

TEST(NavigationGeometry, AHeadOfNoLengthOrNoWidthIsNotDrawn) {
    EXPECT_FALSE(arrowHead({7, 7}, {7, 7}, 8).has_value());
    EXPECT_FALSE(arrowHead({0, 0}, {0, 0}, 0).has_value());
    EXPECT_FALSE(arrowHead({0, 0}, {10, 0}, 0).has_value());
    // A control of no size gives an arrow of no length.
    const ArrowLine none = arrowLine(45, 0);
    EXPECT_FALSE(arrowHead(none.tail, none.tip, 8).has_value());
}

TEST(NavigationGeometry, NamesStayInsideTheMap) {
    const Rect client{0, 0, 200, 100};
    const platform::draw::Size text{60, 12};
    struct Case {
        Point item;
        Point at;
    };
    const Case cases[] = {
        {{10, 10}, {10, 15}},       // beside and below
        {{180, 10}, {140, 15}},     // ends at the right edge
        {{10, 95}, {10, 78}},       // ends 5 above when it would pass the bottom
        {{-500, -500}, {0, 0}},     // an item far off the map keeps its name on it
        {{5000, 5000}, {140, 88}},
    };
    for (const Case& c : cases) EXPECT_EQ(namePosition(c.item, text, client), c.at) << c.item.x << "," << c.item.y;
    // A name wider than the map starts at its left edge.
    EXPECT_EQ(namePosition({50, 10}, {300, 12}, client).x, 0);
}

TEST(NavigationGeometry, DistanceTextsAndAngles) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::pair<double, std::u16string> texts[] = {
        {-1, u"-"}, {-0.5, u"-"}, {0, u"0"}, {12.9, u"12"}, {1500, u"1500"}, {nan, u"-"},
        {std::numeric_limits<double>::infinity(), u"-"},
    };
    for (const auto& [metres, text] : texts) EXPECT_EQ(distanceText(metres), text) << metres;
    EXPECT_EQ(arrowAngle(90, 30), 60);
    EXPECT_EQ(arrowAngle(10.7, 350), -339);
    EXPECT_EQ(arrowAngle(90, kNoAngle), kNoAngle);
    EXPECT_EQ(arrowAngle(nan, 0), kNoAngle);
}

TEST(NavigationGeometry, TheLabelNamesTheTargetAndShowsItsNameAsWritten) {
    EXPECT_EQ(navigationMarkup(20, u"Nádraží", 250),
              u"<*16*><*b*>Cílová zastávka:<*b*> Nádraží\r<*b*>Vzdálenost (m):<*b*> 250");
    EXPECT_EQ(navigationMarkup(20, u"#*logo*#", -1).find(u"#*logo*#"), std::u16string::npos);
}

TEST(NavigationTrack, GrowsToFiftyThenDropsTheOldest) {
    NavigationTrack track;
    for (int i = 0; i < 60; ++i) track.add({49.0 + i, 15.0}, {i, i});
    ASSERT_EQ(track.count(), kTrackLength);
    EXPECT_EQ(track.points().front().pixel, (Point{10, 10}));
    EXPECT_EQ(track.points().back().pixel, (Point{59, 59}));
}

TEST(NavigationTrack, TheSamePixelTwiceAddsNothingAndReprojectionMovesEveryPoint) {
    NavigationTrack track;
    track.add({49.0, 15.0}, {5, 5});
    track.add({49.00001, 15.0}, {5, 5});
    EXPECT_EQ(track.count(), 1u);
    track.add({49.1, 15.0}, {6, 5});
    track.add({49.0, 15.0}, {5, 5});  // back on an older pixel: a new point
    EXPECT_EQ(track.count(), 3u);
    track.reproject([](const GeoPoint& p) { return Point{static_cast<int>(p.latitude * 10), 0}; });
    EXPECT_EQ(track.points()[1].pixel, (Point{491, 0}));
}

}  // namespace
}  // namespace pelorvant
