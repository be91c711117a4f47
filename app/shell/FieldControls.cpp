#include "app/shell/FieldControls.h"

#include "app/shell/ShellSettings.h"

#include "platform/controls/Controls.h"
#include "platform/core/MessageLoop.h"
#include "platform/shell/MenuBar.h"
#include "platform/shell/ShellMessages.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <string>

namespace pelorvant {

namespace ui = platform::ui;

bool touchScreen() {
    return shellSettings().isNotSmartphone();
}

platform::WindowHandle topLevelWindow(platform::WindowHandle window) {
    platform::WindowHandle top = window;
    while (ui::getParent(top) != platform::kNullWindow)
        top = ui::getParent(top);
    return top;
}

platform::WindowHandle createPushButton(platform::WindowHandle parent, std::u16string_view text,
                                        std::uintptr_t id) {
    platform::controls::registerControlClasses();
    ui::CreateParams b;
    b.className = std::string(platform::controls::kButtonClass);
    b.text = std::u16string(text);
    b.style = ui::WS_CHILD | ui::WS_VISIBLE;
    b.rect = platform::draw::Rect{0, 0, 10, 10};
    b.parent = parent;
    b.id = id;
    return ui::createWindow(b);
}

void takeOverBackKey(platform::WindowHandle window) {
    namespace shell = platform::shell;
    const platform::WindowHandle bar = shell::findMenuBar(topLevelWindow(window));
    if (bar == platform::kNullWindow)
        return;
    const int flags = static_cast<int>(shell::SHMBOF_NODEFAULT | shell::SHMBOF_NOTIFY);
    platform::sendMessage(bar, shell::SHCMBM_OVERRIDEKEY, ui::VK_ESCAPE,
                          ui::makeLParam(flags, flags));
}

}  // namespace pelorvant
