#pragma once
// What the entry fields share when they draw: the selection colours, the grey of secondary
// text, the frame and the small filled triangles of drop-down marks and arrows.

#include "platform/draw/Color.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/Font.h"

#include <memory>

namespace pelorvant {

// White on this blue marks the selected item or digit.
inline constexpr platform::draw::Color kSelectionColor = platform::draw::rgb(49, 150, 214);
inline constexpr platform::draw::Color kSecondaryTextColor = platform::draw::rgb(110, 110, 110);
inline constexpr platform::draw::Color kWhite = platform::draw::rgb(255, 255, 255);
inline constexpr platform::draw::Color kBlack = platform::draw::rgb(0, 0, 0);

// A Verdana font of the height (weight 400 unless told); the caller owns it.
std::unique_ptr<platform::draw::Font> makeVerdana(int height, bool italic = false);

// A black frame of `width` pixels inside the rectangle.
void drawFrame(platform::draw::DeviceContext& dc, const platform::draw::Rect& rect, int width);

enum class TriangleDirection { Down, Left, Right };
// A filled triangle centred in the box.
void drawTriangle(platform::draw::DeviceContext& dc, const platform::draw::Rect& box,
                  TriangleDirection direction, platform::draw::Color color);

}  // namespace pelorvant
