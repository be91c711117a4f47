#pragma once
// Random small networks for checking the connection search against a plain scan: places of
// one to four stops a few minutes' walk apart, many lines per stop, trips of a line in both
// directions over the same stops, and fast trips that overtake the slow ones before them.

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "tests/engine/search/connections/SearchTestNetwork.h"

namespace trasovnik::testing {

// The search defaults of every random network (those of cityDocument).
inline constexpr int kMinTransfer = 2;
inline constexpr int kSafeTransfer = 4;
inline constexpr int kTransferPenalty = 3;

struct Walk {
    int from, to, minutes;
};

struct RandomNetwork {
    int stops = 0;
    std::vector<std::vector<int>> places;  // stops of place "P<i>"
    std::vector<Walk> walks;               // both directions of every link
    nlohmann::json doc;
};

inline int uniform(std::mt19937& rng, int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng);
}

inline std::string stopId(int s) {
    return "S" + std::to_string(s);
}

inline RandomNetwork makeNetwork(std::mt19937& rng) {
    RandomNetwork net;
    const int placeCount = uniform(rng, 8, 16);
    for (int p = 0; p < placeCount; ++p) {
        const int size = uniform(rng, 0, 9) == 0 ? 1 : uniform(rng, 2, 4);
        net.places.emplace_back();
        for (int k = 0; k < size; ++k) {
            net.places.back().push_back(net.stops++);
        }
    }
    auto link = [&](int a, int b, int minutes) {
        net.walks.push_back({a, b, minutes});
        net.walks.push_back({b, a, minutes});
    };
    for (const std::vector<int>& place : net.places) {
        for (std::size_t i = 0; i < place.size(); ++i) {
            for (std::size_t j = i + 1; j < place.size(); ++j) {
                link(place[i], place[j], uniform(rng, 1, 5));
            }
        }
    }
    const int between = uniform(rng, 0, 3);
    for (int w = 0; w < between; ++w) {
        const int a = uniform(rng, 0, net.stops - 1);
        const int b = uniform(rng, 0, net.stops - 1);
        const bool known = std::any_of(net.walks.begin(), net.walks.end(),
                                       [&](const Walk& x) { return x.from == a && x.to == b; });
        if (a != b && !known) {
            link(a, b, uniform(rng, 1, 8));
        }
    }
    std::vector<nlohmann::json> walkLists(static_cast<std::size_t>(net.stops),
                                          nlohmann::json::array());
    for (const Walk& w : net.walks) {
        walkLists[static_cast<std::size_t>(w.from)].push_back(
            {{"to", stopId(w.to)}, {"minutes", w.minutes}});
    }
    nlohmann::json stops = nlohmann::json::array();
    for (int s = 0; s < net.stops; ++s) {
        stops.push_back({{"id", stopId(s)},
                         {"name", stopId(s)},
                         {"walk", walkLists[static_cast<std::size_t>(s)]}});
    }
    nlohmann::json elements = nlohmann::json::array();
    for (std::size_t p = 0; p < net.places.size(); ++p) {
        nlohmann::json ids = nlohmann::json::array();
        for (const int s : net.places[p]) {
            ids.push_back(stopId(s));
        }
        elements.push_back({{"name", "P" + std::to_string(p)}, {"stops", ids}});
    }
    nlohmann::json lines = nlohmann::json::array();
    nlohmann::json trips = nlohmann::json::array();
    const int lineCount = uniform(rng, 6, 14);
    for (int li = 0; li < lineCount; ++li) {
        const std::string lid = "L" + std::to_string(li);
        lines.push_back({{"id", lid}, {"kind", "bus"}, {"group", "g"}, {"name", lid}});
        // One stop of each of `length` different places.
        std::vector<int> order(net.places.size());
        for (std::size_t i = 0; i < order.size(); ++i) {
            order[i] = static_cast<int>(i);
        }
        std::shuffle(order.begin(), order.end(), rng);
        const int length = uniform(rng, 3, std::min(8, placeCount));
        std::vector<int> route;
        for (int i = 0; i < length; ++i) {
            const std::vector<int>& place = net.places[static_cast<std::size_t>(order[i])];
            route.push_back(place[static_cast<std::size_t>(
                uniform(rng, 0, static_cast<int>(place.size()) - 1))]);
        }
        std::vector<int> offsets{0};
        for (int i = 1; i < length; ++i) {
            offsets.push_back(offsets.back() + uniform(rng, 2, 15));
        }
        std::vector<bool> board(static_cast<std::size_t>(length), true);
        std::vector<bool> alight(static_cast<std::size_t>(length), true);
        for (int i = 1; i + 1 < length; ++i) {
            const int r = uniform(rng, 0, 9);
            board[static_cast<std::size_t>(i)] = r != 0;
            alight[static_cast<std::size_t>(i)] = r != 1;
        }
        const int first = uniform(rng, 6 * 60, 8 * 60);
        const int headway = uniform(rng, 7, 40);
        const int count = uniform(rng, 2, 8);
        for (int k = 0; k < count; ++k) {
            const int kind = uniform(rng, 0, 5);
            const bool fast = kind == 0;       // half a headway later, 40 % faster
            const bool backwards = kind == 1;  // the same stops the other way
            const int start = first + k * headway + (fast ? headway / 2 : 0);
            nlohmann::json calls = nlohmann::json::array();
            for (int i = 0; i < length; ++i) {
                const auto at = static_cast<std::size_t>(backwards ? length - 1 - i : i);
                const int offset = backwards ? offsets.back() - offsets[at] : offsets[at];
                const int minute = start + (fast ? offset * 6 / 10 + i : offset);
                calls.push_back({{"stop", stopId(route[at])},
                                 {"dep", minute},
                                 {"board", static_cast<bool>(board[at])},
                                 {"alight", static_cast<bool>(alight[at])}});
            }
            trips.push_back({{"line", lid}, {"calendar", "all"}, {"stops", calls}});
        }
    }
    net.doc = cityDocument("Nahodne", std::move(stops), std::move(elements), std::move(lines),
                           std::move(trips), kTransferPenalty);
    return net;
}

}  // namespace trasovnik::testing
