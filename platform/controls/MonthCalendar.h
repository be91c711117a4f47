#pragma once
// The month calendar: a title with the month and year between a previous and a next arrow,
// the weekday names from Monday, and six weeks of days, the days of the neighbouring months in
// the trailing colour. One day is selected.
//
// A tap on a day selects it (showing its month) and sends the parent MCN_SELCHANGE and then
// MCN_SELECT; a tap on an arrow shows the previous or next month, moving the selection along
// (the same day, or the month's last), with MCN_SELCHANGE. With the focus, Left and Right
// move the selection by a day, Up and Down by a week, each with MCN_SELCHANGE. MCM_SETCURSEL
// selects without notifying and refuses a date that does not exist. MCM_SETNAMES gives the
// month and weekday names in the owner's language; until then months and weekdays are numbered.

#include "platform/core/Window.h"
#include "platform/draw/Color.h"
#include "platform/ui/UiMessages.h"

#include <array>
#include <cstdint>
#include <string>

namespace platform::controls {

inline constexpr std::uint32_t MCM_GETCURSEL = 0x1001;  // lParam: CalendarDate*
inline constexpr std::uint32_t MCM_SETCURSEL = 0x1002;  // lParam: const CalendarDate*; 0 refused
inline constexpr std::uint32_t MCM_GETMINREQRECT = 0x1009;  // lParam: draw::Rect*
inline constexpr std::uint32_t MCM_SETCOLOR = 0x100A;       // wParam MCSC_*, lParam colour; old one
inline constexpr std::uint32_t MCM_GETCOLOR = 0x100B;
inline constexpr std::uint32_t MCM_SETNAMES = 0x1080;       // lParam: const CalendarNames*; 0 refused
inline constexpr std::uint32_t MCM_GETNAMES = 0x1081;       // lParam: CalendarNames*

inline constexpr std::uintptr_t MCSC_BACKGROUND = 0;
inline constexpr std::uintptr_t MCSC_TEXT = 1;
inline constexpr std::uintptr_t MCSC_TITLEBK = 2;
inline constexpr std::uintptr_t MCSC_TITLETEXT = 3;
inline constexpr std::uintptr_t MCSC_MONTHBK = 4;
inline constexpr std::uintptr_t MCSC_TRAILINGTEXT = 5;

inline constexpr std::uint32_t MCN_SELCHANGE = static_cast<std::uint32_t>(-749);
inline constexpr std::uint32_t MCN_SELECT = static_cast<std::uint32_t>(-746);

struct CalendarDate {
    int year = 0;
    int month = 0;      // 1 to 12
    int dayOfWeek = 0;  // 0 Sunday to 6 Saturday (filled in when read)
    int day = 0;        // 1 to 31
    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

struct CalendarNames {
    std::array<std::u16string, 12> months;   // January first, as the title shows them
    std::array<std::u16string, 7> weekdays;  // Monday first, the column heads
};

struct CalendarNotify {  // MCN_SELCHANGE and MCN_SELECT
    ui::NotifyHeader header;
    CalendarDate selStart;
    CalendarDate selEnd;
};

WindowProc monthCalendarProc();

}  // namespace platform::controls
