#include "platform/shell/MessageBoxIcon.h"

#include "platform/draw/Font.h"
#include "platform/shell/MessageBox.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <memory>

namespace platform::shell {
namespace {

using draw::Point;
using draw::Rect;

constexpr draw::Color kInformationColor = draw::rgb(0x1E, 0x6E, 0xD0);
constexpr draw::Color kWarningColor = draw::rgb(0xF5, 0xC2, 0x18);
constexpr draw::Color kErrorColor = draw::rgb(0xD0, 0x28, 0x28);
constexpr draw::Color kOnDiscColor = draw::rgb(255, 255, 255);
constexpr draw::Color kOnTriangleColor = draw::rgb(0, 0, 0);

// A bold font for the question mark, kept for the life of the program by size.
const draw::Font& markFont(int height) {
    static std::map<std::pair<int, draw::TextMetricMode>, std::unique_ptr<draw::Font>> fonts;
    auto& slot = fonts[{height, draw::textMetricMode()}];
    if (!slot) {
        slot = std::make_unique<draw::Font>(draw::FontSpec{"Verdana", height, 700});
    }
    return *slot;
}

void disc(draw::DeviceContext& dc, const Rect& r, draw::Color c) {
    const draw::Pen pen = dc.selectPen(draw::Pen{c});
    const draw::Brush brush = dc.selectBrush(draw::Brush{c});
    dc.ellipse(r);
    dc.selectPen(pen);
    dc.selectBrush(brush);
}

// A bar of the given thickness from a to b, drawn as a filled polygon.
void bar(draw::DeviceContext& dc, Point a, Point b, int thickness, draw::Color c) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length = std::max(1.0, std::hypot(dx, dy));
    const int px = static_cast<int>(std::lround(-dy / length * thickness / 2));
    const int py = static_cast<int>(std::lround(dx / length * thickness / 2));
    const std::array<Point, 4> corners = {Point{a.x + px, a.y + py}, Point{b.x + px, b.y + py},
                                          Point{b.x - px, b.y - py}, Point{a.x - px, a.y - py}};
    const draw::Pen pen = dc.selectPen(draw::Pen::none());
    const draw::Brush brush = dc.selectBrush(draw::Brush{c});
    dc.polygon(corners);
    dc.selectPen(pen);
    dc.selectBrush(brush);
}

// An "i" or a "!": a stem and a dot on the vertical centre line of the square.
void stemAndDot(draw::DeviceContext& dc, const Rect& s, bool dotOnTop, draw::Color c) {
    const int side = s.width();
    const int w = std::max(2, side / 7);
    const int cx = s.left + side / 2;
    const Rect stem =
        dotOnTop ? Rect{cx - w / 2, s.top + side * 2 / 5, cx - w / 2 + w, s.top + side * 4 / 5}
                 : Rect{cx - w / 2, s.top + side * 3 / 10, cx - w / 2 + w, s.top + side * 13 / 20};
    const int dotTop = dotOnTop ? s.top + side / 5 : s.top + side * 7 / 10;
    dc.fillRect(stem, c);
    disc(dc, Rect{cx - w / 2 - 1, dotTop - 1, cx - w / 2 + w + 1, dotTop + w + 1}, c);
}

}  // namespace

MessageBoxIcon messageBoxIconOf(unsigned type) {
    switch (type & 0xF0) {
        case MB_ICONERROR:
            return MessageBoxIcon::Error;
        case MB_ICONQUESTION:
            return MessageBoxIcon::Question;
        case MB_ICONWARNING:
            return MessageBoxIcon::Warning;
        case MB_ICONINFORMATION:
            return MessageBoxIcon::Information;
        default:
            return MessageBoxIcon::None;
    }
}

void drawMessageBoxIcon(draw::DeviceContext& dc, const Rect& box, MessageBoxIcon icon) {
    const int side = std::min(box.width(), box.height());
    if (side <= 0 || icon == MessageBoxIcon::None) {
        return;
    }
    const Rect s = Rect::fromSize(box.left + (box.width() - side) / 2,
                                  box.top + (box.height() - side) / 2, side, side);
    switch (icon) {
        case MessageBoxIcon::Information:
            disc(dc, s, kInformationColor);
            stemAndDot(dc, s, true, kOnDiscColor);
            break;
        case MessageBoxIcon::Warning: {
            const std::array<Point, 3> triangle = {Point{s.left + side / 2, s.top},
                                                   Point{s.right - 1, s.bottom - 1},
                                                   Point{s.left, s.bottom - 1}};
            const draw::Pen pen = dc.selectPen(draw::Pen{draw::rgb(0x9A, 0x74, 0x00)});
            const draw::Brush brush = dc.selectBrush(draw::Brush{kWarningColor});
            dc.polygon(triangle);
            dc.selectPen(pen);
            dc.selectBrush(brush);
            stemAndDot(dc, s, false, kOnTriangleColor);
            break;
        }
        case MessageBoxIcon::Question: {
            disc(dc, s, kInformationColor);
            const draw::Font* previous = dc.selectFont(&markFont(side * 3 / 4));
            const draw::Color text = dc.setTextColor(kOnDiscColor);
            const draw::BackgroundMode mode = dc.setBkMode(draw::BackgroundMode::Transparent);
            dc.drawText(u"?", s, draw::kTextSingleLine | draw::kTextCenter | draw::kTextVCenter);
            dc.setBkMode(mode);
            dc.setTextColor(text);
            dc.selectFont(previous);
            break;
        }
        case MessageBoxIcon::Error: {
            disc(dc, s, kErrorColor);
            const int in = side * 3 / 10;
            const int t = std::max(2, side / 8);
            bar(dc, Point{s.left + in, s.bottom - 1 - in}, Point{s.right - 1 - in, s.top + in}, t,
                kOnDiscColor);
            bar(dc, Point{s.left + in, s.top + in}, Point{s.right - 1 - in, s.bottom - 1 - in}, t,
                kOnDiscColor);
            break;
        }
        case MessageBoxIcon::None:
            break;
    }
}

}  // namespace platform::shell
