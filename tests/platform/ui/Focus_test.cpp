#include "tests/platform/ui/UiTestSupport.h"

namespace platform::ui::testing {
namespace {

using Focus = UiTest;

TEST_F(Focus, MovingItNamesTheOtherWindow) {
    const WindowHandle frame = top(u"frame");
    const WindowHandle a = child(frame, u"a", Rect{0, 0, 10, 10});
    const WindowHandle b = child(frame, u"b", Rect{0, 0, 10, 10});
    EXPECT_EQ(setFocus(a), kNullWindow);
    log_.clear();
    EXPECT_EQ(setFocus(b), a);
    const auto seen = log_.only({WM_KILLFOCUS, WM_SETFOCUS});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].window, a);
    EXPECT_EQ(seen[0].message, WM_KILLFOCUS);
    EXPECT_EQ(seen[0].wParam, static_cast<std::uintptr_t>(b));
    EXPECT_EQ(seen[1].window, b);
    EXPECT_EQ(seen[1].message, WM_SETFOCUS);
    EXPECT_EQ(seen[1].wParam, static_cast<std::uintptr_t>(a));

    log_.clear();
    EXPECT_EQ(setFocus(b), b);  // already there: no messages
    EXPECT_TRUE(log_.all.empty());
}

TEST_F(Focus, HiddenAndDisabledWindowsCannotTakeIt) {
    const WindowHandle frame = top(u"frame");
    const WindowHandle hidden = child(frame, u"h", Rect{0, 0, 10, 10}, 0, WS_CHILD);
    const WindowHandle disabled =
        child(frame, u"d", Rect{0, 0, 10, 10}, 0, WS_CHILD | WS_VISIBLE | WS_DISABLED);
    setFocus(frame);
    EXPECT_EQ(setFocus(hidden), kNullWindow);
    EXPECT_EQ(setFocus(disabled), kNullWindow);
    EXPECT_EQ(getFocus(), frame);
}

TEST_F(Focus, LeavesHiddenDisabledAndDestroyedWindowsForTheParent) {
    struct Case {
        const char* what;
        std::function<void(WindowHandle)> act;
    };
    const Case cases[] = {
        {"hide", [](WindowHandle w) { showWindow(w, SW_HIDE); }},
        {"disable", [](WindowHandle w) { enableWindow(w, false); }},
        {"destroy", [](WindowHandle w) { ui::destroyWindow(w); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const WindowHandle frame = top(u"frame");
        const WindowHandle view = child(frame, u"view", Rect{0, 0, 100, 100});
        const WindowHandle edit = child(view, u"edit", Rect{0, 0, 50, 20});
        setFocus(edit);
        log_.clear();
        c.act(view);  // an ancestor of the focus window
        EXPECT_EQ(getFocus(), frame);
        const auto kills = log_.only({WM_KILLFOCUS});
        ASSERT_EQ(kills.size(), 1u);
        EXPECT_EQ(kills[0].window, edit);
        EXPECT_EQ(kills[0].wParam, static_cast<std::uintptr_t>(frame));
        ui::destroyWindow(frame);
    }
}

TEST_F(Focus, AKillFocusHandlerMayMoveItElsewhere) {
    const WindowHandle frame = top(u"frame");
    const WindowHandle third = child(frame, u"third", Rect{0, 0, 10, 10});
    const WindowHandle target = child(frame, u"target", Rect{0, 0, 10, 10});
    const WindowHandle first = make(u"first", WS_CHILD | WS_VISIBLE, Rect{0, 0, 10, 10}, frame, 0,
                                    [third](WindowHandle, std::uint32_t m, std::uintptr_t,
                                            std::intptr_t) -> std::optional<MsgResult> {
                                        if (m == WM_KILLFOCUS) {
                                            setFocus(third);
                                        }
                                        return std::nullopt;
                                    });
    setFocus(first);
    log_.clear();
    setFocus(target);
    EXPECT_EQ(getFocus(), third);
    for (const Received& r : log_.only({WM_SETFOCUS})) {
        EXPECT_NE(r.window, target);  // overtaken before it was told
    }
}

TEST_F(Focus, CaptureRulesAndItsChangeNotice) {
    const WindowHandle frame = top(u"frame");
    const WindowHandle a = child(frame, u"a", Rect{0, 0, 10, 10});
    const WindowHandle b = child(frame, u"b", Rect{0, 0, 10, 10});
    const WindowHandle hidden = child(frame, u"h", Rect{0, 0, 10, 10}, 0, WS_CHILD);
    EXPECT_EQ(setCapture(hidden), kNullWindow);
    EXPECT_EQ(getCapture(), kNullWindow);
    setCapture(a);
    log_.clear();
    EXPECT_EQ(setCapture(b), a);
    auto changed = log_.only({WM_CAPTURECHANGED});
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].window, a);
    EXPECT_EQ(changed[0].lParam, static_cast<std::intptr_t>(b));
    log_.clear();
    showWindow(b, SW_HIDE);  // a hidden window gives it up
    EXPECT_EQ(getCapture(), kNullWindow);
    changed = log_.only({WM_CAPTURECHANGED});
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].lParam, 0);
}

}  // namespace
}  // namespace platform::ui::testing
