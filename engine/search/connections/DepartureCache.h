#pragma once
// The departure cache of one search run: per timetable and stop, the departures over the run's
// window, gathered the first time the run needs them and kept until the run ends.

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "engine/search/connections/RunDeparture.h"

namespace trasovnik::searchrun {

class cOdjezdyHledani {
public:
    // The departures of `stop` of timetable `tt`; `gather()` gives them on first use.
    template <class Gather>
    const std::vector<Departure>& of(std::size_t tt, std::uint16_t stop, Gather&& gather) {
        const std::uint32_t key = (static_cast<std::uint32_t>(tt) << 16) | stop;
        for (const auto& [k, list] : lists_) {
            if (k == key) {
                return list;
            }
        }
        lists_.emplace_back(key, gather());
        return lists_.back().second;
    }

private:
    // Few stops per run ask for their departures (the From stops), so a list beats a map.
    std::vector<std::pair<std::uint32_t, std::vector<Departure>>> lists_;
};

}  // namespace trasovnik::searchrun
