#pragma once
// A small demonstration window: text in every style, lines, shapes, a drawn bitmap copied
// plain, stretched and colour-keyed, a child panel, and a counter driven by a timer. The demo
// program shows it in the SDL backend; the golden-image tests show it on the headless one.

#include "platform/core/Types.h"

namespace platform::demo {

inline constexpr std::uintptr_t kDemoTimer = 1;
inline constexpr std::uint32_t kDemoTickInterval = 1000;

// Creates the demo as a full-screen top-level window, laid out from its size (also when the
// screen turns); its timer starts at once.
WindowHandle createDemoWindow();

}  // namespace platform::demo
