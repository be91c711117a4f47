#pragma once
// The tree of visible windows as text: class, id, rectangle, text, focus; the rows of lists
// with their checks; and the soft keys of the menu bar.
#include "platform/core/Types.h"

#include <string>

namespace uidrive {

std::string dumpVisible(platform::WindowHandle frame);

}  // namespace uidrive
