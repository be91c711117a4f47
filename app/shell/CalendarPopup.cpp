#include "app/shell/CalendarPopup.h"

#include "app/core/PrivateMessages.h"
#include "app/shell/DateTimeEditing.h"
#include "app/shell/FieldControls.h"
#include "app/shell/FieldLook.h"
#include "app/shell/LayoutAnchor.h"
#include "app/shell/ShellSettings.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/Controls.h"
#include "platform/controls/MonthCalendar.h"
#include "platform/core/MessageLoop.h"
#include "platform/resources/StringTable.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"

#include <algorithm>

namespace pelorvant {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::MsgResult;

namespace {

// The month names of the calendar's title, January first, and the weekdays' heads, Monday first.
constexpr std::uint32_t kTextMonths[12] = {12200, 12201, 12202, 12203, 12204, 12205,
                                           12206, 12207, 12208, 12209, 12210, 12211};
constexpr std::uint32_t kTextWeekdays[7] = {12220, 12221, 12222, 12223, 12224, 12225, 12226};

controls::CalendarNames calendarNames() {
    controls::CalendarNames names;
    for (std::size_t i = 0; i < names.months.size(); ++i)
        names.months[i] = platform::resources::loadResString(kTextMonths[i]);
    for (std::size_t i = 0; i < names.weekdays.size(); ++i)
        names.weekdays[i] = platform::resources::loadResString(kTextWeekdays[i]);
    return names;
}

}  // namespace

MsgResult cMonthCalendar::onMessage(std::uint32_t message, std::uintptr_t wParam,
                                    std::intptr_t lParam) {
    if (message == ui::WM_KEYDOWN && wParam == ui::VK_RETURN) {
        popup_.pick();
        return 0;
    }
    if (message == ui::WM_KEYUP && wParam == ui::VK_ESCAPE) {
        popup_.close();
        return 0;
    }
    if (message == ui::WM_KILLFOCUS) {
        // The focus went elsewhere (a tap on the page, another view): the popup goes too.
        const auto to = static_cast<platform::WindowHandle>(wParam);
        if (to != popup_.handle())
            popup_.close();
    }
    return SubclassedControl::onMessage(message, wParam, lParam);
}

bool cCalendarPopup::open(platform::WindowHandle forField, const DateTimeParts& date) {
    if (isOpen())
        return false;
    field = forField;
    const platform::WindowHandle top = topLevelWindow(forField);
    const Rect topClient = ui::getClientRect(top);
    ui::CreateParams p;
    p.className = "PelorvantCalendar";
    p.style = ui::WS_POPUP | ui::WS_VISIBLE;
    p.exStyle = ui::WS_EX_TOPMOST;
    p.rect = Rect::fromSize(0, 40, topClient.width(), topClient.height());
    p.parent = top;
    if (!create(p))
        return false;

    ui::CreateParams c;
    c.style = ui::WS_CHILD | ui::WS_VISIBLE | ui::WS_BORDER;
    c.rect = Rect::fromSize(0, 0, topClient.width(), topClient.height());
    c.parent = handle();
    c.id = kMonthCalendarId;
    calendar.createControl(controls::kMonthCalendarClass, c);
    const controls::CalendarNames names = calendarNames();
    platform::sendMessage(calendar.handle(), controls::MCM_SETNAMES, 0,
                          reinterpret_cast<std::intptr_t>(&names));
    platform::sendMessage(calendar.handle(), controls::MCM_SETCOLOR, controls::MCSC_TITLEBK,
                          static_cast<std::intptr_t>(kCalendarTitleColor));
    font = makeVerdana(shellSettings().fontHeight() * 95 / 100);
    platform::sendMessage(calendar.handle(), controls::WM_SETFONT,
                          reinterpret_cast<std::uintptr_t>(font.get()), 1);
    Rect minimum;
    platform::sendMessage(calendar.handle(), controls::MCM_GETMINREQRECT, 0,
                          reinterpret_cast<std::intptr_t>(&minimum));
    const int w = std::min(minimum.width(), topClient.width());
    const int h = std::min(minimum.height(), topClient.height());
    const ui::Point origin = ui::clientToScreen(top, {0, 0});
    ui::moveWindow(handle(), origin.x + (topClient.width() - w) / 2,
                   origin.y + (topClient.height() - h) / 2, w, h);
    ui::moveWindow(calendar.handle(), 0, 0, w, h);
    controls::CalendarDate selected;
    selected.year = date.year;
    selected.month = date.month;
    selected.day = date.day;
    platform::sendMessage(calendar.handle(), controls::MCM_SETCURSEL, 0,
                          reinterpret_cast<std::intptr_t>(&selected));
    ui::setFocus(calendar.handle());
    return true;
}

void cCalendarPopup::pick() {
    controls::CalendarDate selected;
    platform::sendMessage(calendar.handle(), controls::MCM_GETCURSEL, 0,
                          reinterpret_cast<std::intptr_t>(&selected));
    const platform::WindowHandle answerTo = field;
    close();
    platform::sendMessage(answerTo, WM_DATE_PICKED,
                          packPickedDate(selected.day, selected.month, selected.year), 0);
    ui::invalidateRect(ui::getParent(ui::getParent(answerTo)));
}

void cCalendarPopup::close() {
    if (isOpen())
        platform::postMessage(handle(), ui::WM_CLOSE, 0, 0);
}

void cCalendarPopup::OnSelect(const ui::NotifyHeader&, MsgResult& result) {
    result = 0;
    pick();
}

void cCalendarPopup::OnClose() {
    destroy();
}

const ui::MessageMapBase& cCalendarPopup::messageMap() const {
    static const auto map =
        ui::MessageMap<cCalendarPopup>(&WindowObject::messageMap())
            .notify(kMonthCalendarId, controls::MCN_SELECT, &cCalendarPopup::OnSelect)
            .message(ui::WM_CLOSE, &cCalendarPopup::OnClose);
    return map;
}

}  // namespace pelorvant
