#include "platform/controls/UpDown.h"

#include "platform/controls/ControlStyle.h"
#include "platform/controls/ControlWindow.h"
#include "platform/controls/ScrollBar.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Timer.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>
#include <array>

namespace platform::controls {
namespace {

using draw::Point;
using draw::Rect;

class UpDownState {
public:
    explicit UpDownState(WindowHandle) {}

    MsgResult handle(WindowHandle h, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) {
        MsgResult result = 0;
        if (detail::handleOwnPainting(
                h, m, wp, lp, [&] { paint(h); }, result)) {
            return result;
        }
        switch (m) {
            case ui::WM_CREATE:
                return 0;
            case UDM_SETRANGE:
                upper_ = static_cast<std::int16_t>(ui::lowWord(static_cast<std::uintptr_t>(lp)));
                lower_ = static_cast<std::int16_t>(ui::highWord(static_cast<std::uintptr_t>(lp)));
                pos_ = clampPos(pos_);
                return 0;
            case UDM_GETRANGE:
                return static_cast<MsgResult>(
                    ui::makeWParam(static_cast<unsigned>(upper_), static_cast<unsigned>(lower_)));
            case UDM_SETRANGE32:
                lower_ = static_cast<int>(static_cast<std::intptr_t>(wp));
                upper_ = static_cast<int>(lp);
                pos_ = clampPos(pos_);
                return 0;
            case UDM_GETRANGE32:
                if (auto* lo = reinterpret_cast<int*>(wp)) {
                    *lo = lower_;
                }
                if (auto* hi = reinterpret_cast<int*>(lp)) {
                    *hi = upper_;
                }
                return 0;
            case UDM_SETPOS:
            case UDM_SETPOS32: {
                const int old = pos_;
                pos_ = clampPos(static_cast<int>(lp));
                return old;
            }
            case UDM_GETPOS:
            case UDM_GETPOS32:
                return pos_;
            case UDM_SETBUDDY: {
                const WindowHandle old = buddy_;
                buddy_ = static_cast<WindowHandle>(wp);
                return static_cast<MsgResult>(old);
            }
            case UDM_GETBUDDY:
                return static_cast<MsgResult>(buddy_);
            case ui::WM_LBUTTONDOWN:
            case ui::WM_LBUTTONDBLCLK: {
                if (!ui::isWindowEnabled(h)) {
                    return 0;
                }
                const int y = ui::yOfLParam(lp);
                pressed_ = y < ui::getClientRect(h).height() / 2 ? 1 : 2;
                ui::invalidateRect(h);
                step(h);
                setTimer(h, kUpDownRepeatTimer, kScrollRepeatDelay);
                return 0;
            }
            case ui::WM_LBUTTONUP:
            case ui::WM_CAPTURECHANGED:
                if (pressed_ != 0) {
                    pressed_ = 0;
                    killTimer(h, kUpDownRepeatTimer);
                    ui::invalidateRect(h);
                    tellParent(h, SB_ENDSCROLL);
                }
                return 0;
            case platform::WM_TIMER:
                if (wp == kUpDownRepeatTimer && pressed_ != 0) {
                    step(h);
                    setTimer(h, kUpDownRepeatTimer, kScrollRepeatInterval);
                }
                return 0;
            default:
                return ui::defWindowProc(h, m, wp, lp);
        }
    }

private:
    int clampPos(int p) const {
        return std::clamp(p, std::min(lower_, upper_), std::max(lower_, upper_));
    }

    void tellParent(WindowHandle h, unsigned code) const {
        const WindowHandle parent = ui::getParent(h);
        if (parent != kNullWindow) {
            sendMessage(parent, ui::WM_VSCROLL, ui::makeWParam(code, static_cast<unsigned>(pos_)),
                        static_cast<std::intptr_t>(h));
        }
    }

    void step(WindowHandle h) {
        const int towardsUpper = upper_ >= lower_ ? 1 : -1;
        UpDownNotify n;
        n.pos = pos_;
        n.delta = pressed_ == 1 ? towardsUpper : -towardsUpper;
        if (detail::notifyParent(h, n.header, UDN_DELTAPOS) != 0) {
            return;  // the parent refused the step
        }
        pos_ = clampPos(pos_ + n.delta);
        tellParent(h, SB_THUMBPOSITION);
    }

    void paint(WindowHandle h) {
        ui::PaintContext paint(h);
        draw::DeviceContext& dc = paint.dc();
        const Rect c = ui::getClientRect(h);
        const int mid = c.height() / 2;
        const Rect up{0, 0, c.right, mid};
        const Rect down{0, mid, c.right, c.bottom};
        dc.fillRect(up, pressed_ == 1 ? kSelectionColor : kFaceColor);
        dc.fillRect(down, pressed_ == 2 ? kSelectionColor : kFaceColor);
        drawFrame(dc, up, kSecondaryTextColor);
        drawFrame(dc, down, kSecondaryTextColor);
        const draw::Color ink = ui::isWindowEnabled(h) ? kTextColor : kDisabledTextColor;
        dc.selectPen(draw::Pen{ink});
        dc.selectBrush(draw::Brush{ink});
        const int cx = c.width() / 2;
        const int half = std::max(2, std::min(c.width(), mid) / 4);
        const std::array<Point, 3> upArrow = {Point{cx, mid / 2 - half / 2 - 1},
                                              Point{cx + half, mid / 2 + half / 2},
                                              Point{cx - half, mid / 2 + half / 2}};
        dc.polygon(upArrow);
        const int dm = (mid + c.bottom) / 2;
        const std::array<Point, 3> downArrow = {Point{cx - half, dm - half / 2},
                                                Point{cx + half, dm - half / 2},
                                                Point{cx, dm + half / 2 + 1}};
        dc.polygon(downArrow);
    }

    int lower_ = 100;
    int upper_ = 0;
    int pos_ = 0;
    int pressed_ = 0;  // 0 none, 1 the up arrow, 2 the down arrow
    WindowHandle buddy_ = kNullWindow;
};

}  // namespace

WindowProc upDownProc() {
    return detail::stateClassProc<UpDownState>();
}

}  // namespace platform::controls
