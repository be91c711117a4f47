#pragma once
// A device context: draws into a bitmap, either a window's own surface (with the window's
// client origin and clip) or a bitmap of its own for double buffering (a memory context).
// It keeps the selected font, pen and brush, the text and background colours and the
// background mode, and every drawing call is clipped to its clip rectangle.
//
// Coordinates are logical: (0, 0) is the origin given at construction.

#include "platform/draw/Bitmap.h"
#include "platform/draw/Color.h"
#include "platform/draw/Font.h"
#include "platform/draw/Geometry.h"

#include <span>
#include <string_view>

typedef struct _cairo cairo_t;

namespace platform::draw {

enum class BackgroundMode { Opaque, Transparent };

// A 1-pixel pen; a null pen draws no outline.
struct Pen {
    Color color = rgb(0, 0, 0);
    bool null = false;
    static Pen none() { return Pen{0, true}; }
};

// A solid brush; a null brush fills nothing.
struct Brush {
    Color color = rgb(255, 255, 255);
    bool null = false;
    static Brush none() { return Brush{0, true}; }
};

// Placement of text in its rectangle. Horizontally: left (the default), centred or right,
// line by line. Vertically: the block of lines at the top (the default), centred or at the
// bottom. The text breaks into lines at "\n" unless kTextSingleLine; with kTextWordBreak it
// also wraps between words to the rectangle's width.
enum TextFlags : unsigned {
    kTextTop = 0,
    kTextLeft = 0,
    kTextCenter = 0x1,
    kTextRight = 0x2,
    kTextVCenter = 0x4,
    kTextBottom = 0x8,
    kTextWordBreak = 0x10,
    kTextSingleLine = 0x20,
    kTextNoClip = 0x100,
};

class DeviceContext {
public:
    // A memory context over a bitmap: origin (0, 0), clipped to the bitmap.
    explicit DeviceContext(Bitmap& target);
    // A context over part of a bitmap: logical (0, 0) lies at `origin` of the bitmap and
    // drawing is clipped to `clip` (in bitmap pixels) and to the bitmap.
    DeviceContext(Bitmap& target, Point origin, Rect clip);
    ~DeviceContext();
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    Bitmap& target() { return *target_; }
    const Bitmap& target() const { return *target_; }
    Point origin() const { return origin_; }
    // The clip rectangle in logical coordinates.
    Rect clipBox() const { return clip_.offset(-origin_.x, -origin_.y); }
    // Narrows the clip to a logical rectangle (never widens it beyond the construction clip).
    void intersectClip(const Rect& logical);

    Color setTextColor(Color c);
    Color textColor() const { return textColor_; }
    Color setBkColor(Color c);
    Color bkColor() const { return bkColor_; }
    BackgroundMode setBkMode(BackgroundMode m);
    BackgroundMode bkMode() const { return bkMode_; }
    // Returns the previous selection; a null font selects the default font.
    const Font* selectFont(const Font* font);
    const Font& font() const { return font_ ? *font_ : Font::defaultFont(); }
    Pen selectPen(Pen pen);
    Brush selectBrush(Brush brush);

    Size textExtent(std::u16string_view text) const { return font().measure(text); }
    const TextMetrics& textMetrics() const { return font().metrics(); }

    // Draws text with its cell's top-left corner at (x, y), unclipped by any rectangle of its
    // own; in opaque mode the text's cell is filled with the background colour first.
    void textOut(int x, int y, std::u16string_view text);
    // Draws text placed in the rectangle by the flags, clipped to it unless kTextNoClip.
    // A line wider than the rectangle starts at its left edge whatever the alignment, so that
    // its beginning stays readable. Returns the height of the drawn block of lines.
    int drawText(std::u16string_view text, const Rect& rect, unsigned flags = kTextTop);
    // The rectangle the text takes when drawn with these flags: at the rectangle's top-left
    // corner, as wide as its widest line and as high as its lines (draws nothing).
    Rect calcTextRect(std::u16string_view text, const Rect& rect, unsigned flags = kTextTop) const;

    void setPixel(int x, int y, Color c);
    Color pixel(int x, int y) const;
    void fillRect(const Rect& r, Color c);
    void fillRect(const Rect& r, const Brush& b);
    // Outline with the pen on the rectangle's edge pixels, inside filled with the brush.
    void rectangle(const Rect& r);
    // Lines with the pen from the current position; the end point itself is not drawn.
    void moveTo(int x, int y);
    void lineTo(int x, int y);
    void polyline(std::span<const Point> points);
    // A filled polygon (for instance a triangle) with its outline drawn with the pen.
    void polygon(std::span<const Point> points);

    // An ellipse filling the rectangle, inside filled with the brush and outlined with the pen,
    // with smoothed edges.
    void ellipse(const Rect& r);

    // Copies w × h pixels from (sx, sy) of the source to (x, y). Parts outside the source are
    // not copied. A source with transparent parts is blended over the target.
    void bitBlt(int x, int y, int w, int h, const Bitmap& src, int sx, int sy);
    void bitBlt(int x, int y, int w, int h, const DeviceContext& src, int sx, int sy);
    // Scales the source rectangle into the target rectangle (nearest pixel). The part of the
    // source rectangle outside the source is dropped together with its share of the target.
    void stretchBlt(const Rect& dst, const Bitmap& src, const Rect& srcRect);
    // Like stretchBlt, but source pixels of the key colour are left out.
    void transparentBlt(const Rect& dst, const Bitmap& src, const Rect& srcRect, Color key);

private:
    void copyScaled(const Rect& dst, const Bitmap& src, const Rect& srcRect, bool keyed, Color key);
    void drawLine(int x0, int y0, int x1, int y1, Color c);
    void plot(int devX, int devY, std::uint32_t pixel);
    cairo_t* cairo();
    void drawGlyphs(int x, int y, std::u16string_view text, const Rect& deviceClip);

    Bitmap* target_;
    Point origin_;
    Rect clip_;  // device pixels
    Color textColor_ = rgb(0, 0, 0);
    Color bkColor_ = rgb(255, 255, 255);
    BackgroundMode bkMode_ = BackgroundMode::Opaque;
    const Font* font_ = nullptr;
    Pen pen_;
    Brush brush_;
    Point current_;
    cairo_t* cairo_ = nullptr;
};

}  // namespace platform::draw
