#pragma once
// The window class of the program's own windows (views, forms, the tab host, lists, labels,
// text boxes): redrawn whole on every size change, double taps recognised, no border, the
// window colour as background.

#include "platform/ui/WindowTree.h"

#include <string>

namespace pelorvant {

inline constexpr const char* kShellWindowClass = "PelorvantWindow";

// Registers the class (once) and returns creation parameters for a window of it: the class
// name and the style with WS_BORDER cleared.
platform::ui::CreateParams shellCreateParams(std::uint32_t style, const platform::draw::Rect& rect,
                                             platform::WindowHandle parent, std::uintptr_t id);

}  // namespace pelorvant
