#pragma once
// Builds a menu from a compiled menu template: its top-level entries (the soft keys of a
// menu bar, or the one popup of a context menu) become the menu's items.

#include "platform/resources/MenuTemplate.h"
#include "platform/shell/Menu.h"

namespace platform::shell {

MenuPtr menuFromTemplate(const resources::MenuTemplate& source);

}  // namespace platform::shell
