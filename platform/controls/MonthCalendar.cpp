#include "platform/controls/MonthCalendar.h"

#include "platform/controls/CalendarMath.h"
#include "platform/controls/Control.h"
#include "platform/controls/ControlStyle.h"
#include "platform/controls/ControlWindow.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>
#include <array>
#include <string>

namespace platform::controls {
namespace {

using draw::Point;
using draw::Rect;

std::u16string decimal(int n) {
    std::u16string out;
    for (char ch : std::to_string(n)) {
        out.push_back(static_cast<char16_t>(ch));
    }
    return out;
}

// Until its owner names them in its language, the calendar numbers the months and the weekdays.
CalendarNames numberedNames() {
    CalendarNames names;
    for (std::size_t i = 0; i < names.months.size(); ++i) names.months[i] = decimal(static_cast<int>(i) + 1);
    for (std::size_t i = 0; i < names.weekdays.size(); ++i) names.weekdays[i] = decimal(static_cast<int>(i) + 1);
    return names;
}

class MonthCalendar : public detail::Control {
public:
    const ui::MessageMapBase& messageMap() const override {
        static const auto map = ui::MessageMap<MonthCalendar>(&Control::messageMap())
                                    .message(ui::WM_LBUTTONDOWN, &MonthCalendar::onFingerDown)
                                    .message(ui::WM_LBUTTONDBLCLK, &MonthCalendar::onFingerDown)
                                    .message(ui::WM_KEYDOWN, &MonthCalendar::onKeyDown)
                                    .message(MCM_GETCURSEL, &MonthCalendar::onGetCurSel)
                                    .message(MCM_SETCURSEL, &MonthCalendar::onSetCurSel)
                                    .message(MCM_GETMINREQRECT, &MonthCalendar::onGetMinReqRect)
                                    .message(MCM_SETCOLOR, &MonthCalendar::onSetColor)
                                    .message(MCM_GETCOLOR, &MonthCalendar::onGetColor)
                                    .message(MCM_SETNAMES, &MonthCalendar::onSetNames)
                                    .message(MCM_GETNAMES, &MonthCalendar::onGetNames);
        return map;
    }

    MonthCalendar() {
        // Today on the timers' clock would be meaningless in virtual time; the calendar
        // starts on a fixed day until the owner selects one.
        sel_ = CalendarDate{2000, 1, 0, 1};
        shownYear_ = 2000;
        shownMonth_ = 1;
    }

private:
    MsgResult onFingerDown(std::uintptr_t, std::intptr_t lp) {
        const WindowHandle h = handle();
        if (ui::getFocus() != h) {
            ui::setFocus(h);
        }
        tap(Point{ui::xOfLParam(lp), ui::yOfLParam(lp)});
        return 0;
    }

    MsgResult onKeyDown(std::uintptr_t wp, std::intptr_t) {
        switch (wp) {
            case ui::VK_LEFT:
                moveBy(-1);
                break;
            case ui::VK_RIGHT:
                moveBy(1);
                break;
            case ui::VK_UP:
                moveBy(-7);
                break;
            case ui::VK_DOWN:
                moveBy(7);
                break;
            default:
                break;
        }
        return 0;
    }

    MsgResult onGetCurSel(std::uintptr_t, std::intptr_t lp) {
        auto* out = reinterpret_cast<CalendarDate*>(lp);
        if (!out) {
            return 0;
        }
        *out = withWeekday(sel_);
        return 1;
    }

    MsgResult onSetCurSel(std::uintptr_t, std::intptr_t lp) {
        const auto* in = reinterpret_cast<const CalendarDate*>(lp);
        if (!in || !exists(*in)) {
            return 0;
        }
        setSelection(*in, false);
        return 1;
    }

    MsgResult onGetMinReqRect(std::uintptr_t, std::intptr_t lp) {
        auto* out = reinterpret_cast<Rect*>(lp);
        if (!out) {
            return 0;
        }
        *out = Rect{0, 0, 7 * cellWidth() + 4, titleHeight() + 7 * cellHeight() + 4};
        return 1;
    }

    MsgResult onSetColor(std::uintptr_t wp, std::intptr_t lp) {
        const WindowHandle h = handle();
        if (wp > MCSC_TRAILINGTEXT) {
            return -1;
        }
        const draw::Color old = colors_[wp];
        colors_[wp] = static_cast<draw::Color>(lp);
        ui::invalidateRect(h);
        return static_cast<MsgResult>(old);
    }

    MsgResult onSetNames(std::uintptr_t, std::intptr_t lp) {
        const auto* in = reinterpret_cast<const CalendarNames*>(lp);
        if (!in) {
            return 0;
        }
        names_ = *in;
        ui::invalidateRect(handle());
        return 1;
    }

    MsgResult onGetNames(std::uintptr_t, std::intptr_t lp) {
        auto* out = reinterpret_cast<CalendarNames*>(lp);
        if (!out) {
            return 0;
        }
        *out = names_;
        return 1;
    }

    MsgResult onGetColor(std::uintptr_t wp, std::intptr_t) {
        return wp > MCSC_TRAILINGTEXT ? -1 : static_cast<MsgResult>(colors_[wp]);
    }

private:
    static bool exists(const CalendarDate& d) {
        return d.year >= 1601 && d.year <= 9999 && d.month >= 1 && d.month <= 12 && d.day >= 1 &&
               d.day <= detail::daysInMonth(d.year, d.month);
    }
    static CalendarDate withWeekday(CalendarDate d) {
        d.dayOfWeek = detail::weekday(d.year, d.month, d.day);
        return d;
    }
    int cellWidth() const { return font().measure(u"00").width + 8; }
    int cellHeight() const { return font().metrics().height + 4; }
    int titleHeight() const { return font().metrics().height + 8; }
    Point origin() const {
        const Rect c = ui::getClientRect(handle());
        return Point{std::max(0, (c.width() - 7 * cellWidth()) / 2), 2};
    }
    // The day shown in the first cell: the Monday on or before the 1st of the shown month.
    long firstCellDay() const {
        const long first = detail::daysFromCivil(shownYear_, shownMonth_, 1);
        const int mondayBased = (detail::weekday(shownYear_, shownMonth_, 1) + 6) % 7;
        return first - mondayBased;
    }

    void setSelection(const CalendarDate& d, bool notify) {
        sel_ = withWeekday(d);
        shownYear_ = d.year;
        shownMonth_ = d.month;
        ui::invalidateRect(handle());
        if (notify) {
            tell(MCN_SELCHANGE);
        }
    }

    void tell(std::uint32_t code) {
        CalendarNotify n;
        n.selStart = n.selEnd = sel_;
        detail::notifyParent(handle(), n.header, code);
    }

    void moveBy(long days) {
        CalendarDate d;
        detail::civilFromDays(detail::daysFromCivil(sel_.year, sel_.month, sel_.day) + days, d.year,
                              d.month, d.day);
        if (exists(d)) {
            setSelection(d, true);
        }
    }

    void showMonth(int delta) {
        int y = sel_.year;
        int m = sel_.month + delta;
        if (m < 1) {
            m = 12;
            --y;
        } else if (m > 12) {
            m = 1;
            ++y;
        }
        CalendarDate d{y, m, 0, std::min(sel_.day, detail::daysInMonth(y, m))};
        if (exists(d)) {
            setSelection(d, true);
        }
    }

    void tap(Point p) {
        const Point o = origin();
        const int cw = cellWidth();
        if (p.y >= o.y && p.y < o.y + titleHeight()) {
            if (p.x < o.x + cw) {
                showMonth(-1);
            } else if (p.x >= o.x + 6 * cw) {
                showMonth(1);
            }
            return;
        }
        const int gridTop = o.y + titleHeight() + cellHeight();
        if (p.y < gridTop || p.x < o.x || p.x >= o.x + 7 * cw) {
            return;
        }
        const int row = (p.y - gridTop) / cellHeight();
        if (row >= 6) {
            return;
        }
        const int col = (p.x - o.x) / cw;
        CalendarDate d;
        detail::civilFromDays(firstCellDay() + row * 7 + col, d.year, d.month, d.day);
        if (!exists(d)) {
            return;
        }
        if (!(withWeekday(d) == sel_)) {
            setSelection(d, true);
        }
        tell(MCN_SELECT);
    }

    void paint() override {
        ui::PaintContext paint(handle());
        draw::DeviceContext& dc = paint.dc();
        const Rect c = ui::getClientRect(handle());
        dc.fillRect(c, colors_[MCSC_BACKGROUND]);
        dc.selectFont(&font());
        dc.setBkMode(draw::BackgroundMode::Transparent);
        const Point o = origin();
        const int cw = cellWidth();
        const int ch = cellHeight();
        const int th = titleHeight();
        const Rect title{o.x, o.y, o.x + 7 * cw, o.y + th};
        dc.fillRect(title, colors_[MCSC_TITLEBK]);
        dc.setTextColor(colors_[MCSC_TITLETEXT]);
        dc.drawText(names_.months[static_cast<std::size_t>(shownMonth_ - 1)] + u" " +
                        toText(shownYear_),
                    title, draw::kTextSingleLine | draw::kTextVCenter | draw::kTextCenter);
        dc.selectPen(draw::Pen{colors_[MCSC_TITLETEXT]});
        dc.selectBrush(draw::Brush{colors_[MCSC_TITLETEXT]});
        const int mid = o.y + th / 2;
        const int half = std::max(3, th / 4);
        const std::array<Point, 3> left = {Point{o.x + cw / 2 - half / 2, mid},
                                           Point{o.x + cw / 2 + half / 2, mid - half},
                                           Point{o.x + cw / 2 + half / 2, mid + half}};
        dc.polygon(left);
        const int rx = o.x + 6 * cw + cw / 2;
        const std::array<Point, 3> right = {Point{rx + half / 2, mid},
                                            Point{rx - half / 2, mid - half},
                                            Point{rx - half / 2, mid + half}};
        dc.polygon(right);

        dc.setTextColor(kSecondaryTextColor);
        for (int i = 0; i < 7; ++i) {
            dc.drawText(names_.weekdays[static_cast<std::size_t>(i)],
                        Rect{o.x + i * cw, o.y + th, o.x + (i + 1) * cw, o.y + th + ch},
                        draw::kTextSingleLine | draw::kTextVCenter | draw::kTextCenter);
        }
        dc.fillRect(Rect{o.x, o.y + th + ch - 1, o.x + 7 * cw, o.y + th + ch}, kSecondaryTextColor);
        const long first = firstCellDay();
        const int gridTop = o.y + th + ch;
        for (int cell = 0; cell < 42; ++cell) {
            CalendarDate d;
            detail::civilFromDays(first + cell, d.year, d.month, d.day);
            const Rect r{o.x + (cell % 7) * cw, gridTop + (cell / 7) * ch,
                         o.x + (cell % 7 + 1) * cw, gridTop + (cell / 7 + 1) * ch};
            const bool selected = d.year == sel_.year && d.month == sel_.month && d.day == sel_.day;
            if (selected) {
                dc.fillRect(r, kSelectionColor);
                dc.setTextColor(kSelectionTextColor);
            } else {
                dc.setTextColor(d.month == shownMonth_ ? colors_[MCSC_TEXT]
                                                       : colors_[MCSC_TRAILINGTEXT]);
            }
            dc.drawText(toText(d.day), r,
                        draw::kTextSingleLine | draw::kTextVCenter | draw::kTextCenter);
        }
        if (focused()) {
            drawFrame(dc, Rect{o.x, gridTop, o.x + 7 * cw, gridTop + 6 * ch}, kSelectionColor);
        }
    }

    static std::u16string toText(int n) { return decimal(n); }

    CalendarDate sel_;
    int shownYear_;
    int shownMonth_;
    CalendarNames names_ = numberedNames();
    std::array<draw::Color, 6> colors_ = {kWindowColor,        kTextColor,   kSelectionColor,
                                          kSelectionTextColor, kWindowColor, kSecondaryTextColor};
};

}  // namespace

WindowProc monthCalendarProc() {
    return detail::controlClassProc<MonthCalendar>();
}

}  // namespace platform::controls
