#include "app/screens/navigation/NavigationGeometry.h"

#include "app/core/LabelPlainText.h"

#include "platform/resources/StringTable.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace pelorvant {

namespace {

constexpr double kDegreesToRadians = 0.0174532925;
constexpr double kHeadParameter = 0.4;

std::u16string asciiText(const std::string& s) { return {s.begin(), s.end()}; }

}  // namespace

ArrowLine arrowLine(int angle, int r) {
    const double theta = angle * kDegreesToRadians;
    const double back = theta + 180 * kDegreesToRadians;
    return {Point{static_cast<int>(r + std::sin(back) * r), static_cast<int>(r - std::cos(back) * r)},
            Point{static_cast<int>(r + std::sin(theta) * r), static_cast<int>(r - std::cos(theta) * r)}};
}

std::optional<std::array<Point, 3>> arrowHead(Point p, Point t, int w) {
    const float dx = static_cast<float>(t.x - p.x);
    const float dy = static_cast<float>(t.y - p.y);
    const float len = std::sqrt(dx * dx + dy * dy);
    if (!(len > 0) || w < 1) return std::nullopt;
    const double back = w / (std::tan(kHeadParameter) * len);
    const double bx = t.x - dx * back;
    const double by = t.y - dy * back;
    const double sx = -dy * w / (2 * len);
    const double sy = dx * w / (2 * len);
    return std::array<Point, 3>{t, Point{static_cast<int>(bx + sx), static_cast<int>(by + sy)},
                                Point{static_cast<int>(bx - sx), static_cast<int>(by - sy)}};
}

Point namePosition(Point item, platform::draw::Size text, const Rect& client) {
    int left = item.x;
    if (left + text.width > client.right) left = client.right - text.width;
    int top = item.y + 5;
    if (top + text.height > client.bottom) top = item.y - 5 - text.height;
    return {std::max(left, client.left), std::clamp(top, client.top, std::max(client.top, client.bottom - text.height))};
}

std::u16string distanceText(double metres) {
    if (!(metres >= 0) || !std::isfinite(metres)) return u"-";
    return asciiText(std::to_string(static_cast<long long>(std::min(metres, 1e15))));
}

std::u16string navigationMarkup(int fontHeight, std::u16string_view targetName, double metres) {
    using platform::resources::loadResString;
    const std::u16string size = asciiText(std::to_string(static_cast<int>(fontHeight * 0.8)));
    return u"<*" + size + u"*><*b*>" + loadResString(441) + u"<*b*> " + plainLabelText(targetName) + u"\r<*b*>" +
           loadResString(442) + u"<*b*> " + distanceText(metres);
}

int arrowAngle(double direction, int heading) {
    if (heading == kNoAngle || !std::isfinite(direction)) return kNoAngle;
    const double angle = direction - heading;
    if (!(std::abs(angle) < 1e9)) return kNoAngle;
    return static_cast<int>(angle);
}

}  // namespace pelorvant
