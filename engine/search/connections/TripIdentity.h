#pragma once
// Whether two trips of a timetable set are one and the same run of a vehicle. Within one
// timetable a trip is only itself. Timetables of a set often overlap (a regional file and a
// city file both carry the trains through a town), so the same run can be found once in each
// file; across files two trips count as the same when they start at the same minute, call at
// the same number of stops, carry the same line name and call at stops of the same names in
// the same order. Comparing names is costly, so each pair of trips is compared once per
// search run and the answer kept.

#include <cstddef>
#include <cstdint>
#include <unordered_map>

namespace trasovnik {

class cJizdniRadySestavy;

class TripIdentity {
public:
    explicit TripIdentity(const cJizdniRadySestavy& set) : set_(set) {}

    bool same(std::size_t ttA, std::uint32_t tripA, std::size_t ttB, std::uint32_t tripB);

private:
    bool compare(std::size_t ttA, std::uint32_t tripA, std::size_t ttB, std::uint32_t tripB) const;

    const cJizdniRadySestavy& set_;
    std::unordered_map<std::uint64_t, bool> known_;
};

}  // namespace trasovnik
