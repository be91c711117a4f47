#pragma once
// The drawing arithmetic of the navigation view: the direction arrow and its head, where a map
// item's name goes, and the texts with the distance. Pure functions, shared by the controls
// and their tests; none divides by zero.
#include "platform/draw/Geometry.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace pelorvant {

using platform::draw::Point;
using platform::draw::Rect;

// The angle that means "no direction to show".
inline constexpr int kNoAngle = -999999;

struct ArrowLine {
    Point tail;
    Point tip;
};

// The arrow of a square control of half-side r for an angle in degrees (0 up, clockwise).
ArrowLine arrowLine(int angle, int r);

// The filled head from the pen position p to the tip t, head width w: the tip and the two
// side points. Empty when the line has no length (no direction to point in) or w < 1.
std::optional<std::array<Point, 3>> arrowHead(Point p, Point t, int w);

// The top-left corner of an item's name of the given size beside the item at (x, y): from x,
// or ending at the right edge when it would pass it; 5 pixels below y, or ending 5 pixels
// above y when it would pass the bottom; kept inside the control where it fits at all.
Point namePosition(Point item, platform::draw::Size text, const Rect& client);

// "-" for a negative or unknown distance, else the whole metres.
std::u16string distanceText(double metres);

// The information label's markup: the target's name and the distance.
std::u16string navigationMarkup(int fontHeight, std::u16string_view targetName, double metres);

// The angle of the arrow: the direction to the target less the heading, truncated; kNoAngle
// without a heading or when either value is not a finite number.
int arrowAngle(double direction, int heading);

}  // namespace pelorvant
