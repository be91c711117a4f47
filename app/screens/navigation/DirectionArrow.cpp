#include "app/screens/navigation/DirectionArrow.h"

#include "app/shell/BufferedPaint.h"
#include "app/shell/ShellWindowClass.h"

#include "platform/draw/DeviceContext.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>
#include <cmath>

namespace pelorvant {

namespace ui = platform::ui;
namespace draw = platform::draw;

namespace {

constexpr draw::Color kArrowColor = 255;  // pure red

// A line of a given width, as a filled band (the pens draw one pixel wide).
void thickLine(draw::DeviceContext& dc, draw::Point a, draw::Point b, int width) {
    if (width <= 1) {
        dc.moveTo(a.x, a.y);
        dc.lineTo(b.x, b.y);
        return;
    }
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double len = std::sqrt(dx * dx + dy * dy);
    if (!(len > 0)) return;
    const double ox = -dy / len * width / 2;
    const double oy = dx / len * width / 2;
    const draw::Point band[] = {
        {static_cast<int>(a.x + ox), static_cast<int>(a.y + oy)},
        {static_cast<int>(b.x + ox), static_cast<int>(b.y + oy)},
        {static_cast<int>(b.x - ox), static_cast<int>(b.y - oy)},
        {static_cast<int>(a.x - ox), static_cast<int>(a.y - oy)},
    };
    dc.polygon(band);
}

}  // namespace

bool cDirectionArrow::createArrow(platform::WindowHandle parent, std::uintptr_t id) {
    if (!create(shellCreateParams(ui::WS_CHILD | ui::WS_VISIBLE, Rect{0, 0, 10, 10}, parent, id))) return false;
    ui::setWindowText(handle(), u"Direction");
    return true;
}

void cDirectionArrow::setAngle(int angle) {
    angle_ = angle;
    ui::invalidateRect(handle(), nullptr, false);
}

void cDirectionArrow::paintInto(draw::Bitmap& target) const {
    draw::DeviceContext dc(target);
    dc.fillRect(Rect{0, 0, target.width(), target.height()}, draw::rgb(255, 255, 255));
    if (angle_ == kNoAngle) return;
    const ArrowLine line = arrowLine(angle_, target.width() / 2);
    dc.selectPen(draw::Pen{kArrowColor});
    dc.selectBrush(draw::Brush{kArrowColor});
    thickLine(dc, line.tail, line.tip, fontHeight_ / 5);
    if (const auto head = arrowHead(line.tail, line.tip, (fontHeight_ / 7) * 4)) dc.polygon(*head);
}

void cDirectionArrow::OnPaint() {
    paintBuffered(handle(), [this](draw::Bitmap& buffer) { paintInto(buffer); });
}

const ui::MessageMapBase& cDirectionArrow::messageMap() const {
    static const auto map = ui::MessageMap<cDirectionArrow>(&WindowObject::messageMap())
                                .message(ui::WM_PAINT, &cDirectionArrow::OnPaint)
                                .message(ui::WM_ERASEBKGND, &cDirectionArrow::OnEraseBackground);
    return map;
}

}  // namespace pelorvant
