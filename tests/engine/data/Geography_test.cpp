#include "engine/data/Geography.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace trasovnik {
namespace {

// One degree of arc on the sphere the engine uses.
const double kDegree = kDegreesToRadians * kRadiansToDegrees * kMetresPerDegree;

// Difference of two directions on the circle (the engine's constants leave north a hair below
// 360 rather than at 0).
double angleBetween(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return d > 180.0 ? 360.0 - d : d;
}

TEST(Geography, StopsNearTheOriginHaveNoPosition) {
    struct Case {
        double lat, lon;
        bool has;
    };
    const Case cases[] = {
        {0.005, 0.005, false}, {0.0, 0.0, false},    {-0.0099, 0.0099, false},
        {0.01, 0.0, true},     {0.0, -0.01, true},   {50.08, 0.005, true},
        {0.005, 14.42, true},  {50.08, 14.42, true}, {-0.02, -0.02, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(hasPosition(c.lat, c.lon), c.has) << c.lat << " " << c.lon;
    }
}

TEST(Geography, IdenticalPointsAreZeroApart) {
    const double points[][2] = {{50.0875, 14.4214}, {49.1951, 16.6068}, {48.1486, 17.1077},
                                {0.0, 0.0},         {89.9, 179.9},      {-33.3, -70.7}};
    for (const auto& p : points) {
        const double d = vzdalenostBodu(p[0], p[1], p[0], p[1]);
        EXPECT_FALSE(std::isnan(d)) << p[0] << " " << p[1];
        EXPECT_NEAR(d, 0.0, 1.0) << p[0] << " " << p[1];
    }
}

TEST(Geography, Distances) {
    struct Case {
        double lat1, lon1, lat2, lon2, metres, tolerance;
    };
    const Case cases[] = {
        {0, 0, 1, 0, kDegree, 0.01},                         // one degree along a meridian
        {0, 0, 0, 1, kDegree, 0.01},                         // one degree along the equator
        {60, 0, 60, 1, 55596.0, 5.0},                        // half as much at 60 degrees north
        {0, 0, 0, 180, 180 * kDegree, 1.0},                  // antipodes: cosine -1
        {50.0875, 14.4214, 49.1951, 16.6068, 185000, 1500},  // Praha - Brno, about 185 km
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(vzdalenostBodu(c.lat1, c.lon1, c.lat2, c.lon2), c.metres, c.tolerance);
        EXPECT_NEAR(vzdalenostBodu(c.lat2, c.lon2, c.lat1, c.lon1), c.metres, c.tolerance);
    }
}

TEST(Geography, MapBearingOnTheScreenCircle) {
    const double w = kBearingLatitudeWeight;
    struct Case {
        double lat2, lon2, degrees;
    };
    // Seen from (0, 0): 0 east, 90 south (down), 180 west, 270 north (up).
    const Case cases[] = {
        {0, 1, 0},   {-1, 0, 90}, {0, -1, 180},  {1, 0, 270},
        {1, w, 315}, {-1, w, 45}, {-1, -w, 135}, {1, -w, 225},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(angleBetween(mapBearing(0, 0, c.lat2, c.lon2), c.degrees), 0.0, 1e-5)
            << c.lat2 << " " << c.lon2;
    }
    EXPECT_EQ(mapBearing(50, 14, 50, 14), 0.0);
}

TEST(Geography, ProjectToPixels) {
    struct Case {
        double toLat, toLon, scale;
        int x, y;
        double compass;
    };
    // From (0, 0); one degree is about 111189.6 m, so 111 pixels at 1000 m per pixel.
    const Case cases[] = {
        {0, 1, 1000, 111, 0, 90},     // east: right
        {-1, 0, 1000, 0, 111, 180},   // south: down
        {0, -1, 1000, -111, 0, 270},  // west: left
        {1, 0, 1000, 0, -111, 0},     // north: up, compass wraps from 360 to 0
        {0, 1, 100000, 1, 0, 90},    {0, 1, 200000, 0, 0, 90},  // less than a pixel
    };
    for (const auto& c : cases) {
        const PixelPlacement p = projectToPixels(0, 0, c.toLat, c.toLon, c.scale);
        EXPECT_EQ(p.x, c.x) << c.toLat << " " << c.toLon;
        EXPECT_EQ(p.y, c.y) << c.toLat << " " << c.toLon;
        EXPECT_NEAR(angleBetween(p.compassBearing, c.compass), 0.0, 1e-5);
        EXPECT_GE(p.compassBearing, 0.0);
        EXPECT_LT(p.compassBearing, 360.0);
        EXPECT_NEAR(p.distanceMetres, kDegree, 0.01);
    }
}

TEST(Geography, ProjectionOfDegenerateInputsStaysFinite) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // A scale of zero, a negative scale, a tiny scale over a long way, and coordinates that are
    // not numbers must not turn into undefined integer conversions.
    const PixelPlacement zero = projectToPixels(50, 14, 49, 16, 0.0);
    EXPECT_EQ(zero.x, 0);
    EXPECT_EQ(zero.y, 0);
    const PixelPlacement negative = projectToPixels(50, 14, 49, 16, -5.0);
    EXPECT_EQ(negative.x, 0);
    const PixelPlacement far = projectToPixels(0, 0, 0, 180, 1e-12);
    EXPECT_LT(std::abs(static_cast<double>(far.x)), 2e9);
    const PixelPlacement broken = projectToPixels(nan, 14, 49, nan, 10.0);
    EXPECT_EQ(broken.x, 0);
    EXPECT_EQ(broken.y, 0);
    const PixelPlacement same = projectToPixels(50, 14, 50, 14, 10.0);
    EXPECT_EQ(same.x, 0);
    EXPECT_EQ(same.y, 0);
    EXPECT_EQ(same.distanceMetres, 0.0);
}

}  // namespace
}  // namespace trasovnik
