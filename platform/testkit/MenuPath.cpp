// Walking the soft-key menus as a person does with the keys: the soft key, then Down to each
// item of the path and Enter on it.

#include "platform/testkit/UiTestKit.h"

#include "platform/draw/Utf.h"
#include "platform/shell/Menu.h"
#include "platform/shell/MenuBar.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowTree.h"

#include <stdexcept>
#include <vector>

namespace platform::testkit {
namespace {

std::u16string_view trimmed(std::u16string_view s) {
    while (!s.empty() && s.front() == u' ') {
        s.remove_prefix(1);
    }
    while (!s.empty() && s.back() == u' ') {
        s.remove_suffix(1);
    }
    return s;
}

std::vector<std::u16string_view> stepsOf(std::u16string_view path) {
    std::vector<std::u16string_view> steps;
    for (;;) {
        const std::size_t at = path.find(u'›');
        steps.push_back(trimmed(path.substr(0, at)));
        if (at == std::u16string_view::npos) {
            return steps;
        }
        path.remove_prefix(at + 1);
    }
}

[[noreturn]] void fail(const std::string& what, std::u16string_view path) {
    throw std::runtime_error("menu path \"" + draw::toUtf8(std::u16string(path)) + "\": " + what);
}

// The menu bar the soft keys act on now: the visible one on top.
WindowHandle currentMenuBar() {
    for (WindowHandle h : ui::getTopLevelWindows()) {
        if (ui::getClassName(h) == shell::kMenuBarClass && ui::isWindowVisible(h)) {
            return h;
        }
    }
    return kNullWindow;
}

bool selectable(const shell::MenuItem* item) {
    return item && item->kind != shell::MenuItem::Kind::Separator && !item->grayed;
}

int positionOf(const shell::Menu& menu, std::u16string_view text) {
    for (int p = 0; p < menu.count(); ++p) {
        if (menu.item(p)->text == text) {
            return p;
        }
    }
    return -1;
}

}  // namespace

void UiTestKit::chooseMenu(std::u16string_view path) {
    const std::vector<std::u16string_view> steps = stepsOf(path);
    const WindowHandle bar = currentMenuBar();
    const shell::MenuPtr barMenu = bar != kNullWindow ? shell::menuBarMenu(bar) : nullptr;
    if (!barMenu) {
        fail("no menu bar is shown", path);
    }
    int softKeyIndex = -1;
    for (int k = 0; k < 2 && k < barMenu->count(); ++k) {
        if (barMenu->item(k)->text == steps.front()) {
            softKeyIndex = k;
        }
    }
    if (softKeyIndex < 0 || !selectable(barMenu->item(softKeyIndex))) {
        fail("no soft key \"" + draw::toUtf8(std::u16string(steps.front())) + "\"", path);
    }
    const shell::MenuItem* item = barMenu->item(softKeyIndex);
    softKey(softKeyIndex + 1);
    for (std::size_t s = 1; s < steps.size(); ++s) {
        if (item->kind != shell::MenuItem::Kind::Popup) {
            fail("\"" + draw::toUtf8(item->text) + "\" opens no menu", path);
        }
        const shell::Menu& menu = *item->popup;
        const int position = positionOf(menu, steps[s]);
        if (position < 0 || !selectable(menu.item(position))) {
            fail("no item \"" + draw::toUtf8(std::u16string(steps[s])) + "\" to choose", path);
        }
        // The highlight starts above the first item and Down skips what cannot be chosen.
        for (int p = 0; p <= position; ++p) {
            if (selectable(menu.item(p))) {
                key(ui::VK_DOWN);
            }
        }
        item = menu.item(position);
        key(ui::VK_RETURN);
    }
}

}  // namespace platform::testkit
