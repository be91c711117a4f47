#include "platform/shell/Gesture.h"

#include "platform/controls/ControlStyle.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Timer.h"
#include "platform/ui/Input.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Screen.h"
#include "platform/ui/UiLoop.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

namespace platform::shell {
namespace {

using draw::Point;
using draw::Rect;

constexpr std::uintptr_t kTickTimer = 1;
constexpr std::uint32_t kTickInterval = 25;
constexpr int kDots = 8;
constexpr int kIndicatorSize = 28;

struct Indicator {
    std::uint64_t start = 0;
};

void paintIndicator(WindowHandle h, const Indicator& state) {
    ui::PaintContext paint(h);
    draw::DeviceContext& dc = paint.dc();
    const Rect c = ui::getClientRect(h);
    dc.fillRect(c, controls::kWindowColor);
    const std::uint64_t elapsed = getTickCount() - state.start;
    const auto lit = static_cast<int>(elapsed * kDots / kTapHoldTime);
    const double r = c.width() / 2.0 - 4;
    for (int i = 0; i < kDots; ++i) {
        const double a = 2 * 3.14159265358979 * i / kDots - 3.14159265358979 / 2;
        const int x = c.width() / 2 + static_cast<int>(std::lround(r * std::cos(a)));
        const int y = c.height() / 2 + static_cast<int>(std::lround(r * std::sin(a)));
        dc.fillRect(Rect{x - 2, y - 2, x + 2, y + 2},
                    i < lit ? controls::kSelectionColor : controls::kFaceColor);
    }
}

bool isFingerMessage(std::uint32_t m) {
    return m == ui::WM_MOUSEMOVE || m == ui::WM_LBUTTONUP || m == ui::WM_LBUTTONDOWN ||
           m == ui::WM_LBUTTONDBLCLK;
}

}  // namespace

unsigned recognizeGesture(WindowHandle window, Point client) {
    if (!ui::isUiWindow(window) || !ui::fingerIsDown()) {
        return 0;
    }
    const int tolerance =
        ui::deviceProfile().highResolution() ? 2 * kTapHoldTolerance : kTapHoldTolerance;
    const Point origin = ui::clientToScreen(window, client);
    auto state = std::make_shared<Indicator>();
    state->start = getTickCount();
    ui::CreateParams p;
    p.className = std::string(kTapHoldIndicatorClass);
    p.style = ui::WS_POPUP;
    p.exStyle = ui::WS_EX_TOPMOST;
    p.rect = Rect::fromSize(origin.x - kIndicatorSize / 2, origin.y - kIndicatorSize - 8,
                            kIndicatorSize, kIndicatorSize);
    const WindowHandle indicator = ui::createWindow(
        p,
        [state](WindowHandle h, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) -> MsgResult {
            if (m == ui::WM_PAINT) {
                paintIndicator(h, *state);
                return 0;
            }
            if (m == ui::WM_ERASEBKGND) {
                return 1;
            }
            if (m == platform::WM_TIMER) {
                ui::invalidateRect(h);
                return 0;
            }
            return ui::defWindowProc(h, m, wp, lp);
        });
    // The timer wakes the loop to show the progress and to notice the time is up.
    setTimer(indicator, kTickTimer, kTickInterval);
    unsigned result = 0;
    bool over = false;  // the finger moved away or lifted: not a hold
    ui::runModalLoop(
        [&] {
            const std::uint64_t elapsed = getTickCount() - state->start;
            if (over) {
                return true;
            }
            if (elapsed >= kTapHoldTime) {
                result = GN_CONTEXTMENU;
                return true;
            }
            if (elapsed >= kTapHoldIndicatorDelay && !ui::isWindowVisible(indicator)) {
                ui::showWindow(indicator, ui::SW_SHOW);
            }
            return false;
        },
        [&](const Message& m) {
            if (!isFingerMessage(m.message) || m.window != window) {
                return false;
            }
            const Point at =
                ui::clientToScreen(window, Point{ui::xOfLParam(m.lParam), ui::yOfLParam(m.lParam)});
            const bool away =
                std::abs(at.x - origin.x) > tolerance || std::abs(at.y - origin.y) > tolerance;
            if (m.message != ui::WM_MOUSEMOVE || away) {
                // Not a hold: the window gets this finger message after its handler.
                postMessage(m.window, m.message, m.wParam, m.lParam);
                over = true;
            }
            return true;  // small movements are part of holding still
        });
    ui::destroyWindow(indicator);
    return result;
}

}  // namespace platform::shell
