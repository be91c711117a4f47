#include "platform/shell/MenuBar.h"

#include "platform/controls/Control.h"
#include "platform/controls/ControlStyle.h"
#include "platform/controls/ControlWindow.h"
#include "platform/controls/ListPainter.h"
#include "platform/shell/PopupMenu.h"
#include "platform/shell/ShellMessages.h"
#include "platform/ui/Capture.h"
#include "platform/ui/MessageFilters.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Screen.h"
#include "platform/ui/UiLoop.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowObject.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace platform::shell {
namespace {

using draw::Point;
using draw::Rect;
namespace ctl = platform::controls;

constexpr int kPopupDepthLimit = 8;

struct OpenPopup {
    WindowHandle window = kNullWindow;
    MenuPtr menu;
    int highlight = -1;
};

struct Bar {
    WindowHandle window = kNullWindow;
    WindowHandle owner = kNullWindow;
    MenuPtr menu;
    std::map<std::uint32_t, unsigned> overrides;  // key → SHMBOF_* flags
    bool doneButton = false;
};

// The Done button, when shown, is a square at the right end of the bar.
Rect doneRect(WindowHandle bar) {
    const Rect c = ui::getClientRect(bar);
    return Rect{c.right - c.height(), 0, c.right, c.bottom};
}

// The shell's state on the user-interface thread: the bars in creation order and the popups
// that are open (at most one chain at a time).
struct ShellState {
    std::vector<std::shared_ptr<Bar>> bars;
    std::vector<OpenPopup> popups;
    WindowHandle popupOwner = kNullWindow;  // where chosen commands go
    bool fingerWentDown = false;
    // Keys whose press the shell took: their release is the shell's too, even when the popup
    // that took the press has closed meanwhile.
    std::vector<std::uint32_t> keysTaken;
    // A popup menu at a point that returns its command instead of sending it.
    bool returnCommand = false;
    std::uint32_t chosen = 0;
};

ShellState& shell() {
    thread_local ShellState state;
    return state;
}

std::shared_ptr<Bar> barOf(WindowHandle window) {
    for (const auto& b : shell().bars) {
        if (b->window == window) {
            return b;
        }
    }
    return nullptr;
}

std::shared_ptr<Bar> activeBar() {
    auto& bars = shell().bars;
    for (auto it = bars.rbegin(); it != bars.rend(); ++it) {
        if (ui::isWindowVisible((*it)->window)) {
            return *it;
        }
    }
    return nullptr;
}

const draw::Font& font() {
    return ctl::controlFont();
}
int rowHeight() {
    return ctl::listRowHeight(font());
}
int separatorHeight() {
    return 5;
}

int itemHeight(const MenuItem& i) {
    return i.kind == MenuItem::Kind::Separator ? separatorHeight() : rowHeight();
}

draw::Size popupSize(const Menu& menu) {
    int w = 60;
    int h = 2;
    for (int p = 0; p < menu.count(); ++p) {
        const MenuItem& i = *menu.item(p);
        w = std::max(w, font().measure(i.text).width + 2 * rowHeight());
        h += itemHeight(i);
    }
    return draw::Size{w, h};
}

int itemAt(const Menu& menu, int y) {
    int top = 1;
    for (int p = 0; p < menu.count(); ++p) {
        const int h = itemHeight(*menu.item(p));
        if (y >= top && y < top + h) {
            return p;
        }
        top += h;
    }
    return -1;
}

int itemTop(const Menu& menu, int position) {
    int top = 1;
    for (int p = 0; p < position && p < menu.count(); ++p) {
        top += itemHeight(*menu.item(p));
    }
    return top;
}

bool selectable(const MenuItem* i) {
    return i && i->kind != MenuItem::Kind::Separator && !i->grayed;
}

void closeFrom(std::size_t level) {
    auto& popups = shell().popups;
    while (popups.size() > level) {
        const WindowHandle w = popups.back().window;
        popups.pop_back();
        if (ui::getCapture() == w) {
            ui::releaseCapture();
        }
        ui::destroyWindow(w);
    }
    if (!popups.empty()) {
        ui::setCapture(popups.back().window);
    }
}

// Makes a popup's window (below); null when it could not be made.
WindowHandle openPopupWindow(const ui::CreateParams& params);

// Opens `menu` with its corner at `anchor`: above it for a soft key, beside it for a nested
// popup; kept on the screen and off the menu bar.
void openPopup(MenuPtr menu, Point anchor, bool alignRight, bool above) {
    if (!menu || shell().popups.size() >= kPopupDepthLimit) {
        return;
    }
    const draw::Size size = popupSize(*menu);
    const draw::Size screen = ui::screenSize();
    // Popups never cover the menu bar: a nested one low on the screen moves up.
    const std::shared_ptr<Bar> bar = activeBar();
    const int bottom =
        bar ? std::min(screen.height, ui::getWindowRect(bar->window).top) : screen.height;
    int x = alignRight ? anchor.x - size.width : anchor.x;
    int y = above ? anchor.y - size.height : anchor.y;
    x = std::clamp(x, 0, std::max(0, screen.width - size.width));
    y = std::clamp(y, 0, std::max(0, bottom - size.height));
    ui::CreateParams p;
    p.className = std::string(kMenuPopupClass);
    p.style = ui::WS_POPUP | ui::WS_BORDER;
    p.exStyle = ui::WS_EX_TOPMOST;
    p.rect = Rect::fromSize(x, y, size.width, size.height);
    const WindowHandle w = openPopupWindow(p);
    if (w == kNullWindow) {
        return;
    }
    shell().popups.push_back(OpenPopup{w, std::move(menu), -1});
    ui::showWindow(w, ui::SW_SHOW);
    ui::setCapture(w);
}

std::size_t levelOf(WindowHandle w) {
    const auto& popups = shell().popups;
    for (std::size_t i = 0; i < popups.size(); ++i) {
        if (popups[i].window == w) {
            return i;
        }
    }
    return popups.size();
}

void choose(std::size_t level, int position) {
    auto& popups = shell().popups;
    if (level >= popups.size()) {
        return;
    }
    const MenuPtr menu = popups[level].menu;
    const MenuItem* item = menu->item(position);
    if (!selectable(item)) {
        return;
    }
    if (item->kind == MenuItem::Kind::Popup) {
        closeFrom(level + 1);
        popups[level].highlight = position;
        ui::invalidateRect(popups[level].window);
        const Rect r = ui::getWindowRect(popups[level].window);
        const Point anchor{r.right, r.top + itemTop(*menu, position)};
        const bool noRoom = r.right + popupSize(*item->popup).width > ui::screenSize().width;
        openPopup(item->popup, noRoom ? Point{r.left, anchor.y} : anchor, noRoom, false);
        return;
    }
    const std::uint32_t id = item->id;
    const WindowHandle owner = shell().popupOwner;
    closeFrom(0);
    shell().chosen = id;
    if (shell().returnCommand) {
        return;
    }
    if (owner != kNullWindow) {
        sendMessage(owner, ui::WM_COMMAND, ui::makeWParam(id, 0), 0);
    }
}

void moveHighlight(int step) {
    auto& popups = shell().popups;
    if (popups.empty()) {
        return;
    }
    OpenPopup& p = popups.back();
    const int n = p.menu->count();
    int at = p.highlight;
    for (int k = 0; k < n; ++k) {
        at = at < 0 ? (step > 0 ? 0 : n - 1) : (at + step + n) % n;
        if (selectable(p.menu->item(at))) {
            p.highlight = at;
            ui::invalidateRect(p.window);
            return;
        }
    }
}

void paintPopup(WindowHandle h, const OpenPopup& p) {
    ui::PaintContext paint(h);
    draw::DeviceContext& dc = paint.dc();
    const Rect c = ui::getClientRect(h);
    dc.fillRect(c, ctl::kWindowColor);
    dc.selectFont(&font());
    dc.setBkMode(draw::BackgroundMode::Transparent);
    const int rh = rowHeight();
    for (int pos = 0, top = 1; pos < p.menu->count(); ++pos) {
        const MenuItem& i = *p.menu->item(pos);
        const int ih = itemHeight(i);
        const Rect row{0, top, c.right, top + ih};
        top += ih;
        if (i.kind == MenuItem::Kind::Separator) {
            dc.fillRect(Rect{4, row.top + 2, c.right - 4, row.top + 3}, ctl::kSecondaryTextColor);
            continue;
        }
        ctl::beginListRow(dc, row, pos == p.highlight, !i.grayed);
        const draw::Color ink = dc.textColor();
        ctl::drawListRowText(dc, i.text, Rect{rh, row.top, c.right - rh / 2, row.bottom});
        if (i.checked) {
            const int s = rh / 3;
            dc.fillRect(Rect{s, row.top + s, 2 * s, row.bottom - s}, ink);
        }
        if (i.kind == MenuItem::Kind::Popup) {
            dc.selectPen(draw::Pen{ink});
            dc.selectBrush(draw::Brush{ink});
            const int cx = c.right - rh / 2;
            const int cy = (row.top + row.bottom) / 2;
            const std::array<Point, 3> arrow = {Point{cx - 2, cy - 4}, Point{cx + 2, cy},
                                                Point{cx - 2, cy + 4}};
            dc.polygon(arrow);
        }
    }
}

// A popup's window: it paints its menu and hands taps to the chain of popups. The window
// owns its object.
class MenuPopupWindow : public ui::WindowObject {
public:
    static WindowHandle open(const ui::CreateParams& params) {
        auto* popup = new MenuPopupWindow();
        if (!popup->create(params)) {
            delete popup;
            return kNullWindow;
        }
        return popup->handle();
    }

    const ui::MessageMapBase& messageMap() const override {
        static const auto map = ui::MessageMap<MenuPopupWindow>(&WindowObject::messageMap())
                                    .message(ui::WM_ERASEBKGND, &MenuPopupWindow::onEraseBackground)
                                    .message(ui::WM_PAINT, &MenuPopupWindow::onPaint)
                                    .message(ui::WM_LBUTTONDOWN, &MenuPopupWindow::onFingerDown)
                                    .message(ui::WM_LBUTTONDBLCLK, &MenuPopupWindow::onFingerDown)
                                    .message(ui::WM_LBUTTONUP, &MenuPopupWindow::onFingerUp);
        return map;
    }

private:
    void onFinalMessage() override { delete this; }

    MsgResult onEraseBackground(std::uintptr_t, std::intptr_t) { return 1; }

    MsgResult onPaint(std::uintptr_t, std::intptr_t) {
        const std::size_t level = levelOf(handle());
        if (level < shell().popups.size()) {
            paintPopup(handle(), shell().popups[level]);
        } else {
            ui::PaintContext paint(handle());
        }
        return 0;
    }

    MsgResult onFingerDown(std::uintptr_t, std::intptr_t) {
        shell().fingerWentDown = true;
        return 0;
    }

    MsgResult onFingerUp(std::uintptr_t, std::intptr_t lp) {
        if (!shell().fingerWentDown) {
            return 0;  // the finger that opened the popup
        }
        shell().fingerWentDown = false;
        // The innermost popup under the finger takes the tap; outside them all, they close.
        const auto& popups = shell().popups;
        const Point screen =
            ui::clientToScreen(handle(), Point{ui::xOfLParam(lp), ui::yOfLParam(lp)});
        for (std::size_t k = popups.size(); k-- > 0;) {
            const Rect r = ui::getWindowRect(popups[k].window);
            if (r.contains(screen)) {
                const Point local = ui::screenToClient(popups[k].window, screen);
                choose(k, itemAt(*popups[k].menu, local.y));
                return 0;
            }
        }
        closeFrom(0);
        return 0;
    }
};

WindowHandle openPopupWindow(const ui::CreateParams& params) {
    return MenuPopupWindow::open(params);
}

class MenuBarWindow : public ctl::detail::Control {
public:
    const ui::MessageMapBase& messageMap() const override {
        static const auto map = ui::MessageMap<MenuBarWindow>(&Control::messageMap())
                                    .message(ui::WM_LBUTTONDOWN, &MenuBarWindow::onFingerDown)
                                    .message(SHCMBM_GETMENU, &MenuBarWindow::onGetMenu)
                                    .message(SHCMBM_GETSUBMENU, &MenuBarWindow::onGetSubMenu)
                                    .message(SHCMBM_OVERRIDEKEY, &MenuBarWindow::onOverrideKey)
                                    .message(ui::WM_DESTROY, &MenuBarWindow::onDestroy);
        return map;
    }

private:
    MsgResult onFingerDown(std::uintptr_t, std::intptr_t lp) {
        const WindowHandle h = handle();
        auto b = barOf(h);
        if (b && b->doneButton &&
            doneRect(h).contains(Point{ui::xOfLParam(lp), ui::yOfLParam(lp)})) {
            closeMenuPopups();
            sendMessage(b->owner, ui::WM_COMMAND, ui::makeWParam(IDOK, 0), 0);
            return 0;
        }
        const int half = ui::getClientRect(h).width() / 2;
        pressSoftKey(h, ui::xOfLParam(lp) < half ? 1 : 2);
        return 0;
    }

    MsgResult onGetMenu(std::uintptr_t, std::intptr_t) {
        const WindowHandle h = handle();
        auto b = barOf(h);
        return b ? reinterpret_cast<MsgResult>(b->menu.get()) : 0;
    }

    MsgResult onGetSubMenu(std::uintptr_t, std::intptr_t lp) {
        const WindowHandle h = handle();
        auto b = barOf(h);
        if (!b || !b->menu) {
            return 0;
        }
        for (int p = 0; p < b->menu->count(); ++p) {
            const MenuItem* i = b->menu->item(p);
            if (i->kind == MenuItem::Kind::Popup && i->id == static_cast<std::uint32_t>(lp)) {
                return reinterpret_cast<MsgResult>(i->popup.get());
            }
        }
        return 0;
    }

    MsgResult onOverrideKey(std::uintptr_t wp, std::intptr_t lp) {
        const WindowHandle h = handle();
        auto b = barOf(h);
        if (!b) {
            return 0;
        }
        const unsigned mask = ui::lowWord(static_cast<std::uintptr_t>(lp));
        const unsigned flags = ui::highWord(static_cast<std::uintptr_t>(lp));
        unsigned& now = b->overrides[static_cast<std::uint32_t>(wp)];
        now = (now & ~mask) | (flags & mask);
        return 1;
    }

    MsgResult onDestroy(std::uintptr_t, std::intptr_t) {
        const WindowHandle h = handle();
        auto& bars = shell().bars;
        bars.erase(
            std::remove_if(bars.begin(), bars.end(), [h](const auto& b) { return b->window == h; }),
            bars.end());
        return 0;
    }

private:
    void paint() override {
        const WindowHandle h = handle();
        ui::PaintContext paint(h);
        draw::DeviceContext& dc = paint.dc();
        const Rect c = ui::getClientRect(h);
        dc.fillRect(c, ctl::kSelectionColor);
        dc.selectFont(&font());
        dc.setBkMode(draw::BackgroundMode::Transparent);
        auto b = barOf(h);
        if (!b || !b->menu) {
            return;
        }
        const int half = c.width() / 2;
        const int right = b->doneButton ? doneRect(h).left : c.right;
        dc.fillRect(Rect{half, 4, half + 1, c.bottom - 4}, ctl::kSelectionTextColor);
        for (int k = 0; k < 2 && k < b->menu->count(); ++k) {
            const MenuItem& i = *b->menu->item(k);
            dc.setTextColor(i.grayed ? ctl::kDisabledTextColor : ctl::kSelectionTextColor);
            dc.drawText(i.text,
                        k == 0 ? Rect{0, 0, half, c.bottom} : Rect{half, 0, right, c.bottom},
                        draw::kTextSingleLine | draw::kTextVCenter | draw::kTextCenter);
        }
        if (b->doneButton) {
            const Rect d = doneRect(h);
            dc.fillRect(Rect{d.left, 4, d.left + 1, c.bottom - 4}, ctl::kSelectionTextColor);
            dc.setTextColor(ctl::kSelectionTextColor);
            dc.drawText(u"ok", d, draw::kTextSingleLine | draw::kTextVCenter | draw::kTextCenter);
        }
    }
};

}  // namespace

WindowHandle createMenuBar(WindowHandle owner, MenuPtr menu) {
    // From the first bar on, the program's message loop hands the shell its keys.
    ui::addPreTranslateFilter(&translateShellKey);
    ui::registerClass(ui::WindowClass{
        std::string(kMenuBarClass), ctl::detail::controlClassProc<MenuBarWindow>(), 0, {}});
    const draw::Size screen = ui::screenSize();
    const int height = ui::systemMetrics().captionHeight;
    auto bar = std::make_shared<Bar>();
    bar->owner = owner;
    bar->menu = std::move(menu);
    ui::CreateParams p;
    p.className = std::string(kMenuBarClass);
    p.style = ui::WS_POPUP | ui::WS_VISIBLE;
    p.exStyle = ui::WS_EX_TOPMOST;
    p.parent = owner;
    p.rect = Rect{0, screen.height - height, screen.width, screen.height};
    bar->window = ui::createWindow(p);
    if (bar->window == kNullWindow) {
        return kNullWindow;
    }
    shell().bars.push_back(bar);
    return bar->window;
}

WindowHandle findMenuBar(WindowHandle owner) {
    for (const auto& b : shell().bars) {
        if (b->owner == owner) {
            return b->window;
        }
    }
    return kNullWindow;
}

MenuPtr menuBarMenu(WindowHandle bar) {
    auto b = barOf(bar);
    return b ? b->menu : nullptr;
}

void setMenuBarMenu(WindowHandle bar, MenuPtr menu) {
    if (auto b = barOf(bar)) {
        closeMenuPopups();
        b->menu = std::move(menu);
        ui::invalidateRect(bar);
    }
}

void setMenuBarDoneButton(WindowHandle bar, bool shown) {
    if (auto b = barOf(bar)) {
        b->doneButton = shown;
        ui::invalidateRect(bar);
    }
}

bool menuBarDoneButton(WindowHandle bar) {
    const auto b = barOf(bar);
    return b && b->doneButton;
}

bool menuBarOffers(WindowHandle bar, std::uint32_t command) {
    const auto b = barOf(bar);
    if (!b) return false;
    if (command == IDOK && b->doneButton) return true;
    return b->menu && b->menu->offers(command);
}

void refreshMenuBar(WindowHandle bar) {
    ui::invalidateRect(bar);
}

bool pressSoftKey(WindowHandle bar, int which) {
    auto b = barOf(bar);
    if (!b || !b->menu || which < 1 || which > 2) {
        return false;
    }
    const MenuItem* item = b->menu->item(which - 1);
    if (!selectable(item)) {
        return false;
    }
    const bool wasOpen = !shell().popups.empty();
    closeMenuPopups();
    if (item->kind == MenuItem::Kind::Command) {
        sendMessage(b->owner, ui::WM_COMMAND, ui::makeWParam(item->id, 0), 0);
        return true;
    }
    if (wasOpen) {
        return true;  // a second press of the soft key closes its popup
    }
    shell().popupOwner = b->owner;
    shell().fingerWentDown = false;
    const Rect r = ui::getWindowRect(bar);
    openPopup(item->popup, which == 1 ? Point{r.left, r.top} : Point{r.right, r.top}, which == 2,
              true);
    return true;
}

std::vector<WindowHandle> openMenuPopups() {
    std::vector<WindowHandle> out;
    for (const OpenPopup& p : shell().popups) {
        out.push_back(p.window);
    }
    return out;
}

void closeMenuPopups() {
    closeFrom(0);
}

namespace {
bool shellKey(std::uint32_t vk, bool down);
}  // namespace

bool translateShellKey(const Message& message) {
    if (message.message != ui::WM_KEYDOWN && message.message != ui::WM_KEYUP) {
        return false;
    }
    const auto vk = static_cast<std::uint32_t>(message.wParam);
    const bool down = message.message == ui::WM_KEYDOWN;
    auto& taken = shell().keysTaken;
    // An overridden key is reported on release as well; the others' release just follows.
    const auto bar = activeBar();
    const bool overridden = shell().popups.empty() && bar && bar->overrides.count(vk) != 0 &&
                            bar->overrides.at(vk) != 0;
    if (overridden) {
        return shellKey(vk, down);
    }
    if (!down) {
        const auto it = std::find(taken.begin(), taken.end(), vk);
        if (it != taken.end()) {
            taken.erase(it);
            return true;
        }
    }
    const bool took = shellKey(vk, down);
    if (took && down && std::find(taken.begin(), taken.end(), vk) == taken.end()) {
        taken.push_back(vk);
    }
    return took;
}

namespace {

bool shellKey(std::uint32_t vk, bool down) {
    auto& popups = shell().popups;
    if (!popups.empty() && vk != ui::VK_TSOFT1 && vk != ui::VK_TSOFT2) {
        if (down) {
            const OpenPopup& p = popups.back();
            if (vk == ui::VK_DOWN) {
                moveHighlight(1);
            } else if (vk == ui::VK_UP) {
                moveHighlight(-1);
            } else if ((vk == ui::VK_RETURN || vk == ui::VK_RIGHT) && p.highlight >= 0) {
                choose(popups.size() - 1, p.highlight);
            } else if (vk == ui::VK_LEFT || vk == ui::VK_ESCAPE) {
                closeFrom(popups.size() - 1);
            }
        }
        return true;  // the open popup holds the keys
    }
    auto bar = activeBar();
    if (!bar) {
        return false;
    }
    if (vk == ui::VK_TSOFT1 || vk == ui::VK_TSOFT2) {
        if (down) {
            pressSoftKey(bar->window, vk == ui::VK_TSOFT1 ? 1 : 2);
        }
        return true;
    }
    const auto it = bar->overrides.find(vk);
    if (it == bar->overrides.end() || it->second == 0) {
        return false;
    }
    if (it->second & SHMBOF_NOTIFY) {
        sendMessage(bar->owner, WM_HOTKEY, 0,
                    ui::makeLParam(down ? 0 : static_cast<int>(MOD_KEYUP), static_cast<int>(vk)));
    }
    return (it->second & SHMBOF_NODEFAULT) != 0;
}

}  // namespace

std::uint32_t trackPopupMenu(const MenuPtr& menu, unsigned flags, int x, int y,
                             WindowHandle owner) {
    if (!menu || menu->count() == 0) {
        return 0;
    }
    closeMenuPopups();
    ShellState& st = shell();
    st.popupOwner = owner;
    st.returnCommand = (flags & TPM_RETURNCMD) != 0;
    st.chosen = 0;
    // The finger that asked for the menu (a tap-and-hold) is still down: its lift is not a tap.
    st.fingerWentDown = false;
    openPopup(menu, Point{x, y}, (flags & TPM_RIGHTALIGN) != 0, (flags & TPM_BOTTOMALIGN) != 0);
    // The popup's keys go to the shell also where no menu bar installed its key filter.
    ui::addPreTranslateFilter(translateShellKey);
    if (ui::runModalLoop([&st] { return st.popups.empty(); }) == ui::ModalEnd::Quit) {
        closeMenuPopups();
    }
    const std::uint32_t chosen = st.chosen;
    const bool returned = st.returnCommand;
    st.returnCommand = false;
    st.chosen = 0;
    return returned ? chosen : (chosen != 0 ? 1u : 0u);
}

}  // namespace platform::shell
