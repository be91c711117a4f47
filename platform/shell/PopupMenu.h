#pragma once
// A popup menu at a point (the tap-and-hold menus): the menu's items in a popup with its
// top-left corner at the screen point (TPM_RIGHTALIGN, TPM_BOTTOMALIGN put that corner on the
// other side), kept on the screen. It runs until an item is chosen or a tap lands outside; keys
// walk it as those of the menu bar's popups.

#include "platform/core/Types.h"
#include "platform/shell/Menu.h"

#include <cstdint>

namespace platform::shell {

inline constexpr unsigned TPM_LEFTALIGN = 0x0000;
inline constexpr unsigned TPM_TOPALIGN = 0x0000;
inline constexpr unsigned TPM_RIGHTALIGN = 0x0008;
inline constexpr unsigned TPM_BOTTOMALIGN = 0x0020;
inline constexpr unsigned TPM_RETURNCMD = 0x0100;

// With TPM_RETURNCMD the chosen command is returned (0 when none); otherwise it goes to the
// owner as WM_COMMAND and the result is 1 when something was chosen.
std::uint32_t trackPopupMenu(const MenuPtr& menu, unsigned flags, int x, int y, WindowHandle owner);

}  // namespace platform::shell
