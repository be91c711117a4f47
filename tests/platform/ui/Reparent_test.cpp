#include "tests/platform/ui/UiTestSupport.h"

namespace platform::ui::testing {
namespace {

using Reparent = UiTest;

TEST_F(Reparent, MovesToTheTopOfTheNewParentKeepingItsNumbers) {
    const WindowHandle frame = top(u"frame");
    const WindowHandle left = child(frame, u"left", Rect{0, 0, 100, 300});
    const WindowHandle right = child(frame, u"right", Rect{120, 20, 240, 300});
    const WindowHandle other = child(right, u"other", Rect{0, 0, 10, 10});
    const WindowHandle box = child(left, u"box", Rect{5, 6, 55, 26}, 77);
    const WindowHandle inner = child(box, u"inner", Rect{1, 1, 5, 5});

    EXPECT_EQ(setParent(box, right), left);
    EXPECT_EQ(getParent(box), right);
    EXPECT_TRUE(getChildren(left).empty());
    EXPECT_EQ(getChildren(right), (std::vector<WindowHandle>{box, other}));
    // Its rectangle keeps its numbers, now in the new parent's client area; the screen position
    // follows the new parent and so does what lies below it.
    EXPECT_EQ(getWindowRectInParent(box), (Rect{5, 6, 55, 26}));
    EXPECT_EQ(getWindowRect(box), (Rect{125, 26, 175, 46}));
    EXPECT_EQ(getParent(inner), box);
    EXPECT_EQ(windowFromPoint(Point{126, 27}).window, inner);
    EXPECT_EQ(windowFromPoint(Point{10, 10}).window, left);
    EXPECT_EQ(getDlgItem(right, 77), box);
    EXPECT_EQ(getDlgItem(left, 77), kNullWindow);
    EXPECT_TRUE(getStyle(box) & WS_CHILD);
    // Destroying the old parent leaves it alone; destroying the new one takes it along.
    ui::destroyWindow(left);
    EXPECT_TRUE(isUiWindow(box));
    ui::destroyWindow(right);
    EXPECT_FALSE(isUiWindow(box));
    EXPECT_FALSE(isUiWindow(inner));
}

TEST_F(Reparent, RefusesLoopsAndStaleWindows) {
    const WindowHandle frame = top(u"frame");
    const WindowHandle a = child(frame, u"a", Rect{0, 0, 50, 50});
    const WindowHandle b = child(a, u"b", Rect{0, 0, 20, 20});
    const WindowHandle gone = child(frame, u"gone", Rect{0, 0, 5, 5});
    ui::destroyWindow(gone);
    struct Case {
        const char* what;
        WindowHandle window;
        WindowHandle parent;
    };
    const Case cases[] = {
        {"itself", a, a},
        {"its own child", a, b},
        {"a destroyed parent", b, gone},
        {"a destroyed window", gone, frame},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(setParent(c.window, c.parent), kNullWindow);
    }
    EXPECT_EQ(getParent(a), frame);
    EXPECT_EQ(getParent(b), a);
    EXPECT_EQ(getChildren(frame), (std::vector<WindowHandle>{a}));
    // The same parent again changes nothing and says so.
    const WindowHandle c = child(frame, u"c", Rect{0, 0, 5, 5});
    EXPECT_EQ(setParent(a, frame), frame);
    EXPECT_EQ(getChildren(frame), (std::vector<WindowHandle>{c, a}));
}

TEST_F(Reparent, NullParentMakesATopLevelWindow) {
    const WindowHandle frame = top(u"frame");
    const WindowHandle box = child(frame, u"box", Rect{10, 10, 60, 30});
    const WindowHandle later = top(u"later");
    EXPECT_EQ(setParent(box, kNullWindow), frame);
    EXPECT_EQ(getParent(box), kNullWindow);
    EXPECT_FALSE(getStyle(box) & WS_CHILD);
    EXPECT_EQ(getTopLevelWindows(), (std::vector<WindowHandle>{box, later, frame}));
    EXPECT_EQ(getWindowRect(box), (Rect{10, 10, 60, 30}));
    // And back under a parent.
    EXPECT_EQ(setParent(box, later), kNullWindow);
    EXPECT_EQ(getTopLevelWindows(), (std::vector<WindowHandle>{later, frame}));
    EXPECT_EQ(getChildren(later), (std::vector<WindowHandle>{box}));
}

TEST_F(Reparent, FocusStaysWhereItCanAndLeavesWhereItCannot) {
    const WindowHandle frame = top(u"frame");
    const WindowHandle form = child(frame, u"form", Rect{0, 0, 240, 150});
    const WindowHandle shown = child(frame, u"shown", Rect{0, 150, 240, 300});
    const WindowHandle hidden = child(frame, u"hidden", Rect{0, 0, 240, 300}, 0, WS_CHILD);
    const WindowHandle box = child(form, u"box", Rect{0, 0, 100, 20});
    ASSERT_EQ(setFocus(box), kNullWindow);

    log_.clear();
    setParent(box, shown);
    EXPECT_EQ(getFocus(), box);
    EXPECT_TRUE(log_.only({WM_KILLFOCUS, WM_SETFOCUS}).empty());

    // Under a hidden parent it cannot keep the focus: the parent it left takes it.
    setParent(box, hidden);
    EXPECT_EQ(getFocus(), shown);
    const auto moves = log_.only({WM_KILLFOCUS, WM_SETFOCUS});
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[0].window, box);
    EXPECT_EQ(moves[0].message, WM_KILLFOCUS);
    EXPECT_EQ(moves[1].window, shown);
    EXPECT_FALSE(isWindowVisible(box));
    // Shown with its new parent, it is where it was put and takes input again.
    showWindow(hidden, SW_SHOW);
    EXPECT_EQ(windowFromPoint(Point{50, 10}).window, box);
    EXPECT_EQ(setFocus(box), shown);
}

TEST_F(Reparent, CaptureLeavesAWindowThatCanNoLongerTakeInput) {
    const WindowHandle frame = top(u"frame");
    const WindowHandle off =
        child(frame, u"off", Rect{0, 0, 240, 300}, 0, WS_CHILD | WS_VISIBLE | WS_DISABLED);
    const WindowHandle box = child(frame, u"box", Rect{0, 0, 100, 20});
    setCapture(box);
    setParent(box, off);
    EXPECT_EQ(getCapture(), kNullWindow);
}

}  // namespace
}  // namespace platform::ui::testing
