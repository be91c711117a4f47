#pragma once
// Geography for the GPS views: distance on the earth between two points, the bearing of a
// point on the map screen, and the placement of a point in pixels relative to the map centre.
// Coordinates are latitude and longitude in degrees.

#include <cstdint>

namespace trasovnik {

inline constexpr double kDegreesToRadians = 0.0174532925;
inline constexpr double kRadiansToDegrees = 57.29577957855229;
inline constexpr double kMetresPerDegree = 111189.57696;
// Weight of a latitude difference against a longitude difference in the map bearing.
inline constexpr double kBearingLatitudeWeight = 1.5514644351464433;

// False when both latitude and longitude lie strictly between -0.01 and 0.01: the timetable
// stores such a stop without a position.
bool hasPosition(double latitude, double longitude);

// Distance in metres between two points (spherical law of cosines). Identical or nearly
// identical points give 0, never NaN.
double vzdalenostBodu(double lat1, double lon1, double lat2, double lon2);

// Bearing of point 2 seen from point 1 on the map screen, in degrees 0-360: 0 is east, growing
// clockwise on a screen whose y axis points down. Identical points give 0.
double mapBearing(double lat1, double lon1, double lat2, double lon2);

// Where `to` lies on a map centred on `from`.
struct PixelPlacement {
    double distanceMetres = 0;  // distance from `from` to `to`
    std::int32_t x = 0;         // pixel offset to the right
    std::int32_t y = 0;         // pixel offset downwards
    double compassBearing = 0;  // degrees from north, clockwise, 0 <= b < 360
};

// Places `to` relative to `from` at `metresPerPixel` metres per pixel. A scale that is not a
// positive number places the point at the centre (offset 0, 0).
PixelPlacement projectToPixels(double fromLat, double fromLon, double toLat, double toLon,
                               double metresPerPixel);

}  // namespace trasovnik
