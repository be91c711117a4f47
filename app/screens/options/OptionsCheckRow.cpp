#include "app/screens/options/OptionsCheckRow.h"

#include "app/shell/ShellSettings.h"

#include "platform/controls/ControlMessages.h"
#include "platform/core/MessageLoop.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>

namespace pelorvant {

namespace ui = platform::ui;
namespace controls = platform::controls;

cOptionsCheckRow::cOptionsCheckRow(int focusOrder, std::u16string text)
    : box(focusOrder), caption(std::move(text)) {
    box.anchor.canTakeFocus = true;
    box.anchor.focusOrder = focusOrder;
}

void cOptionsCheckRow::create(cBaseView& page, std::uintptr_t id) {
    const Rect small{0, 0, 10, 10};
    box.createButton(page.handle(), u"", small, id, controls::BS_AUTOCHECKBOX);
    text.createList(page.handle(), small, 0);
    page.addFocusItem(box.anchor, box.handle());
}

int cOptionsCheckRow::place(int top, int width, int offset) {
    const int fh = shellSettings().fontHeight();
    const int left = width * 2 / 100;
    const int side = fh + fh / 2;
    const int textLeft = left + side + fh / 4;
    const int textWidth = width * 98 / 100 - textLeft;
    ui::moveWindow(text.handle(), textLeft, top - offset, textWidth, 4 * fh);
    text.SetText(caption);
    const int height = std::max(text.GetTextHeight(), side);
    ui::moveWindow(text.handle(), textLeft, top - offset, textWidth, height);
    ui::moveWindow(box.handle(), left, top - offset, side, side);
    box.anchor.computed = Rect::fromSize(left, top, width * 96 / 100, height);
    return top + height;
}

bool cOptionsCheckRow::checked() const {
    return platform::sendMessage(box.handle(), controls::BM_GETCHECK, 0, 0) ==
           controls::BST_CHECKED;
}

void cOptionsCheckRow::setChecked(bool on) {
    platform::sendMessage(
        box.handle(), controls::BM_SETCHECK,
        static_cast<std::uintptr_t>(on ? controls::BST_CHECKED : controls::BST_UNCHECKED), 0);
}

void cOptionsCheckRow::enable(bool enabled) {
    ui::enableWindow(box.handle(), enabled);
    box.anchor.canTakeFocus = enabled;
}

}  // namespace pelorvant
