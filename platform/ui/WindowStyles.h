#pragma once
// Window styles, class styles, show commands and positioning flags that the layer acts on.

#include "platform/core/Types.h"

#include <cstdint>

namespace platform::ui {

inline constexpr std::uint32_t WS_POPUP = 0x80000000u;
inline constexpr std::uint32_t WS_CHILD = 0x40000000u;
inline constexpr std::uint32_t WS_VISIBLE = 0x10000000u;
inline constexpr std::uint32_t WS_DISABLED = 0x08000000u;
inline constexpr std::uint32_t WS_BORDER = 0x00800000u;
inline constexpr std::uint32_t WS_VSCROLL = 0x00200000u;
inline constexpr std::uint32_t WS_HSCROLL = 0x00100000u;

inline constexpr std::uint32_t WS_EX_TOPMOST = 0x00000008u;

inline constexpr std::uint32_t CS_VREDRAW = 0x0001;
inline constexpr std::uint32_t CS_HREDRAW = 0x0002;
inline constexpr std::uint32_t CS_DBLCLKS = 0x0008;

inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOW = 5;

inline constexpr std::uint32_t SWP_NOSIZE = 0x0001;
inline constexpr std::uint32_t SWP_NOMOVE = 0x0002;
inline constexpr std::uint32_t SWP_NOZORDER = 0x0004;
inline constexpr std::uint32_t SWP_NOACTIVATE = 0x0010;
inline constexpr std::uint32_t SWP_FRAMECHANGED = 0x0020;
inline constexpr std::uint32_t SWP_SHOWWINDOW = 0x0040;
inline constexpr std::uint32_t SWP_HIDEWINDOW = 0x0080;

// Places for setWindowPos's insertAfter besides a sibling's handle.
inline const WindowHandle HWND_TOP{0};
inline const WindowHandle HWND_BOTTOM{1};
inline const WindowHandle HWND_TOPMOST{static_cast<std::uintptr_t>(-1)};
inline const WindowHandle HWND_NOTOPMOST{static_cast<std::uintptr_t>(-2)};

}  // namespace platform::ui
