#pragma once
// A check box of a settings page: the box itself and its text beside it, wrapped over as many
// lines as the page's width needs.
#include "app/shell/BaseView.h"
#include "app/shell/ImageButton.h"
#include "app/shell/ImageLabel.h"

#include <string>

namespace pelorvant {

class cOptionsCheckRow {
public:
    cOptionsCheckRow(int focusOrder, std::u16string text);

    // Creates the box and its text in `page` and adds the box to the page's focus order.
    void create(cBaseView& page, std::uintptr_t id);
    // Places the row at content y `top` within `width`, shown at `top - offset`; returns its
    // bottom in content coordinates.
    int place(int top, int width, int offset);

    bool checked() const;
    void setChecked(bool checked);
    // A disabled box keeps its state and is passed over by the focus.
    void enable(bool enabled);

    cImageButton box;
    ImageLabel text{false};
    std::u16string caption;
};

}  // namespace pelorvant
