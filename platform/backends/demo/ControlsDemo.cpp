#include "platform/backends/demo/ControlsDemo.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/Controls.h"
#include "platform/controls/ListView.h"
#include "platform/controls/MonthCalendar.h"
#include "platform/controls/ProgressBar.h"
#include "platform/controls/ScrollBar.h"
#include "platform/controls/TabControl.h"
#include "platform/controls/UpDown.h"
#include "platform/core/MessageLoop.h"
#include "platform/shell/MenuBar.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Screen.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>
#include <string>

namespace platform::demo {
namespace {

using draw::Rect;
namespace ctl = platform::controls;
using shell::Menu;
using shell::MenuPtr;
using shell::MF_POPUP;
using shell::MF_STRING;

int scale() {
    return ui::deviceProfile().highResolution() ? 2 : 1;
}

WindowHandle add(WindowHandle parent, std::string_view cls, std::u16string text,
                 std::uint32_t style, Rect r, std::uintptr_t id) {
    const int s = scale();
    ui::CreateParams p;
    p.className = std::string(cls);
    p.text = std::move(text);
    p.style = ui::WS_CHILD | ui::WS_VISIBLE | style;
    p.rect = Rect{r.left * s, r.top * s, r.right * s, r.bottom * s};
    p.parent = parent;
    p.id = id;
    return ui::createWindow(p);
}

// Where each control of the controls screen goes, in units of the low-resolution screen, for a
// client area of w × h units. The upper rows keep their places; what spans the width follows
// it; the list fills the height left above the tabs (portrait) or beside them (landscape).
void layoutControls(WindowHandle f) {
    const int s = scale();
    const Rect c = ui::getClientRect(f);
    const int w = c.width() / s;
    const int h = c.height() / s;
    const auto place = [f, s](std::uintptr_t id, Rect r) {
        ui::moveWindow(ui::getDlgItem(f, id), r.left * s, r.top * s, r.width() * s, r.height() * s);
    };
    place(2, Rect{62, 3, w - 4, 23});
    place(5, Rect{166, 27, w - 4, 45});
    place(8, Rect{96, 54, w - 4, 66});
    place(9, Rect{4, 75, w - 4, 95});
    constexpr int kListTop = 99;
    constexpr int kTabsHeight = 100;
    Rect tabs{0, h - kTabsHeight, w, h};
    int listRight = w;
    int listBottom = h - kTabsHeight - 4;
    if (w > h) {
        listRight = w / 2;
        listBottom = h - 4;
        tabs = Rect{w / 2 + 2, kListTop, w, h};
    }
    place(10, Rect{4, kListTop, listRight - 24, listBottom});
    place(11, Rect{listRight - 18, kListTop, listRight - 5, listBottom});
    place(12, tabs);
    const WindowHandle tabControl = ui::getDlgItem(f, 12);
    ui::moveWindow(ui::getDlgItem(tabControl, 13), 10 * s, 20 * s, (tabs.width() - 20) * s, 20 * s);
}

// The calendar keeps its size, centred across the width, near the top.
void layoutCalendar(WindowHandle f) {
    const int s = scale();
    const Rect c = ui::getClientRect(f);
    constexpr int kWidth = 220;
    constexpr int kHeight = 180;
    const int left = (c.width() / s - kWidth) / 2;
    const int top = std::min(40, std::max(0, (c.height() / s - kHeight) / 2));
    ui::moveWindow(ui::getDlgItem(f, 2046), left * s, top * s, kWidth * s, kHeight * s);
}

// A full-screen frame above the menu bar that lays its children out with `layout` when sized.
WindowHandle frameWindow(void (*layout)(WindowHandle)) {
    const draw::Size screen = ui::screenSize();
    ui::CreateParams p;
    p.className = "ControlsDemo";
    p.text = u"Controls";
    p.style = ui::WS_VISIBLE;
    p.rect = Rect{0, 0, screen.width, screen.height - ui::systemMetrics().captionHeight};
    return ui::createWindow(
        p, [layout](WindowHandle h, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) {
            if (m == ui::WM_SIZE) {
                layout(h);
            }
            return ui::defWindowProc(h, m, wp, lp);
        });
}

}  // namespace

WindowHandle createControlsDemo() {
    ctl::registerControlClasses();
    const WindowHandle f = frameWindow(layoutControls);
    add(f, ctl::kStaticClass, u"Odkud:", ctl::SS_LEFT, Rect{4, 4, 60, 22}, 1);
    const WindowHandle edit =
        add(f, ctl::kEditClass, u"Praha hl.n.", ui::WS_BORDER, Rect{}, 2);
    add(f, ctl::kButtonClass, u"Lůžkový", ctl::BS_AUTOCHECKBOX, Rect{4, 27, 90, 45}, 3);
    sendMessage(ui::getDlgItem(f, 3), ctl::BM_SETCHECK, 1);
    add(f, ctl::kButtonClass, u"Odjezd", ctl::BS_AUTORADIOBUTTON, Rect{94, 27, 164, 45}, 4);
    add(f, ctl::kButtonClass, u"Příjezd", ctl::BS_AUTORADIOBUTTON, Rect{}, 5);
    sendMessage(ui::getDlgItem(f, 4), ctl::BM_SETCHECK, 1);
    add(f, ctl::kButtonClass, u"Hledat", ctl::BS_PUSHBUTTON, Rect{4, 49, 72, 71}, 6);
    add(f, ctl::kUpDownClass, u"", 0, Rect{76, 49, 92, 71}, 7);
    const WindowHandle progress = add(f, ctl::kProgressBarClass, u"", 0, Rect{}, 8);
    sendMessage(progress, ctl::PBM_SETPOS, 60);
    const WindowHandle combo = add(f, ctl::kComboBoxClass, u"",
                                   ctl::CBS_DROPDOWNLIST | ui::WS_BORDER, Rect{}, 9);
    for (const char16_t* s : {u"Vše", u"Vlak", u"Autobus"}) {
        std::u16string text(s);
        sendMessage(combo, ctl::CB_ADDSTRING, 0, reinterpret_cast<std::intptr_t>(&text));
    }
    sendMessage(combo, ctl::CB_SETCURSEL, 1);
    const WindowHandle list =
        add(f, ctl::kListViewClass, u"", ui::WS_BORDER | ctl::LVS_REPORT | ctl::LVS_SHOWSELALWAYS,
            Rect{}, 10);
    sendMessage(list, ctl::LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                ctl::LVS_EX_CHECKBOXES | ctl::LVS_EX_FULLROWSELECT);
    ctl::ListColumn stop{u"Zastávka", 150 * scale()};
    ctl::ListColumn km{u"Km", 50 * scale()};
    sendMessage(list, ctl::LVM_INSERTCOLUMN, 0, reinterpret_cast<std::intptr_t>(&stop));
    sendMessage(list, ctl::LVM_INSERTCOLUMN, 1, reinterpret_cast<std::intptr_t>(&km));
    const char16_t* stops[] = {u"Praha hl.n.",   u"Kolín",      u"Pardubice hl.n.",
                               u"Česká Třebová", u"Brno hl.n.", u"Břeclav"};
    const char16_t* kms[] = {u"0", u"62", u"104", u"164", u"255", u"314"};
    for (int i = 0; i < 6; ++i) {
        ctl::ListItem item;
        item.mask = ctl::LVIF_TEXT;
        item.item = i;
        item.text = stops[i];
        sendMessage(list, ctl::LVM_INSERTITEM, 0, reinterpret_cast<std::intptr_t>(&item));
        item.subItem = 1;
        item.text = kms[i];
        sendMessage(list, ctl::LVM_SETITEMTEXT, static_cast<std::uintptr_t>(i),
                    reinterpret_cast<std::intptr_t>(&item));
    }
    ctl::ListItem state;
    state.state = state.stateMask = ctl::LVIS_SELECTED | ctl::LVIS_FOCUSED;
    sendMessage(list, ctl::LVM_SETITEMSTATE, 2, reinterpret_cast<std::intptr_t>(&state));
    state.state = ctl::kStateChecked;
    state.stateMask = ctl::LVIS_STATEIMAGEMASK;
    sendMessage(list, ctl::LVM_SETITEMSTATE, 0, reinterpret_cast<std::intptr_t>(&state));
    const WindowHandle bar =
        add(f, ctl::kScrollBarClass, u"", ctl::SBS_VERT, Rect{}, 11);
    ctl::ScrollInfo info;
    info.mask = ctl::SIF_ALL;
    info.max = 99;
    info.page = 30;
    info.pos = 20;
    ctl::setScrollInfo(bar, info);
    const WindowHandle tabs =
        add(f, ctl::kTabControlClass, u"", ctl::TCS_BOTTOM, Rect{}, 12);
    for (const char16_t* t : {u"Spojení", u"Odjezdy", u"Mapa"}) {
        ctl::TabItem tab;
        tab.text = t;
        sendMessage(tabs, ctl::TCM_INSERTITEM, 99, reinterpret_cast<std::intptr_t>(&tab));
    }
    add(tabs, ctl::kStaticClass, u"Stránka karty", ctl::SS_CENTER, Rect{}, 13);
    MenuPtr menu = Menu::create();
    menu->append(MF_STRING, 32778, u"Najdi");
    MenuPtr popup = Menu::create();
    popup->append(MF_STRING, 32779, u"Možnosti");
    menu->append(MF_POPUP, 402, u"Menu", popup);
    layoutControls(f);
    shell::createMenuBar(f, menu);
    ui::setFocus(edit);
    sendMessage(edit, ctl::EM_SETSEL, 0, 5);
    return f;
}

WindowHandle createCalendarDemo() {
    ctl::registerControlClasses();
    const WindowHandle f = frameWindow(layoutCalendar);
    const WindowHandle cal = add(f, ctl::kMonthCalendarClass, u"", ui::WS_BORDER, Rect{}, 2046);
    // The names a program gives its calendar in its language; the demo's are Czech.
    const ctl::CalendarNames names{
        {u"leden", u"únor", u"březen", u"duben", u"květen", u"červen", u"červenec", u"srpen", u"září",
         u"říjen", u"listopad", u"prosinec"},
        {u"Po", u"Út", u"St", u"Čt", u"Pá", u"So", u"Ne"}};
    sendMessage(cal, ctl::MCM_SETNAMES, 0, reinterpret_cast<std::intptr_t>(&names));
    layoutCalendar(f);
    ctl::CalendarDate day{2026, 12, 0, 10};
    sendMessage(cal, ctl::MCM_SETCURSEL, 0, reinterpret_cast<std::intptr_t>(&day));
    return f;
}

}  // namespace platform::demo
