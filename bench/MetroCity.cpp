#include "bench/MetroCity.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "bench/SplitMix.h"

namespace bench {

namespace {

using nlohmann::json;

using Random = SplitMix;

constexpr double kStationKm = 0.7;       // between metro stations
constexpr double kStationWalkKm = 0.45;  // metro stations link to bus stops this close
constexpr int kMetroHopMinutes = 2;

const char* const kStreets[] = {"Lipová",   "Husova",   "Palackého", "Masarykova", "Komenského",
                                "Nádražní", "Školní",   "Polní",     "Krátká",     "Dlouhá",
                                "Luční",    "Zahradní", "Jiráskova", "Tyršova",    "Smetanova",
                                "Nerudova", "Čechova",  "Sokolská",  "Lesní",      "Květná",
                                "Sadová",   "Tovární",  "Hájová",    "Jarní",      "Spojovací",
                                "Úzká",     "Široká",   "Příčná",    "Kopaninská", "Vodárenská"};
constexpr int kStreetCount = static_cast<int>(std::size(kStreets));

// Walking minutes for a distance, with detours.
int walkMinutes(double km) {
    return std::max(1, static_cast<int>(std::lround(km * 1.3 * 12)));
}

std::string streetName(int i, const char* suffix) {
    std::string name = kStreets[i % kStreetCount];
    if (i >= kStreetCount) {
        name += " ";
        name += suffix;
    }
    return name;
}

// Departure minutes of one direction of a line on one day: the headway in the peaks
// (6:00-9:00, 14:00-18:00), twice it during the day and in the evening, three times it early
// and late, from `first` to `last`.
std::vector<int> departures(int peakHeadway, int first, int last, int offset) {
    std::vector<int> out;
    for (int t = first + offset; t <= last;) {
        out.push_back(t);
        const bool peak = (t >= 360 && t < 540) || (t >= 840 && t < 1080);
        const bool edge = t < 330 || t >= 1320;
        t += peakHeadway * (peak ? 1 : edge ? 3 : 2);
    }
    return out;
}

struct Line {
    bool metro = false;
    bool isolated = false;  // a ferry or funicular with its own stops, linked to nothing
    std::string name;
    std::vector<int> places;  // crossings, or metro stations for a metro line
    int peakHeadway = 6;
};

class Generator {
public:
    explicit Generator(const MetroCityOptions& options) : opt_(options), rng_(options.seed) {}

    json build(MetroCityFigures* figures) {
        placeStations();
        placeIsolated();
        planLines();
        json doc;
        doc["version"] = "4.0";
        doc["header"] = {
            {"title", "Velkoměsto 27"},
            {"kind", "MHD"},
            {"validity", json::array({{{"from", "2027-01-01"}, {"to", "2027-12-31"}},
                                      {{"from", "2027-01-01"}, {"to", "2027-12-31"}}})},
            {"hasCoordinates", true}};
        doc["searchDefaults"] = {{"standardWindow", 240}, {"maxWindow", 1440},
                                 {"minTransfer", 2},      {"safeTransfer", 4},
                                 {"transferPenalty", 10}, {"transfers", 3},
                                 {"walkingPace", 15},     {"walkingLimit", 10}};
        doc["stops"] = stopsArray();
        doc["categories"] = categories();
        doc["lineKinds"] = json::array({{{"id", "metro"}, {"code", 1}, {"name", "Metro"}},
                                        {{"id", "bus"}, {"code", 2}, {"name", "Bus"}},
                                        {{"id", "lod"}, {"code", 4}, {"name", "Přívoz"}}});
        doc["lineGroups"] = json::array({{{"id", "g"}, {"name", ""}}});
        json lines = json::array();
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            lines.push_back({{"id", "l" + std::to_string(i)},
                             {"kind", lines_[i].metro      ? "metro"
                                      : lines_[i].isolated ? "lod"
                                                           : "bus"},
                             {"group", "g"},
                             {"name", lines_[i].name}});
        }
        doc["lines"] = std::move(lines);
        doc["calendars"] =
            json::array({{{"id", "prac"},
                          {"from", "2027-01-01"},
                          {"to", "2027-12-31"},
                          {"weekdays", "1111100"}},
                         {{"id", "vikend"},
                          {"from", "2027-01-01"},
                          {"to", "2027-12-31"},
                          {"weekdays", "0000011"}},
                         {{"id", "denne"}, {"from", "2027-01-01"}, {"to", "2027-12-31"}}});
        doc["trips"] = tripsArray();
        countRoutesAtStops();
        figures_.stops = stopCount();
        figures_.lines = lines_.size();
        figures_.trips = doc["trips"].size();
        if (figures != nullptr) {
            *figures = figures_;
        }
        return doc;
    }

private:
    int side() const { return opt_.side; }
    int crossings() const { return side() * side(); }
    // Crossing p has the bus platforms 2p (one direction) and 2p + 1 (the other); the metro
    // stations follow.
    std::size_t stopCount() const {
        return static_cast<std::size_t>(2 * crossings()) + stations_.size() + isolated_.size();
    }
    std::string isolatedStop(int i) const { return "i" + std::to_string(i); }
    std::string stationStop(int station) const { return "m" + std::to_string(station); }
    static std::string platformStop(int crossing, int platform) {
        return "b" + std::to_string(crossing) + (platform == 0 ? "a" : "b");
    }
    double crossX(int p) const { return (p % side()) * opt_.blockKm; }
    double crossY(int p) const { return (p / side()) * opt_.blockKm; }
    // The two platforms of a crossing stand 20 m apart.
    double platformX(int p, int platform) const { return crossX(p) + 0.02 * platform; }
    std::string crossingName(int p) const {
        return streetName(p % side(), "II") + " - " + streetName(p / side(), "III");
    }

    struct Station {
        double x = 0, y = 0;
        std::string name;
    };

    void countRoutesAtStops() {
        std::vector<std::size_t> routes(static_cast<std::size_t>(crossings()), 0);
        for (const Line& l : lines_) {
            if (l.metro || l.isolated) {
                continue;
            }
            for (int p : l.places) {
                ++routes[static_cast<std::size_t>(p)];
            }
        }
        figures_.unservedCrossings = static_cast<std::size_t>(std::erase(routes, 0));
        std::sort(routes.begin(), routes.end());
        if (!routes.empty()) {
            figures_.routesAtStopP10 = routes[routes.size() / 10];
            figures_.routesAtStopMedian = routes[routes.size() / 2];
            figures_.routesAtStopP90 = routes[routes.size() * 9 / 10];
        }
    }

    // Radial lines through the centre at even angles; the central station is shared.
    void placeStations() {
        const double centre = (side() - 1) * opt_.blockKm / 2;
        const int half = opt_.metroStations / 2;
        stations_.push_back({centre, centre, "Hlavní křižovatka"});
        for (int k = 0; k < opt_.metroLines; ++k) {
            const double angle = std::numbers::pi * (k + 0.3) / opt_.metroLines;
            Line line;
            line.metro = true;
            line.name = std::string(1, static_cast<char>('A' + k));
            line.peakHeadway = 3;
            std::vector<int> before, after;
            for (int i = 1; i <= half; ++i) {
                for (int sign : {-1, 1}) {
                    Station s;
                    s.x = centre + sign * i * kStationKm * std::cos(angle);
                    s.y = centre + sign * i * kStationKm * std::sin(angle);
                    s.name = "Metro " + line.name + " " + (sign < 0 ? "západ " : "východ ") +
                             std::to_string(i);
                    (sign < 0 ? before : after).push_back(static_cast<int>(stations_.size()));
                    stations_.push_back(std::move(s));
                }
            }
            std::reverse(before.begin(), before.end());
            line.places = before;
            line.places.push_back(0);
            line.places.insert(line.places.end(), after.begin(), after.end());
            lines_.push_back(std::move(line));
        }
    }

    // A ferry across the river and a funicular up the hill beyond the city's edge: places that
    // no journey from the city reaches.
    void placeIsolated() {
        const double edge = side() * opt_.blockKm + 2.0;
        const std::vector<std::vector<const char*>> groups = {
            {"Přívoz levý břeh", "Přívoz pravý břeh"},
            {"Lanovka dolní stanice", "Lanovka mezistanice", "Lanovka horní stanice"}};
        for (std::size_t g = 0; g < groups.size(); ++g) {
            Line line;
            line.isolated = true;
            line.name = g == 0 ? "P1" : "LD";
            line.peakHeadway = 15;
            for (std::size_t i = 0; i < groups[g].size(); ++i) {
                line.places.push_back(static_cast<int>(isolated_.size()));
                isolated_.push_back({edge + 0.5 * static_cast<double>(i),
                                     3.0 * static_cast<double>(g), groups[g][i]});
            }
            lines_.push_back(std::move(line));
        }
    }

    void planLines() {
        if (opt_.corridorRoutes > 0) {
            planCorridorRoutes();
            return;
        }
        int number = 100;
        auto add = [&](std::vector<int> places, int headway) {
            Line l;
            l.name = std::to_string(number++);
            l.places = std::move(places);
            l.peakHeadway = headway;
            lines_.push_back(std::move(l));
        };
        for (int r = 0; r < side(); ++r) {
            std::vector<int> row;
            for (int c = 0; c < side(); ++c) {
                row.push_back(r * side() + c);
            }
            add(row, 4 + r % 5);
        }
        for (int c = 0; c < side(); ++c) {
            std::vector<int> column;
            for (int r = 0; r < side(); ++r) {
                column.push_back(r * side() + c);
            }
            add(column, 4 + (c + 2) % 5);
        }
        // Bent lines: from a crossing on the edge straight in, then a turn.
        for (int i = 0; i < opt_.bentLines; ++i) {
            int r = rng_.below(side());
            int c = 0;
            int dr = 0, dc = 1;
            switch (i % 4) {
                case 1:
                    c = side() - 1;
                    dc = -1;
                    break;
                case 2:
                    c = r;
                    r = 0;
                    dr = 1;
                    dc = 0;
                    break;
                case 3:
                    c = r;
                    r = side() - 1;
                    dr = -1;
                    dc = 0;
                    break;
                default:
                    break;
            }
            std::vector<int> places;
            const int first = rng_.between(side() / 4, side() * 2 / 3);
            const int second = rng_.between(side() / 4, side() / 2);
            for (int k = 0; k < first; ++k, r += dr, c += dc) {
                places.push_back(r * side() + c);
            }
            // Turn left or right, towards the larger half.
            std::swap(dr, dc);
            const bool flip = dr != 0 ? r > side() / 2 : c > side() / 2;
            if (flip) {
                dr = -dr;
                dc = -dc;
            }
            for (int k = 0; k < second && r >= 0 && r < side() && c >= 0 && c < side();
                 ++k, r += dr, c += dc) {
                if (places.back() != r * side() + c) {
                    places.push_back(r * side() + c);
                }
            }
            add(places, rng_.between(5, 9));
        }
    }

    // Routes of the dense city. A corridor is a straight run of 10 to 30 crossings along a
    // street; each route rides one corridor and leaves it at both ends for a few crossings of
    // its own, turning now and then, so that the routes of a corridor share its stops and
    // spread out beyond it.
    void planCorridorRoutes() {
        const int n = side();
        struct Corridor {
            std::vector<int> places;
            int dr, dc;  // direction of travel
        };
        std::vector<Corridor> corridors;
        for (int i = 0; i < opt_.corridors; ++i) {
            const bool alongRow = i % 2 == 0;
            const int length = std::min(rng_.between(10, 30), n);
            // The streets of the corridors spread evenly over the city.
            const int street = (i / 2 * 7 + 1 + rng_.below(2)) % n;
            const int from = rng_.below(n - length + 1);
            Corridor c{{}, alongRow ? 0 : 1, alongRow ? 1 : 0};
            for (int k = 0; k < length; ++k) {
                c.places.push_back(alongRow ? street * n + from + k : (from + k) * n + street);
            }
            corridors.push_back(std::move(c));
        }
        // Routes planned so far at each crossing.
        std::vector<int> served(static_cast<std::size_t>(n * n), 0);
        // Extends a route from its last crossing heading (dr, dc) by up to `steps` crossings,
        // never back to a crossing it has: ahead, or left or right where fewer routes run (a
        // planner covers the streets that the corridors miss).
        auto extend = [&](std::vector<int>& places, int dr, int dc, int steps) {
            int r = places.back() / n, c = places.back() % n;
            for (int k = 0; k < steps; ++k) {
                const int ways[3][2] = {{dr, dc}, {dc, dr}, {-dc, -dr}};
                int best = -1, bestScore = 0;
                for (int w = 0; w < 3; ++w) {
                    const int nr = r + ways[w][0], nc = c + ways[w][1];
                    if (nr < 0 || nr >= n || nc < 0 || nc >= n ||
                        std::find(places.begin(), places.end(), nr * n + nc) != places.end()) {
                        continue;
                    }
                    // Ahead is preferred; a turn must lead to two routes fewer.
                    const int score = served[static_cast<std::size_t>(nr * n + nc)] +
                                      (w == 0 ? 0 : 2) + rng_.below(2);
                    if (best < 0 || score < bestScore) {
                        best = w;
                        bestScore = score;
                    }
                }
                if (best < 0) {
                    break;
                }
                dr = ways[best][0];
                dc = ways[best][1];
                r += dr;
                c += dc;
                places.push_back(r * n + c);
            }
        };
        int number = 100;
        for (int i = 0; i < opt_.corridorRoutes; ++i) {
            const Corridor& c = corridors[static_cast<std::size_t>(i % opt_.corridors)];
            // Before the corridor: built outwards from its first crossing, then turned round.
            std::vector<int> head{c.places.front()};
            extend(head, -c.dr, -c.dc, rng_.between(2, 8));
            std::vector<int> places(head.rbegin(), head.rend());
            for (std::size_t k = 1; k < c.places.size(); ++k) {
                if (std::find(places.begin(), places.end(), c.places[k]) != places.end()) {
                    break;
                }
                places.push_back(c.places[k]);
            }
            extend(places, c.dr, c.dc, rng_.between(2, 8));
            for (int p : places) {
                ++served[static_cast<std::size_t>(p)];
            }
            Line l;
            l.name = std::to_string(number++);
            l.places = std::move(places);
            l.peakHeadway = rng_.between(6, 15);
            lines_.push_back(std::move(l));
        }
    }

    json stopsArray() {
        std::vector<json> walks(stopCount(), json::array());
        auto link = [&](std::size_t a, const std::string& to, int minutes) {
            walks[a].push_back({{"to", to}, {"minutes", minutes}});
            ++figures_.walkLinks;
        };
        const int n = side();
        for (int p = 0; p < crossings() && opt_.walkRadiusKm > 0; ++p) {
            // Every platform within the radius, the other one of the crossing included.
            const int reach = static_cast<int>(std::ceil(opt_.walkRadiusKm / opt_.blockKm));
            const int r = p / n, c = p % n;
            for (int pl = 0; pl < 2; ++pl) {
                const auto a = static_cast<std::size_t>(2 * p + pl);
                for (int qr = std::max(0, r - reach); qr <= std::min(n - 1, r + reach); ++qr) {
                    for (int qc = std::max(0, c - reach); qc <= std::min(n - 1, c + reach); ++qc) {
                        const int q = qr * n + qc;
                        for (int ql = 0; ql < 2; ++ql) {
                            const double d = std::hypot(platformX(q, ql) - platformX(p, pl),
                                                        crossY(q) - crossY(p));
                            if ((q != p || ql != pl) && d <= opt_.walkRadiusKm) {
                                link(a, platformStop(q, ql), walkMinutes(d));
                            }
                        }
                    }
                }
            }
        }
        for (int p = 0; p < crossings() && opt_.walkRadiusKm <= 0; ++p) {
            for (int pl = 0; pl < 2; ++pl) {
                const auto a = static_cast<std::size_t>(2 * p + pl);
                link(a, platformStop(p, 1 - pl), 1);
                const int r = p / n, c = p % n;
                const int neighbours[4][2] = {{r - 1, c}, {r + 1, c}, {r, c - 1}, {r, c + 1}};
                for (const auto& nb : neighbours) {
                    if (nb[0] < 0 || nb[0] >= n || nb[1] < 0 || nb[1] >= n) {
                        continue;
                    }
                    const int q = nb[0] * n + nb[1];
                    link(a, platformStop(q, pl), walkMinutes(opt_.blockKm));
                }
            }
        }
        for (std::size_t s = 0; s < stations_.size(); ++s) {
            const Station& st = stations_[s];
            for (int p = 0; p < crossings(); ++p) {
                const double d = std::hypot(st.x - crossX(p), st.y - crossY(p));
                if (d > kStationWalkKm) {
                    continue;
                }
                // Down to the platform takes a minute or two more.
                const int minutes = walkMinutes(d) + 2;
                const std::size_t m = static_cast<std::size_t>(2 * crossings()) + s;
                for (int pl = 0; pl < 2; ++pl) {
                    link(m, platformStop(p, pl), minutes);
                    link(static_cast<std::size_t>(2 * p + pl), stationStop(static_cast<int>(s)),
                         minutes);
                }
            }
        }
        json stops = json::array();
        const double kmPerLat = 111.2, kmPerLon = 72.3;
        auto add = [&](const std::string& id, const std::string& name, double x, double y,
                       std::size_t index) {
            json stop = {{"id", id},
                         {"name", name},
                         {"lat", 50.0 + y / kmPerLat},
                         {"lon", 14.3 + x / kmPerLon},
                         {"key", 2000000 + static_cast<int>(index)}};
            if (!walks[index].empty()) {
                stop["walk"] = std::move(walks[index]);
            }
            stops.push_back(std::move(stop));
        };
        for (int p = 0; p < crossings(); ++p) {
            for (int pl = 0; pl < 2; ++pl) {
                add(platformStop(p, pl), crossingName(p), platformX(p, pl), crossY(p),
                    static_cast<std::size_t>(2 * p + pl));
            }
        }
        for (std::size_t s = 0; s < stations_.size(); ++s) {
            add(stationStop(static_cast<int>(s)), stations_[s].name, stations_[s].x, stations_[s].y,
                static_cast<std::size_t>(2 * crossings()) + s);
        }
        for (std::size_t i = 0; i < isolated_.size(); ++i) {
            add(isolatedStop(static_cast<int>(i)), isolated_[i].name, isolated_[i].x,
                isolated_[i].y, static_cast<std::size_t>(2 * crossings()) + stations_.size() + i);
        }
        return stops;
    }

    json categories() const {
        json elements = json::array();
        for (int p = 0; p < crossings(); ++p) {
            elements.push_back({{"name", crossingName(p)},
                                {"stops", json::array({platformStop(p, 0), platformStop(p, 1)})}});
        }
        for (std::size_t s = 0; s < stations_.size(); ++s) {
            elements.push_back({{"name", stations_[s].name},
                                {"stops", json::array({stationStop(static_cast<int>(s))})}});
        }
        for (std::size_t i = 0; i < isolated_.size(); ++i) {
            elements.push_back({{"name", isolated_[i].name},
                                {"stops", json::array({isolatedStop(static_cast<int>(i))})}});
        }
        return json::array({{{"name", "zastávky"}, {"elements", std::move(elements)}}});
    }

    void addTrips(json& trips, std::size_t lineIndex, const char* calendar, int headway, int first,
                  int last) {
        const Line& l = lines_[lineIndex];
        for (int dir = 0; dir < 2; ++dir) {
            std::vector<std::string> ids;
            for (std::size_t k = 0; k < l.places.size(); ++k) {
                const int place = l.places[dir == 0 ? k : l.places.size() - 1 - k];
                ids.push_back(l.metro      ? stationStop(place)
                              : l.isolated ? isolatedStop(place)
                                           : platformStop(place, dir));
            }
            const int offset = dir == 0 ? 0 : 1 + static_cast<int>(lineIndex % 3);
            for (int start : departures(headway, first, last, offset)) {
                json stops = json::array();
                for (std::size_t k = 0; k < ids.size(); ++k) {
                    // Buses ride busQuarterMinutes quarters of a minute per block on average,
                    // the way back half a minute later.
                    const int minutes =
                        l.metro || l.isolated
                            ? static_cast<int>(k) * kMetroHopMinutes
                            : (static_cast<int>(k) * opt_.busQuarterMinutes + 2 * dir) / 4;
                    json s = {{"stop", ids[k]}, {"dep", start + minutes}};
                    if (k > 0) {
                        s["dist"] =
                            l.metro ? 700 : static_cast<int>(std::lround(opt_.blockKm * 1000));
                    }
                    stops.push_back(std::move(s));
                }
                figures_.stopEvents += ids.size();
                trips.push_back({{"line", "l" + std::to_string(lineIndex)},
                                 {"calendar", calendar},
                                 {"stops", std::move(stops)}});
            }
        }
    }

    json tripsArray() {
        json trips = json::array();
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            const Line& l = lines_[i];
            if (l.isolated) {
                addTrips(trips, i, "denne", l.peakHeadway, 420, 1140);
            } else if (l.metro) {
                addTrips(trips, i, "denne", l.peakHeadway, 285, 1430);
            } else {
                addTrips(trips, i, "prac", l.peakHeadway, 290, 1410);
                addTrips(trips, i, "vikend", l.peakHeadway * 2, 320, 1400);
            }
        }
        return trips;
    }

    MetroCityOptions opt_;
    Random rng_;
    std::vector<Station> stations_;
    std::vector<Station> isolated_;
    std::vector<Line> lines_;
    MetroCityFigures figures_;
};

}  // namespace

MetroCityOptions denseCityOptions() {
    MetroCityOptions o;
    o.side = 36;
    o.blockKm = 0.2;
    o.metroStations = 9;
    o.corridorRoutes = 340;
    o.corridors = 72;
    o.walkRadiusKm = 0.25;
    o.busQuarterMinutes = 5;
    o.seed = 0xDE57C17E;
    return o;
}

json buildMetroCity(const MetroCityOptions& options, MetroCityFigures* figures) {
    return Generator(options).build(figures);
}

}  // namespace bench
