#include "platform/controls/UpDown.h"

#include "platform/controls/Control.h"
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

class UpDown : public detail::Control {
public:
    const ui::MessageMapBase& messageMap() const override {
        static const auto map = ui::MessageMap<UpDown>(&Control::messageMap())
                                    .message(UDM_SETRANGE, &UpDown::onSetRange)
                                    .message(UDM_GETRANGE, &UpDown::onGetRange)
                                    .message(UDM_SETRANGE32, &UpDown::onSetRange32)
                                    .message(UDM_GETRANGE32, &UpDown::onGetRange32)
                                    .message(UDM_SETPOS, &UpDown::onSetPos)
                                    .message(UDM_SETPOS32, &UpDown::onSetPos)
                                    .message(UDM_GETPOS, &UpDown::onGetPos)
                                    .message(UDM_GETPOS32, &UpDown::onGetPos)
                                    .message(UDM_SETBUDDY, &UpDown::onSetBuddy)
                                    .message(UDM_GETBUDDY, &UpDown::onGetBuddy)
                                    .message(ui::WM_LBUTTONDOWN, &UpDown::onFingerDown)
                                    .message(ui::WM_LBUTTONDBLCLK, &UpDown::onFingerDown)
                                    .message(ui::WM_LBUTTONUP, &UpDown::onFingerUp)
                                    .message(ui::WM_CAPTURECHANGED, &UpDown::onFingerUp)
                                    .message(platform::WM_TIMER, &UpDown::onTimer);
        return map;
    }

private:
    MsgResult onSetRange(std::uintptr_t, std::intptr_t lp) {
        upper_ = static_cast<std::int16_t>(ui::lowWord(static_cast<std::uintptr_t>(lp)));
        lower_ = static_cast<std::int16_t>(ui::highWord(static_cast<std::uintptr_t>(lp)));
        pos_ = clampPos(pos_);
        return 0;
    }

    MsgResult onGetRange(std::uintptr_t, std::intptr_t) {
        return static_cast<MsgResult>(
            ui::makeWParam(static_cast<unsigned>(upper_), static_cast<unsigned>(lower_)));
    }

    MsgResult onSetRange32(std::uintptr_t wp, std::intptr_t lp) {
        lower_ = static_cast<int>(static_cast<std::intptr_t>(wp));
        upper_ = static_cast<int>(lp);
        pos_ = clampPos(pos_);
        return 0;
    }

    MsgResult onGetRange32(std::uintptr_t wp, std::intptr_t lp) {
        if (auto* lo = reinterpret_cast<int*>(wp)) {
            *lo = lower_;
        }
        if (auto* hi = reinterpret_cast<int*>(lp)) {
            *hi = upper_;
        }
        return 0;
    }

    MsgResult onSetPos(std::uintptr_t, std::intptr_t lp) {
        const int old = pos_;
        pos_ = clampPos(static_cast<int>(lp));
        return old;
    }

    MsgResult onGetPos(std::uintptr_t, std::intptr_t) { return pos_; }

    MsgResult onSetBuddy(std::uintptr_t wp, std::intptr_t) {
        const WindowHandle old = buddy_;
        buddy_ = static_cast<WindowHandle>(wp);
        return static_cast<MsgResult>(old);
    }

    MsgResult onGetBuddy(std::uintptr_t, std::intptr_t) { return static_cast<MsgResult>(buddy_); }

    MsgResult onFingerDown(std::uintptr_t, std::intptr_t lp) {
        const WindowHandle h = handle();
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

    MsgResult onFingerUp(std::uintptr_t, std::intptr_t) {
        const WindowHandle h = handle();
        if (pressed_ != 0) {
            pressed_ = 0;
            killTimer(h, kUpDownRepeatTimer);
            ui::invalidateRect(h);
            tellParent(h, SB_ENDSCROLL);
        }
        return 0;
    }

    MsgResult onTimer(std::uintptr_t wp, std::intptr_t) {
        const WindowHandle h = handle();
        if (wp == kUpDownRepeatTimer && pressed_ != 0) {
            step(h);
            setTimer(h, kUpDownRepeatTimer, kScrollRepeatInterval);
        }
        return 0;
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

    void paint() override {
        const WindowHandle h = handle();
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
    return detail::controlClassProc<UpDown>();
}

}  // namespace platform::controls
