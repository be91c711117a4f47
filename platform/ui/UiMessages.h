#pragma once
// Message numbers, parameters and codes of the window layer. They keep the customary values,
// so that application code can use the usual names and numbers.

#include "platform/core/MessageIds.h"
#include "platform/core/Types.h"

#include <cstdint>

namespace platform::ui {

using platform::WM_DESTROY;
using platform::WM_NCDESTROY;
using platform::WM_QUIT;
using platform::WM_TIMER;
using platform::WM_USER;

inline constexpr std::uint32_t WM_NULL = 0x0000;
inline constexpr std::uint32_t WM_CREATE = 0x0001;     // lParam: const CreateParams*; -1 refuses
inline constexpr std::uint32_t WM_MOVE = 0x0003;       // lParam: client origin in the parent
inline constexpr std::uint32_t WM_SIZE = 0x0005;       // lParam: client width, height
inline constexpr std::uint32_t WM_SETFOCUS = 0x0007;   // wParam: the window that lost it
inline constexpr std::uint32_t WM_KILLFOCUS = 0x0008;  // wParam: the window that gets it
inline constexpr std::uint32_t WM_ENABLE = 0x000A;     // wParam: 1 enabled, 0 disabled
inline constexpr std::uint32_t WM_SETTEXT = 0x000C;    // lParam: const std::u16string*
inline constexpr std::uint32_t WM_GETTEXT = 0x000D;    // lParam: std::u16string* to fill
inline constexpr std::uint32_t WM_PAINT = 0x000F;
inline constexpr std::uint32_t WM_CLOSE = 0x0010;
inline constexpr std::uint32_t WM_ERASEBKGND = 0x0014;  // wParam: draw::DeviceContext*
inline constexpr std::uint32_t WM_SHOWWINDOW = 0x0018;  // wParam: 1 shown, 0 hidden
inline constexpr std::uint32_t WM_NOTIFY = 0x004E;      // wParam: control id, lParam: NotifyHeader*
inline constexpr std::uint32_t WM_NCHITTEST = 0x0084;   // lParam: screen point; returns HT*
inline constexpr std::uint32_t WM_KEYDOWN = 0x0100;     // wParam: virtual key
inline constexpr std::uint32_t WM_KEYUP = 0x0101;
inline constexpr std::uint32_t WM_CHAR = 0x0102;     // wParam: UTF-16 character
inline constexpr std::uint32_t WM_COMMAND = 0x0111;  // wParam: id | code << 16, lParam: control
inline constexpr std::uint32_t WM_HSCROLL = 0x0114;
inline constexpr std::uint32_t WM_VSCROLL = 0x0115;
inline constexpr std::uint32_t WM_MOUSEMOVE = 0x0200;  // lParam: client point
inline constexpr std::uint32_t WM_LBUTTONDOWN = 0x0201;
inline constexpr std::uint32_t WM_LBUTTONUP = 0x0202;
inline constexpr std::uint32_t WM_LBUTTONDBLCLK = 0x0203;
inline constexpr std::uint32_t WM_CAPTURECHANGED = 0x0215;  // lParam: the new capture window

inline constexpr std::uintptr_t MK_LBUTTON = 0x0001;

// WM_NCHITTEST results.
inline constexpr MsgResult HTTRANSPARENT = -1;
inline constexpr MsgResult HTNOWHERE = 0;
inline constexpr MsgResult HTCLIENT = 1;
inline constexpr MsgResult HTHSCROLL = 6;
inline constexpr MsgResult HTVSCROLL = 7;
inline constexpr MsgResult HTBORDER = 18;

// The header every WM_NOTIFY carries; controls put it first in their own records. The id is
// the sender's full id (ids above 16 bits exist).
struct NotifyHeader {
    WindowHandle from = kNullWindow;
    std::uintptr_t idFrom = 0;
    std::uint32_t code = 0;
};

// Packing of points and pairs into a parameter: low 16 bits and high 16 bits, signed.
constexpr std::intptr_t makeLParam(int low, int high) {
    return static_cast<std::intptr_t>(static_cast<std::int32_t>(
        (static_cast<std::uint32_t>(low) & 0xFFFFu) | (static_cast<std::uint32_t>(high) << 16)));
}
constexpr std::uintptr_t makeWParam(unsigned low, unsigned high) {
    return (static_cast<std::uintptr_t>(low) & 0xFFFFu) |
           (static_cast<std::uintptr_t>(high & 0xFFFFu) << 16);
}
constexpr int xOfLParam(std::intptr_t l) {
    return static_cast<std::int16_t>(static_cast<std::uint32_t>(l) & 0xFFFFu);
}
constexpr int yOfLParam(std::intptr_t l) {
    return static_cast<std::int16_t>((static_cast<std::uint32_t>(l) >> 16) & 0xFFFFu);
}
constexpr unsigned lowWord(std::uintptr_t w) {
    return static_cast<unsigned>(w & 0xFFFFu);
}
constexpr unsigned highWord(std::uintptr_t w) {
    return static_cast<unsigned>((w >> 16) & 0xFFFFu);
}

}  // namespace platform::ui
