#pragma once
// The menu bar along the bottom of the screen: the first two items of its menu are the left
// and the right soft key. A soft key that is a command sends WM_COMMAND (id, code 0) to the
// bar's owner; one that is a popup opens it above the bar (at the left or the right edge).
// An open popup takes the finger input: a tap on a command closes every popup and sends the
// command, a tap on a popup item opens it beside, a tap outside the popups closes them. Keys
// reach the popups through translateShellKey: Up and Down move the highlight, Enter or Right
// opens or chooses, Left or Escape closes the innermost popup.
//
// The menu stays shared with the code that asked for the bar, so items inserted, deleted,
// checked, grayed or renamed at run time show the next time a popup opens (and the soft key
// texts at once after refreshMenuBar).
//
// The Back key (VK_ESCAPE) is the bar's unless its owner overrode it (SHCMBM_OVERRIDEKEY with
// SHMBOF_NOTIFY: the owner receives WM_HOTKEY, lParam modifiers | key << 16, on the key's
// press and, with MOD_KEYUP, on its release; SHMBOF_NODEFAULT: nothing else happens). The
// bar itself does nothing with the Back key, so without an override it goes on to the focus.

#include "platform/core/MessageLoop.h"
#include "platform/core/Types.h"
#include "platform/shell/Menu.h"

#include <string_view>

namespace platform::shell {

inline constexpr std::string_view kMenuBarClass = "MenuBar";
inline constexpr std::string_view kMenuPopupClass = "MenuPopup";

// Creates the bar for `owner` (a top-level window) over the bottom of the screen.
WindowHandle createMenuBar(WindowHandle owner, MenuPtr menu);
// The bar made for the window; null when it has none.
WindowHandle findMenuBar(WindowHandle owner);
MenuPtr menuBarMenu(WindowHandle bar);
void setMenuBarMenu(WindowHandle bar, MenuPtr menu);
// Shows or hides the Done button ("ok") at the right end of the bar; a tap on it sends IDOK
// as a command to the owner.
void setMenuBarDoneButton(WindowHandle bar, bool shown);
bool menuBarDoneButton(WindowHandle bar);
// Whether the bar offers the command now: an item of its menu that is not grayed (a soft key
// or in a popup), or IDOK while the Done button shows.
bool menuBarOffers(WindowHandle bar, std::uint32_t command);
// Redraws the soft keys after their items changed.
void refreshMenuBar(WindowHandle bar);
// Acts as if soft key 1 (left) or 2 (right) of the bar were pressed; false when nothing
// happened (no such item, or a grayed one).
bool pressSoftKey(WindowHandle bar, int which);
// The popups open now, outermost first.
std::vector<WindowHandle> openMenuPopups();
void closeMenuPopups();

// For the program's message loop, before translating and dispatching: the soft keys, the Back
// key when overridden, and the keys of an open popup go to the shell. True when taken.
// createMenuBar installs it as a pre-translate filter of the ui loops (runMessageLoop,
// pumpMessages, runModalLoop), so those loops need not call it themselves.
bool translateShellKey(const Message& message);

}  // namespace platform::shell
