#pragma once
// Messages, flags and command ids of the shell, with their customary numbers.

#include "platform/core/MessageIds.h"

#include <cstdint>

namespace platform::shell {

inline constexpr std::uint32_t WM_SETTINGCHANGE = 0x001A;  // wParam SPI_SETSIPINFO: panel moved
inline constexpr std::uint32_t WM_HOTKEY = 0x0312;         // lParam: modifiers | virtual key << 16
inline constexpr std::uintptr_t SPI_SETSIPINFO = 224;
inline constexpr unsigned MOD_KEYUP = 0x1000;

// Menu bar messages.
inline constexpr std::uint32_t SHCMBM_GETSUBMENU = platform::WM_USER + 401;  // lParam: button id
inline constexpr std::uint32_t SHCMBM_GETMENU = platform::WM_USER + 402;
// wParam: virtual key; lParam: mask | flags << 16 (SHMBOF_*).
inline constexpr std::uint32_t SHCMBM_OVERRIDEKEY = platform::WM_USER + 403;
inline constexpr unsigned SHMBOF_NODEFAULT = 0x1;  // the bar does not handle the key itself
inline constexpr unsigned SHMBOF_NOTIFY = 0x2;     // the owner receives the key as WM_HOTKEY

inline constexpr unsigned IDOK = 1;
inline constexpr unsigned IDCANCEL = 2;
inline constexpr unsigned IDYES = 6;
inline constexpr unsigned IDNO = 7;

}  // namespace platform::shell
