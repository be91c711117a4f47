#pragma once
// The scroll-bar control (class "scrollbar"; vertical with SBS_VERT, else horizontal): arrows
// at both ends, a track with a thumb whose length shows the page. It never moves itself: it
// tells its parent what the user asks through WM_VSCROLL, or WM_HSCROLL for a horizontal bar
// (wParam: SB_* code | thumb position << 16, lParam: the bar; SB_LINEUP is left, SB_LINEDOWN right)
// and the parent sets the new position. A held arrow or track repeats its code (first after
// 400 ms, then every 100 ms); dragging the thumb sends SB_THUMBTRACK at each move and
// SB_THUMBPOSITION on release; every action ends with SB_ENDSCROLL.
//
// A bar whose range does not exceed its page cannot scroll: it draws no thumb and takes no
// input (SIF_DISABLENOSCROLL asks for that look instead of nothing; both look the same here).

#include "platform/core/Types.h"
#include "platform/core/Window.h"

#include <cstdint>

namespace platform::controls {

inline constexpr std::uint32_t SBS_HORZ = 0x0000;
inline constexpr std::uint32_t SBS_VERT = 0x0001;

inline constexpr std::uint32_t SBM_SETPOS = 0x00E0;  // wParam pos, lParam redraw; old pos
inline constexpr std::uint32_t SBM_GETPOS = 0x00E1;
inline constexpr std::uint32_t SBM_SETRANGE = 0x00E2;       // wParam min, lParam max
inline constexpr std::uint32_t SBM_GETRANGE = 0x00E3;       // wParam, lParam: int* min, max
inline constexpr std::uint32_t SBM_SETSCROLLINFO = 0x00E9;  // wParam redraw, lParam ScrollInfo*
inline constexpr std::uint32_t SBM_GETSCROLLINFO = 0x00EA;  // lParam: ScrollInfo* (mask set)

inline constexpr std::uint32_t SIF_RANGE = 0x01;
inline constexpr std::uint32_t SIF_PAGE = 0x02;
inline constexpr std::uint32_t SIF_POS = 0x04;
inline constexpr std::uint32_t SIF_DISABLENOSCROLL = 0x08;
inline constexpr std::uint32_t SIF_TRACKPOS = 0x10;
inline constexpr std::uint32_t SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

inline constexpr unsigned SB_LINEUP = 0;
inline constexpr unsigned SB_LINEDOWN = 1;
inline constexpr unsigned SB_PAGEUP = 2;
inline constexpr unsigned SB_PAGEDOWN = 3;
inline constexpr unsigned SB_THUMBPOSITION = 4;
inline constexpr unsigned SB_THUMBTRACK = 5;
inline constexpr unsigned SB_TOP = 6;
inline constexpr unsigned SB_BOTTOM = 7;
inline constexpr unsigned SB_ENDSCROLL = 8;

inline constexpr std::uintptr_t kScrollRepeatTimer = 1;
inline constexpr std::uint32_t kScrollRepeatDelay = 400;
inline constexpr std::uint32_t kScrollRepeatInterval = 100;

struct ScrollInfo {
    std::uint32_t mask = 0;  // SIF_*: which of the fields below to set or get
    int min = 0;
    int max = 0;
    unsigned page = 0;
    int pos = 0;
    int trackPos = 0;  // while the thumb is dragged: where it is
};

// The position is kept within min to max - page + 1 (max when page is 0).
WindowProc scrollBarProc();

// Convenience over SBM_SETSCROLLINFO and SBM_GETSCROLLINFO; set returns the new position.
int setScrollInfo(WindowHandle bar, const ScrollInfo& info, bool redraw = true);
bool getScrollInfo(WindowHandle bar, ScrollInfo& info);

}  // namespace platform::controls
