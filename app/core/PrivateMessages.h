#pragma once
// The program's private window messages: every message that controls, views, the shell and the
// worker threads exchange, with how it travels. "Sent" messages go through sendMessage (the
// sender waits for the answer), "posted" ones through postMessage. A message that changes hands
// on its way says so.
//
// All of them lie in the block from WM_USER + 0x7D1 upwards, except WM_KINETIC_SCROLL.

#include <cstdint>
#include <string_view>

namespace pelorvant {

enum class Delivery {
    Sent,            // sendMessage: the sender waits
    Posted,          // postMessage: the sender goes on at once
    PostedThenSent,  // posted by a worker thread, passed on with a send by its receiver
};

// Results list to results view: open the connection of a row (wParam list id, lParam row).
inline constexpr std::uint32_t WM_RESULT_OPEN = 0xBD1;                      // sent
inline constexpr std::uint32_t WM_RESULT_NEXT = 0xBD2;                      // sent; VK_RIGHT
inline constexpr std::uint32_t WM_RESULT_PREV = 0xBD3;                      // sent; VK_LEFT
// Image strip without item variants (a tab header forwards its close button's): released,
// wParam the strip's report value.
inline constexpr std::uint32_t WM_IMAGEBUTTON_CLICK = 0xBD4;                // sent
// Four-item image strip: item 0 to 3 tapped, wParam the strip's report value.
inline constexpr std::uint32_t WM_IMAGESTRIP_ITEM0 = 0xBD5;                 // sent
inline constexpr std::uint32_t WM_IMAGESTRIP_ITEM1 = 0xBD6;                 // sent
inline constexpr std::uint32_t WM_IMAGESTRIP_ITEM2 = 0xBD7;                 // sent
inline constexpr std::uint32_t WM_IMAGESTRIP_ITEM3 = 0xBD8;                 // sent
// Image strip: a key other than Enter went down, wParam the virtual key.
inline constexpr std::uint32_t WM_IMAGEBUTTON_KEY = 0xBD9;                  // sent
// Image strip: Enter released, wParam 13.
inline constexpr std::uint32_t WM_IMAGEBUTTON_ENTER = 0xBDA;                // sent
// A control asks its view to move the focus on: wParam 1 backwards, 0 forwards; lParam the
// sender's focus-order index.
inline constexpr std::uint32_t WM_MOVE_FOCUS = 0xBDB;                       // sent
// Calendar popup to date field: wParam day × 65000 + month × 5000 + year.
inline constexpr std::uint32_t WM_DATE_PICKED = 0xBDC;                      // sent
// To the main frame: shut the program down (every fatal path, last tab closed, menu bar).
inline constexpr std::uint32_t WM_APP_TERMINATE = 0xBDD;                    // sent
// Loading thread to progress view: wParam the new set or a load status, lParam the run.
inline constexpr std::uint32_t WM_LOADING_DONE = 0xBDF;                     // posted
// Search thread to progress view: wParam the search outcome, lParam the run.
inline constexpr std::uint32_t WM_SEARCH_DONE = 0xBE0;                      // posted
// Message-box view to the asking drop list: wParam the chosen row.
inline constexpr std::uint32_t WM_LIST_CHOICE_DONE = 0xBE1;                 // sent
// Report list to its parent view: Enter or double tap on a row.
inline constexpr std::uint32_t WM_LISTBOX_RETURN = 0xBE2;                   // sent
// Choice box and drop list to their parent: selection changed, wParam the control id.
inline constexpr std::uint32_t WM_CHOICE_CHANGED = 0xBE3;                   // sent
// Anyone to search page: turn T9 on or off in the three stop boxes and store "useT9".
inline constexpr std::uint32_t WM_TOGGLE_T9 = 0xBE4;                        // sent
// Text box to search page: wParam 0 own T9 display, 1 system edit and combo.
inline constexpr std::uint32_t WM_TEXTBOX_MODE = 0xBE6;                     // sent
// Choice controls to choice box and choice popup: focus lost.
inline constexpr std::uint32_t WM_CHOICE_KILLFOCUS = 0xBE7;                 // sent
// Text box to its parent: focus lost to a window other than its suggestion list.
inline constexpr std::uint32_t WM_TEXTBOX_KILLFOCUS = 0xBE8;                // sent
// Download thread to progress view: wParam next file name, lParam its size.
inline constexpr std::uint32_t WM_DOWNLOAD_NEXTFILE = 0xBEA;                // sent
// Download thread to progress view: wParam result code.
inline constexpr std::uint32_t WM_DOWNLOAD_DONE = 0xBEB;                    // posted
// ImageLabel to its parent: finger down on the label (a hint window closes on it).
inline constexpr std::uint32_t WM_LABEL_TAPPED = 0xBEC;                     // sent
// Second instance started with "UpdateData" to the main frame: run the update check.
inline constexpr std::uint32_t WM_UPDATE_HANDOVER = 0xBEE;                  // sent
// Update check ended: posted by its thread to the progress view, which sends it on to the
// view that asked.
inline constexpr std::uint32_t WM_UPDATECHECK_DONE = 0xC03;                 // posted, then sent
// Text box after showing the input panel, to the main frame: re-layout with flag 256.
inline constexpr std::uint32_t WM_RELAYOUT = 0xC04;                         // sent
// GPS receiver and its poll thread to the target window.
inline constexpr std::uint32_t WM_GPS_POSITION = 0xC0D;                     // posted
inline constexpr std::uint32_t WM_GPS_STOPPED = 0xC0E;                      // posted
inline constexpr std::uint32_t WM_GPS_DEVICESTATE = 0xC0F;                  // posted
inline constexpr std::uint32_t WM_GPS_NOFIX = 0xC10;                        // posted
// A device action's worker to the window that started it: the action ended, wParam its
// number, lParam its result (app/core/DeviceActions.h).
inline constexpr std::uint32_t WM_DEVICE_ACTION_DONE = 0xC08;               // posted
// Kinetic scroller to its list: scroll by wParam pixels (positive: content moves up).
inline constexpr std::uint32_t WM_KINETIC_SCROLL = 0x2232;                  // sent

struct PrivateMessage {
    std::uint32_t value;
    std::string_view name;
    Delivery delivery;
};

// Every private message, by value.
inline constexpr PrivateMessage kPrivateMessages[] = {
    {WM_RESULT_OPEN, "WM_RESULT_OPEN", Delivery::Sent},
    {WM_RESULT_NEXT, "WM_RESULT_NEXT", Delivery::Sent},
    {WM_RESULT_PREV, "WM_RESULT_PREV", Delivery::Sent},
    {WM_IMAGEBUTTON_CLICK, "WM_IMAGEBUTTON_CLICK", Delivery::Sent},
    {WM_IMAGESTRIP_ITEM0, "WM_IMAGESTRIP_ITEM0", Delivery::Sent},
    {WM_IMAGESTRIP_ITEM1, "WM_IMAGESTRIP_ITEM1", Delivery::Sent},
    {WM_IMAGESTRIP_ITEM2, "WM_IMAGESTRIP_ITEM2", Delivery::Sent},
    {WM_IMAGESTRIP_ITEM3, "WM_IMAGESTRIP_ITEM3", Delivery::Sent},
    {WM_IMAGEBUTTON_KEY, "WM_IMAGEBUTTON_KEY", Delivery::Sent},
    {WM_IMAGEBUTTON_ENTER, "WM_IMAGEBUTTON_ENTER", Delivery::Sent},
    {WM_MOVE_FOCUS, "WM_MOVE_FOCUS", Delivery::Sent},
    {WM_DATE_PICKED, "WM_DATE_PICKED", Delivery::Sent},
    {WM_APP_TERMINATE, "WM_APP_TERMINATE", Delivery::Sent},
    {WM_LOADING_DONE, "WM_LOADING_DONE", Delivery::Posted},
    {WM_SEARCH_DONE, "WM_SEARCH_DONE", Delivery::Posted},
    {WM_LIST_CHOICE_DONE, "WM_LIST_CHOICE_DONE", Delivery::Sent},
    {WM_LISTBOX_RETURN, "WM_LISTBOX_RETURN", Delivery::Sent},
    {WM_CHOICE_CHANGED, "WM_CHOICE_CHANGED", Delivery::Sent},
    {WM_TOGGLE_T9, "WM_TOGGLE_T9", Delivery::Sent},
    {WM_TEXTBOX_MODE, "WM_TEXTBOX_MODE", Delivery::Sent},
    {WM_CHOICE_KILLFOCUS, "WM_CHOICE_KILLFOCUS", Delivery::Sent},
    {WM_TEXTBOX_KILLFOCUS, "WM_TEXTBOX_KILLFOCUS", Delivery::Sent},
    {WM_DOWNLOAD_NEXTFILE, "WM_DOWNLOAD_NEXTFILE", Delivery::Sent},
    {WM_DOWNLOAD_DONE, "WM_DOWNLOAD_DONE", Delivery::Posted},
    {WM_LABEL_TAPPED, "WM_LABEL_TAPPED", Delivery::Sent},
    {WM_UPDATE_HANDOVER, "WM_UPDATE_HANDOVER", Delivery::Sent},
    {WM_UPDATECHECK_DONE, "WM_UPDATECHECK_DONE", Delivery::PostedThenSent},
    {WM_RELAYOUT, "WM_RELAYOUT", Delivery::Sent},
    {WM_GPS_POSITION, "WM_GPS_POSITION", Delivery::Posted},
    {WM_GPS_STOPPED, "WM_GPS_STOPPED", Delivery::Posted},
    {WM_GPS_DEVICESTATE, "WM_GPS_DEVICESTATE", Delivery::Posted},
    {WM_GPS_NOFIX, "WM_GPS_NOFIX", Delivery::Posted},
    {WM_DEVICE_ACTION_DONE, "WM_DEVICE_ACTION_DONE", Delivery::Posted},
    {WM_KINETIC_SCROLL, "WM_KINETIC_SCROLL", Delivery::Sent},
};

}  // namespace pelorvant
