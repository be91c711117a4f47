#include "tests/platform/ui/UiTestSupport.h"

#include "platform/core/VirtualClock.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowClass.h"

namespace platform::ui::testing {
namespace {

class Input : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        registerClass(WindowClass{"Taps", {}, CS_DBLCLKS, draw::rgb(255, 255, 255)});
    }
    // Delivers what the input produced.
    void pump() { ui::pumpMessages(); }
    std::vector<Received> fingers() {
        return log_.only({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE, WM_LBUTTONDBLCLK});
    }
    VirtualClock clock_{1000};
};

TEST_F(Input, ATapGoesToTheDeepestWindowInItsClientCoordinates) {
    const WindowHandle frame = top(u"frame", Rect{0, 0, 240, 320}, WS_VISIBLE | WS_BORDER);
    const WindowHandle panel = child(frame, u"panel", Rect{10, 10, 110, 110});
    const WindowHandle button = child(panel, u"button", Rect{20, 30, 60, 50});
    fingerDown(Point{1 + 10 + 25, 1 + 10 + 35});
    fingerUp(Point{1 + 10 + 25, 1 + 10 + 35});
    pump();
    const auto seen = fingers();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].window, button);
    EXPECT_EQ(seen[0].message, WM_LBUTTONDOWN);
    EXPECT_EQ(xOfLParam(seen[0].lParam), 5);
    EXPECT_EQ(yOfLParam(seen[0].lParam), 5);
    EXPECT_EQ(seen[1].message, WM_LBUTTONUP);
}

TEST_F(Input, ChildrenOutsideTheirParentAreNotHit) {
    const WindowHandle frame = top(u"frame");
    const WindowHandle panel = child(frame, u"panel", Rect{0, 0, 50, 50});
    child(panel, u"sticksOut", Rect{40, 40, 100, 100});  // mostly outside the panel
    fingerDown(Point{70, 70});
    fingerUp(Point{70, 70});
    pump();
    ASSERT_FALSE(fingers().empty());
    EXPECT_EQ(fingers()[0].window, frame);
}

TEST_F(Input, DisabledWindowsSwallowAndTransparentOnesPassOn) {
    const WindowHandle frame = top(u"frame");
    const WindowHandle below = child(frame, u"below", Rect{0, 0, 100, 100});
    make(u"glass", WS_CHILD | WS_VISIBLE, Rect{0, 0, 100, 100}, frame, 0,
         [](WindowHandle, std::uint32_t m, std::uintptr_t,
            std::intptr_t) -> std::optional<MsgResult> {
             if (m == WM_NCHITTEST) {
                 return HTTRANSPARENT;
             }
             return std::nullopt;
         });
    fingerDown(Point{5, 5});
    fingerUp(Point{5, 5});
    pump();
    ASSERT_EQ(fingers().size(), 2u);
    EXPECT_EQ(fingers()[0].window, below);

    log_.clear();
    enableWindow(below, false);
    fingerDown(Point{5, 5});
    fingerUp(Point{5, 5});
    pump();
    EXPECT_TRUE(fingers().empty());  // not passed to the frame either
}

TEST_F(Input, TheWindowThatTookTheFingerDownGetsTheDragAndTheUp) {
    const WindowHandle frame = top(u"frame");
    const WindowHandle list = child(frame, u"list", Rect{0, 0, 100, 100});
    fingerDown(Point{50, 50});
    fingerMove(Point{50, 150});  // outside the list
    fingerUp(Point{50, 200});
    pump();
    const auto seen = fingers();
    ASSERT_EQ(seen.size(), 3u);
    for (const Received& r : seen) {
        EXPECT_EQ(r.window, list);
    }
    EXPECT_EQ(yOfLParam(seen[2].lParam), 200);
    log_.clear();
    fingerMove(Point{10, 10});  // no finger down: a touch screen does not hover
    pump();
    EXPECT_TRUE(fingers().empty());
}

TEST_F(Input, ExplicitCaptureTakesEveryFingerEvent) {
    const WindowHandle frame = top(u"frame");
    const WindowHandle a = child(frame, u"a", Rect{0, 0, 50, 50});
    const WindowHandle b = child(frame, u"b", Rect{100, 100, 150, 150});
    setCapture(a);
    fingerDown(Point{120, 120});
    fingerUp(Point{120, 120});
    pump();
    const auto seen = fingers();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].window, a);
    EXPECT_EQ(xOfLParam(seen[0].lParam), 120);
    releaseCapture();
    log_.clear();
    fingerDown(Point{120, 120});
    fingerUp(Point{120, 120});
    pump();
    ASSERT_EQ(fingers().size(), 2u);
    EXPECT_EQ(fingers()[0].window, b);
}

TEST_F(Input, DoubleTapsNeedTheClassStyleTimeAndPlace) {
    struct Case {
        const char* what;
        std::string cls;
        std::uint64_t gap;
        int dx;
        bool doubled;
    };
    const int near = systemMetrics().doubleTapDistance;
    const Case cases[] = {
        {"quick and close", "Taps", 200, near, true},
        {"at the time limit", "Taps", kDoubleTapTime, 0, true},
        {"too slow", "Taps", kDoubleTapTime + 1, 0, false},
        {"too far", "Taps", 100, near + 1, false},
        {"class without double taps", "Test", 100, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const WindowHandle w =
            make(u"w", WS_VISIBLE, Rect{0, 0, 240, 320}, kNullWindow, 0, {}, c.cls);
        fingerDown(Point{50, 50});
        fingerUp(Point{50, 50});
        clock_.advance(c.gap);
        fingerDown(Point{50 + c.dx, 50});
        fingerUp(Point{50 + c.dx, 50});
        pump();
        const auto seen = fingers();
        ASSERT_EQ(seen.size(), 4u);
        EXPECT_EQ(seen[2].message, c.doubled ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN);
        ui::destroyWindow(w);
        log_.clear();
        clock_.advance(1000);
    }
}

TEST_F(Input, AThirdTapStartsAfresh) {
    make(u"w", WS_VISIBLE, Rect{0, 0, 240, 320}, kNullWindow, 0, {}, "Taps");
    for (int i = 0; i < 3; ++i) {
        fingerDown(Point{5, 5});
        fingerUp(Point{5, 5});
        clock_.advance(50);
    }
    pump();
    std::vector<std::uint32_t> downs;
    for (const Received& r : log_.only({WM_LBUTTONDOWN, WM_LBUTTONDBLCLK})) {
        downs.push_back(r.message);
    }
    EXPECT_EQ(downs,
              (std::vector<std::uint32_t>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN}));
}

TEST_F(Input, KeysGoToTheFocusWithTheirCharacterBeforeTheKeyUp) {
    const WindowHandle frame = top(u"frame");
    const WindowHandle edit = child(frame, u"edit", Rect{0, 0, 50, 20});
    keyDown(VK_A);  // no focus yet: dropped
    keyUp(VK_A);
    setFocus(edit);
    keyDown(VK_SHIFT);
    keyDown(VK_A);
    keyUp(VK_A);
    keyUp(VK_SHIFT);
    keyDown(VK_0 + 7);
    keyUp(VK_0 + 7);
    keyDown(VK_LEFT);  // no character
    characterInput(u'č');
    pump();
    std::vector<std::pair<std::uint32_t, std::uintptr_t>> seen;
    for (const Received& r : log_.only({WM_KEYDOWN, WM_KEYUP, WM_CHAR})) {
        EXPECT_EQ(r.window, edit);
        seen.emplace_back(r.message, r.wParam);
    }
    const std::vector<std::pair<std::uint32_t, std::uintptr_t>> expected = {
        {WM_KEYDOWN, VK_SHIFT}, {WM_KEYDOWN, VK_A},     {WM_CHAR, u'A'}, {WM_KEYUP, VK_A},
        {WM_KEYUP, VK_SHIFT},   {WM_KEYDOWN, VK_0 + 7}, {WM_CHAR, u'7'}, {WM_KEYUP, VK_0 + 7},
        {WM_KEYDOWN, VK_LEFT},  {WM_CHAR, u'č'},
    };
    EXPECT_EQ(seen, expected);
}

TEST(KeyCharacters, Table) {
    struct Case {
        std::uint32_t vk;
        bool shift;
        char16_t c;
    };
    const Case cases[] = {
        {VK_A + 25, false, u'z'},  {VK_A, true, u'A'},       {VK_0, false, u'0'},
        {VK_RETURN, false, u'\r'}, {VK_BACK, false, u'\b'},  {VK_SPACE, false, u' '},
        {VK_TSTAR, false, u'*'},   {VK_TPOUND, false, u'#'}, {VK_TSOFT1, false, 0},
        {VK_DOWN, false, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(characterOfKey(c.vk, c.shift), c.c) << c.vk;
    }
}

}  // namespace
}  // namespace platform::ui::testing
