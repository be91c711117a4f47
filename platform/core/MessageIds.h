#pragma once
// Message numbers used across the program and by the engine. The system messages keep their
// customary values so that application code can use the usual numbers.

#include <cstdint>

namespace platform {

// System messages.
inline constexpr std::uint32_t WM_DESTROY = 0x0002;    // first notice of a window being destroyed
inline constexpr std::uint32_t WM_QUIT = 0x0012;       // ends a thread's message loop
inline constexpr std::uint32_t WM_NCDESTROY = 0x0082;  // last message a window receives
inline constexpr std::uint32_t WM_TIMER = 0x0113;      // wParam: timer id
inline constexpr std::uint32_t WM_USER = 0x0400;       // first private message number

// Messages the engine sends, synchronously, during a load or a search.
inline constexpr std::uint32_t WM_ENGINE_PROGRESS = 999666;     // wParam: percent 0 to 100
inline constexpr std::uint32_t WM_ENGINE_START = 999777;        // wParam: see below
inline constexpr std::uint32_t WM_ENGINE_FIRST_FOUND = 999888;  // first connection collected

// wParam of WM_ENGINE_START at the start of a search; otherwise it carries a catalogue index.
inline constexpr std::uintptr_t ENGINE_START_SEARCH = 999999;

}  // namespace platform
