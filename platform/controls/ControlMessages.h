#pragma once
// Messages, styles and notification codes of the system controls. They keep the customary
// numbers, so that application code can use the usual names and values.

#include "platform/core/Types.h"

#include <cstdint>

namespace platform::controls {

// Any window: the font it draws with (wParam: const draw::Font*, null for the default; lParam:
// 1 to redraw) and the font in use (returns const draw::Font*).
inline constexpr std::uint32_t WM_SETFONT = 0x0030;
inline constexpr std::uint32_t WM_GETFONT = 0x0031;

// Clipboard messages an edit takes.
inline constexpr std::uint32_t WM_CUT = 0x0300;
inline constexpr std::uint32_t WM_COPY = 0x0301;
inline constexpr std::uint32_t WM_PASTE = 0x0302;
inline constexpr std::uint32_t WM_CLEAR = 0x0303;

// Buttons.
inline constexpr std::uint32_t BS_PUSHBUTTON = 0x0;
inline constexpr std::uint32_t BS_DEFPUSHBUTTON = 0x1;
inline constexpr std::uint32_t BS_CHECKBOX = 0x2;
inline constexpr std::uint32_t BS_AUTOCHECKBOX = 0x3;
inline constexpr std::uint32_t BS_RADIOBUTTON = 0x4;
inline constexpr std::uint32_t BS_AUTORADIOBUTTON = 0x9;
inline constexpr std::uint32_t BS_TYPEMASK = 0xF;

inline constexpr std::uint32_t BM_GETCHECK = 0x00F0;
inline constexpr std::uint32_t BM_SETCHECK = 0x00F1;  // wParam: BST_*
inline constexpr std::uint32_t BM_GETSTATE = 0x00F2;  // BST_PUSHED while held down
inline constexpr std::uint32_t BM_SETSTATE = 0x00F3;  // wParam: 1 pushed look, 0 normal
inline constexpr std::uint32_t BM_CLICK = 0x00F5;

inline constexpr MsgResult BST_UNCHECKED = 0;
inline constexpr MsgResult BST_CHECKED = 1;
inline constexpr MsgResult BST_PUSHED = 4;
inline constexpr MsgResult BST_FOCUS = 8;

inline constexpr std::uint32_t BN_CLICKED = 0;

// Static text.
inline constexpr std::uint32_t SS_LEFT = 0x0;
inline constexpr std::uint32_t SS_CENTER = 0x1;
inline constexpr std::uint32_t SS_RIGHT = 0x2;
inline constexpr std::uint32_t SS_TYPEMASK = 0x3;

// Edit.
inline constexpr std::uint32_t ES_LEFT = 0x0000;
// Several lines: Enter breaks the line, Up and Down move between lines, and the text wraps
// between words to the edit's width unless ES_AUTOHSCROLL is given as well.
inline constexpr std::uint32_t ES_MULTILINE = 0x0004;
inline constexpr std::uint32_t ES_AUTOHSCROLL = 0x0080;
inline constexpr std::uint32_t ES_READONLY = 0x0800;

inline constexpr std::uint32_t EM_GETSEL = 0x00B0;  // wParam, lParam: int* start, end (may be null)
inline constexpr std::uint32_t EM_SETSEL = 0x00B1;  // wParam start, lParam end; -1 start: none
inline constexpr std::uint32_t EM_SCROLLCARET = 0x00B7;
inline constexpr std::uint32_t EM_REPLACESEL = 0x00C2;   // lParam: const std::u16string*
inline constexpr std::uint32_t EM_LIMITTEXT = 0x00C5;    // wParam: most characters, 0 no limit
inline constexpr std::uint32_t EM_SETREADONLY = 0x00CF;  // wParam: 1 read-only

inline constexpr std::uint32_t EN_SETFOCUS = 0x0100;
inline constexpr std::uint32_t EN_KILLFOCUS = 0x0200;
inline constexpr std::uint32_t EN_CHANGE = 0x0300;
inline constexpr std::uint32_t EN_UPDATE = 0x0400;
inline constexpr std::uint32_t EN_MAXTEXT = 0x0501;

// Combo box (drop-down list).
inline constexpr std::uint32_t CBS_DROPDOWNLIST = 0x0003;

inline constexpr std::uint32_t CB_ADDSTRING = 0x0143;  // lParam: const std::u16string*
inline constexpr std::uint32_t CB_DELETESTRING = 0x0144;
inline constexpr std::uint32_t CB_GETCOUNT = 0x0146;
inline constexpr std::uint32_t CB_GETCURSEL = 0x0147;
inline constexpr std::uint32_t CB_GETLBTEXT = 0x0148;     // wParam index, lParam: std::u16string*
inline constexpr std::uint32_t CB_INSERTSTRING = 0x014A;  // wParam index (-1 end), lParam text
inline constexpr std::uint32_t CB_RESETCONTENT = 0x014B;
inline constexpr std::uint32_t CB_FINDSTRING = 0x014C;    // wParam start after (-1 all), prefix
inline constexpr std::uint32_t CB_SETCURSEL = 0x014E;     // wParam index, -1 none
inline constexpr std::uint32_t CB_SHOWDROPDOWN = 0x014F;  // wParam: 1 open, 0 close
inline constexpr std::uint32_t CB_GETDROPPEDSTATE = 0x0157;
inline constexpr std::uint32_t CB_FINDSTRINGEXACT = 0x0158;

inline constexpr MsgResult CB_ERR = -1;

inline constexpr std::uint32_t CBN_SELCHANGE = 1;
inline constexpr std::uint32_t CBN_SETFOCUS = 3;
inline constexpr std::uint32_t CBN_KILLFOCUS = 4;
inline constexpr std::uint32_t CBN_DROPDOWN = 7;
inline constexpr std::uint32_t CBN_CLOSEUP = 8;

}  // namespace platform::controls
