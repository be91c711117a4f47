#include "app/shell/BufferedPaint.h"

#include "platform/draw/DeviceContext.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>

namespace pelorvant {

void paintBuffered(platform::WindowHandle window, const std::function<void(platform::draw::Bitmap&)>& draw,
                   int rightMargin) {
    platform::ui::PaintContext paint(window);
    const platform::draw::Rect client = platform::ui::getClientRect(window);
    platform::draw::Bitmap buffer(std::max(1, client.width() - rightMargin), std::max(1, client.height()));
    draw(buffer);
    paint.dc().bitBlt(0, 0, buffer.width(), buffer.height(), buffer, 0, 0);
}

void repaintChildren(platform::WindowHandle window) {
    for (const platform::WindowHandle child : platform::ui::getChildren(window)) {
        platform::ui::invalidateRect(child, nullptr, true);
        repaintChildren(child);
    }
}

}  // namespace pelorvant
