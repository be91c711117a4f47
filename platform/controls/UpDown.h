#pragma once
// The up-down control (class "msctls_updown32"): two arrows, up in the upper half and down in
// the lower, stepping a position within a range. A tap on an arrow (repeated while held,
// first after 400 ms, then every 100 ms) sends the parent UDN_DELTAPOS through WM_NOTIFY with
// the position and the step; a nonzero answer refuses the step. Otherwise the position moves
// by the step, kept within the range, and the parent receives WM_VSCROLL (SB_THUMBPOSITION
// with the position, lParam: the control) and, when the finger lifts, SB_ENDSCROLL.
//
// The up arrow steps towards the range's upper end. The default range runs from 100 down to
// 0, as customary, so there the up arrow gives a step of -1. The buddy is the window the
// control serves (UDM_SETBUDDY); it is kept for the owner to ask for, nothing more.

#include "platform/core/Types.h"
#include "platform/core/Window.h"
#include "platform/ui/UiMessages.h"

#include <cstdint>

namespace platform::controls {

inline constexpr std::uint32_t UDM_SETRANGE = 0x0465;  // lParam: upper | lower << 16
inline constexpr std::uint32_t UDM_GETRANGE = 0x0466;  // returns upper | lower << 16
inline constexpr std::uint32_t UDM_SETPOS = 0x0467;    // lParam: position; returns the old one
inline constexpr std::uint32_t UDM_GETPOS = 0x0468;
inline constexpr std::uint32_t UDM_SETBUDDY = 0x0469;  // wParam: the buddy; returns the old one
inline constexpr std::uint32_t UDM_GETBUDDY = 0x046A;
inline constexpr std::uint32_t UDM_SETRANGE32 = 0x046F;  // wParam lower, lParam upper
inline constexpr std::uint32_t UDM_GETRANGE32 = 0x0470;  // wParam, lParam: int* lower, upper
inline constexpr std::uint32_t UDM_SETPOS32 = 0x0471;
inline constexpr std::uint32_t UDM_GETPOS32 = 0x0472;

inline constexpr std::uint32_t UDN_DELTAPOS = static_cast<std::uint32_t>(-722);

inline constexpr std::uintptr_t kUpDownRepeatTimer = 1;

struct UpDownNotify {
    ui::NotifyHeader header;
    int pos = 0;    // the position before the step
    int delta = 0;  // the step asked for
};

WindowProc upDownProc();

}  // namespace platform::controls
