#include "app/shell/ImageStatic.h"

#include "platform/controls/Controls.h"
#include "platform/ui/WindowStyles.h"

namespace pelorvant {

bool cImageStatic::createStatic(platform::WindowHandle parent, std::u16string text,
                                const Rect& rect, std::uintptr_t id) {
    platform::ui::CreateParams p;
    p.text = std::move(text);
    p.style = platform::ui::WS_CHILD | platform::ui::WS_VISIBLE;
    p.rect = rect;
    p.parent = parent;
    p.id = id;
    return createControl(platform::controls::kStaticClass, p);
}

}  // namespace pelorvant
