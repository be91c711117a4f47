#pragma once
// The drop-down-list combo box (CBS_DROPDOWNLIST): a box showing the selected string, and a
// list below it (above it when there is no room) opened by a tap or CB_SHOWDROPDOWN. While
// closed, Up and Down change the selection. While open, the list holds the finger input: a
// tap on an item selects it and closes the list, a tap anywhere else closes it unchanged; Up
// and Down move the highlight, Enter takes it, Escape closes the list unchanged.
//
// A selection the user makes sends the parent CBN_SELCHANGE (after CBN_CLOSEUP when it was
// made in the open list); CB_SETCURSEL sends nothing. Losing the focus while open closes the
// list first (CBN_CLOSEUP), then CBN_KILLFOCUS follows. The open list shows at most
// CB_SETMINVISIBLE items at a time (6 unless set) and scrolls to keep the highlight in view.

#include "platform/core/Window.h"

#include <cstdint>

namespace platform::controls {

inline constexpr std::uint32_t CB_SETMINVISIBLE = 0x1701;  // wParam: items shown when open
inline constexpr std::uint32_t CB_GETMINVISIBLE = 0x1702;
inline constexpr std::uintptr_t kComboListId = 1000;  // the open list's id, for tree dumps

WindowProc comboBoxProc();

}  // namespace platform::controls
