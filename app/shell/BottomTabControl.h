#pragma once
// The tab control of a form with pages: along the bottom edge, in the program's main font.
#include "platform/core/Types.h"

#include <cstdint>

namespace pelorvant {

// A visible child of the parent with the control id; the caller places it.
platform::WindowHandle createBottomTabControl(platform::WindowHandle parent, std::uintptr_t id);

}  // namespace pelorvant
