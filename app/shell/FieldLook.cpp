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

namespace {

constexpr int kSmallestFont = 6;

// The largest height up to `largest` at which every line is at most `width` wide.
std::unique_ptr<draw::Font> largestFitting(const std::vector<std::u16string>& lines, int largest,
                                           int width) {
    std::unique_ptr<draw::Font> font;
    for (int h = largest; h >= kSmallestFont; --h) {
        font = makeVerdana(h);
        bool fits = true;
        for (const std::u16string& line : lines)
            fits = fits && font->measure(line).width <= width;
        if (fits)
            return font;
    }
    return font ? std::move(font) : makeVerdana(kSmallestFont);
}

}  // namespace

void FittedText::fit(std::u16string_view text, int largest, int width, int height) {
    if (font_ && text == text_ && largest == largest_ && width == width_ && height == height_)
        return;
    text_ = std::u16string(text);
    largest_ = largest;
    width_ = width;
    height_ = height;
    lines_ = {text_};
    font_ = largestFitting(lines_, largest, width);
    const int readable = largest * 4 / 5;
    if (font_->spec().height >= readable)
        return;
    // Two lines, split at the space nearest the middle, when they read larger and fit the height.
    std::size_t split = std::u16string::npos;
    for (std::size_t i = 0; i < text_.size(); ++i) {
        if (text_[i] != u' ')
            continue;
        const auto distance = [&](std::size_t at) {
            return at > text_.size() / 2 ? at - text_.size() / 2 : text_.size() / 2 - at;
        };
        if (split == std::u16string::npos || distance(i) < distance(split))
            split = i;
    }
    if (split == std::u16string::npos)
        return;
    std::vector<std::u16string> two{text_.substr(0, split), text_.substr(split + 1)};
    std::unique_ptr<draw::Font> font = largestFitting(two, largest, width);
    while (font->spec().height > kSmallestFont && 2 * font->metrics().height > height) {
        font = makeVerdana(font->spec().height - 1);
    }
    if (font->spec().height > font_->spec().height && 2 * font->metrics().height <= height) {
        font_ = std::move(font);
        lines_ = std::move(two);
    }
}

void FittedText::draw(draw::DeviceContext& dc, const draw::Rect& rect, draw::Color color) const {
    if (!font_)
        return;
    dc.selectFont(font_.get());
    dc.setBkMode(draw::BackgroundMode::Transparent);
    dc.setTextColor(color);
    const int lineHeight = font_->metrics().height;
    int y = rect.top + (rect.height() - lineHeight * static_cast<int>(lines_.size())) / 2;
    for (const std::u16string& line : lines_) {
        dc.textOut(rect.left, y, line);
        y += lineHeight;
    }
}

void drawFrame(draw::DeviceContext& dc, const draw::Rect& rect, int width, draw::Color color) {
    for (int i = 0; i < width; ++i) {
        const draw::Rect r{rect.left + i, rect.top + i, rect.right - i, rect.bottom - i};
        dc.fillRect(draw::Rect{r.left, r.top, r.right, r.top + 1}, color);
        dc.fillRect(draw::Rect{r.left, r.bottom - 1, r.right, r.bottom}, color);
        dc.fillRect(draw::Rect{r.left, r.top, r.left + 1, r.bottom}, color);
        dc.fillRect(draw::Rect{r.right - 1, r.top, r.right, r.bottom}, color);
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
