#include "app/screens/navigation/NavigationTrack.h"

namespace pelorvant {

void NavigationTrack::reproject(const std::function<platform::draw::Point(const GeoPoint&)>& project) {
    for (TrackPoint& p : points_) p.pixel = project(p.position);
}

void NavigationTrack::add(const GeoPoint& position, platform::draw::Point pixel) {
    if (!points_.empty() && points_.back().pixel == pixel) return;
    if (points_.size() >= kTrackLength) points_.erase(points_.begin());
    points_.push_back({position, pixel});
}

std::vector<platform::draw::Point> NavigationTrack::pixels() const {
    std::vector<platform::draw::Point> out;
    out.reserve(points_.size());
    for (const TrackPoint& p : points_) out.push_back(p.pixel);
    return out;
}

}  // namespace pelorvant
