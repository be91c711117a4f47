#include "platform/draw/DeviceContext.h"

#include "platform/draw/FontImpl.h"
#include "platform/draw/TextLayout.h"
#include "platform/draw/Utf.h"

#include <cairo.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace platform::draw {
namespace {

// Blends a premultiplied pixel over an opaque one.
std::uint32_t blendOver(std::uint32_t src, std::uint32_t dst) {
    const std::uint32_t a = src >> 24;
    if (a == 0xFF) {
        return src;
    }
    if (a == 0) {
        return dst;
    }
    const std::uint32_t inv = 255 - a;
    std::uint32_t out = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const std::uint32_t s = (src >> shift) & 0xFF;
        const std::uint32_t d = (dst >> shift) & 0xFF;
        out |= std::min<std::uint32_t>(255, s + (d * inv + 127) / 255) << shift;
    }
    return out;
}

double channel(Color c, int which) {
    const std::uint8_t v = which == 0 ? redOf(c) : which == 1 ? greenOf(c) : blueOf(c);
    return v / 255.0;
}

}  // namespace

DeviceContext::DeviceContext(Bitmap& target)
    : target_(&target), origin_{0, 0}, clip_(target.bounds()) {}

DeviceContext::DeviceContext(Bitmap& target, Point origin, Rect clip)
    : target_(&target), origin_(origin), clip_(clip.intersect(target.bounds())) {}

DeviceContext::~DeviceContext() {
    if (cairo_) {
        cairo_destroy(cairo_);
    }
}

void DeviceContext::intersectClip(const Rect& logical) {
    clip_ = clip_.intersect(logical.offset(origin_.x, origin_.y));
}

Color DeviceContext::setTextColor(Color c) {
    return std::exchange(textColor_, c);
}
Color DeviceContext::setBkColor(Color c) {
    return std::exchange(bkColor_, c);
}
BackgroundMode DeviceContext::setBkMode(BackgroundMode m) {
    return std::exchange(bkMode_, m);
}
const Font* DeviceContext::selectFont(const Font* f) {
    return std::exchange(font_, f);
}
Pen DeviceContext::selectPen(Pen pen) {
    return std::exchange(pen_, pen);
}
Brush DeviceContext::selectBrush(Brush brush) {
    return std::exchange(brush_, brush);
}

cairo_t* DeviceContext::cairo() {
    if (!cairo_ && target_->surface()) {
        cairo_ = cairo_create(target_->surface());
    }
    return cairo_;
}

void DeviceContext::plot(int devX, int devY, std::uint32_t p) {
    if (clip_.contains(Point{devX, devY})) {
        target_->row(devY)[devX] = p;
    }
}

void DeviceContext::setPixel(int x, int y, Color c) {
    plot(x + origin_.x, y + origin_.y, pixelOf(c));
}

Color DeviceContext::pixel(int x, int y) const {
    return target_->pixel(x + origin_.x, y + origin_.y);
}

void DeviceContext::fillRect(const Rect& r, Color c) {
    const Rect area = r.offset(origin_.x, origin_.y).intersect(clip_);
    if (!area.empty()) {
        target_->fill(area, c);
    }
}

void DeviceContext::fillRect(const Rect& r, const Brush& b) {
    if (!b.null) {
        fillRect(r, b.color);
    }
}

void DeviceContext::rectangle(const Rect& r) {
    if (r.empty()) {
        return;
    }
    if (pen_.null) {
        fillRect(r, brush_);
        return;
    }
    fillRect(Rect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, brush_);
    const Color c = pen_.color;
    fillRect(Rect{r.left, r.top, r.right, r.top + 1}, c);
    fillRect(Rect{r.left, r.bottom - 1, r.right, r.bottom}, c);
    fillRect(Rect{r.left, r.top, r.left + 1, r.bottom}, c);
    fillRect(Rect{r.right - 1, r.top, r.right, r.bottom}, c);
}

void DeviceContext::drawLine(int x0, int y0, int x1, int y1, Color c) {
    // Bresenham over logical coordinates, leaving out the end point.
    const std::uint32_t p = pixelOf(c);
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    int x = x0;
    int y = y0;
    while (x != x1 || y != y1) {
        plot(x + origin_.x, y + origin_.y, p);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void DeviceContext::moveTo(int x, int y) {
    current_ = Point{x, y};
}

void DeviceContext::lineTo(int x, int y) {
    if (!pen_.null) {
        drawLine(current_.x, current_.y, x, y, pen_.color);
    }
    current_ = Point{x, y};
}

void DeviceContext::polyline(std::span<const Point> points) {
    if (points.empty()) {
        return;
    }
    moveTo(points[0].x, points[0].y);
    for (std::size_t i = 1; i < points.size(); ++i) {
        lineTo(points[i].x, points[i].y);
    }
}

void DeviceContext::polygon(std::span<const Point> points) {
    if (points.size() < 2) {
        return;
    }
    cairo_t* cr = cairo();
    if (cr && !brush_.null && points.size() >= 3 && !clip_.empty()) {
        cairo_surface_mark_dirty(target_->surface());
        cairo_save(cr);
        cairo_rectangle(cr, clip_.left, clip_.top, clip_.width(), clip_.height());
        cairo_clip(cr);
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        for (std::size_t i = 0; i < points.size(); ++i) {
            const double px = points[i].x + origin_.x + 0.5;
            const double py = points[i].y + origin_.y + 0.5;
            i == 0 ? cairo_move_to(cr, px, py) : cairo_line_to(cr, px, py);
        }
        cairo_close_path(cr);
        cairo_set_source_rgb(cr, channel(brush_.color, 0), channel(brush_.color, 1),
                             channel(brush_.color, 2));
        cairo_fill(cr);
        cairo_restore(cr);
        cairo_surface_flush(target_->surface());
    }
    if (!pen_.null) {
        for (std::size_t i = 0; i < points.size(); ++i) {
            const Point& a = points[i];
            const Point& b = points[(i + 1) % points.size()];
            drawLine(a.x, a.y, b.x, b.y, pen_.color);
        }
    }
    current_ = points.front();
}

void DeviceContext::ellipse(const Rect& r) {
    cairo_t* cr = cairo();
    if (!cr || r.empty() || clip_.empty() || (pen_.null && brush_.null)) {
        return;
    }
    const Rect dev = r.offset(origin_.x, origin_.y);
    cairo_surface_mark_dirty(target_->surface());
    cairo_save(cr);
    cairo_rectangle(cr, clip_.left, clip_.top, clip_.width(), clip_.height());
    cairo_clip(cr);
    // The path runs half a pixel inside the rectangle, so a 1-pixel outline stays within it.
    cairo_save(cr);
    cairo_translate(cr, (dev.left + dev.right) / 2.0, (dev.top + dev.bottom) / 2.0);
    cairo_scale(cr, std::max(0.5, dev.width() / 2.0 - 0.5),
                std::max(0.5, dev.height() / 2.0 - 0.5));
    cairo_arc(cr, 0, 0, 1, 0, 2 * 3.14159265358979323846);
    cairo_restore(cr);
    if (!brush_.null) {
        cairo_set_source_rgb(cr, channel(brush_.color, 0), channel(brush_.color, 1),
                             channel(brush_.color, 2));
        cairo_fill_preserve(cr);
    }
    if (!pen_.null) {
        cairo_set_line_width(cr, 1);
        cairo_set_source_rgb(cr, channel(pen_.color, 0), channel(pen_.color, 1),
                             channel(pen_.color, 2));
        cairo_stroke(cr);
    }
    cairo_new_path(cr);
    cairo_restore(cr);
    cairo_surface_flush(target_->surface());
}

void DeviceContext::drawGlyphs(int x, int y, std::u16string_view text, const Rect& deviceClip) {
    const Font& f = font();
    const TextMetrics& m = f.metrics();
    const int devX = x + origin_.x;
    const int devY = y + origin_.y;
    const Size extent = f.measure(text);
    if (bkMode_ == BackgroundMode::Opaque) {
        target_->fill(Rect::fromSize(devX, devY, extent.width, extent.height).intersect(deviceClip),
                      bkColor_);
    }
    if (f.synthetic()) {
        const int w = m.averageCharWidth;
        const std::uint32_t p = pixelOf(textColor_);
        int cx = devX;
        for (char16_t c : text) {
            if (c >= 0xDC00 && c < 0xE000) {
                continue;
            }
            if (c != u' ') {
                const Rect box =
                    Rect{cx, devY + m.descent, cx + std::max(1, w - 1), devY + m.ascent}.intersect(
                        deviceClip);
                for (int yy = box.top; yy < box.bottom; ++yy) {
                    std::fill_n(target_->row(yy) + box.left, box.width(), p);
                }
            }
            cx += w;
        }
    } else if (!text.empty()) {
        cairo_t* cr = cairo();
        if (cr) {
            const std::string utf8 = toUtf8(text);
            cairo_surface_mark_dirty(target_->surface());
            cairo_save(cr);
            cairo_rectangle(cr, deviceClip.left, deviceClip.top, deviceClip.width(),
                            deviceClip.height());
            cairo_clip(cr);
            cairo_set_scaled_font(cr, f.impl()->scaled);
            cairo_set_source_rgb(cr, channel(textColor_, 0), channel(textColor_, 1),
                                 channel(textColor_, 2));
            cairo_move_to(cr, devX, devY + m.ascent);
            cairo_show_text(cr, utf8.c_str());
            cairo_restore(cr);
            cairo_surface_flush(target_->surface());
        }
    }
    if (f.spec().underline && extent.width > 0) {
        const int top = devY + m.ascent + f.underlineOffset();
        target_->fill(Rect{devX, top, devX + extent.width, top + f.underlineThickness()}.intersect(
                          deviceClip),
                      textColor_);
    }
}

void DeviceContext::textOut(int x, int y, std::u16string_view text) {
    if (!clip_.empty()) {
        drawGlyphs(x, y, text, clip_);
    }
}

namespace {

LineBreaks lineBreaksOf(unsigned flags) {
    if (flags & kTextSingleLine) {
        return LineBreaks::Single;
    }
    return (flags & kTextWordBreak) ? LineBreaks::WordWrap : LineBreaks::Explicit;
}

}  // namespace

int DeviceContext::drawText(std::u16string_view text, const Rect& rect, unsigned flags) {
    const Font& f = font();
    const int h = f.metrics().height;
    const std::vector<TextLine> lines = layoutLines(f, text, rect.width(), lineBreaksOf(flags));
    const int block = h * static_cast<int>(lines.size());
    int y = rect.top;
    if (flags & kTextVCenter) {
        y = rect.top + (rect.height() - block) / 2;
    } else if (flags & kTextBottom) {
        y = rect.bottom - block;
    }
    const Rect deviceClip =
        (flags & kTextNoClip) ? clip_ : rect.offset(origin_.x, origin_.y).intersect(clip_);
    if (deviceClip.empty()) {
        return block;
    }
    for (const TextLine& line : lines) {
        const std::u16string_view piece = text.substr(line.start, line.length);
        int x = rect.left;
        if (flags & (kTextCenter | kTextRight)) {
            const int spare = rect.width() - f.measure(piece).width;
            x += std::max(0, (flags & kTextCenter) ? spare / 2 : spare);
        }
        if (y + h > deviceClip.top - origin_.y && y < deviceClip.bottom - origin_.y) {
            drawGlyphs(x, y, piece, deviceClip);
        }
        y += h;
    }
    return block;
}

Rect DeviceContext::calcTextRect(std::u16string_view text, const Rect& rect, unsigned flags) const {
    const Size size = measureLines(font(), text, rect.width(), lineBreaksOf(flags));
    return Rect::fromSize(rect.left, rect.top, size.width, size.height);
}

void DeviceContext::bitBlt(int x, int y, int w, int h, const Bitmap& src, int sx, int sy) {
    copyScaled(Rect::fromSize(x, y, w, h), src, Rect::fromSize(sx, sy, w, h), false, 0);
}

void DeviceContext::bitBlt(int x, int y, int w, int h, const DeviceContext& src, int sx, int sy) {
    // The source context's clip limits what can be read from it.
    const Rect srcDevice = Rect::fromSize(sx + src.origin_.x, sy + src.origin_.y, w, h);
    const Rect readable = srcDevice.intersect(src.clip_);
    if (readable.empty()) {
        return;
    }
    const int dx = readable.left - srcDevice.left;
    const int dy = readable.top - srcDevice.top;
    copyScaled(Rect::fromSize(x + dx, y + dy, readable.width(), readable.height()), src.target(),
               readable, false, 0);
}

void DeviceContext::stretchBlt(const Rect& dst, const Bitmap& src, const Rect& srcRect) {
    copyScaled(dst, src, srcRect, false, 0);
}

void DeviceContext::transparentBlt(const Rect& dst, const Bitmap& src, const Rect& srcRect,
                                   Color key) {
    copyScaled(dst, src, srcRect, true, key);
}

void DeviceContext::copyScaled(const Rect& dstLogical, const Bitmap& src, const Rect& srcRect,
                               bool keyed, Color key) {
    if (dstLogical.empty() || srcRect.empty() || src.empty()) {
        return;
    }
    if (&src == target_) {
        // Copying within one bitmap (scrolling): read from a copy, so overlapping parts are
        // not read after they were overwritten.
        const Rect part = srcRect.intersect(src.bounds());
        if (part.empty()) {
            return;
        }
        Bitmap copy(part.width(), part.height());
        for (int y = 0; y < part.height(); ++y) {
            std::memcpy(copy.row(y), src.row(part.top + y) + part.left,
                        static_cast<std::size_t>(part.width()) * sizeof(std::uint32_t));
        }
        const Rect shifted = srcRect.offset(-part.left, -part.top);
        copyScaled(dstLogical, copy, shifted, keyed, key);
        return;
    }
    // Drop the part of the source rectangle that lies outside the source, with its share of
    // the target rectangle.
    const Rect s = srcRect.intersect(src.bounds());
    if (s.empty()) {
        return;
    }
    const long long sw = srcRect.width();
    const long long sh = srcRect.height();
    const long long dw = dstLogical.width();
    const long long dh = dstLogical.height();
    const Rect d{
        dstLogical.left + static_cast<int>((s.left - srcRect.left) * dw / sw),
        dstLogical.top + static_cast<int>((s.top - srcRect.top) * dh / sh),
        dstLogical.left + static_cast<int>((s.right - srcRect.left) * dw / sw),
        dstLogical.top + static_cast<int>((s.bottom - srcRect.top) * dh / sh),
    };
    const Rect dev = d.offset(origin_.x, origin_.y);
    const Rect area = dev.intersect(clip_);
    if (area.empty() || d.empty()) {
        return;
    }
    const long long cw = s.width();
    const long long ch = s.height();
    const long long tw = d.width();
    const long long th = d.height();
    const std::uint32_t keyPixel = pixelOf(key) & 0x00FFFFFFu;
    const bool same = cw == tw && ch == th;
    for (int y = area.top; y < area.bottom; ++y) {
        const int srcY = s.top + static_cast<int>((y - dev.top) * ch / th);
        const std::uint32_t* in = src.row(srcY);
        std::uint32_t* out = target_->row(y);
        if (same && !keyed && !src.hasAlpha()) {
            std::memcpy(out + area.left, in + s.left + (area.left - dev.left),
                        static_cast<std::size_t>(area.width()) * sizeof(std::uint32_t));
            continue;
        }
        for (int x = area.left; x < area.right; ++x) {
            const int srcX = s.left + static_cast<int>((x - dev.left) * cw / tw);
            const std::uint32_t p = in[srcX];
            if (keyed && (p >> 24) == 0xFF && (p & 0x00FFFFFFu) == keyPixel) {
                continue;
            }
            out[x] = src.hasAlpha() ? blendOver(p, out[x]) : p;
        }
    }
}

}  // namespace platform::draw
