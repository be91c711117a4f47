#include "tests/platform/ui/UiTestSupport.h"

#include "platform/core/Window.h"

namespace platform::ui::testing {
namespace {

using WindowTree = UiTest;

TEST_F(WindowTree, ChildrenKeepParentIdAndZOrder) {
    const WindowHandle frame = top(u"frame");
    const WindowHandle a = child(frame, u"a", Rect{0, 0, 10, 10}, 1);
    const WindowHandle b = child(frame, u"b", Rect{0, 0, 10, 10}, 0x1E900);  // above 16 bits
    EXPECT_EQ(getParent(a), frame);
    EXPECT_EQ(getChildren(frame), (std::vector<WindowHandle>{b, a}));  // newest on top
    EXPECT_EQ(getDlgCtrlId(b), 0x1E900u);
    EXPECT_EQ(getDlgItem(frame, 0x1E900), b);
    EXPECT_EQ(getDlgItem(frame, 0xE900), kNullWindow);  // the low 16 bits are not enough

    ASSERT_TRUE(setWindowPos(b, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    EXPECT_EQ(getChildren(frame), (std::vector<WindowHandle>{a, b}));
    const WindowHandle c = child(frame, u"c", Rect{0, 0, 10, 10});
    ASSERT_TRUE(setWindowPos(c, a, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));  // just below a
    EXPECT_EQ(getChildren(frame), (std::vector<WindowHandle>{a, c, b}));
    ASSERT_TRUE(bringWindowToTop(b));
    EXPECT_EQ(getChildren(frame), (std::vector<WindowHandle>{b, a, c}));
}

TEST_F(WindowTree, TopmostPopupsStayAboveOtherTopLevelWindows) {
    const WindowHandle frame = top(u"frame");
    const WindowHandle popup = make(u"popup", WS_POPUP | WS_VISIBLE, Rect{50, 50, 200, 200}, frame);
    ASSERT_TRUE(setWindowPos(popup, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    EXPECT_EQ(getOwner(popup), frame);
    EXPECT_EQ(getParent(popup), kNullWindow);
    const WindowHandle later = top(u"later");
    // A newer ordinary window goes below the topmost popup, even when brought to the top.
    EXPECT_EQ(getTopLevelWindows(), (std::vector<WindowHandle>{popup, later, frame}));
    bringWindowToTop(frame);
    EXPECT_EQ(getTopLevelWindows(), (std::vector<WindowHandle>{popup, frame, later}));
    ASSERT_TRUE(setWindowPos(popup, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    bringWindowToTop(later);
    EXPECT_EQ(getTopLevelWindows().front(), later);
    // Destroying the owner takes the popup with it.
    ui::destroyWindow(frame);
    EXPECT_FALSE(isUiWindow(popup));
}

TEST_F(WindowTree, CreateSendsCreateThenSizeAndCanBeRefused) {
    const WindowHandle w = top(u"w", Rect{0, 0, 100, 50}, WS_VISIBLE | WS_BORDER | WS_VSCROLL);
    const auto seen = log_.only({WM_CREATE, WM_SIZE});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].message, WM_CREATE);
    EXPECT_EQ(seen[1].message, WM_SIZE);
    const int sb = systemMetrics().scrollBarWidth;
    EXPECT_EQ(xOfLParam(seen[1].lParam), 100 - 2 - sb);
    EXPECT_EQ(yOfLParam(seen[1].lParam), 48);

    const WindowHandle refused = make(u"no", WS_VISIBLE, Rect{0, 0, 10, 10}, kNullWindow, 0,
                                      [](WindowHandle, std::uint32_t m, std::uintptr_t,
                                         std::intptr_t) -> std::optional<MsgResult> {
                                          if (m == WM_CREATE) {
                                              return -1;
                                          }
                                          return std::nullopt;
                                      });
    EXPECT_EQ(refused, kNullWindow);
    EXPECT_EQ(getTopLevelWindows(), (std::vector<WindowHandle>{w}));

    CreateParams orphan;
    orphan.style = WS_CHILD;
    orphan.className = "Test";
    EXPECT_EQ(ui::createWindow(orphan, defWindowProc), kNullWindow);  // a child needs a parent
    CreateParams unknown;
    unknown.className = "NoSuchClass";
    EXPECT_EQ(ui::createWindow(unknown), kNullWindow);
}

TEST_F(WindowTree, ClientAndScreenCoordinatesFollowFramesAndParents) {
    const WindowHandle frame = top(u"frame", Rect{10, 20, 210, 220}, WS_VISIBLE | WS_BORDER);
    const WindowHandle inner = child(frame, u"inner", Rect{5, 6, 55, 46});
    EXPECT_EQ(getClientRect(frame), (Rect{0, 0, 198, 198}));
    EXPECT_EQ(getWindowRect(inner), (Rect{16, 27, 66, 67}));
    EXPECT_EQ(clientToScreen(inner, Point{1, 2}), (Point{17, 29}));
    EXPECT_EQ(screenToClient(inner, Point{17, 29}), (Point{1, 2}));

    // Style changes move the frame at once and report the new client size.
    log_.clear();
    setStyle(frame, WS_VSCROLL);
    EXPECT_TRUE(getStyle(frame) & WS_VISIBLE);  // kept by setStyle
    EXPECT_EQ(getClientRect(frame), (Rect{0, 0, 200 - systemMetrics().scrollBarWidth, 200}));
    ASSERT_EQ(log_.only({WM_SIZE}).size(), 1u);

    log_.clear();
    moveWindow(inner, 7, 8, 50, 40);  // moved only
    EXPECT_EQ(log_.only({WM_MOVE}).size(), 1u);
    EXPECT_TRUE(log_.only({WM_SIZE}).empty());
}

TEST_F(WindowTree, TextAndFindByTitle) {
    const WindowHandle frame = top(u"Pelorvant");
    const WindowHandle page = child(frame, u"page", Rect{0, 0, 10, 10});
    const WindowHandle view = child(page, u"VyberRadu", Rect{0, 0, 10, 10});
    EXPECT_EQ(findWindow("Test", u"Pelorvant"), frame);
    EXPECT_EQ(findWindow("Other", u"Pelorvant"), kNullWindow);
    EXPECT_EQ(findWindow("", u"VyberRadu"), kNullWindow);  // top-level windows only
    EXPECT_EQ(findWindowInTree(kNullWindow, u"VyberRadu"), view);
    EXPECT_TRUE(setWindowText(view, u"Výběr řádu"));
    EXPECT_EQ(getWindowText(view), u"Výběr řádu");
    EXPECT_EQ(findWindowInTree(frame, u"VyberRadu"), kNullWindow);
}

TEST_F(WindowTree, DestroyTakesChildrenParentFirstAndStaleHandlesAreHarmless) {
    const WindowHandle frame = top(u"frame");
    const WindowHandle a = child(frame, u"a", Rect{0, 0, 10, 10});
    const WindowHandle a1 = child(a, u"a1", Rect{0, 0, 5, 5});
    log_.clear();
    ASSERT_TRUE(ui::destroyWindow(frame));
    std::vector<WindowHandle> destroyed;
    for (const Received& r : log_.only({WM_DESTROY})) {
        destroyed.push_back(r.window);
    }
    EXPECT_EQ(destroyed, (std::vector<WindowHandle>{frame, a, a1}));
    for (WindowHandle h : {frame, a, a1}) {
        EXPECT_FALSE(isUiWindow(h));
        EXPECT_EQ(getParent(h), kNullWindow);
        EXPECT_EQ(getWindowText(h), u"");
        EXPECT_FALSE(showWindow(h, SW_SHOW));
        EXPECT_FALSE(setWindowPos(h, HWND_TOP, 0, 0, 1, 1, 0));
        EXPECT_FALSE(ui::destroyWindow(h));
    }
    EXPECT_TRUE(getTopLevelWindows().empty());
}

TEST_F(WindowTree, WindowDestroyedInsideItsOwnHandlerIsFreedAfterIt) {
    bool stillReadable = false;
    const WindowHandle w = make(u"self", WS_VISIBLE, Rect{0, 0, 10, 10}, kNullWindow, 0,
                                [&](WindowHandle self, std::uint32_t m, std::uintptr_t,
                                    std::intptr_t) -> std::optional<MsgResult> {
                                    if (m == WM_USER) {
                                        ui::destroyWindow(self);
                                        // The handler goes on safely; the handle is stale already.
                                        stillReadable =
                                            getWindowText(self).empty() && !isUiWindow(self);
                                        return 7;
                                    }
                                    return std::nullopt;
                                });
    EXPECT_EQ(sendMessage(w, WM_USER), 7);
    EXPECT_TRUE(stillReadable);
    EXPECT_FALSE(isUiWindow(w));
    EXPECT_EQ(sendMessage(w, WM_USER), 0);
}

TEST_F(WindowTree, SubclassingReplacesAndChainsTheProcedure) {
    const WindowHandle w = top(u"w");
    std::vector<std::uint32_t> seenBySubclass;
    WindowProc previous;
    previous = platform::setWindowProc(
        w, [&](WindowHandle h, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) -> MsgResult {
            seenBySubclass.push_back(m);
            if (m == WM_USER + 1) {
                return 42;  // taken by the subclass
            }
            return previous(h, m, wp, lp);
        });
    ASSERT_TRUE(previous);
    log_.clear();
    EXPECT_EQ(sendMessage(w, WM_USER + 1), 42);
    EXPECT_TRUE(log_.all.empty());
    setWindowText(w, u"chained");
    EXPECT_EQ(getWindowText(w), u"chained");  // the original procedure stored it
    EXPECT_EQ(log_.only({WM_SETTEXT}).size(), 1u);
    EXPECT_EQ(seenBySubclass.front(), WM_USER + 1);
    ui::destroyWindow(w);  // before the subclass's captures go out of scope
}

TEST_F(WindowTree, ShowHideAndVisibilityOfTheChain) {
    const WindowHandle frame = top(u"frame", Rect{0, 0, 240, 320}, 0);
    const WindowHandle c = child(frame, u"c", Rect{0, 0, 10, 10});
    EXPECT_FALSE(isWindowVisible(c));  // the parent is hidden
    EXPECT_FALSE(showWindow(frame, SW_SHOW));
    EXPECT_TRUE(isWindowVisible(c));
    EXPECT_TRUE(showWindow(c, SW_HIDE));
    EXPECT_FALSE(isWindowVisible(c));
    const auto shows = log_.only({WM_SHOWWINDOW});
    ASSERT_EQ(shows.size(), 2u);
    EXPECT_EQ(shows[1].wParam, 0u);
    EXPECT_FALSE(enableWindow(c, false));
    EXPECT_FALSE(isWindowEnabled(c));
    EXPECT_TRUE(enableWindow(c, true));
}

}  // namespace
}  // namespace platform::ui::testing
