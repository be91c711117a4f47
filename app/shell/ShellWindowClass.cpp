#include "app/shell/ShellWindowClass.h"

#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowStyles.h"

namespace pelorvant {

namespace {

void registerShellClass() {
    static const bool registered = [] {
        platform::ui::WindowClass c;
        c.name = kShellWindowClass;
        c.style = platform::ui::CS_HREDRAW | platform::ui::CS_VREDRAW | platform::ui::CS_DBLCLKS;
        c.background = platform::draw::rgb(255, 255, 255);
        return platform::ui::registerClass(c);
    }();
    (void)registered;
}

}  // namespace

platform::ui::CreateParams shellCreateParams(std::uint32_t style, const platform::draw::Rect& rect,
                                             platform::WindowHandle parent, std::uintptr_t id) {
    registerShellClass();
    platform::ui::CreateParams p;
    p.className = kShellWindowClass;
    p.style = style & ~platform::ui::WS_BORDER;
    p.rect = rect;
    p.parent = parent;
    p.id = id;
    return p;
}

}  // namespace pelorvant
