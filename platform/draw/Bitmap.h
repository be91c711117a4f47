#pragma once
// A bitmap: a block of 32-bit pixels that windows paint into, that memory contexts draw into
// for double buffering, and that images are loaded into from PNG. Pixels are opaque unless the
// bitmap came from a PNG with transparent parts; copies then blend it over the target.

#include "platform/draw/Color.h"
#include "platform/draw/Geometry.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

typedef struct _cairo_surface cairo_surface_t;

namespace platform::draw {

class Bitmap {
public:
    // An empty bitmap (0 × 0).
    Bitmap();
    // A bitmap of width × height pixels filled with `fill`. Sizes below 0 count as 0; sizes
    // above kMaxSide are refused with std::length_error.
    Bitmap(int width, int height, Color fill = rgb(255, 255, 255));
    ~Bitmap();
    Bitmap(Bitmap&& other) noexcept;
    Bitmap& operator=(Bitmap&& other) noexcept;
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    static constexpr int kMaxSide = 8192;

    // Loads a PNG file or PNG bytes held in memory; an empty bitmap when they are not a
    // readable PNG.
    static Bitmap loadPng(const std::string& path);
    static Bitmap loadPngBytes(std::string_view bytes);
    // Writes the bitmap as a PNG file; false when it cannot be written.
    bool savePng(const std::string& path) const;

    int width() const { return width_; }
    int height() const { return height_; }
    Size size() const { return Size{width_, height_}; }
    Rect bounds() const { return Rect{0, 0, width_, height_}; }
    bool empty() const { return width_ == 0 || height_ == 0; }
    // True when some pixel is not fully opaque.
    bool hasAlpha() const { return hasAlpha_; }

    // The colour at (x, y); 0 outside the bitmap.
    Color pixel(int x, int y) const;
    void setPixel(int x, int y, Color c);
    // Fills a rectangle (clipped to the bitmap) with an opaque colour.
    void fill(const Rect& r, Color c);

    // Raw rows of 0xAARRGGBB pixels (premultiplied), `stride()` bytes apart.
    std::uint32_t* row(int y);
    const std::uint32_t* row(int y) const;
    int stride() const { return stride_; }

    // The cairo surface over the pixels, for drawing text and shapes; null when empty.
    cairo_surface_t* surface() const { return surface_; }
    // Call after drawing into surface() with cairo.
    void markDirty();

private:
    explicit Bitmap(cairo_surface_t* adopted);
    void adopt(cairo_surface_t* s);
    cairo_surface_t* surface_ = nullptr;
    unsigned char* data_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    bool hasAlpha_ = false;
};

}  // namespace platform::draw
