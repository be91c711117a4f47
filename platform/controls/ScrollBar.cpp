#include "platform/controls/ScrollBar.h"

#include "platform/controls/Control.h"
#include "platform/controls/ControlStyle.h"
#include "platform/controls/ControlWindow.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Timer.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>
#include <array>

namespace platform::controls {
namespace {

using draw::Point;
using draw::Rect;

enum class Zone { None, LineUp, LineDown, PageUp, PageDown, Thumb };

class ScrollBar : public detail::Control {
public:
    const ui::MessageMapBase& messageMap() const override {
        static const auto map = ui::MessageMap<ScrollBar>(&Control::messageMap())
                                    .message(SBM_SETPOS, &ScrollBar::onSetPos)
                                    .message(SBM_GETPOS, &ScrollBar::onGetPos)
                                    .message(SBM_SETRANGE, &ScrollBar::onSetRange)
                                    .message(SBM_GETRANGE, &ScrollBar::onGetRange)
                                    .message(SBM_SETSCROLLINFO, &ScrollBar::onSetScrollInfo)
                                    .message(SBM_GETSCROLLINFO, &ScrollBar::onGetScrollInfo)
                                    .message(ui::WM_LBUTTONDOWN, &ScrollBar::onFingerDown)
                                    .message(ui::WM_LBUTTONDBLCLK, &ScrollBar::onFingerDown)
                                    .message(ui::WM_MOUSEMOVE, &ScrollBar::onFingerMove)
                                    .message(ui::WM_LBUTTONUP, &ScrollBar::onFingerUp)
                                    .message(ui::WM_CAPTURECHANGED, &ScrollBar::onCaptureChanged)
                                    .message(platform::WM_TIMER, &ScrollBar::onTimer);
        return map;
    }

private:
    // A bar is vertical with SBS_VERT, horizontal without: the geometry below is worked out
    // along the bar (top to bottom, or left to right) and across it.
    bool vertical() const { return (ui::getStyle(handle()) & SBS_VERT) != 0; }
    int along(Point p) const { return vertical() ? p.y : p.x; }
    int length(const Rect& c) const { return vertical() ? c.height() : c.width(); }
    int thickness(const Rect& c) const { return vertical() ? c.width() : c.height(); }
    // The rectangle from `from` to `to` along the bar, across its whole thickness.
    Rect span(const Rect& c, int from, int to) const {
        return vertical() ? Rect{0, from, c.right, to} : Rect{from, 0, to, c.bottom};
    }
    // A point `a` along the bar and `b` across it.
    Point at(int a, int b) const { return vertical() ? Point{b, a} : Point{a, b}; }

    MsgResult onSetPos(std::uintptr_t wp, std::intptr_t lp) {
        const WindowHandle h = handle();
        const int old = pos_;
        pos_ = clampPos(static_cast<int>(static_cast<std::intptr_t>(wp)));
        if (lp) {
            ui::invalidateRect(h);
        }
        return old;
    }

    MsgResult onGetPos(std::uintptr_t, std::intptr_t) { return pos_; }

    MsgResult onSetRange(std::uintptr_t wp, std::intptr_t lp) {
        const WindowHandle h = handle();
        min_ = static_cast<int>(static_cast<std::intptr_t>(wp));
        max_ = std::max(min_, static_cast<int>(lp));
        pos_ = clampPos(pos_);
        ui::invalidateRect(h);
        return pos_;
    }

    MsgResult onGetRange(std::uintptr_t wp, std::intptr_t lp) {
        if (auto* lo = reinterpret_cast<int*>(wp)) {
            *lo = min_;
        }
        if (auto* hi = reinterpret_cast<int*>(lp)) {
            *hi = max_;
        }
        return 0;
    }

    MsgResult onSetScrollInfo(std::uintptr_t wp, std::intptr_t lp) {
        const WindowHandle h = handle();
        const auto* info = reinterpret_cast<const ScrollInfo*>(lp);
        if (info) {
            setInfo(*info);
            if (wp) {
                ui::invalidateRect(h);
            }
        }
        return pos_;
    }

    MsgResult onGetScrollInfo(std::uintptr_t, std::intptr_t lp) {
        auto* info = reinterpret_cast<ScrollInfo*>(lp);
        if (!info) {
            return 0;
        }
        if (info->mask & SIF_RANGE) {
            info->min = min_;
            info->max = max_;
        }
        if (info->mask & SIF_PAGE) {
            info->page = page_;
        }
        if (info->mask & SIF_POS) {
            info->pos = pos_;
        }
        if (info->mask & SIF_TRACKPOS) {
            info->trackPos = dragging_ ? trackPos_ : pos_;
        }
        return 1;
    }

    MsgResult onFingerDown(std::uintptr_t, std::intptr_t lp) {
        const WindowHandle h = handle();
        press(h, Point{ui::xOfLParam(lp), ui::yOfLParam(lp)});
        return 0;
    }

    MsgResult onFingerMove(std::uintptr_t, std::intptr_t lp) {
        const WindowHandle h = handle();
        finger_ = Point{ui::xOfLParam(lp), ui::yOfLParam(lp)};
        if (dragging_) {
            drag(h);
        }
        return 0;
    }

    MsgResult onFingerUp(std::uintptr_t, std::intptr_t) {
        const WindowHandle h = handle();
        finish(h, true);
        return 0;
    }

    MsgResult onCaptureChanged(std::uintptr_t, std::intptr_t) {
        const WindowHandle h = handle();
        finish(h, false);
        return 0;
    }

    MsgResult onTimer(std::uintptr_t wp, std::intptr_t) {
        const WindowHandle h = handle();
        if (wp == kScrollRepeatTimer) {
            repeat(h);
        }
        return 0;
    }

private:
    int maxPos() const {
        const int top = page_ > 0 ? max_ - static_cast<int>(page_) + 1 : max_;
        return std::max(min_, top);
    }
    int clampPos(int p) const { return std::clamp(p, min_, maxPos()); }
    bool scrollable() const { return maxPos() > min_; }

    void setInfo(const ScrollInfo& info) {
        if (info.mask & SIF_RANGE) {
            min_ = info.min;
            max_ = std::max(info.min, info.max);
        }
        if (info.mask & SIF_PAGE) {
            const long range = static_cast<long>(max_) - min_ + 1;
            page_ = static_cast<unsigned>(std::min<long>(info.page, range));
        }
        if (info.mask & SIF_POS) {
            pos_ = info.pos;
        }
        pos_ = clampPos(pos_);
    }

    struct Layout {
        int arrow = 0;
        int trackTop = 0;
        int trackBottom = 0;
        int thumbTop = 0;
        int thumbBottom = 0;
    };

    Layout layout(WindowHandle h) const {
        const Rect c = ui::getClientRect(h);
        Layout l;
        l.arrow = std::min(thickness(c), length(c) / 2);
        l.trackTop = l.arrow;
        l.trackBottom = length(c) - l.arrow;
        const int track = l.trackBottom - l.trackTop;
        const long range = static_cast<long>(max_) - min_ + 1;
        int thumb =
            page_ > 0 ? static_cast<int>(track * static_cast<long>(page_) / range) : l.arrow;
        thumb = std::clamp(thumb, std::min(8, track), track);
        const int travel = track - thumb;
        const int shown = dragging_ ? trackPos_ : pos_;
        const int span = maxPos() - min_;
        l.thumbTop =
            l.trackTop +
            (span > 0 ? static_cast<int>(static_cast<long>(shown - min_) * travel / span) : 0);
        l.thumbBottom = l.thumbTop + thumb;
        return l;
    }

    Zone zoneAt(WindowHandle h, Point p) const {
        const Layout l = layout(h);
        const int a = along(p);
        if (a < l.trackTop) {
            return Zone::LineUp;
        }
        if (a >= l.trackBottom) {
            return Zone::LineDown;
        }
        if (a < l.thumbTop) {
            return Zone::PageUp;
        }
        if (a >= l.thumbBottom) {
            return Zone::PageDown;
        }
        return Zone::Thumb;
    }

    static unsigned codeOf(Zone z) {
        switch (z) {
            case Zone::LineUp:
                return SB_LINEUP;
            case Zone::LineDown:
                return SB_LINEDOWN;
            case Zone::PageUp:
                return SB_PAGEUP;
            default:
                return SB_PAGEDOWN;
        }
    }

    void tell(WindowHandle h, unsigned code, int pos) const {
        const WindowHandle parent = ui::getParent(h);
        if (parent != kNullWindow) {
            sendMessage(parent, vertical() ? ui::WM_VSCROLL : ui::WM_HSCROLL,
                        ui::makeWParam(code, static_cast<unsigned>(pos)),
                        static_cast<std::intptr_t>(h));
        }
    }

    void press(WindowHandle h, Point p) {
        if (!scrollable() || !ui::isWindowEnabled(h)) {
            return;
        }
        finger_ = p;
        zone_ = zoneAt(h, p);
        if (zone_ == Zone::Thumb) {
            dragging_ = true;
            dragStartAlong_ = along(p);
            dragStartPos_ = pos_;
            trackPos_ = pos_;
            ui::invalidateRect(h);
            return;
        }
        tell(h, codeOf(zone_), 0);
        setTimer(h, kScrollRepeatTimer, kScrollRepeatDelay);
        ui::invalidateRect(h);
    }

    void repeat(WindowHandle h) {
        // A held track repeats only while the thumb has not reached the finger.
        if (zone_ == Zone::None || zone_ == Zone::Thumb || zoneAt(h, finger_) != zone_) {
            setTimer(h, kScrollRepeatTimer, kScrollRepeatInterval);
            return;
        }
        tell(h, codeOf(zone_), 0);
        setTimer(h, kScrollRepeatTimer, kScrollRepeatInterval);
    }

    void drag(WindowHandle h) {
        const Layout l = layout(h);
        const int travel = (l.trackBottom - l.trackTop) - (l.thumbBottom - l.thumbTop);
        const int span = maxPos() - min_;
        int p = dragStartPos_;
        if (travel > 0) {
            p += static_cast<int>(static_cast<long>(along(finger_) - dragStartAlong_) * span /
                                  travel);
        }
        p = clampPos(p);
        if (p != trackPos_) {
            trackPos_ = p;
            ui::invalidateRect(h);
            tell(h, SB_THUMBTRACK, p);
        }
    }

    void finish(WindowHandle h, bool released) {
        if (zone_ == Zone::None) {
            return;
        }
        killTimer(h, kScrollRepeatTimer);
        const bool wasDragging = dragging_;
        dragging_ = false;
        zone_ = Zone::None;
        ui::invalidateRect(h);
        if (wasDragging && released) {
            tell(h, SB_THUMBPOSITION, trackPos_);
        }
        tell(h, SB_ENDSCROLL, 0);
    }

    void paint() override {
        const WindowHandle h = handle();
        ui::PaintContext paint(h);
        draw::DeviceContext& dc = paint.dc();
        const Rect c = ui::getClientRect(h);
        const Layout l = layout(h);
        const bool active = scrollable() && ui::isWindowEnabled(h);
        dc.fillRect(c, kScrollTrackColor);
        const draw::Color ink = active ? kTextColor : kDisabledTextColor;
        const Rect up = span(c, 0, l.trackTop);
        const Rect down = span(c, l.trackBottom, length(c));
        dc.fillRect(up, zone_ == Zone::LineUp ? kSelectionColor : kFaceColor);
        drawFrame(dc, up, kSecondaryTextColor);
        dc.fillRect(down, zone_ == Zone::LineDown ? kSelectionColor : kFaceColor);
        drawFrame(dc, down, kSecondaryTextColor);
        const int mid = thickness(c) / 2;
        const int half = std::max(2, l.arrow / 4);
        dc.selectPen(draw::Pen{ink});
        dc.selectBrush(draw::Brush{ink});
        const int upMid = l.trackTop / 2;
        const std::array<Point, 3> upArrow = {at(upMid - half / 2 - 1, mid),
                                              at(upMid + half / 2, mid + half),
                                              at(upMid + half / 2, mid - half)};
        dc.polygon(upArrow);
        const int downMid = (l.trackBottom + length(c)) / 2;
        const std::array<Point, 3> downArrow = {at(downMid - half / 2, mid - half),
                                                at(downMid - half / 2, mid + half),
                                                at(downMid + half / 2 + 1, mid)};
        dc.polygon(downArrow);
        if (active) {
            const Rect thumb = span(c, l.thumbTop, l.thumbBottom);
            dc.fillRect(thumb, dragging_ ? kSelectionColor : kScrollThumbColor);
            drawFrame(dc, thumb, kSecondaryTextColor);
        }
    }

    int min_ = 0;
    int max_ = 100;
    unsigned page_ = 0;
    int pos_ = 0;
    int trackPos_ = 0;
    Zone zone_ = Zone::None;
    bool dragging_ = false;
    int dragStartAlong_ = 0;
    int dragStartPos_ = 0;
    Point finger_;
};

}  // namespace

WindowProc scrollBarProc() {
    return detail::controlClassProc<ScrollBar>();
}

int setScrollInfo(WindowHandle bar, const ScrollInfo& info, bool redraw) {
    return static_cast<int>(sendMessage(bar, SBM_SETSCROLLINFO, redraw ? 1 : 0,
                                        reinterpret_cast<std::intptr_t>(&info)));
}

bool getScrollInfo(WindowHandle bar, ScrollInfo& info) {
    return sendMessage(bar, SBM_GETSCROLLINFO, 0, reinterpret_cast<std::intptr_t>(&info)) != 0;
}

}  // namespace platform::controls
