#include "app/shell/BottomTabControl.h"

#include "app/shell/ShellSettings.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/Controls.h"
#include "platform/controls/TabControl.h"
#include "platform/core/MessageLoop.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <string>

namespace pelorvant {

namespace ui = platform::ui;
namespace controls = platform::controls;

platform::WindowHandle createBottomTabControl(platform::WindowHandle parent, std::uintptr_t id) {
    controls::registerControlClasses();
    ui::CreateParams p;
    p.className = std::string(controls::kTabControlClass);
    p.style = ui::WS_CHILD | ui::WS_VISIBLE | controls::TCS_BOTTOM;
    p.rect = platform::draw::Rect{0, 200, 240, 250};
    p.parent = parent;
    p.id = id;
    const platform::WindowHandle tabs = ui::createWindow(p);
    platform::sendMessage(tabs, controls::WM_SETFONT,
                          reinterpret_cast<std::uintptr_t>(&shellSettings().mainFont()), 1);
    return tabs;
}

}  // namespace pelorvant
