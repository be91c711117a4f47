#pragma once
// What a view asks of the tab page it lives in: switch to another of the page's views with a
// menu. The tab page implements it; a view finds it as the object of its parent window.

#include "platform/core/Types.h"

namespace pelorvant {

// The menu id that asks for the view's own menu.
inline constexpr int kOwnMenu = -1;

class ViewSwitcher {
public:
    virtual ~ViewSwitcher() = default;
    virtual void showView(int viewId, int menuId) = 0;
};

// The switcher of the window's parent; null when the parent is not a tab page.
ViewSwitcher* parentViewSwitcher(platform::WindowHandle view);

}  // namespace pelorvant
