#include "tools/gtfs2jz/WalkingLinks.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <tuple>
#include <unordered_map>

#include "tools/gtfs2jz/FeedLimits.h"

namespace gtfs2jz {

namespace {
constexpr double kEarthRadius = 6371000.0;
constexpr double kPi = 3.14159265358979323846;
}  // namespace

double distanceMetres(double lat1, double lon1, double lat2, double lon2) {
    const double rad = kPi / 180;
    double x = (lon2 - lon1) * rad * std::cos((lat1 + lat2) / 2 * rad);
    double y = (lat2 - lat1) * rad;
    return std::sqrt(x * x + y * y) * kEarthRadius;
}

int walkingMinutes(double metres, int pace) {
    double m = std::ceil(metres / 1000.0 * pace - 1e-9);
    return static_cast<int>(std::clamp(m, 1.0, 255.0));
}

WalkLinks walkingLinks(const Feed& feed, double radiusMetres, int pace, std::size_t limit) {
    const auto& stops = feed.stops;
    std::map<std::pair<std::uint32_t, std::uint32_t>, int> links;
    std::set<std::pair<std::uint32_t, std::uint32_t>> forbidden;

    // Platforms of each station.
    std::unordered_map<std::string, std::vector<std::uint32_t>> children;
    for (std::uint32_t i = 0; i < stops.size(); ++i) {
        if (stops[i].locationType == 0 && !stops[i].parentId.empty()) {
            children[stops[i].parentId].push_back(i);
        }
    }
    auto platformsOf = [&](std::uint32_t s) {
        if (stops[s].locationType == 0) {
            return std::vector<std::uint32_t>{s};
        }
        auto it = children.find(stops[s].id);
        return it == children.end() ? std::vector<std::uint32_t>{} : it->second;
    };

    for (const FeedTransfer& t : feed.transfers) {
        for (std::uint32_t a : platformsOf(t.from)) {
            for (std::uint32_t b : platformsOf(t.to)) {
                if (a == b) {
                    continue;
                }
                if (t.type == 3) {
                    forbidden.insert({a, b});
                    continue;
                }
                int minutes = 0;
                if (t.minSeconds >= 0) {
                    minutes = std::clamp((t.minSeconds + 59) / 60, 1, 255);
                } else if (stops[a].hasPosition && stops[b].hasPosition) {
                    minutes = walkingMinutes(
                        distanceMetres(stops[a].lat, stops[a].lon, stops[b].lat, stops[b].lon),
                        pace);
                } else {
                    continue;  // no time and no distance to derive one from
                }
                links[{a, b}] = minutes;
            }
        }
    }

    requireWithin(links.size(), limit, "walking links of transfers.txt",
                  "the first-link index of a stop is 16-bit");
    struct Nearby {
        double metres;
        std::uint32_t a, b;
    };
    std::vector<Nearby> nearby;
    if (radiusMetres > 0) {
        // A grid of cells about the radius wide; neighbours lie in the 3x3 cells around.
        const double cellLat = radiusMetres / 111000.0;
        std::map<std::pair<long, long>, std::vector<std::uint32_t>> grid;
        // Longitude cells use the latitude width scaled by the widest cosine of the feed, so
        // that the 3x3 neighbourhood covers the radius everywhere.
        double minCos = 1;
        for (const FeedStop& s : stops) {
            if (s.locationType == 0 && s.hasPosition) {
                minCos = std::min(minCos, std::max(0.01, std::cos(s.lat * kPi / 180)));
            }
        }
        const double cellLon = cellLat / minCos;
        auto key = [&](const FeedStop& s) {
            return std::pair<long, long>{static_cast<long>(std::floor(s.lat / cellLat)),
                                         static_cast<long>(std::floor(s.lon / cellLon))};
        };
        for (std::uint32_t i = 0; i < stops.size(); ++i) {
            if (stops[i].locationType == 0 && stops[i].hasPosition) {
                grid[key(stops[i])].push_back(i);
            }
        }
        for (const auto& [cell, members] : grid) {
            for (long dy = -1; dy <= 1; ++dy) {
                for (long dx = -1; dx <= 1; ++dx) {
                    auto it = grid.find({cell.first + dy, cell.second + dx});
                    if (it == grid.end()) {
                        continue;
                    }
                    for (std::uint32_t a : members) {
                        for (std::uint32_t b : it->second) {
                            if (a == b) {
                                continue;
                            }
                            double d = distanceMetres(stops[a].lat, stops[a].lon, stops[b].lat,
                                                      stops[b].lon);
                            if (d <= radiusMetres && !forbidden.count({a, b}) &&
                                !links.count({a, b})) {
                                // A link from transfers.txt keeps its own minutes.
                                nearby.push_back({d, a, b});
                            }
                        }
                    }
                }
            }
        }
    }

    WalkLinks out;
    if (links.size() + nearby.size() > limit) {
        // The shortest links are the most useful; ties in a fixed order.
        std::sort(nearby.begin(), nearby.end(), [](const Nearby& x, const Nearby& y) {
            return std::tie(x.metres, x.a, x.b) < std::tie(y.metres, y.a, y.b);
        });
        std::size_t keep = limit - links.size();
        out.dropped = nearby.size() - keep;
        nearby.resize(keep);
        out.keptUpToMetres = nearby.empty() ? 0 : nearby.back().metres;
    }
    for (const Nearby& n : nearby) {
        links.emplace(std::pair{n.a, n.b}, walkingMinutes(n.metres, pace));
    }
    out.links.reserve(links.size());
    for (const auto& [pair, minutes] : links) {
        out.links.push_back({pair.first, pair.second, minutes});
    }
    return out;
}

}  // namespace gtfs2jz
