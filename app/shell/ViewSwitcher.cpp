#include "app/shell/ViewSwitcher.h"

#include "platform/ui/WindowObject.h"
#include "platform/ui/WindowTree.h"

namespace pelorvant {

ViewSwitcher* parentViewSwitcher(platform::WindowHandle view) {
    return dynamic_cast<ViewSwitcher*>(
        platform::ui::WindowObject::fromHandle(platform::ui::getParent(view)));
}

}  // namespace pelorvant
