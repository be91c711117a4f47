#pragma once
// Internal: what a real font keeps for measuring and drawing.

#include "platform/draw/Font.h"

typedef struct _cairo_scaled_font cairo_scaled_font_t;

namespace platform::draw {

struct Font::Impl {
    cairo_scaled_font_t* scaled = nullptr;
    ~Impl();
};

}  // namespace platform::draw
