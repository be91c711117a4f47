#pragma once
// The search defaults written into an imported timetable (see README.md for the reasons).

#include <nlohmann/json.hpp>

namespace gtfs2jz {

// Walking pace of every imported file, minutes per kilometre (4 km/h: a calm pace that leaves
// time to find the platform).
constexpr int kWalkingPace = 15;

// The description's "searchDefaults" for a city file or for a regional or national one.
nlohmann::json searchDefaultsFor(bool cityFile);

}  // namespace gtfs2jz
