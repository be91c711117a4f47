#include "platform/draw/Bitmap.h"

#include "platform/draw/PixelMemory.h"

#include <cairo.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace platform::draw {
namespace {

struct PngSource {
    std::string_view bytes;
    std::size_t pos = 0;
};

cairo_status_t readPng(void* closure, unsigned char* data, unsigned int length) {
    auto* src = static_cast<PngSource*>(closure);
    if (src->bytes.size() - src->pos < length) {
        return CAIRO_STATUS_READ_ERROR;
    }
    std::memcpy(data, src->bytes.data() + src->pos, length);
    src->pos += length;
    return CAIRO_STATUS_SUCCESS;
}

// Marks the pixel memory that a surface made here owns.
const cairo_user_data_key_t kPixelsKey{};

}  // namespace

Bitmap::Bitmap() = default;

Bitmap::Bitmap(int width, int height, Color fillColor) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width > kMaxSide || height > kMaxSide) {
        throw std::length_error("bitmap too large");
    }
    if (width == 0 || height == 0) {
        return;
    }
    const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, width);
    auto* pixels = static_cast<unsigned char*>(
        allocatePixels(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height)));
    // Without memory the bitmap stays empty, as any other that cannot be made.
    if (pixels == nullptr) {
        return;
    }
    cairo_surface_t* s =
        cairo_image_surface_create_for_data(pixels, CAIRO_FORMAT_ARGB32, width, height, stride);
    // The pixels go with the surface, whoever holds it last.
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS ||
        cairo_surface_set_user_data(s, &kPixelsKey, pixels, freePixels) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        freePixels(pixels);
        return;
    }
    surface_ = s;
    data_ = pixels;
    width_ = width;
    height_ = height;
    stride_ = stride;
    fill(bounds(), fillColor);
    // A bitmap to draw into may gain transparent pixels: copies of it blend.
    hasAlpha_ = true;
}

Bitmap::Bitmap(cairo_surface_t* adopted) {
    adopt(adopted);
}

void Bitmap::adopt(cairo_surface_t* s) {
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return;
    }
    if (cairo_image_surface_get_format(s) != CAIRO_FORMAT_ARGB32) {
        // Convert anything else (RGB24 PNGs) to the one pixel format the copies know.
        cairo_surface_t* conv =
            cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cairo_image_surface_get_width(s),
                                       cairo_image_surface_get_height(s));
        cairo_t* cr = cairo_create(conv);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_paint(cr);
        cairo_set_source_surface(cr, s, 0, 0);
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_destroy(s);
        s = conv;
    }
    cairo_surface_flush(s);
    surface_ = s;
    data_ = cairo_image_surface_get_data(s);
    width_ = cairo_image_surface_get_width(s);
    height_ = cairo_image_surface_get_height(s);
    stride_ = cairo_image_surface_get_stride(s);
    hasAlpha_ = false;
    for (int y = 0; y < height_ && !hasAlpha_; ++y) {
        const std::uint32_t* r = row(y);
        for (int x = 0; x < width_; ++x) {
            if ((r[x] >> 24) != 0xFF) {
                hasAlpha_ = true;
                break;
            }
        }
    }
}

Bitmap::~Bitmap() {
    if (surface_) {
        cairo_surface_destroy(surface_);
    }
}

Bitmap::Bitmap(Bitmap&& other) noexcept {
    *this = std::move(other);
}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
    if (this != &other) {
        if (surface_) {
            cairo_surface_destroy(surface_);
        }
        surface_ = std::exchange(other.surface_, nullptr);
        data_ = std::exchange(other.data_, nullptr);
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
        stride_ = std::exchange(other.stride_, 0);
        hasAlpha_ = std::exchange(other.hasAlpha_, false);
    }
    return *this;
}

Bitmap Bitmap::loadPng(const std::string& path) {
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return Bitmap();
    }
    return Bitmap(s);
}

Bitmap Bitmap::loadPngBytes(std::string_view bytes) {
    PngSource src{bytes, 0};
    cairo_surface_t* s = cairo_image_surface_create_from_png_stream(readPng, &src);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return Bitmap();
    }
    return Bitmap(s);
}

bool Bitmap::savePng(const std::string& path) const {
    if (!surface_) {
        return false;
    }
    return cairo_surface_write_to_png(surface_, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

std::uint32_t* Bitmap::row(int y) {
    return reinterpret_cast<std::uint32_t*>(data_ + static_cast<std::ptrdiff_t>(y) * stride_);
}

const std::uint32_t* Bitmap::row(int y) const {
    return reinterpret_cast<const std::uint32_t*>(data_ + static_cast<std::ptrdiff_t>(y) * stride_);
}

Color Bitmap::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return 0;
    }
    return colorOfPixel(row(y)[x]);
}

void Bitmap::setPixel(int x, int y, Color c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return;
    }
    row(y)[x] = pixelOf(c);
}

void Bitmap::fill(const Rect& r, Color c) {
    const Rect area = r.intersect(bounds());
    if (area.empty()) {
        return;
    }
    const std::uint32_t p = pixelOf(c);
    for (int y = area.top; y < area.bottom; ++y) {
        std::fill_n(row(y) + area.left, area.width(), p);
    }
}

void Bitmap::markDirty() {
    if (surface_) {
        cairo_surface_mark_dirty(surface_);
    }
}

}  // namespace platform::draw
