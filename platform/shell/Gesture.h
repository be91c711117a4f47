#pragma once
// Tap-and-hold recognition, asked inside a WM_LBUTTONDOWN handler: while the finger stays
// down and within a few pixels of where it went down, a ring of dots fills up next to it; held
// for kTapHoldTime it is the context-menu gesture. A finger that lifts or moves away first
// ends the wait, and that finger message still reaches the window after the handler.

#include "platform/core/Types.h"
#include "platform/draw/Geometry.h"

#include <cstdint>
#include <string_view>

namespace platform::shell {

inline constexpr unsigned GN_CONTEXTMENU = 1000;
inline constexpr std::uint64_t kTapHoldTime = 500;
inline constexpr int kTapHoldTolerance = 5;  // pixels at 96 DPI, doubled on high resolution
inline constexpr std::uint64_t kTapHoldIndicatorDelay = 100;  // the dots show after this
inline constexpr std::string_view kTapHoldIndicatorClass = "TapHoldIndicator";

// GN_CONTEXTMENU when held, 0 otherwise. `client` is the tap in the window's client area.
unsigned recognizeGesture(WindowHandle window, draw::Point client);

}  // namespace platform::shell
