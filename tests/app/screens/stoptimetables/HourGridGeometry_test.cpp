// The arithmetic of the hour grid: lines per hour, cells, hits and the arrow keys.
#include "app/screens/stoptimetables/HourGridGeometry.h"

#include <gtest/gtest.h>

namespace pelorvant {
namespace {

// H = 16: cells of 24 pixels; a usable width of 16 + 6 × 24 = 160 holds six cells a line.
constexpr int kH = 16;
constexpr int kSixCells = 160;

std::array<int, 24> counts(std::initializer_list<std::pair<int, int>> hours) {
    std::array<int, 24> c{};
    for (const auto& [hour, n] : hours) c[static_cast<std::size_t>(hour)] = n;
    return c;
}

TEST(HourGridGeometry, HoursTakeAsManyLinesAsTheirDeparturesNeedAndAtLeastOne) {
    const HourGridGeometry g(kH, kSixCells, counts({{5, 25}, {6, 6}, {7, 7}}));
    EXPECT_EQ(g.cellsPerLine(), 6);
    EXPECT_EQ(g.cellWidth(), 24);
    EXPECT_EQ(g.lines(5), 5);  // 25 departures in lines of six
    EXPECT_EQ(g.lines(6), 1);
    EXPECT_EQ(g.lines(7), 2);
    EXPECT_EQ(g.lines(0), 1);  // no departures: one line with the hour alone
    EXPECT_EQ(g.contentHeight(), (21 + 5 + 1 + 2) * kH);
    EXPECT_EQ(g.rowTop(6), 10 * kH);
    // Departure 13 of hour 5: line 2, column 1.
    const auto r = g.departureRect(5, 13);
    EXPECT_EQ(r.left, kH + 24);
    EXPECT_EQ(r.top, 5 * kH + 2 * kH + 1);
    EXPECT_EQ(r.height(), kH);
}

TEST(HourGridGeometry, ANarrowWindowStillHasOneCellALineAndNoDivisionByZero) {
    const std::array<int, 24> busy = counts({{8, 500}, {9, -3}});
    for (const int width : {0, 10, kH, kH + 23}) {
        const HourGridGeometry g(kH, width, busy);
        EXPECT_EQ(g.cellsPerLine(), 1) << width;
        EXPECT_EQ(g.lines(8), 500);
        EXPECT_EQ(g.lines(9), 1);  // a negative count reads as none
    }
    const HourGridGeometry zeroFont(0, 100, busy);
    EXPECT_GE(zeroFont.cellsPerLine(), 1);
    EXPECT_GT(zeroFont.contentHeight(), 0);
}

TEST(HourGridGeometry, APointHitsTheCellUnderItOrNothing) {
    const HourGridGeometry g(kH, kSixCells, counts({{0, 8}}));
    EXPECT_EQ(g.hit(3, 3), (GridCell{0, 0}));
    EXPECT_EQ(g.hit(kH + 1, 2), (GridCell{1, 0}));
    EXPECT_EQ(g.hit(kH + 24 + 1, kH + 2), (GridCell{8, 0}));   // line 1, column 1: departure 7
    EXPECT_FALSE(g.hit(kH + 2 * 24 + 1, kH + 2).has_value());  // past the last departure
    EXPECT_FALSE(g.hit(kH + 6 * 24 + 1, 2).has_value());       // right of the last column
    EXPECT_FALSE(g.hit(kH + 1, 2 * kH + 1).has_value());     // hour 1 has no departures
    EXPECT_EQ(g.hit(1, 2 * kH + 1), (GridCell{0, 1}));
    EXPECT_FALSE(g.hit(5, g.contentHeight()).has_value());
    EXPECT_FALSE(g.hit(-1, 5).has_value());
}

struct Move {
    const char* key;
    GridCell from;
    GridCell to;
};

TEST(HourGridGeometry, ArrowKeysFollowTheRowsAndWrapBetweenHours) {
    // Hour 0: none; hour 1: 8 (two lines); hour 2: 3; hour 3: none; hour 23: 2.
    const HourGridGeometry g(kH, kSixCells, counts({{1, 8}, {2, 3}, {23, 2}}));
    const Move moves[] = {
        {"right", {0, 1}, {1, 1}},   {"right", {8, 1}, {1, 2}},   {"right", {3, 2}, {0, 3}},
        {"right", {2, 23}, {2, 23}}, {"right", {0, 0}, {1, 1}},   {"left", {2, 1}, {1, 1}},
        {"left", {1, 2}, {8, 1}},    {"left", {0, 2}, {8, 1}},    {"left", {1, 1}, {0, 0}},
        {"left", {0, 0}, {0, 0}},    {"down", {0, 0}, {0, 1}},    {"down", {0, 23}, {0, 23}},
        {"down", {2, 1}, {8, 1}},    {"down", {6, 1}, {3, 2}},    {"down", {8, 1}, {2, 2}},
        {"down", {2, 2}, {0, 3}},    {"down", {1, 23}, {1, 23}},  {"up", {0, 1}, {0, 0}},
        {"up", {8, 1}, {2, 1}},      {"up", {1, 1}, {0, 0}},      {"up", {3, 2}, {8, 1}},
        {"up", {1, 2}, {7, 1}},      {"up", {0, 0}, {0, 0}},      {"up", {2, 0}, {2, 0}},
    };
    for (const Move& m : moves) {
        GridCell got;
        const std::string key = m.key;
        if (key == "right") got = g.right(m.from);
        if (key == "left") got = g.left(m.from);
        if (key == "down") got = g.down(m.from);
        if (key == "up") got = g.up(m.from);
        EXPECT_EQ(got, m.to) << key << " from column " << m.from.column << " of hour " << m.from.row;
    }
}

}  // namespace
}  // namespace pelorvant
