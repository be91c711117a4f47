#pragma once
// The report-style list view (LVS_REPORT): rows of texts in columns, an optional column
// header, a check box per row (LVS_EX_CHECKBOXES), the selection drawn across the whole row
// (LVS_EX_FULLROWSELECT) or over the first column, and rows drawn by the parent
// (LVS_OWNERDRAWFIXED: the row height comes from WM_MEASUREITEM once, each row from
// WM_DRAWITEM). One row at a time is selected.
//
// A tap on a row selects and focuses it (the row that had them loses them first), a tap on
// its check box toggles the check; each change of a row's state sends the parent
// LVN_ITEMCHANGING (a nonzero answer refuses it) and then LVN_ITEMCHANGED, then the tap sends
// NM_CLICK; a double tap sends NM_DBLCLK. Up and Down move the selection; Space toggles the
// focused row's check; every key is reported first with LVN_KEYDOWN, Enter also with
// NM_RETURN. Rows below the client area are reached with a vertical scroll bar shown at the
// right edge when needed; LVM_SCROLL also moves the columns sideways.

#include "platform/core/Types.h"
#include "platform/core/Window.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/Geometry.h"
#include "platform/ui/UiMessages.h"

#include <cstdint>
#include <string>

namespace platform::controls {

inline constexpr std::uint32_t LVS_REPORT = 0x0001;
inline constexpr std::uint32_t LVS_SINGLESEL = 0x0004;
inline constexpr std::uint32_t LVS_SHOWSELALWAYS = 0x0008;
inline constexpr std::uint32_t LVS_OWNERDRAWFIXED = 0x0400;
inline constexpr std::uint32_t LVS_NOCOLUMNHEADER = 0x4000;

inline constexpr std::uint32_t LVS_EX_CHECKBOXES = 0x00000004;
inline constexpr std::uint32_t LVS_EX_FULLROWSELECT = 0x00000020;
inline constexpr std::uint32_t LVS_EX_NOHSCROLL = 0x10000000;

inline constexpr std::uint32_t LVM_GETITEMCOUNT = 0x1004;
inline constexpr std::uint32_t LVM_DELETEITEM = 0x1008;
inline constexpr std::uint32_t LVM_DELETEALLITEMS = 0x1009;
inline constexpr std::uint32_t LVM_GETNEXTITEM = 0x100C;    // wParam start (-1), lParam LVNI_*
inline constexpr std::uint32_t LVM_GETITEMRECT = 0x100E;    // wParam row, lParam Rect* (in/out)
inline constexpr std::uint32_t LVM_HITTEST = 0x1012;        // lParam: ListHitTest*; the row or -1
inline constexpr std::uint32_t LVM_ENSUREVISIBLE = 0x1013;  // wParam row, lParam partial ok
inline constexpr std::uint32_t LVM_SCROLL = 0x1014;         // wParam dx, lParam dy (pixels)
inline constexpr std::uint32_t LVM_DELETECOLUMN = 0x101C;
inline constexpr std::uint32_t LVM_GETCOLUMNWIDTH = 0x101D;
inline constexpr std::uint32_t LVM_SETCOLUMNWIDTH = 0x101E;  // wParam column, lParam width
inline constexpr std::uint32_t LVM_GETTOPINDEX = 0x1027;
inline constexpr std::uint32_t LVM_GETCOUNTPERPAGE = 0x1028;
inline constexpr std::uint32_t LVM_SETITEMSTATE = 0x102B;  // wParam row (-1 all), lParam ListItem*
inline constexpr std::uint32_t LVM_GETITEMSTATE = 0x102C;  // wParam row, lParam mask
inline constexpr std::uint32_t LVM_GETSELECTEDCOUNT = 0x1032;
inline constexpr std::uint32_t LVM_SETEXTENDEDLISTVIEWSTYLE = 0x1036;  // wParam mask, lParam bits
inline constexpr std::uint32_t LVM_GETEXTENDEDLISTVIEWSTYLE = 0x1037;
inline constexpr std::uint32_t LVM_GETSELECTIONMARK = 0x1042;
inline constexpr std::uint32_t LVM_SETSELECTIONMARK = 0x1043;  // lParam row; returns the old one
inline constexpr std::uint32_t LVM_GETITEM = 0x104B;           // lParam: ListItem* (mask, row)
inline constexpr std::uint32_t LVM_SETITEM = 0x104C;           // lParam: const ListItem*
inline constexpr std::uint32_t LVM_INSERTITEM = 0x104D;    // lParam: const ListItem*; the new row
inline constexpr std::uint32_t LVM_INSERTCOLUMN = 0x1061;  // wParam column, lParam ListColumn*
inline constexpr std::uint32_t LVM_GETITEMTEXT = 0x1073;   // wParam row, lParam ListItem*
inline constexpr std::uint32_t LVM_SETITEMTEXT = 0x1074;   // wParam row, lParam const ListItem*

inline constexpr std::uint32_t LVIF_TEXT = 0x0001;
inline constexpr std::uint32_t LVIF_PARAM = 0x0004;
inline constexpr std::uint32_t LVIF_STATE = 0x0008;

inline constexpr std::uint32_t LVIS_FOCUSED = 0x0001;
inline constexpr std::uint32_t LVIS_SELECTED = 0x0002;
inline constexpr std::uint32_t LVIS_STATEIMAGEMASK = 0xF000;  // check box: 1 unchecked, 2 checked
inline constexpr std::uint32_t kStateUnchecked = 0x1000;
inline constexpr std::uint32_t kStateChecked = 0x2000;

inline constexpr std::uint32_t LVNI_ALL = 0x0000;
inline constexpr std::uint32_t LVNI_FOCUSED = 0x0001;
inline constexpr std::uint32_t LVNI_SELECTED = 0x0002;

inline constexpr std::uint32_t NM_CLICK = static_cast<std::uint32_t>(-2);
inline constexpr std::uint32_t NM_DBLCLK = static_cast<std::uint32_t>(-3);
inline constexpr std::uint32_t NM_RETURN = static_cast<std::uint32_t>(-4);
inline constexpr std::uint32_t NM_SETFOCUS = static_cast<std::uint32_t>(-7);
inline constexpr std::uint32_t NM_KILLFOCUS = static_cast<std::uint32_t>(-8);
inline constexpr std::uint32_t LVN_ITEMCHANGING = static_cast<std::uint32_t>(-100);
inline constexpr std::uint32_t LVN_ITEMCHANGED = static_cast<std::uint32_t>(-101);
inline constexpr std::uint32_t LVN_KEYDOWN = static_cast<std::uint32_t>(-155);

// Owner drawing.
inline constexpr std::uint32_t WM_DRAWITEM = 0x002B;     // wParam control id, lParam DrawItem*
inline constexpr std::uint32_t WM_MEASUREITEM = 0x002C;  // wParam control id, lParam MeasureItem*
inline constexpr unsigned ODT_LISTVIEW = 102;
inline constexpr unsigned ODA_DRAWENTIRE = 0x0001;
inline constexpr unsigned ODS_SELECTED = 0x0001;
inline constexpr unsigned ODS_FOCUS = 0x0010;

struct ListColumn {
    std::u16string text;
    int width = 60;
};

struct ListItem {
    std::uint32_t mask = 0;  // LVIF_*
    int item = 0;
    int subItem = 0;
    std::uint32_t state = 0;
    std::uint32_t stateMask = 0;
    std::u16string text;
    std::intptr_t lParam = 0;
};

struct ListHitTest {
    draw::Point pt;  // client coordinates
    int item = -1;
    int subItem = -1;
    bool onCheckBox = false;
};

struct ListNotify {  // LVN_ITEMCHANGING, LVN_ITEMCHANGED, NM_CLICK, NM_DBLCLK
    ui::NotifyHeader header;
    int item = -1;
    int subItem = 0;
    std::uint32_t newState = 0;
    std::uint32_t oldState = 0;
    std::uint32_t changed = 0;  // LVIF_STATE for state changes
    draw::Point action;         // where the finger was, for taps
    std::intptr_t lParam = 0;
};

struct ListKeyNotify {  // LVN_KEYDOWN
    ui::NotifyHeader header;
    std::uint32_t vk = 0;
};

struct MeasureItem {
    unsigned ctlType = ODT_LISTVIEW;
    std::uintptr_t ctlId = 0;
    int itemId = 0;
    int itemWidth = 0;
    int itemHeight = 0;  // the parent sets the row height
};

struct DrawItem {
    unsigned ctlType = ODT_LISTVIEW;
    std::uintptr_t ctlId = 0;
    int itemId = 0;
    unsigned itemAction = ODA_DRAWENTIRE;
    unsigned itemState = 0;  // ODS_*
    WindowHandle window = kNullWindow;
    draw::DeviceContext* dc = nullptr;
    draw::Rect rcItem;
    std::intptr_t itemData = 0;
};

inline constexpr std::uintptr_t kListScrollBarId = 5173;
inline constexpr std::uintptr_t kListSideBarId = 5174;  // the horizontal one

WindowProc listViewProc();

}  // namespace platform::controls
