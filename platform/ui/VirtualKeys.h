#pragma once
// Virtual key codes delivered with WM_KEYDOWN and WM_KEYUP.

#include <cstdint>

namespace platform::ui {

inline constexpr std::uint32_t VK_BACK = 0x08;
inline constexpr std::uint32_t VK_TAB = 0x09;
inline constexpr std::uint32_t VK_RETURN = 0x0D;
inline constexpr std::uint32_t VK_SHIFT = 0x10;
inline constexpr std::uint32_t VK_ESCAPE = 0x1B;
inline constexpr std::uint32_t VK_SPACE = 0x20;
inline constexpr std::uint32_t VK_END = 0x23;
inline constexpr std::uint32_t VK_HOME = 0x24;
inline constexpr std::uint32_t VK_LEFT = 0x25;
inline constexpr std::uint32_t VK_UP = 0x26;
inline constexpr std::uint32_t VK_RIGHT = 0x27;
inline constexpr std::uint32_t VK_DOWN = 0x28;
inline constexpr std::uint32_t VK_DELETE = 0x2E;
inline constexpr std::uint32_t VK_0 = 0x30;  // '0' to '9' are 0x30 to 0x39
inline constexpr std::uint32_t VK_A = 0x41;  // 'A' to 'Z' are 0x41 to 0x5A
// The numeric keypad's digits, 0x60 to 0x69. On the phones 8 and 9 are command keys (the
// program switches the text box's mode with them), so they give no character.
inline constexpr std::uint32_t VK_NUMPAD0 = 0x60;
inline constexpr std::uint32_t VK_NUMPAD8 = 0x68;
inline constexpr std::uint32_t VK_NUMPAD9 = 0x69;
inline constexpr std::uint32_t VK_F1 = 0x70;
inline constexpr std::uint32_t VK_F2 = 0x71;
inline constexpr std::uint32_t VK_F8 = 0x77;
inline constexpr std::uint32_t VK_F9 = 0x78;
// Stands in for a key an input method took for itself; the character it makes comes separately.
inline constexpr std::uint32_t VK_PROCESSKEY = 0xE5;
// The phone keys: the two soft keys, star and pound.
inline constexpr std::uint32_t VK_TSOFT1 = VK_F1;
inline constexpr std::uint32_t VK_TSOFT2 = VK_F2;
inline constexpr std::uint32_t VK_TSTAR = VK_F8;
inline constexpr std::uint32_t VK_TPOUND = VK_F9;

// The character a key gives (with or without shift), or 0 when it gives none.
char16_t characterOfKey(std::uint32_t vk, bool shift);

}  // namespace platform::ui
