#pragma once
// A static text control placed by a layout anchor.

#include "app/shell/LayoutAnchor.h"
#include "app/shell/SubclassedControl.h"

namespace pelorvant {

class cImageStatic : public SubclassedControl {
public:
    cImageStatic() = default;
    // Creates the static text as a visible child of the parent.
    bool createStatic(platform::WindowHandle parent, std::u16string text, const Rect& rect,
                      std::uintptr_t id);

    LayoutAnchor anchor;
};

}  // namespace pelorvant
