#pragma once
// A push button of a view's focus order: Down or Tab moves the focus on, Up back (through
// WM_MOVE_FOCUS to the parent). On a Smartphone it shows a border while it has the focus.

#include "app/shell/LayoutAnchor.h"
#include "app/shell/SubclassedControl.h"

namespace pelorvant {

class cImageButton : public SubclassedControl {
public:
    explicit cImageButton(int focusOrder) : focusOrder(focusOrder) {}

    // Creates the button as a visible child of the parent; `style` adds button styles (a
    // check box: BS_AUTOCHECKBOX).
    bool createButton(platform::WindowHandle parent, std::u16string text, const Rect& rect,
                      std::uintptr_t id, std::uint32_t style = 0);

    LayoutAnchor anchor;
    int focusOrder = 0;

protected:
    platform::MsgResult onMessage(std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) override;
};

}  // namespace pelorvant
