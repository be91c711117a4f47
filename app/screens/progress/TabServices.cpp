#include "app/screens/progress/TabServices.h"

#include "platform/ui/WindowObject.h"
#include "platform/ui/WindowTree.h"

namespace pelorvant {

TabServices* parentTabServices(platform::WindowHandle view) {
    return dynamic_cast<TabServices*>(platform::ui::WindowObject::fromHandle(platform::ui::getParent(view)));
}

}  // namespace pelorvant
