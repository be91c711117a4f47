// The scroll bar (vertical and horizontal) and the up-down control, driven by taps, holds and
// drags.

#include "ControlHost.h"

#include "platform/controls/ControlStyle.h"
#include "platform/controls/ScrollBar.h"
#include "platform/controls/UpDown.h"
#include "platform/core/MessageLoop.h"

#include <gtest/gtest.h>

namespace platform::controls {
namespace {

using draw::Point;
using draw::Rect;
using testing::ControlHost;
using Seen = std::vector<std::string>;

// A bar 13 wide and 213 high at (200, 10): arrows 13 high, a track of 187 pixels from y 23.
class ScrollBarTest : public ::testing::Test {
protected:
    ScrollBarTest()
        : host({{UDN_DELTAPOS, "DELTAPOS"}}, {{SB_LINEUP, "LINEUP"},
                                              {SB_LINEDOWN, "LINEDOWN"},
                                              {SB_PAGEUP, "PAGEUP"},
                                              {SB_PAGEDOWN, "PAGEDOWN"},
                                              {SB_THUMBPOSITION, "THUMBPOSITION"},
                                              {SB_THUMBTRACK, "THUMBTRACK"},
                                              {SB_ENDSCROLL, "ENDSCROLL"}}) {
        bar = host.add(kScrollBarClass, u"", SBS_VERT, Rect{200, 10, 213, 223}, 5172);
        ScrollInfo info;
        info.mask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
        info.min = 0;
        info.max = 98;   // content 100 high, range 0 to h - 2
        info.page = 33;  // a third of it shows: the thumb is a third of the track
        info.pos = 0;
        setScrollInfo(bar, info);
    }
    int pos() const { return static_cast<int>(sendMessage(bar, SBM_GETPOS)); }

    testkit::UiTestKit kit;
    ControlHost host;
    WindowHandle bar = kNullWindow;
};

TEST_F(ScrollBarTest, PositionIsKeptWithinTheRangeLessThePage) {
    struct Case {
        int asked;
        int kept;
    };
    // The last page starts at max - page + 1 = 66.
    const Case cases[] = {{-5, 0}, {0, 0}, {40, 40}, {66, 66}, {67, 66}, {1000, 66}};
    for (const Case& c : cases) {
        ScrollInfo info;
        info.mask = SIF_POS;
        info.pos = c.asked;
        EXPECT_EQ(setScrollInfo(bar, info), c.kept) << c.asked;
    }
    ScrollInfo got;
    got.mask = SIF_ALL;
    ASSERT_TRUE(getScrollInfo(bar, got));
    EXPECT_EQ(got.min, 0);
    EXPECT_EQ(got.max, 98);
    EXPECT_EQ(got.page, 33u);
    EXPECT_EQ(got.pos, 66);
}

TEST_F(ScrollBarTest, TapsOnArrowsAndTrackSendTheirCodesAndTheBarDoesNotMoveItself) {
    struct Case {
        Point at;
        const char* code;
    };
    sendMessage(bar, SBM_SETPOS, 33, 1);  // thumb at y 23 + 33 * 125 / 66 = 85, 62 long
    const Case cases[] = {{{206, 15}, "LINEUP"},
                          {{206, 218}, "LINEDOWN"},
                          {{206, 40}, "PAGEUP"},
                          {{206, 200}, "PAGEDOWN"}};
    for (const Case& c : cases) {
        host.seen().clear();
        kit.tap(c.at);
        EXPECT_EQ(host.seen(),
                  (Seen{std::string("vscroll:") + c.code + ":0", "vscroll:ENDSCROLL:0"}))
            << c.code;
        EXPECT_EQ(pos(), 33);
    }
}

// A bar without SBS_VERT lies across: its arrows are at the left and right ends, it tells the
// parent with WM_HSCROLL, and the thumb is dragged sideways.
TEST_F(ScrollBarTest, AHorizontalBarWorksAlongItsWidth) {
    const WindowHandle side =
        host.add(kScrollBarClass, u"", SBS_HORZ, Rect{10, 230, 223, 243}, 5173);
    ScrollInfo info;
    info.mask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.max = 98;
    info.page = 33;
    info.pos = 33;  // thumb at x 23 + 33 * 125 / 66 = 85, 62 long
    setScrollInfo(side, info);
    struct Case {
        Point at;
        const char* code;
    };
    const Case cases[] = {{{15, 236}, "LINEUP"},
                          {{218, 236}, "LINEDOWN"},
                          {{40, 236}, "PAGEUP"},
                          {{200, 236}, "PAGEDOWN"}};
    for (const Case& c : cases) {
        host.seen().clear();
        kit.tap(c.at);
        EXPECT_EQ(host.seen(),
                  (Seen{std::string("hscroll:") + c.code + ":0", "hscroll:ENDSCROLL:0"}))
            << c.code;
    }
    host.seen().clear();
    kit.press(Point{10 + 100, 236});
    kit.move(Point{10 + 100 - 125, 236});
    kit.release(Point{10 + 100 - 125, 236});
    EXPECT_EQ(host.seen(),
              (Seen{"hscroll:THUMBTRACK:0", "hscroll:THUMBPOSITION:0", "hscroll:ENDSCROLL:0"}));
}

TEST_F(ScrollBarTest, HeldArrowRepeatsAfterTheDelay) {
    kit.press(Point{206, 218});
    kit.advance(kScrollRepeatDelay - 1);
    EXPECT_EQ(host.seen(), (Seen{"vscroll:LINEDOWN:0"}));
    kit.advance(1 + 2 * kScrollRepeatInterval);
    kit.release(Point{206, 218});
    EXPECT_EQ(host.seen(), (Seen{"vscroll:LINEDOWN:0", "vscroll:LINEDOWN:0", "vscroll:LINEDOWN:0",
                                 "vscroll:LINEDOWN:0", "vscroll:ENDSCROLL:0"}));
}

TEST_F(ScrollBarTest, DraggingTheThumbTracksAndEndsWithItsPosition) {
    // The thumb lies at 23..85; 125 pixels of travel for 66 positions.
    kit.press(Point{206, 30});
    kit.move(Point{206, 30 + 125});       // to the very end
    kit.move(Point{206, 30 + 125 + 40});  // beyond: stays at the end
    kit.release(Point{206, 30 + 125 + 40});
    EXPECT_EQ(host.seen(),
              (Seen{"vscroll:THUMBTRACK:66", "vscroll:THUMBPOSITION:66", "vscroll:ENDSCROLL:0"}));
    EXPECT_EQ(pos(), 0);  // the parent decides
}

TEST_F(ScrollBarTest, BarThatCannotScrollTakesNoInputAndShowsNoThumb) {
    ScrollInfo info;
    info.mask = SIF_RANGE | SIF_PAGE;
    info.min = 0;
    info.max = 20;
    info.page = 40;
    setScrollInfo(bar, info);
    kit.tap(Point{206, 218});
    kit.tap(Point{206, 100});
    EXPECT_TRUE(host.seen().empty());
    const draw::Bitmap& shot = kit.screenshot();
    for (int y = 24; y < 210; y += 10) {
        EXPECT_EQ(shot.pixel(206, y), draw::rgb(0xEE, 0xEE, 0xEE)) << y;
    }
}

TEST_F(ScrollBarTest, ThumbIsDrawnWhereThePositionPutsIt) {
    sendMessage(bar, SBM_SETPOS, 66, 1);  // the last page: thumb at the bottom of the track
    const draw::Bitmap& shot = kit.screenshot();
    EXPECT_EQ(shot.pixel(206, 30), draw::rgb(0xEE, 0xEE, 0xEE));
    EXPECT_EQ(shot.pixel(206, 200), draw::rgb(0xC0, 0xC0, 0xC0));
}

TEST_F(ScrollBarTest, UpDownStepsWithinItsRangeAndTheParentMayRefuse) {
    const WindowHandle buddy = host.add(kStaticClass, u"12:05", 0, Rect{10, 10, 80, 30}, 45646);
    const WindowHandle ud = host.add(kUpDownClass, u"", 0, Rect{90, 10, 105, 30}, 2061);
    EXPECT_EQ(sendMessage(ud, UDM_SETBUDDY, static_cast<std::uintptr_t>(buddy)), 0);
    EXPECT_EQ(static_cast<WindowHandle>(sendMessage(ud, UDM_GETBUDDY)), buddy);
    std::vector<int> deltas;
    bool refuse = false;
    host.onNotify([&](const ui::NotifyHeader& h) -> MsgResult {
        const auto& n = reinterpret_cast<const UpDownNotify&>(h);
        deltas.push_back(n.delta);
        return refuse ? 1 : 0;
    });
    // The customary default range runs from 100 down to 0: up steps by -1.
    kit.tap(Point{97, 12});
    kit.tap(Point{97, 28});
    EXPECT_EQ(deltas, (std::vector<int>{-1, 1}));
    EXPECT_EQ(host.seen(),
              (Seen{"notify:2061:DELTAPOS", "vscroll:THUMBPOSITION:0", "vscroll:ENDSCROLL:0",
                    "notify:2061:DELTAPOS", "vscroll:THUMBPOSITION:1", "vscroll:ENDSCROLL:1"}));
    sendMessage(ud, UDM_SETRANGE32, 0, 3);
    sendMessage(ud, UDM_SETPOS32, 0, 2);
    deltas.clear();
    kit.tap(Point{97, 12});
    kit.tap(Point{97, 12});  // at the upper end: stays
    EXPECT_EQ(deltas, (std::vector<int>{1, 1}));
    EXPECT_EQ(sendMessage(ud, UDM_GETPOS32), 3);
    refuse = true;
    kit.tap(Point{97, 28});
    EXPECT_EQ(sendMessage(ud, UDM_GETPOS32), 3);
    EXPECT_EQ(sendMessage(ud, UDM_SETPOS32, 0, 99), 3);
    EXPECT_EQ(sendMessage(ud, UDM_GETPOS32), 3);  // clamped
}

TEST_F(ScrollBarTest, HeldUpDownArrowRepeatsAndShowsItPressed) {
    const WindowHandle ud = host.add(kUpDownClass, u"", 0, Rect{90, 10, 105, 30}, 2061);
    sendMessage(ud, UDM_SETRANGE32, 0, 50);
    kit.press(Point{97, 28});
    EXPECT_EQ(kit.screenshot().pixel(92, 26), kSelectionColor);
    EXPECT_EQ(kit.screenshot().pixel(92, 13), kFaceColor);
    kit.advance(kScrollRepeatDelay + kScrollRepeatInterval);
    kit.release(Point{97, 28});
    EXPECT_EQ(sendMessage(ud, UDM_GETPOS32), 0);  // down from 0 within 0..50
    sendMessage(ud, UDM_SETPOS32, 0, 10);
    kit.press(Point{97, 12});
    kit.advance(kScrollRepeatDelay + kScrollRepeatInterval);
    kit.release(Point{97, 12});
    EXPECT_EQ(sendMessage(ud, UDM_GETPOS32), 13);
    EXPECT_EQ(kit.screenshot().pixel(92, 13), kFaceColor);
}

}  // namespace
}  // namespace platform::controls
