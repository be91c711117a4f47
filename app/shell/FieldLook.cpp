#include "app/shell/FieldLook.h"

#include <algorithm>

namespace pelorvant {

namespace draw = platform::draw;

std::unique_ptr<draw::Font> makeVerdana(int height, bool italic) {
    draw::FontSpec spec;
    spec.face = "Verdana";
    spec.height = std::max(height, 1);
    spec.weight = 400;
    spec.italic = italic;
    return std::make_unique<draw::Font>(spec);
}

void drawFrame(draw::DeviceContext& dc, const draw::Rect& rect, int width) {
    for (int i = 0; i < width; ++i) {
        const draw::Rect r{rect.left + i, rect.top + i, rect.right - i, rect.bottom - i};
        dc.fillRect(draw::Rect{r.left, r.top, r.right, r.top + 1}, kBlack);
        dc.fillRect(draw::Rect{r.left, r.bottom - 1, r.right, r.bottom}, kBlack);
        dc.fillRect(draw::Rect{r.left, r.top, r.left + 1, r.bottom}, kBlack);
        dc.fillRect(draw::Rect{r.right - 1, r.top, r.right, r.bottom}, kBlack);
    }
}

void drawTriangle(draw::DeviceContext& dc, const draw::Rect& box, TriangleDirection direction,
                  draw::Color color) {
    const int size = std::max(3, std::min(box.width(), box.height()) / 3);
    const int cx = (box.left + box.right) / 2;
    const int cy = (box.top + box.bottom) / 2;
    draw::Point points[3];
    switch (direction) {
        case TriangleDirection::Down:
            points[0] = {cx - size, cy - size / 2};
            points[1] = {cx + size, cy - size / 2};
            points[2] = {cx, cy + size / 2 + 1};
            break;
        case TriangleDirection::Left:
            points[0] = {cx + size / 2, cy - size};
            points[1] = {cx + size / 2, cy + size};
            points[2] = {cx - size / 2 - 1, cy};
            break;
        case TriangleDirection::Right:
            points[0] = {cx - size / 2, cy - size};
            points[1] = {cx - size / 2, cy + size};
            points[2] = {cx + size / 2 + 1, cy};
            break;
    }
    dc.selectPen(draw::Pen{color, false});
    dc.selectBrush(draw::Brush{color, false});
    dc.polygon(points);
}

}  // namespace pelorvant
