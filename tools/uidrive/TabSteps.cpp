#include "tools/uidrive/TabSteps.h"

#include "platform/controls/Controls.h"
#include "platform/controls/TabControl.h"
#include "platform/core/MessageLoop.h"
#include "platform/draw/Utf.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowTree.h"

namespace uidrive {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::draw::Point;
using platform::draw::Rect;

namespace {

platform::WindowHandle shownTabControl(platform::WindowHandle root) {
    if (root == platform::kNullWindow || !ui::isWindowVisible(root)) return platform::kNullWindow;
    if (ui::getClassName(root) == controls::kTabControlClass) return root;
    for (platform::WindowHandle child : ui::getChildren(root)) {
        if (const platform::WindowHandle found = shownTabControl(child); found != platform::kNullWindow)
            return found;
    }
    return platform::kNullWindow;
}

Rect tabRect(platform::WindowHandle tabs, int index) {
    Rect r;
    platform::sendMessage(tabs, controls::TCM_GETITEMRECT, static_cast<std::uintptr_t>(index),
                          reinterpret_cast<std::intptr_t>(&r));
    return r;
}

}  // namespace

std::optional<std::string> tabStep(platform::testkit::UiTestKit& kit, platform::WindowHandle frame,
                                   const std::vector<std::string>& words) {
    const std::string& op = words[0];
    if ((op != "tap-tab" && op != "tap-tab-arrow") || words.size() < 2) return std::nullopt;
    const platform::WindowHandle tabs = shownTabControl(frame);
    if (tabs == platform::kNullWindow) return "no shown tab control";
    const auto count = static_cast<int>(platform::sendMessage(tabs, controls::TCM_GETITEMCOUNT, 0, 0));
    if (count == 0) return "the tab control has no tabs";
    if (op == "tap-tab-arrow") {
        if (words[1] != "left" && words[1] != "right") return "tap-tab-arrow takes left or right";
        // The arrows are squares of the row's height at the right end of the row.
        const Rect row = tabRect(tabs, 0);
        const Rect client = ui::getClientRect(tabs);
        const int side = row.height();
        const int x = client.right - (words[1] == "right" ? side / 2 : side + side / 2);
        kit.tap(ui::clientToScreen(tabs, Point{x, (row.top + row.bottom) / 2}));
        return std::string();
    }
    const std::u16string wanted = platform::draw::fromUtf8(words[1]);
    for (int i = 0; i < count; ++i) {
        controls::TabItem item;
        platform::sendMessage(tabs, controls::TCM_GETITEM, static_cast<std::uintptr_t>(i),
                              reinterpret_cast<std::intptr_t>(&item));
        if (item.text != wanted) continue;
        const Rect r = tabRect(tabs, i);
        const Point middle = ui::clientToScreen(tabs, Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
        const auto screen = ui::screenSize();
        if (middle.x < 0 || middle.x >= screen.width || middle.y < 0 || middle.y >= screen.height)
            return "the tab \"" + words[1] + "\" is off the screen: no finger reaches it";
        kit.tap(middle);
        return std::string();
    }
    return "no tab \"" + words[1] + "\"";
}

}  // namespace uidrive
