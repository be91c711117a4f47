#include "app/shell/PictureBox.h"

#include "app/shell/ImageNameRegistry.h"
#include "app/shell/ShellWindowClass.h"

#include "platform/ui/Paint.h"
#include "platform/ui/WindowStyles.h"

namespace pelorvant {

namespace ui = platform::ui;

bool cPictureBox::createBox(platform::WindowHandle parent, const Rect& rect, std::uintptr_t id) {
    bitmap = loadNamedImage(imageName);
    return create(shellCreateParams(ui::WS_CHILD | ui::WS_VISIBLE, rect, parent, id));
}

void cPictureBox::OnPaint() {
    ui::PaintContext paint(handle());
    paint.dc().stretchBlt(ui::getClientRect(handle()), bitmap, bitmap.bounds());
}

const ui::MessageMapBase& cPictureBox::messageMap() const {
    static const auto map = ui::MessageMap<cPictureBox>(&WindowObject::messageMap())
                                .message(ui::WM_PAINT, &cPictureBox::OnPaint);
    return map;
}

}  // namespace pelorvant
