// The hour grid as drawn on each profile: where the ink of the hours, the minutes and the note
// letters falls, as golden text, and the blank space a reader needs to tell them apart (a third
// of a digit after the hour line and between a note letter and the next minute).
#include "StopTimetableViewTest.h"

namespace pelorvant::testing {
namespace {

using StopTimetableGridSpacingTest = StopTimetableProfileTest;

// Hour 10 as the traveller reads "10 03A 12 45B 47" and hour 23 with the widest hour.
StDayGroup spacingGroup() {
    StDayGroup g;
    g.hours[10] = {{0, 3, 0, 0}, {0, 12, 0, -1}, {0, 45, 0, 1}, {0, 47, 0, -1}};
    g.hours[23] = {{0, 58, 0, 0}};
    return g;
}

// The first and last inked column within [left, right) of the rows [top, bottom); -1, -1 when
// the span is blank.
std::pair<int, int> ink(const platform::draw::Bitmap& b, int left, int right, int top, int bottom) {
    int first = -1;
    int last = -1;
    for (int x = std::max(0, left); x < std::min(right, b.width()); ++x) {
        for (int y = std::max(0, top); y < std::min(bottom, b.height()); ++y) {
            if ((b.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

TEST_P(StopTimetableGridSpacingTest, MinutesAndLettersStandClearOfTheLineAndOfEachOther) {
    open(query("12", element(u"Divadlo"), -1, true));
    view->showPage(2);
    cStopTimetableGrid& g = grid(2);
    static const StDayGroup group = spacingGroup();
    GridFonts fonts{settings.mainFont.get(), settings.smallFont.get(), settings.fontHeight,
                    settings.smallFontHeight()};
    g.setData(&group, fonts, 0);
    int digit = 0;
    for (char16_t d = u'0'; d <= u'9'; ++d)
        digit = std::max(digit, settings.mainFont->measure(std::u16string(1, d)).width);
    const int third = (digit + 2) / 3;

    const HourGridGeometry& geo = g.geometry();
    const int line = geo.hourWidth();
    std::ostringstream out;
    out << "font " << settings.fontHeight << ", digit " << digit << ", line at " << line
        << ", cell " << geo.cellWidth() << ", " << geo.cellsPerLine() << " a line\n";
    for (const int hour : {10, 23}) {
        g.ScrollTo(geo.rowTop(hour));
        platform::draw::Bitmap shot(ui::getClientRect(g.handle()).width(),
                                    ui::getClientRect(g.handle()).height());
        g.paintInto(shot);
        const int top = geo.rowTop(hour) - g.scrollPos;
        const int bottom = top + geo.lineHeight();
        const auto hourInk = ink(shot, 0, line, top, bottom);
        out << hour << ": hour " << hourInk.first << "-" << hourInk.second;
        EXPECT_GE(hourInk.first, 0) << "the hour is not cut at the left";
        EXPECT_LT(hourInk.second, line) << "the hour stays before the line";
        int lastInk = line;  // the line itself
        for (int i = 0; i < geo.count(hour); ++i) {
            const Rect cell = geo.departureRect(hour, i);
            const int letterLeft = cell.right - g.spacing().letterRoom;
            const auto minute = ink(shot, std::max(cell.left, line + 1), letterLeft, top, bottom);
            const auto letter = ink(shot, letterLeft, cell.right, top, bottom);
            const int gap = minute.first - lastInk - 1;
            out << " | gap " << gap << " minute " << minute.first << "-" << minute.second;
            if (letter.first >= 0)
                out << " letter " << letter.first << "-" << letter.second;
            EXPECT_GE(gap, third) << "hour " << hour << " departure " << i;
            if (letter.first >= 0)
                EXPECT_GT(letter.first, minute.second) << "hour " << hour << " departure " << i;
            lastInk = letter.first >= 0 ? letter.second : minute.second;
        }
        out << "\n";
    }
    expectGoldenText(out.str(), std::string("grid-spacing_") + GetParam() + ".txt");
}

INSTANTIATE_TEST_SUITE_P(Profiles, StopTimetableGridSpacingTest,
                         ::testing::Values("480x640", "240x320", "240x320-keypad"),
                         profileTestName);

}  // namespace
}  // namespace pelorvant::testing
