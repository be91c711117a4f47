// Tap-and-hold recognition inside a button-down handler and the popup menu it opens at the
// tap, driven through the modal loops' idle hook with virtual time.

#include "platform/shell/Gesture.h"
#include "platform/controls/ControlStyle.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/MessageSources.h"
#include "platform/core/Timer.h"
#include "platform/shell/MenuBar.h"
#include "platform/shell/PopupMenu.h"
#include "platform/testkit/UiTestKit.h"
#include "platform/ui/Input.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace platform::shell {
namespace {

using draw::Point;
using draw::Rect;
using Seen = std::vector<std::string>;

class GestureTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::CreateParams p;
        p.className = "Target";
        p.style = ui::WS_VISIBLE;
        p.rect = Rect{0, 0, 240, 294};
        window =
            ui::createWindow(p,
                             [this](WindowHandle h, std::uint32_t m, std::uintptr_t wp,
                                    std::intptr_t lp) -> MsgResult {
                                 if (m == ui::WM_LBUTTONDOWN) {
                                     const Point at{ui::xOfLParam(lp), ui::yOfLParam(lp)};
                                     const unsigned g = recognizeGesture(h, at);
                                     seen.push_back("gesture " + std::to_string(g));
                                     if (g == GN_CONTEXTMENU && onHold) {
                                         onHold(ui::clientToScreen(h, at));
                                     }
                                     return 0;
                                 }
                                 if (m == ui::WM_LBUTTONUP) {
                                     seen.push_back("up");
                                     return 0;
                                 }
                                 if (m == ui::WM_COMMAND) {
                                     seen.push_back("command " + std::to_string(ui::lowWord(wp)));
                                     return 0;
                                 }
                                 return ui::defWindowProc(h, m, wp, lp);
                             });
    }
    void TearDown() override { setIdleWait({}); }

    // Each idle call moves time on by a millisecond, then runs the script with the time held.
    void script(std::function<void(std::uint64_t held)> step) {
        start = getTickCount();
        setIdleWait([this, step](std::uint32_t) {
            kit.clock().advance(1);
            step(getTickCount() - start);
        });
    }

    testkit::UiTestKit kit;
    WindowHandle window = kNullWindow;
    Seen seen;
    std::function<void(Point)> onHold;
    std::uint64_t start = 0;
    const Point tapAt{100, 150};
};

TEST_F(GestureTest, HoldingStillIsTheContextGestureWithTheDotsShown) {
    bool indicatorSeen = false;
    bool dotLit = false;
    script([&](std::uint64_t held) {
        const WindowHandle ind = kit.find(std::string(kTapHoldIndicatorClass), 0);
        if (held == 50) {
            EXPECT_FALSE(ui::isWindowVisible(ind));  // not yet
        }
        if (held == 400 && ind != kNullWindow && ui::isWindowVisible(ind)) {
            indicatorSeen = true;
            const Rect r = ui::getWindowRect(ind);
            const draw::Bitmap& shot = kit.screenshot();
            for (int y = r.top; y < r.bottom; ++y) {
                for (int x = r.left; x < r.right; ++x) {
                    dotLit = dotLit || shot.pixel(x, y) == controls::kSelectionColor;
                }
            }
        }
        if (held == 200) {
            ui::fingerMove(Point{tapAt.x + 3, tapAt.y - 3});  // within the tolerance
        }
    });
    kit.press(tapAt);
    EXPECT_EQ(getTickCount() - start, kTapHoldTime);
    EXPECT_TRUE(indicatorSeen);
    EXPECT_TRUE(dotLit);
    EXPECT_EQ(kit.find(std::string(kTapHoldIndicatorClass), 0), kNullWindow);
    kit.release(tapAt);
    EXPECT_EQ(seen, (Seen{"gesture 1000", "up"}));
}

TEST_F(GestureTest, LiftingOrMovingAwayEndsTheWaitAndTheWindowStillGetsTheFinger) {
    struct Case {
        const char* name;
        std::function<void()> act;
        Seen expected;
    };
    const Case cases[] = {
        {"lift", [&] { ui::fingerUp(tapAt); }, {"gesture 0", "up"}},
        {"move away",
         [&] {
             ui::fingerMove(Point{tapAt.x + 12, tapAt.y});
         },
         {"gesture 0"}},
    };
    for (const Case& c : cases) {
        seen.clear();
        bool acted = false;
        script([&](std::uint64_t held) {
            if (held == 200 && !acted) {
                acted = true;
                c.act();
            }
        });
        kit.press(tapAt);
        kit.pump();
        EXPECT_LT(getTickCount() - start, kTapHoldTime) << c.name;
        EXPECT_EQ(seen, c.expected) << c.name;
        if (ui::fingerIsDown()) {
            kit.release(Point{tapAt.x + 12, tapAt.y});
        }
    }
}

TEST_F(GestureTest, HeldTapOpensAPopupMenuAtThePointThatReturnsTheChoice) {
    MenuPtr menu = Menu::create();
    menu->append(MF_STRING, 32800, u"Kopírovat");
    menu->append(MF_STRING, 32802, u"Vložit");
    menu->append(MF_STRING, 32804, u"Vyjmout");
    std::uint32_t chosen = 1;
    Rect popupRect;
    onHold = [&](Point screen) {
        chosen = trackPopupMenu(menu, TPM_RETURNCMD, screen.x, screen.y, window);
    };
    int phase = 0;
    script([&](std::uint64_t) {
        if (openMenuPopups().empty()) {
            return;
        }
        const WindowHandle popup = openMenuPopups().front();
        if (phase == 0) {
            popupRect = ui::getWindowRect(popup);
            ui::fingerUp(tapAt);  // the held finger lifts: the menu stays
            phase = 1;
        } else if (phase == 1) {
            const Point second{popupRect.left + 30, popupRect.top + 1 + 21 + 10};
            ui::fingerDown(second);
            ui::fingerUp(second);
            phase = 2;
        }
    });
    kit.press(tapAt);
    kit.pump();
    EXPECT_EQ(popupRect.left, tapAt.x);
    EXPECT_EQ(popupRect.top, tapAt.y);
    EXPECT_EQ(chosen, 32802u);
    EXPECT_TRUE(openMenuPopups().empty());
    EXPECT_EQ(seen, (Seen{"gesture 1000"}));  // returned, not sent; the held lift was the menu's
}

TEST_F(GestureTest, PopupMenuSendsItsCommandOrNothingWhenTappedOutside) {
    MenuPtr menu = Menu::create();
    menu->append(MF_STRING, 7, u"Jedna");
    struct Case {
        Point tap;
        std::uint32_t result;
        Seen seen;
    };
    // Bottom-right aligned at (200, 250): the popup ends there.
    const Case cases[] = {{{190, 240}, 1, {"command 7"}}, {{20, 20}, 0, {}}};
    for (const Case& c : cases) {
        seen.clear();
        bool tapped = false;
        script([&](std::uint64_t) {
            if (!tapped && !openMenuPopups().empty()) {
                EXPECT_EQ(ui::getWindowRect(openMenuPopups().front()).right, 200);
                EXPECT_EQ(ui::getWindowRect(openMenuPopups().front()).bottom, 250);
                tapped = true;
                ui::fingerDown(c.tap);
                ui::fingerUp(c.tap);
            }
        });
        EXPECT_EQ(trackPopupMenu(menu, TPM_RIGHTALIGN | TPM_BOTTOMALIGN, 200, 250, window),
                  c.result);
        EXPECT_EQ(seen, c.seen);
    }
}

}  // namespace
}  // namespace platform::shell
