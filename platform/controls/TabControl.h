#pragma once
// The tab control: a row of tabs, along the bottom edge with TCS_BOTTOM (the way the program
// uses it) or else along the top; the rest of the control is the page area, where the pages
// (usually children of the control) lie. A tap on a tab other than the current one sends the
// parent TCN_SELCHANGING (a nonzero answer refuses), selects it and sends TCN_SELCHANGE; with
// the focus, Left and Right do the same for the neighbouring tab. TCM_SETCURSEL selects
// without notifying. Tabs wider together than the control scroll so that the current tab is
// whole, with a glimpse of its neighbours left to tap; two arrow buttons at the right end of the
// row then move it a tab at a time, without choosing, so that every tab can be reached by touch.

#include "platform/core/Window.h"
#include "platform/ui/UiMessages.h"

#include <cstdint>
#include <string>

namespace platform::controls {

inline constexpr std::uint32_t TCS_BOTTOM = 0x0002;

inline constexpr std::uint32_t TCM_GETITEMCOUNT = 0x1304;
inline constexpr std::uint32_t TCM_DELETEITEM = 0x1308;
inline constexpr std::uint32_t TCM_DELETEALLITEMS = 0x1309;
inline constexpr std::uint32_t TCM_GETITEMRECT = 0x130A;  // wParam item, lParam draw::Rect*
inline constexpr std::uint32_t TCM_GETCURSEL = 0x130B;
inline constexpr std::uint32_t TCM_SETCURSEL = 0x130C;   // wParam item; returns the old one
inline constexpr std::uint32_t TCM_GETITEM = 0x133C;     // wParam item, lParam TabItem*
inline constexpr std::uint32_t TCM_SETITEM = 0x133D;     // wParam item, lParam const TabItem*
inline constexpr std::uint32_t TCM_INSERTITEM = 0x133E;  // wParam position, lParam TabItem*

inline constexpr std::uint32_t TCIF_TEXT = 0x0001;
inline constexpr std::uint32_t TCIF_PARAM = 0x0008;

inline constexpr std::uint32_t TCN_SELCHANGE = static_cast<std::uint32_t>(-551);
inline constexpr std::uint32_t TCN_SELCHANGING = static_cast<std::uint32_t>(-552);

struct TabItem {
    std::uint32_t mask = TCIF_TEXT;
    std::u16string text;
    std::intptr_t lParam = 0;
};

WindowProc tabControlProc();

}  // namespace platform::controls
