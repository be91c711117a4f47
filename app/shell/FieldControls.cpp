#include "app/shell/FieldControls.h"

#include "app/shell/ShellSettings.h"

#include "platform/controls/Controls.h"
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
    while (ui::getParent(top) != platform::kNullWindow) top = ui::getParent(top);
    return top;
}

platform::WindowHandle createPushButton(platform::WindowHandle parent, std::u16string_view text, std::uintptr_t id) {
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

}  // namespace pelorvant
