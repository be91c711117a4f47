#include "engine/data/Geography.h"

#include <cmath>

namespace trasovnik {

namespace {

// Largest pixel distance placed; farther points are pinned there so that the integer offsets
// stay representable whatever the coordinates and the scale.
constexpr double kMaxPixels = 1.0e9;

// std::clamp would pass a NaN through; this maps it to `lo` as well.
double clampOrLow(double v, double lo, double hi) {
    if (!(v >= lo)) {
        return lo;
    }
    return v > hi ? hi : v;
}

}  // namespace

bool hasPosition(double latitude, double longitude) {
    const bool latNearZero = latitude > -0.01 && latitude < 0.01;
    const bool lonNearZero = longitude > -0.01 && longitude < 0.01;
    return !(latNearZero && lonNearZero);
}

double vzdalenostBodu(double lat1, double lon1, double lat2, double lon2) {
    const double k = kDegreesToRadians;
    double c = std::sin(lat1 * k) * std::sin(lat2 * k) +
               std::cos(lat1 * k) * std::cos(lat2 * k) * std::cos((lon1 - lon2) * k);
    // Rounding can push the cosine of a tiny angle just above 1, where acos has no value.
    if (c > 1.0) {
        c = 1.0;
    } else if (c < -1.0) {
        c = -1.0;
    }
    return std::acos(c) * kRadiansToDegrees * kMetresPerDegree;
}

double mapBearing(double lat1, double lon1, double lat2, double lon2) {
    const double dy = (lat2 - lat1) * kBearingLatitudeWeight;
    const double dx = lon2 - lon1;
    const double r = std::sqrt(dy * dy + dx * dx);
    if (!(r > 0.0)) {
        return 0.0;
    }
    // |dy| <= r, but rounding may leave the quotient a hair above 1.
    const double s = clampOrLow(std::fabs(lat2 - lat1) * kBearingLatitudeWeight / r, 0.0, 1.0);
    double a = std::asin(s) * kRadiansToDegrees;
    if (lon1 > lon2) {
        a = 180.0 - a;
    }
    if (lat2 > lat1) {
        a = 360.0 - a;
    }
    return a;
}

PixelPlacement projectToPixels(double fromLat, double fromLon, double toLat, double toLon,
                               double metresPerPixel) {
    PixelPlacement out;
    out.distanceMetres = vzdalenostBodu(fromLat, fromLon, toLat, toLon);
    const double theta = mapBearing(fromLat, fromLon, toLat, toLon);
    double p = 0.0;
    if (metresPerPixel > 0.0) {
        p = std::trunc(clampOrLow(out.distanceMetres / metresPerPixel, 0.0, kMaxPixels));
    }
    out.x = static_cast<std::int32_t>(std::trunc(p * std::cos(theta * kDegreesToRadians)));
    out.y = static_cast<std::int32_t>(std::trunc(p * std::sin(theta * kDegreesToRadians)));
    double compass = theta + 90.0;
    if (compass >= 360.0) {
        compass -= 360.0;
    }
    out.compassBearing = compass;
    return out;
}

}  // namespace trasovnik
