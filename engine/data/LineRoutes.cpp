#include "engine/data/LineRoutes.h"

#include <algorithm>

#include "engine/data/EngineException.h"
#include "engine/data/Trips.h"

namespace trasovnik {

void cTrasyLinek::build(const cSpoje& trips) {
    const cLinky& tables = trips.lines();
    lines_.assign(tables.lineCount(), cLinkaTras{});
    for (std::size_t l = 0; l < lines_.size(); ++l) {
        lines_[l].kindName = tables.kindNameOfLine(l);
    }

    // Count the trips of each line, then fill the lists in trip order.
    std::vector<std::uint32_t> counts(lines_.size(), 0);
    for (std::size_t t = 0; t < trips.tripCount(); ++t) {
        ++counts[trips.lineOfTrip(t)];
    }
    for (std::size_t l = 0; l < lines_.size(); ++l) {
        lines_[l].trips.reserve(counts[l]);
    }
    for (std::size_t t = 0; t < trips.tripCount(); ++t) {
        cLinkaTras& line = lines_[trips.lineOfTrip(t)];
        if (line.trips.empty()) {
            line.name = tables.lineOwnName(trips.routeOfTrip(t).lineNameIndex);
        }
        line.trips.push_back(static_cast<std::uint32_t>(t));
    }

    ofTrip_.assign(trips.tripCount(), RouteIndices{});
    for (std::size_t l = 0; l < lines_.size(); ++l) {
        cLinkaTras& line = lines_[l];
        for (std::uint32_t t : line.trips) {
            const cSpoj& s = trips.trip(t);
            // Joins the most recently made route with the same run and direction.
            auto same = [&](const cTrasaLinky& r) {
                return r.routeRecord == s.route() && r.firstOffset == s.firstOffset &&
                       r.stopCount == s.stopCount && r.reversed == s.reversed();
            };
            auto found = std::find_if(line.routes.rbegin(), line.routes.rend(), same);
            if (found == line.routes.rend()) {
                cTrasaLinky r;
                r.routeRecord = s.route();
                r.firstOffset = s.firstOffset;
                r.stopCount = s.stopCount;
                r.reversed = s.reversed();
                r.firstStop = trips.stopAt(t, 0);
                r.lastStop = trips.stopAt(t, s.stopCount - 1u);
                line.routes.push_back(std::move(r));
                found = line.routes.rbegin();
            }
            found->trips.push_back(t);
            ofTrip_[t] = {static_cast<std::uint32_t>(l),
                          static_cast<std::uint32_t>(line.routes.rend() - found - 1)};
        }
        for (const cTrasaLinky& r : line.routes) {
            line.largestRoute = std::max(line.largestRoute, r.tripCount());
        }
    }
}

const cLinkaTras& cTrasyLinek::line(std::size_t l) const {
    if (l >= lines_.size()) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    return lines_[l];
}

std::optional<std::uint32_t> cTrasyLinek::findRoute(std::size_t l, std::uint8_t firstOffset,
                                                    std::uint8_t stopCount, bool reversed,
                                                    std::uint32_t routeRecord) const {
    const cLinkaTras& entry = line(l);
    for (std::size_t r = 0; r < entry.routes.size(); ++r) {
        const cTrasaLinky& route = entry.routes[r];
        if (route.routeRecord == routeRecord && route.firstOffset == firstOffset &&
            route.stopCount == stopCount && route.reversed == reversed) {
            return static_cast<std::uint32_t>(r);
        }
    }
    return std::nullopt;
}

RouteIndices cTrasyLinek::mapIndices(std::size_t trip) const {
    if (trip >= ofTrip_.size()) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    return ofTrip_[trip];
}

}  // namespace trasovnik
