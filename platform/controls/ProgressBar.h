#pragma once
// The progress bar: a frame filled from the left in the selection colour by the share of its
// position within the range. The position is kept within the range.

#include "platform/core/Window.h"

#include <cstdint>

namespace platform::controls {

inline constexpr std::uint32_t PBM_SETRANGE = 0x0401;  // lParam: min | max << 16; old range
inline constexpr std::uint32_t PBM_SETPOS = 0x0402;    // wParam: position; returns the old one
inline constexpr std::uint32_t PBM_DELTAPOS = 0x0403;  // wParam: step; returns the old one
inline constexpr std::uint32_t PBM_SETSTEP = 0x0404;   // wParam: step of PBM_STEPIT
inline constexpr std::uint32_t PBM_STEPIT = 0x0405;
inline constexpr std::uint32_t PBM_SETRANGE32 = 0x0406;  // wParam min, lParam max
inline constexpr std::uint32_t PBM_GETRANGE = 0x0407;    // wParam 1: min, 0: max
inline constexpr std::uint32_t PBM_GETPOS = 0x0408;

WindowProc progressBarProc();

}  // namespace platform::controls
