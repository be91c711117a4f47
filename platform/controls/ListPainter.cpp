#include "platform/controls/ListPainter.h"

#include "platform/controls/SystemColors.h"

namespace platform::controls {

int listRowHeight(const draw::Font& font) {
    return font.metrics().height + 8;
}

void beginListRow(draw::DeviceContext& dc, const draw::Rect& ground, bool lit, bool enabled) {
    if (lit) {
        dc.fillRect(ground, kSelectionColor);
    }
    dc.setTextColor(!enabled ? kDisabledTextColor : lit ? kSelectionTextColor : kTextColor);
}

void drawListRowText(draw::DeviceContext& dc, std::u16string_view text, const draw::Rect& area) {
    dc.drawText(text, area, draw::kTextSingleLine | draw::kTextVCenter);
}

}  // namespace platform::controls
