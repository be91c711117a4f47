#pragma once
// A design rectangle in percent of a view's client area turned into pixels (each edge
// truncated), for the views that keep their own lists of design rectangles.
#include "platform/draw/Geometry.h"

namespace pelorvant {

inline platform::draw::Rect percentToPixels(const platform::draw::Rect& percent, int width, int height) {
    return platform::draw::Rect{static_cast<int>(percent.left * width * 0.01),
                                static_cast<int>(percent.top * height * 0.01),
                                static_cast<int>(percent.right * width * 0.01),
                                static_cast<int>(percent.bottom * height * 0.01)};
}

}  // namespace pelorvant
