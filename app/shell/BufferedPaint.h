#pragma once
// The paint handler of the program's own drawn controls: the whole client area is drawn into
// an off-screen bitmap first and copied in one step, so nothing flickers.
#include "platform/core/Types.h"
#include "platform/draw/Bitmap.h"

#include <functional>

namespace pelorvant {

// Paints the window's client area (less `rightMargin` pixels, for a scroll bar of its own)
// through `draw`. Call from the WM_PAINT handler.
void paintBuffered(platform::WindowHandle window, const std::function<void(platform::draw::Bitmap&)>& draw,
                   int rightMargin = 0);

// Showing a window repaints only that window: what its children drew while it was hidden is
// drawn again by invalidating every window below it. Call after showing it.
void repaintChildren(platform::WindowHandle window);

}  // namespace pelorvant
