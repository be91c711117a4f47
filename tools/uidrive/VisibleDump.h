#pragma once
// The tree of visible windows as text: class, id, rectangle, text, focus; the rows of lists
// with their checks; and the soft keys of the menu bar.
#include "platform/core/Types.h"

#include <string>
#include <vector>

namespace uidrive {

std::string dumpVisible(platform::WindowHandle frame);
// The texts the visible controls below the window show: static texts, buttons and check
// boxes, every item of a choice, the rows and cells of lists, the tabs of a tab row. Edit
// boxes hold what the user typed and are left out; the program's own windows are not read.
void collectControlTexts(platform::WindowHandle window, std::vector<std::u16string>& texts);
// The texts of the frame's menu bar items and of every item of its popups, depth first;
// separators left out.
std::vector<std::string> menuItemTexts(platform::WindowHandle frame);
// The same for the items that carry a check mark only.
std::vector<std::string> checkedMenuItemTexts(platform::WindowHandle frame);

}  // namespace uidrive
