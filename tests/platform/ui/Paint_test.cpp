#include "tests/platform/ui/UiTestSupport.h"

#include "platform/core/Thread.h"
#include "platform/core/Timer.h"
#include "platform/core/VirtualClock.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowClass.h"

namespace platform::ui::testing {
namespace {

using draw::rgb;

constexpr draw::Color kRed = rgb(255, 0, 0);
constexpr draw::Color kBlue = rgb(0, 0, 255);

// Paints its whole client area in one colour, as far as the paint context lets it.
Handler paintsIn(draw::Color color, std::vector<Rect>* paintRects = nullptr) {
    return [color, paintRects](WindowHandle w, std::uint32_t m, std::uintptr_t,
                               std::intptr_t) -> std::optional<MsgResult> {
        if (m != WM_PAINT) {
            return std::nullopt;
        }
        PaintContext paint(w);
        if (paintRects) {
            paintRects->push_back(paint.paintRect());
        }
        paint.dc().fillRect(getClientRect(w), color);
        return 0;
    };
}

using Paint = UiTest;

TEST_F(Paint, InvalidPartsMergeIntoOnePaintClippedToThem) {
    std::vector<Rect> painted;
    const WindowHandle w =
        make(u"w", WS_VISIBLE, Rect{0, 0, 100, 100}, kNullWindow, 0, paintsIn(kRed));
    ui::pumpMessages();  // the first paint
    platform::setWindowProc(w,
                            [&painted](WindowHandle h, std::uint32_t m, std::uintptr_t wp,
                                       std::intptr_t lp) -> MsgResult {
                                if (auto r = paintsIn(kBlue, &painted)(h, m, wp, lp)) {
                                    return *r;
                                }
                                return defWindowProc(h, m, wp, lp);
                            });
    const Rect a{10, 10, 20, 20};
    const Rect b{30, 15, 40, 25};
    invalidateRect(w, &a, false);
    invalidateRect(w, &b, false);
    ui::pumpMessages();
    ASSERT_EQ(painted.size(), 1u);
    EXPECT_EQ(painted[0], (Rect{10, 10, 40, 25}));
    draw::Bitmap screen;
    composeScreen(screen);
    EXPECT_EQ(screen.pixel(15, 15), kBlue);
    EXPECT_EQ(screen.pixel(39, 24), kBlue);
    EXPECT_EQ(screen.pixel(40, 24), kRed);  // outside the invalid part
    EXPECT_EQ(screen.pixel(5, 5), kRed);
    ui::destroyWindow(w);
}

TEST_F(Paint, PaintComesAfterPostedMessagesAndBeforeTimers) {
    VirtualClock clock(0);
    const WindowHandle w = top(u"w");
    ui::pumpMessages();
    log_.clear();
    setTimer(w, 1, 10);
    clock.advance(10);
    invalidateRect(w);
    postMessage(w, WM_USER);
    ui::pumpMessages();
    std::vector<std::uint32_t> order;
    for (const Received& r : log_.only({WM_USER, WM_PAINT, WM_TIMER})) {
        order.push_back(r.message);
    }
    EXPECT_EQ(order, (std::vector<std::uint32_t>{WM_USER, WM_PAINT, WM_TIMER}));
    killTimer(w, 1);
}

TEST_F(Paint, HiddenWindowsWaitUntilShownAndErasingUsesTheClassColour) {
    registerClass(WindowClass{"Grey", {}, 0, rgb(200, 200, 200)});
    const WindowHandle w = make(u"w", 0, Rect{0, 0, 50, 50}, kNullWindow, 0, {}, "Grey");
    ui::pumpMessages();
    EXPECT_TRUE(log_.only({WM_PAINT}).empty());
    showWindow(w, SW_SHOW);
    ui::pumpMessages();
    EXPECT_EQ(log_.only({WM_PAINT}).size(), 1u);
    EXPECT_EQ(log_.only({WM_ERASEBKGND}).size(), 1u);
    draw::Bitmap screen;
    composeScreen(screen);
    EXPECT_EQ(screen.pixel(25, 25), rgb(200, 200, 200));
    EXPECT_EQ(screen.pixel(60, 60), kDesktopColor);
}

TEST_F(Paint, AnInvalidationBySendFromAnotherThreadWakesTheWaitingLoop) {
    const WindowHandle w = make(u"w", WS_VISIBLE, Rect{0, 0, 50, 50}, kNullWindow, 0,
                                [](WindowHandle h, std::uint32_t m, std::uintptr_t,
                                   std::intptr_t) -> std::optional<MsgResult> {
                                    if (m == WM_USER) {
                                        invalidateRect(h);
                                        return 1;
                                    }
                                    return std::nullopt;
                                });
    ui::pumpMessages();
    log_.clear();
    Thread worker = createThread([w] {
        sendMessage(w, WM_USER);
        // Lets the loop go on even when the paint never came.
        sleep(2000);
        postMessage(w, WM_USER + 1);
    });
    Message m;
    while (getMessage(m)) {
        dispatchMessage(m);
        if (m.message == WM_PAINT || m.message == WM_USER + 1) {
            break;
        }
    }
    EXPECT_EQ(m.message, WM_PAINT);
    worker.join();
    ui::pumpMessages();
}

TEST_F(Paint, ChildrenAreClippedToTheirParentsClientAreaAndStackInZOrder) {
    const WindowHandle frame = make(u"frame", WS_VISIBLE | WS_BORDER, Rect{0, 0, 100, 100},
                                    kNullWindow, 0, paintsIn(rgb(255, 255, 255)));
    make(u"low", WS_CHILD | WS_VISIBLE, Rect{10, 10, 200, 60}, frame, 0, paintsIn(kRed));
    make(u"high", WS_CHILD | WS_VISIBLE, Rect{40, 40, 70, 70}, frame, 0, paintsIn(kBlue));
    ui::pumpMessages();
    draw::Bitmap screen;
    composeScreen(screen);
    EXPECT_EQ(screen.pixel(0, 0), rgb(0, 0, 0));  // the frame's border
    EXPECT_EQ(screen.pixel(20, 20), kRed);
    EXPECT_EQ(screen.pixel(50, 50), kBlue);         // the newer child lies on top
    EXPECT_EQ(screen.pixel(98, 30), kRed);          // the frame's last client column
    EXPECT_EQ(screen.pixel(99, 30), rgb(0, 0, 0));  // the border again, not the child
    EXPECT_EQ(screen.pixel(150, 30), kDesktopColor);
}

// Paints its whole client area in whatever colour `color` holds at the time of the paint.
Handler paintsCurrent(const draw::Color* color) {
    return [color](WindowHandle w, std::uint32_t m, std::uintptr_t,
                   std::intptr_t) -> std::optional<MsgResult> {
        if (m != WM_PAINT) {
            return std::nullopt;
        }
        PaintContext paint(w);
        paint.dc().fillRect(getClientRect(w), *color);
        return 0;
    };
}

draw::Color screenPixel(int x, int y) {
    draw::Bitmap screen;
    composeScreen(screen);
    return screen.pixel(x, y);
}

// A window made visible through any ancestor shows what it paints now, however the change
// that hid or blanked it came about.
TEST_F(Paint, WhatBecomesVisibleThroughAnAncestorIsPaintedWhole) {
    struct Case {
        const char* name;
        // Changes the child (colour `next`, id 2) under the hidden view (id 1).
        std::function<void(WindowHandle view, WindowHandle child, draw::Color& color)> whileHidden;
        // Brings the view back.
        std::function<void(WindowHandle view, WindowHandle child)> showAgain;
    };
    const Case cases[] = {
        {"resized while hidden, its surface blank",
         [](WindowHandle, WindowHandle child, draw::Color&) {
             moveWindow(child, 10, 10, 60, 40, true);
         },
         [](WindowHandle view, WindowHandle) { showWindow(view, SW_SHOW); }},
        {"asked to paint new content while hidden",
         [](WindowHandle, WindowHandle child, draw::Color& color) {
             color = kBlue;
             invalidateRect(child);
         },
         [](WindowHandle view, WindowHandle) { showWindow(view, SW_SHOW); }},
        {"the child shown again first, while already visible",
         [](WindowHandle, WindowHandle child, draw::Color& color) {
             color = kBlue;
             invalidateRect(child);
         },
         [](WindowHandle view, WindowHandle child) {
             showWindow(child, SW_SHOW);
             showWindow(view, SW_SHOW);
         }},
        {"the view shown in a hidden frame, then the frame",
         [](WindowHandle view, WindowHandle child, draw::Color& color) {
             showWindow(getParent(view), SW_HIDE);
             color = kBlue;
             moveWindow(child, 10, 10, 60, 40, true);
         },
         [](WindowHandle view, WindowHandle) {
             showWindow(view, SW_SHOW);
             ui::pumpMessages();
             showWindow(getParent(view), SW_SHOW);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        draw::Color color = kRed;
        const WindowHandle frame = top(u"frame");
        const WindowHandle view = make(u"view", WS_CHILD | WS_VISIBLE, Rect{0, 0, 200, 200}, frame,
                                       1, paintsIn(rgb(255, 255, 255)));
        const WindowHandle child = make(u"child", WS_CHILD | WS_VISIBLE, Rect{10, 10, 50, 50}, view,
                                        2, paintsCurrent(&color));
        ui::pumpMessages();
        ASSERT_EQ(screenPixel(20, 20), kRed);
        showWindow(view, SW_HIDE);
        c.whileHidden(view, child, color);
        ui::pumpMessages();  // the paints of hidden windows are put off
        c.showAgain(view, child);
        ui::pumpMessages();
        EXPECT_EQ(screenPixel(20, 20), color);
        EXPECT_EQ(screenPixel(30, 30), color);
        ui::destroyWindow(frame);
    }
}

// A child that draws its enabled look (red) or its disabled one (blue) from the chain, as the
// controls do: a form drawn while its frame was disabled (under a message box) is drawn whole
// again when the frame is enabled, and greyed at once when it is disabled.
TEST_F(Paint, AChildDrawsTheEnabledStateOfItsAncestorsAsSoonAsItChanges) {
    const Handler looksEnabled = [](WindowHandle w, std::uint32_t m, std::uintptr_t,
                                    std::intptr_t) -> std::optional<MsgResult> {
        if (m != WM_PAINT) {
            return std::nullopt;
        }
        PaintContext paint(w);
        paint.dc().fillRect(getClientRect(w), isWindowEnabled(w) ? kRed : kBlue);
        return 0;
    };
    const WindowHandle frame = top(u"frame");
    const WindowHandle view = make(u"view", WS_CHILD | WS_VISIBLE, Rect{0, 0, 200, 200}, frame, 1,
                                   paintsIn(rgb(255, 255, 255)));
    const WindowHandle child =
        make(u"child", WS_CHILD | WS_VISIBLE, Rect{10, 10, 50, 50}, view, 2, looksEnabled);
    ui::pumpMessages();
    ASSERT_EQ(screenPixel(20, 20), kRed);
    enableWindow(frame, false);
    ui::pumpMessages();
    EXPECT_EQ(screenPixel(20, 20), kBlue) << "disabled with its frame";
    enableWindow(frame, true);
    ui::pumpMessages();
    EXPECT_EQ(screenPixel(20, 20), kRed) << "enabled again with its frame";
    // Painted while the frame was disabled, as a view shown just before a box is.
    enableWindow(frame, false);
    invalidateRect(child);
    ui::pumpMessages();
    enableWindow(frame, true);
    ui::pumpMessages();
    EXPECT_EQ(screenPixel(40, 40), kRed);
    ui::destroyWindow(frame);
}

TEST_F(Paint, AWindowMovedFromAHiddenParentUnderAShownOneIsPainted) {
    draw::Color color = kRed;
    const WindowHandle frame = top(u"frame");
    const WindowHandle hidden = make(u"hidden", WS_CHILD, Rect{0, 0, 100, 100}, frame);
    const WindowHandle child = make(u"child", WS_CHILD | WS_VISIBLE, Rect{10, 10, 50, 50}, hidden,
                                    0, paintsCurrent(&color));
    ui::pumpMessages();
    color = kBlue;
    invalidateRect(child);
    ui::pumpMessages();
    setParent(child, frame);
    ui::pumpMessages();
    EXPECT_EQ(screenPixel(20, 20), kBlue);
}

TEST_F(Paint, TheRepaintedScreenShowsWhatAWindowFailedToPaintAndLeavesItsSurface) {
    draw::Color color = kRed;
    const WindowHandle frame = make(u"frame", WS_VISIBLE | WS_BORDER, Rect{0, 0, 100, 100},
                                    kNullWindow, 0, paintsIn(rgb(255, 255, 255)));
    make(u"child", WS_CHILD | WS_VISIBLE, Rect{10, 10, 50, 50}, frame, 0, paintsCurrent(&color));
    ui::pumpMessages();
    draw::Bitmap shown;
    composeScreen(shown);
    draw::Bitmap repainted;
    composeRepaintedScreen(repainted);
    EXPECT_EQ(shown.pixel(20, 20), kRed);
    EXPECT_EQ(repainted.pixel(20, 20), kRed);
    EXPECT_EQ(repainted.pixel(0, 0), rgb(0, 0, 0));  // frames are drawn again too
    color = kBlue;                                   // changed without asking for a paint
    composeRepaintedScreen(repainted);
    EXPECT_EQ(repainted.pixel(20, 20), kBlue);
    EXPECT_EQ(repainted.pixel(5, 5), rgb(255, 255, 255));
    EXPECT_EQ(screenPixel(20, 20), kRed);  // the window's own surface is as it was
    ui::pumpMessages();
    EXPECT_TRUE(getUpdateRect(frame).empty());
}

TEST_F(Paint, RotationResizesFullScreenWindowsOnly) {
    const WindowHandle frame = top(u"frame", Rect{0, 0, 240, 320});
    const WindowHandle popup = top(u"popup", Rect{10, 10, 110, 60});
    log_.clear();
    rotateScreen();
    EXPECT_EQ(screenSize(), (draw::Size{320, 240}));
    EXPECT_EQ(deviceProfile().orientation(), Orientation::Landscape);
    const auto sizes = log_.only({WM_SIZE});
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(sizes[0].window, frame);
    EXPECT_EQ(xOfLParam(sizes[0].lParam), 320);
    EXPECT_EQ(yOfLParam(sizes[0].lParam), 240);
    EXPECT_EQ(getWindowRect(popup), (Rect{10, 10, 110, 60}));
    rotateScreen();
    EXPECT_EQ(getWindowRect(frame), (Rect{0, 0, 240, 320}));
}

}  // namespace
}  // namespace platform::ui::testing
