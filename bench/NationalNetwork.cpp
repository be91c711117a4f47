#include "bench/NationalNetwork.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>
#include <stdexcept>
#include <utility>
#include <vector>

#include "bench/SplitMix.h"
#include "tools/jzwriter/TimetableCompiler.h"

namespace bench {

namespace {

using nlohmann::json;

using Random = SplitMix;

// The plane the generator works in: kilometres east of 12° E and north of 47.5° N.
constexpr double kKmPerDegreeLat = 111.2;
constexpr double kKmPerDegreeLon = 72.3;  // at 49.5° N
constexpr double kWestLon = 12.0;
constexpr double kSouthLat = 47.5;

double latOf(double y) {
    return kSouthLat + y / kKmPerDegreeLat;
}
double lonOf(double x) {
    return kWestLon + x / kKmPerDegreeLon;
}

// Roughly the two countries: a western and an eastern box.
bool onLand(double lat, double lon) {
    return (lon >= 12.2 && lon <= 18.8 && lat >= 48.6 && lat <= 50.9) ||
           (lon >= 16.9 && lon <= 22.4 && lat >= 47.8 && lat <= 49.5);
}

double distanceKm(double ax, double ay, double bx, double by) {
    return std::hypot(ax - bx, ay - by);
}

// Syllables of invented town names.
const char* const kHeads[] = {"Bra", "Kve", "Dro", "Mla", "Hře", "Jí",  "Lo",  "Pše", "Sva", "Tro",
                              "Vlá", "Zbo", "Ště", "Ro",  "Ne",  "Čí",  "Kra", "Pla", "Dlu", "Hvo",
                              "Bře", "Cho", "Lu",  "Mo",  "Pra", "Sle", "Tu",  "Vra", "Žla", "Ko"};
const char* const kMiddles[] = {"š", "d",  "l", "n", "r", "t",  "v",
                                "b", "ch", "m", "ř", "k", "st", "ž"};
const char* const kTails[] = {"ovice", "any", "ín",  "ov", "ec",  "ná",  "ice", "etín",
                              "ovec",  "ník", "ovy", "ek", "iny", "ošť", "ava", "ěj"};
const char* const kQualifiers[] = {"Horní ", "Dolní ", "Přední ", "Zadní "};
const char* const kRivers[] = {" nad Lomkou",  " nad Brtnou",   " u Hvozdu",
                               " pod Skalkou", " nad Olšavkou", " u Jezírka"};

// Names of stops inside a town (after "Town, ").
const char* const kPlaceWords[] = {
    "nádraží",   "škola",      "kostel",      "rozcestí",   "obecní úřad",
    "hřbitov",   "pošta",      "sídliště",    "točna",      "koupaliště",
    "nemocnice", "zámek",      "most",        "mlýn",       "pila",
    "dvůr",      "sokolovna",  "hřiště",      "u rybníka",  "průmyslová zóna",
    "Žižkova",   "Husova",     "Palackého",   "Masarykova", "Komenského",
    "Nádražní",  "Školní",     "Lipová",      "Polní",      "Krátká",
    "Dlouhá",    "Luční",      "Zahradní",    "Jiráskova",  "Tyršova",
    "Smetanova", "Nerudova",   "Havlíčkova",  "Čechova",    "Sokolská",
    "Lesní",     "Družstevní", "Květná",      "Sadová",     "Tovární",
    "Hájová",    "Jarní",      "Spojovací",   "Úzká",       "Široká",
    "Příčná",    "Na Výsluní", "Na Kopci",    "U Potoka",   "K Lesu",
    "Pod Lesem", "Za Humny",   "V Zahradách", "Kopaninská", "Vodárna"};
const char* const kRoman[] = {"",    " II", " III", " IV",  " V",    " VI",  " VII", " VIII",
                              " IX", " X",  " XI",  " XII", " XIII", " XIV", " XV",  " XVI"};

template <typename T, std::size_t N>
constexpr int countOf(const T (&)[N]) {
    return static_cast<int>(N);
}

struct Town {
    std::string name;
    double x = 0, y = 0;
    int stopCount = 0;
    std::vector<int> places;
};

struct Place {
    int town = 0;
    std::string name;
    double x = 0, y = 0;
    std::vector<int> stops;  // one or two platforms sharing the name
};

enum class Kind { Tram, CityBus, RegionalBus, Train };

struct Line {
    Kind kind = Kind::CityBus;
    int town = -1;  // the town of a city line, whose name is the line's group
    std::string name;
    std::vector<int> places;
    int trips = 0;
};

// Minutes since midnight of the departures of a service day, as quantiles of a density given
// by bands (start minute, end minute, relative weight).
std::vector<int> departureTimes(int count, const std::vector<std::tuple<int, int, double>>& bands) {
    double total = 0;
    for (auto [from, to, w] : bands) {
        total += (to - from) * w;
    }
    std::vector<int> out;
    out.reserve(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        double want = total * (k + 0.5) / count;
        for (auto [from, to, w] : bands) {
            double mass = (to - from) * w;
            if (want <= mass) {
                out.push_back(from + static_cast<int>(want / w));
                break;
            }
            want -= mass;
        }
    }
    return out;
}

const std::vector<std::tuple<int, int, double>> kWorkdayBands = {
    {270, 330, 0.5},  {330, 510, 1.6},   {510, 810, 1.0},
    {810, 1050, 1.4}, {1050, 1200, 0.8}, {1200, 1410, 0.4}};
const std::vector<std::tuple<int, int, double>> kWeekendBands = {
    {330, 480, 0.6}, {480, 1200, 1.0}, {1200, 1400, 0.5}};
const std::vector<std::tuple<int, int, double>> kDailyBands = {
    {270, 360, 0.6}, {360, 1260, 1.0}, {1260, 1420, 0.5}};

// Public holidays of the timetable year that fall on working days.
const char* const kHolidaysOnWorkdays[] = {"2026-12-24", "2026-12-25", "2027-01-01", "2027-03-26",
                                           "2027-03-29", "2027-07-05", "2027-07-06", "2027-09-28",
                                           "2027-10-28", "2027-11-17"};
const char* const kValidFrom = "2026-12-13";
const char* const kValidTo = "2027-12-11";

class Generator {
public:
    explicit Generator(const NationalNetworkOptions& o) : opt_(o), rng_(o.seed) {}

    json build(NationalNetworkFigures* figures) {
        makeTowns();
        makePlaces();
        indexTowns();
        makeLines();
        assignTrips();
        json doc = document();
        if (figures != nullptr) {
            *figures = figures_;
        }
        return doc;
    }

private:
    // ---- towns and stops --------------------------------------------------------------------

    std::string townName() {
        for (;;) {
            std::string n;
            if (rng_.chance(0.15)) {
                n += kQualifiers[rng_.below(countOf(kQualifiers))];
            }
            n += kHeads[rng_.below(countOf(kHeads))];
            n += kMiddles[rng_.below(countOf(kMiddles))];
            n += kTails[rng_.below(countOf(kTails))];
            if (rng_.chance(0.1)) {
                n += kRivers[rng_.below(countOf(kRivers))];
            }
            if (usedNames_.insert(n).second) {
                return n;
            }
        }
    }

    void makeTowns() {
        const int n = opt_.towns;
        if (n < 1 || opt_.stops < n || opt_.lines < 1 || opt_.trips < 0) {
            throw std::invalid_argument(
                "national network: needs a town, a stop per town and a line at least");
        }
        towns_.resize(static_cast<std::size_t>(n));
        // Stops per town: one each, the rest shared out by a Zipf-like weight of the town's
        // rank, at most 900 per town (a category element lists at most 1023 stops).
        std::vector<double> weight(static_cast<std::size_t>(n));
        double total = 0;
        for (int r = 0; r < n; ++r) {
            weight[static_cast<std::size_t>(r)] = 1.0 / std::pow(r + 1.0, 0.75);
            total += weight[static_cast<std::size_t>(r)];
        }
        int spare = std::max(0, opt_.stops - n);
        int given = 0;
        for (int r = 0; r < n; ++r) {
            int extra = static_cast<int>(spare * weight[static_cast<std::size_t>(r)] / total);
            extra = std::min(extra, 899);
            towns_[static_cast<std::size_t>(r)].stopCount = 1 + extra;
            given += 1 + extra;
        }
        // What rounding and the cap left over goes to the middle-sized towns, one each.
        const int firstMiddle = std::min(10, n - 1);
        for (int r = firstMiddle; given < opt_.stops; r = r + 1 < n ? r + 1 : firstMiddle) {
            ++towns_[static_cast<std::size_t>(r)].stopCount;
            ++given;
        }
        for (Town& t : towns_) {
            t.name = townName();
            double lat = 0, lon = 0;
            do {
                lat = 47.8 + rng_.unit() * 3.1;
                lon = 12.2 + rng_.unit() * 10.2;
            } while (!onLand(lat, lon));
            t.x = (lon - kWestLon) * kKmPerDegreeLon;
            t.y = (lat - kSouthLat) * kKmPerDegreeLat;
        }
    }

    std::string placeName(const Town& t, int k) {
        if (k == 0) {
            return t.name + ", náměstí";
        }
        int words = countOf(kPlaceWords);
        int round = std::min((k - 1) / words, countOf(kRoman) - 1);
        return t.name + ", " + kPlaceWords[(k - 1) % words] + kRoman[round];
    }

    void makePlaces() {
        for (std::size_t ti = 0; ti < towns_.size(); ++ti) {
            Town& t = towns_[ti];
            double radius = 0.25 * std::sqrt(static_cast<double>(t.stopCount));
            int left = t.stopCount;
            for (int k = 0; left > 0; ++k) {
                Place p;
                p.town = static_cast<int>(ti);
                p.name = t.stopCount == 1 ? t.name : placeName(t, k);
                double r = k == 0 ? 0.0 : radius * std::sqrt(rng_.unit());
                double a = 2 * M_PI * rng_.unit();
                p.x = t.x + r * std::cos(a);
                p.y = t.y + r * std::sin(a);
                // Larger towns have a platform for each direction at most places.
                int platforms = (t.stopCount >= 20 && left >= 2 && rng_.chance(0.7)) ? 2 : 1;
                for (int i = 0; i < platforms; ++i) {
                    p.stops.push_back(static_cast<int>(stopPlace_.size()));
                    stopPlace_.push_back(static_cast<int>(places_.size()));
                    stopRequest_.push_back(t.stopCount == 1 && rng_.chance(0.15));
                }
                left -= platforms;
                t.places.push_back(static_cast<int>(places_.size()));
                places_.push_back(std::move(p));
            }
        }
    }

    // A grid of 10 km cells over the towns, for finding neighbours.
    static constexpr double kCell = 10.0;
    static constexpr int kCols = 80;
    static constexpr int kRows = 40;

    void indexTowns() {
        grid_.assign(kCols * kRows, {});
        for (std::size_t i = 0; i < towns_.size(); ++i) {
            grid_[cellOf(towns_[i].x, towns_[i].y)].push_back(static_cast<int>(i));
        }
    }

    static std::size_t cellOf(double x, double y) {
        int c = std::clamp(static_cast<int>(x / kCell), 0, kCols - 1);
        int r = std::clamp(static_cast<int>(y / kCell), 0, kRows - 1);
        return static_cast<std::size_t>(r * kCols + c);
    }

    // Towns within `radius` km of a point.
    std::vector<int> townsNear(double x, double y, double radius) const {
        std::vector<int> out;
        int c0 = static_cast<int>((x - radius) / kCell),
            c1 = static_cast<int>((x + radius) / kCell);
        int r0 = static_cast<int>((y - radius) / kCell),
            r1 = static_cast<int>((y + radius) / kCell);
        for (int r = std::max(r0, 0); r <= std::min(r1, kRows - 1); ++r) {
            for (int c = std::max(c0, 0); c <= std::min(c1, kCols - 1); ++c) {
                for (int t : grid_[static_cast<std::size_t>(r * kCols + c)]) {
                    const Town& town = towns_[static_cast<std::size_t>(t)];
                    if (distanceKm(town.x, town.y, x, y) <= radius) {
                        out.push_back(t);
                    }
                }
            }
        }
        return out;
    }

    // ---- lines ------------------------------------------------------------------------------

    // A city line: a snake through the town from a random place, each step to a near place
    // not yet on the line, preferring the way it is heading, so that lines cross the town.
    std::vector<int> cityPath(const Town& t) {
        const auto& ps = t.places;
        int length = std::min(rng_.between(14, 30), static_cast<int>(ps.size()));
        int from = ps[static_cast<std::size_t>(rng_.below(static_cast<int>(ps.size())))];
        std::vector<int> path{from};
        std::set<int> seen{from};
        double heading = 2 * M_PI * rng_.unit();
        while (static_cast<int>(path.size()) < length) {
            const Place& cur = places_[static_cast<std::size_t>(path.back())];
            int next = -1;
            double bestScore = 1e18;
            for (int p : ps) {
                if (seen.count(p) != 0) {
                    continue;
                }
                const Place& c = places_[static_cast<std::size_t>(p)];
                double d = distanceKm(c.x, c.y, cur.x, cur.y);
                double turn = 1 - std::cos(std::atan2(c.y - cur.y, c.x - cur.x) - heading);
                double score = d * (1 + 2 * turn);
                if (d < 3.0 && score < bestScore) {
                    next = p;
                    bestScore = score;
                }
            }
            if (next < 0) {
                break;
            }
            const Place& n = places_[static_cast<std::size_t>(next)];
            double dir = std::atan2(n.y - cur.y, n.x - cur.x);
            // Keep most of the old heading so that the line does not wind back on itself.
            heading = std::atan2(0.7 * std::sin(heading) + 0.3 * std::sin(dir),
                                 0.7 * std::cos(heading) + 0.3 * std::cos(dir));
            path.push_back(next);
            seen.insert(next);
        }
        return path;
    }

    // A line over towns: from one town towards a point `reach` km away, each step to one of
    // the nearest towns within `hop` km that comes closer, `length` stops at most.
    std::vector<int> countryPath(int fromTown, double reach, double hop, int length, int maxRank) {
        std::vector<int> best;
        for (int attempt = 0; attempt < 8 && static_cast<int>(best.size()) < length / 2;
             ++attempt) {
            double a = 2 * M_PI * rng_.unit();
            const Town& start = towns_[static_cast<std::size_t>(fromTown)];
            double gx = start.x + reach * std::cos(a), gy = start.y + reach * std::sin(a);
            std::vector<int> path;
            std::set<int> seen{fromTown};
            int cur = fromTown;
            auto addTown = [&](int t) {
                const Town& town = towns_[static_cast<std::size_t>(t)];
                path.push_back(town.places[0]);
                // Buses serve a second stop in larger towns.
                if (maxRank > 1000 && town.places.size() >= 8 &&
                    static_cast<int>(path.size()) < length) {
                    path.push_back(town.places[1]);
                }
            };
            addTown(cur);
            while (static_cast<int>(path.size()) < length) {
                const Town& c = towns_[static_cast<std::size_t>(cur)];
                double toGoal = distanceKm(c.x, c.y, gx, gy);
                std::vector<std::pair<double, int>> options;
                for (int t : townsNear(c.x, c.y, hop)) {
                    const Town& n = towns_[static_cast<std::size_t>(t)];
                    if (t >= maxRank || seen.count(t) != 0 ||
                        distanceKm(n.x, n.y, gx, gy) >= toGoal - 0.5) {
                        continue;
                    }
                    options.emplace_back(distanceKm(n.x, n.y, c.x, c.y), t);
                }
                if (options.empty()) {
                    break;
                }
                std::sort(options.begin(), options.end());
                int pick = rng_.below(std::min(3, static_cast<int>(options.size())));
                cur = options[static_cast<std::size_t>(pick)].second;
                seen.insert(cur);
                addTown(cur);
            }
            if (path.size() > best.size()) {
                best = std::move(path);
            }
        }
        return best;
    }

    void makeLines() {
        // City lines: one per ten stops in towns of 30 stops and more, trams in the largest.
        std::vector<Line> city;
        for (std::size_t ti = 0; ti < towns_.size(); ++ti) {
            const Town& t = towns_[ti];
            if (t.stopCount < 30 || t.places.size() < 12) {
                continue;
            }
            int count = std::max(1, t.stopCount / 10);
            for (int k = 0; k < count; ++k) {
                Line l;
                l.town = static_cast<int>(ti);
                l.kind = (t.stopCount >= 300 && k < count / 3) ? Kind::Tram : Kind::CityBus;
                l.name = std::to_string(l.kind == Kind::Tram ? k + 1 : k + 101);
                l.places = cityPath(t);
                if (l.places.size() >= 5) {
                    city.push_back(std::move(l));
                }
            }
        }
        int cityMax = opt_.lines / 2;
        if (static_cast<int>(city.size()) > cityMax) {
            city.resize(static_cast<std::size_t>(cityMax));
        }
        int trains = std::max(1, opt_.lines / 11);
        int regional = opt_.lines - static_cast<int>(city.size()) - trains;
        lines_ = std::move(city);
        const int townCount = static_cast<int>(towns_.size());
        // Typical distance between neighbouring towns over the two countries' 196 000 km²;
        // the lines over land take their hops and reach from it.
        const double spacing = std::sqrt(196000.0 / townCount);
        for (int k = 0; k < trains; ++k) {
            Line l;
            l.kind = Kind::Train;
            l.name = (k % 4 == 0 ? "R " : "Os ") + std::to_string(100 + k);
            int from = rng_.below(std::min(400, townCount));
            int length = rng_.between(15, 40);
            l.places = countryPath(from, length * 1.2 * spacing, std::max(14.0, 2.5 * spacing),
                                   length, std::min(3000, townCount));
            lines_.push_back(std::move(l));
        }
        for (int k = 0; k < regional; ++k) {
            Line l;
            l.kind = Kind::RegionalBus;
            l.name = std::to_string(300000 + 101 * k % 700000);
            int from = rng_.below(std::min(1500, townCount));
            int length = rng_.between(12, 34);
            l.places = countryPath(from, length * 0.8 * spacing, std::max(9.0, 1.6 * spacing),
                                   length, townCount);
            lines_.push_back(std::move(l));
        }
        // A line needs two stops.
        lines_.erase(std::remove_if(lines_.begin(), lines_.end(),
                                    [](const Line& l) { return l.places.size() < 2; }),
                     lines_.end());
    }

    static double tripWeight(Kind k) {
        switch (k) {
            case Kind::Tram:
            case Kind::CityBus:
                return 6.0;
            case Kind::RegionalBus:
                return 1.5;
            case Kind::Train:
                return 1.2;
        }
        return 1.0;
    }

    // Shares the trips out by the lines' weights (largest remainders, in line order).
    void assignTrips() {
        double total = 0;
        for (const Line& l : lines_) {
            total += tripWeight(l.kind);
        }
        std::vector<std::pair<double, std::size_t>> remainders;
        int given = 0;
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            double exact = opt_.trips * tripWeight(lines_[i].kind) / total;
            lines_[i].trips = static_cast<int>(exact);
            given += lines_[i].trips;
            remainders.emplace_back(-(exact - lines_[i].trips), i);
        }
        std::stable_sort(remainders.begin(), remainders.end());
        for (std::size_t k = 0; given < opt_.trips && k < remainders.size(); ++k, ++given) {
            ++lines_[remainders[k].second].trips;
        }
    }

    // ---- the description --------------------------------------------------------------------

    static const char* kindId(Kind k) {
        switch (k) {
            case Kind::Tram:
                return "tram";
            case Kind::Train:
                return "vlak";
            default:
                return "bus";
        }
    }

    static double speedKmh(Kind k) {
        switch (k) {
            case Kind::Tram:
                return 18;
            case Kind::CityBus:
                return 20;
            case Kind::RegionalBus:
                return 38;
            case Kind::Train:
                return 55;
        }
        return 20;
    }

    std::string stopId(int s) const { return "s" + std::to_string(s); }

    // The stop of a place for one direction: the second platform serves the way back.
    int platformOf(int place, bool back) const {
        const auto& st = places_[static_cast<std::size_t>(place)].stops;
        return st[back && st.size() > 1 ? 1 : 0];
    }

    json stopsArray() {
        // Walking links: between the platforms of a place, and to the (at most three)
        // nearest places of the same town within 400 m.
        std::vector<json> walks(stopPlace_.size(), json::array());
        // A stop record finds its links by a 16-bit index into one table, so the file holds
        // at most 65535 of them; a larger network leaves the rest out.
        auto link = [&](int a, int b, int minutes) {
            if (figures_.walkLinks >= 0xFFFF) {
                return;
            }
            walks[static_cast<std::size_t>(a)].push_back({{"to", stopId(b)}, {"minutes", minutes}});
            ++figures_.walkLinks;
        };
        for (const Town& t : towns_) {
            for (int p : t.places) {
                const Place& pl = places_[static_cast<std::size_t>(p)];
                for (int a : pl.stops) {
                    for (int b : pl.stops) {
                        if (a != b) {
                            link(a, b, 1);
                        }
                    }
                }
                std::vector<std::pair<double, int>> near;
                for (int q : t.places) {
                    const Place& o = places_[static_cast<std::size_t>(q)];
                    double d = distanceKm(pl.x, pl.y, o.x, o.y);
                    if (q != p && d < 0.4) {
                        near.emplace_back(d, q);
                    }
                }
                std::sort(near.begin(), near.end());
                near.resize(std::min<std::size_t>(near.size(), 3));
                for (auto [d, q] : near) {
                    int minutes = std::max(1, static_cast<int>(std::lround(d * 1.3 * 12)));
                    for (int a : pl.stops) {
                        for (int b : places_[static_cast<std::size_t>(q)].stops) {
                            link(a, b, minutes);
                        }
                    }
                }
            }
        }
        json stops = json::array();
        stops.get_ref<json::array_t&>().reserve(stopPlace_.size());
        for (std::size_t s = 0; s < stopPlace_.size(); ++s) {
            const Place& p = places_[static_cast<std::size_t>(stopPlace_[s])];
            // Platforms stand a few tens of metres apart.
            double dx = (p.stops.size() > 1 && p.stops[1] == static_cast<int>(s)) ? 0.03 : 0.0;
            json stop = {{"id", stopId(static_cast<int>(s))},
                         {"name", p.name},
                         {"town", "t" + std::to_string(p.town)},
                         {"lat", latOf(p.y)},
                         {"lon", lonOf(p.x + dx)},
                         {"key", 1000000 + static_cast<int>(s)}};
            if (!walks[s].empty()) {
                stop["walk"] = std::move(walks[s]);
            }
            if (stopRequest_[s]) {
                stop["notes"] = json::array({"znameni"});
            }
            stops.push_back(std::move(stop));
        }
        return stops;
    }

    json categories() const {
        json stopsKind = json::array();
        for (const Place& p : places_) {
            json ids = json::array();
            for (int s : p.stops) {
                ids.push_back(stopId(s));
            }
            stopsKind.push_back({{"name", p.name}, {"stops", std::move(ids)}});
        }
        json townsKind = json::array();
        for (const Town& t : towns_) {
            json ids = json::array();
            for (int p : t.places) {
                for (int s : places_[static_cast<std::size_t>(p)].stops) {
                    ids.push_back(stopId(s));
                }
            }
            townsKind.push_back({{"name", t.name}, {"stops", std::move(ids)}});
        }
        return json::array({{{"name", "zastávky"}, {"elements", std::move(stopsKind)}},
                            {{"name", "města a obce"}, {"elements", std::move(townsKind)}}});
    }

    // One direction of a line: stops, minutes after the start (arrival, departure) and
    // metres from the previous stop.
    struct Run {
        std::vector<int> stops;
        std::vector<int> arr, dep, dist;
    };

    Run runOf(const Line& l, bool back) const {
        Run r;
        std::vector<int> ps = l.places;
        if (back) {
            std::reverse(ps.begin(), ps.end());
        }
        int t = 0;
        for (std::size_t i = 0; i < ps.size(); ++i) {
            const Place& p = places_[static_cast<std::size_t>(ps[i])];
            int metres = 0;
            if (i > 0) {
                const Place& q = places_[static_cast<std::size_t>(ps[i - 1])];
                double km = distanceKm(p.x, p.y, q.x, q.y) * 1.3;
                metres = static_cast<int>(std::lround(km * 1000));
                t += std::max(1, static_cast<int>(std::lround(km / speedKmh(l.kind) * 60)));
            }
            r.stops.push_back(platformOf(ps[i], back));
            r.arr.push_back(t);
            // Trains stand a minute at their intermediate stations.
            if (l.kind == Kind::Train && i > 0 && i + 1 < ps.size()) {
                ++t;
            }
            r.dep.push_back(t);
            r.dist.push_back(metres);
        }
        return r;
    }

    void addTrips(json& trips, const std::string& lineId, const Line& l, const char* calendar,
                  int count, const std::vector<std::tuple<int, int, double>>& bands,
                  std::vector<std::uint32_t>& passages) {
        for (int dir = 0; dir < 2; ++dir) {
            int n = dir == 0 ? (count + 1) / 2 : count / 2;
            if (n == 0) {
                continue;
            }
            Run run = runOf(l, dir == 1);
            std::vector<std::string> ids;
            for (int s : run.stops) {
                ids.push_back(stopId(s));
                passages[static_cast<std::size_t>(s)] += static_cast<std::uint32_t>(n);
            }
            // The way back leaves a few minutes later.
            int shift = dir == 0 ? 0 : 3 + static_cast<int>(l.places.size() % 5);
            bool cityKind = l.kind == Kind::Tram || l.kind == Kind::CityBus;
            for (int start : departureTimes(n, bands)) {
                start = std::min(start + shift, 1439);
                json trip = {{"line", lineId}, {"calendar", calendar}};
                if (rng_.chance(cityKind ? 0.4 : 0.25)) {
                    trip["notes"] = json::array({"bb"});
                }
                json stops = json::array();
                stops.get_ref<json::array_t&>().reserve(ids.size());
                for (std::size_t i = 0; i < ids.size(); ++i) {
                    json s = {{"stop", ids[i]}, {"dep", start + run.dep[i]}};
                    if (run.arr[i] != run.dep[i]) {
                        s["arr"] = start + run.arr[i];
                    }
                    if (i > 0) {
                        s["dist"] = run.dist[i];
                    }
                    stops.push_back(std::move(s));
                }
                figures_.stopEvents += ids.size();
                trip["stops"] = std::move(stops);
                trips.push_back(std::move(trip));
            }
        }
    }

    json tripsArray() {
        json trips = json::array();
        trips.get_ref<json::array_t&>().reserve(static_cast<std::size_t>(opt_.trips));
        std::vector<std::uint32_t> passages(stopPlace_.size(), 0);
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            const Line& l = lines_[i];
            std::string id = "l" + std::to_string(i);
            if (l.kind == Kind::Train) {
                addTrips(trips, id, l, "denne", l.trips, kDailyBands, passages);
            } else {
                int workdays = (l.trips * 7 + 5) / 10;
                addTrips(trips, id, l, "prac", workdays, kWorkdayBands, passages);
                addTrips(trips, id, l, "vikend", l.trips - workdays, kWeekendBands, passages);
            }
        }
        std::uint32_t most =
            passages.empty() ? 0 : *std::max_element(passages.begin(), passages.end());
        figures_.maxPassagesAtStop = most;
        // A stop's passage count is a 16-bit value of its record.
        if (most > 0xFFFF) {
            throw std::runtime_error("national network: a stop has more than 65535 passages");
        }
        if (trips.size() > 0x40000) {
            throw std::runtime_error("national network: more than 262144 trips");
        }
        return trips;
    }

    json document() {
        json holidays = json::array();
        for (const char* d : kHolidaysOnWorkdays) {
            holidays.push_back(d);
        }
        json doc;
        doc["version"] = "4.0";
        // Large compressed blocks, as a distributed national file would have; the header
        // stays in a plain block so that listing the timetables reads it cheaply.
        doc["container"] = {{"plainBlocks", json::array({4096})},
                            {"compressedBlockContent", 65535}};
        doc["header"] = {
            {"title", "Celostátní jízdní řád 27"},
            {"kind", "VLAK+BUS"},
            {"texts", json::array({"Vlaky, linkové autobusy a městská doprava", "Celostátní",
                                   "Platí od 13. 12. 2026 do 11. 12. 2027"})},
            {"validity", json::array({{{"from", kValidFrom}, {"to", kValidTo}},
                                      {{"from", kValidFrom}, {"to", kValidTo}}})},
            {"identifier", 27},
            {"seriesName", "Celostátní jízdní řád ??"},
            {"seriesNumber", 27},
            {"hasCoordinates", true},
            {"coordinatesExact", false}};
        doc["searchDefaults"] = {{"standardWindow", 240}, {"maxWindow", 1440},
                                 {"minTransfer", 2},      {"safeTransfer", 5},
                                 {"transferPenalty", 10}, {"transfers", 3},
                                 {"walkingPace", 15},     {"walkingLimit", 40}};
        doc["notes"] =
            json::array({{{"id", "bb"}, {"mark", "BB"}, {"text", "spoj je bezbariérově přístupný"}},
                         {{"id", "znameni"}, {"mark", "x"}, {"text", "zastávka na znamení"}},
                         {{"id", "prac-text"}, {"mark", "X"}, {"text", "jede jen v pracovní dny"}},
                         {{"id", "vikend-text"},
                          {"mark", "+"},
                          {"text", "jede v sobotu, v neděli a ve státem uznané svátky"}},
                         {{"id", "denne-text"}, {"mark", "D"}, {"text", "jede denně"}}});
        json towns = json::array();
        for (std::size_t i = 0; i < towns_.size(); ++i) {
            towns.push_back({{"id", "t" + std::to_string(i)}, {"name", towns_[i].name}});
        }
        doc["towns"] = std::move(towns);
        doc["stops"] = stopsArray();
        doc["categories"] = categories();
        doc["lineKinds"] =
            json::array({{{"id", "tram"}, {"code", 1}, {"name", "Tram"}, {"colour", "#D2232A"}},
                         {{"id", "bus"}, {"code", 2}, {"name", "Bus"}, {"colour", "#1C5CA8"}},
                         {{"id", "vlak"}, {"code", 3}, {"name", "Vlak"}, {"colour", "#2B7A3D"}}});
        // City lines are told apart by their town ("Bus Brastín 101"); the others have a
        // group without a name.
        json groups = json::array({{{"id", "g"}, {"name", ""}}});
        json lines = json::array();
        int lastTown = -1;
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            const Line& l = lines_[i];
            std::string group = "g";
            if (l.town >= 0) {
                group = "g" + std::to_string(l.town);
                if (l.town != lastTown) {
                    groups.push_back(
                        {{"id", group}, {"name", towns_[static_cast<std::size_t>(l.town)].name}});
                    lastTown = l.town;
                }
            }
            lines.push_back({{"id", "l" + std::to_string(i)},
                             {"kind", kindId(l.kind)},
                             {"group", group},
                             {"name", l.name}});
        }
        doc["lineGroups"] = std::move(groups);
        doc["lines"] = std::move(lines);
        doc["calendars"] = json::array(
            {{{"id", "prac"},
              {"from", kValidFrom},
              {"to", kValidTo},
              {"weekdays", "1111100"},
              {"except", holidays},
              {"note", "prac-text"}},
             {{"id", "vikend"},
              {"from", kValidFrom},
              {"to", kValidTo},
              {"weekdays", "0000011"},
              {"extra", holidays},
              {"note", "vikend-text"}},
             {{"id", "denne"}, {"from", kValidFrom}, {"to", kValidTo}, {"note", "denne-text"}}});
        doc["trips"] = tripsArray();

        figures_.towns = towns_.size();
        figures_.stops = stopPlace_.size();
        figures_.lines = lines_.size();
        figures_.trips = doc["trips"].size();
        return doc;
    }

    NationalNetworkOptions opt_;
    Random rng_;
    std::set<std::string> usedNames_;
    std::vector<Town> towns_;
    std::vector<Place> places_;
    std::vector<int> stopPlace_;     // place of each stop
    std::vector<bool> stopRequest_;  // the stop is served on request
    std::vector<std::vector<int>> grid_;
    std::vector<Line> lines_;
    NationalNetworkFigures figures_;
};

double secondsSince(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

json buildNationalNetwork(const NationalNetworkOptions& options, NationalNetworkFigures* figures) {
    return Generator(options).build(figures);
}

CompiledNetwork compileNationalNetwork(const NationalNetworkOptions& options,
                                       const std::string& directory) {
    CompiledNetwork out;
    auto t0 = std::chrono::steady_clock::now();
    json doc = buildNationalNetwork(options, &out.figures);
    out.generateSeconds = secondsSince(t0);

    t0 = std::chrono::steady_clock::now();
    jz::ContentWriter content = jz::compileContent(doc);
    out.contentBytes = content.size();
    std::vector<std::uint8_t> file = jz::writeContainer(content, jz::containerOptionsOf(doc));
    out.compileSeconds = secondsSince(t0);
    out.fileBytes = file.size();

    out.path = (std::filesystem::path(directory) / "national.jz").string();
    std::ofstream f(out.path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    f.close();
    if (!f) {
        throw std::runtime_error("cannot write " + out.path);
    }
    return out;
}

}  // namespace bench
