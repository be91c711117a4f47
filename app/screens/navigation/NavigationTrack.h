#pragma once
// The track of the navigation map: the last 50 positions walked, each with where it lies on
// the map now. Positions are re-projected on every update, as the map moves with the walker.
#include "platform/draw/Geometry.h"

#include <cstddef>
#include <functional>
#include <vector>

namespace pelorvant {

inline constexpr std::size_t kTrackLength = 50;

struct GeoPoint {
    double latitude = 0;
    double longitude = 0;
};

struct TrackPoint {
    GeoPoint position;
    platform::draw::Point pixel;
};

class NavigationTrack {
public:
    // Places every stored position anew (project gives its pixel on the current map).
    void reproject(const std::function<platform::draw::Point(const GeoPoint&)>& project);
    // The newest position at its pixel: nothing when it lies on the newest stored pixel; the
    // oldest is dropped when 50 are stored.
    void add(const GeoPoint& position, platform::draw::Point pixel);
    void clear() { points_.clear(); }

    std::size_t count() const { return points_.size(); }
    // Oldest first.
    const std::vector<TrackPoint>& points() const { return points_; }
    std::vector<platform::draw::Point> pixels() const;

private:
    std::vector<TrackPoint> points_;
};

}  // namespace pelorvant
