#pragma once
// A plain profile connection scan, the yardstick of the search benchmark: for every
// departure from the From stops within a window, the earliest arrival at the To stops, with
// same-stop changes after a minimum transfer time and no walking links. It answers a simpler
// question than the engine's search and is here to show how fast such a scan is on the same
// data.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace trasovnik {
class cJizdniRad;
}

namespace bench {

// One elementary connection of the scan: a trip from one stop event to the next.
struct Hop {
    int dep, arr;
    std::uint32_t trip;
    std::uint16_t from, to;
    bool board, alight;
};

// All hops of the trips that run on `day` (and of the day before, for trips past midnight),
// in minutes from midnight of `day`, by departure.
std::vector<Hop> hopsOfDay(const trasovnik::cJizdniRad& jr, int day);

struct ProfileQuery {
    std::vector<std::uint16_t> from, to;
    int t0 = 0;       // first departure minute
    int window = 0;   // departures from t0 to t0 + window
    int horizon = 0;  // hops departing up to t0 + horizon
    int minTransfer = 0;
};

// Scratch tables that one scan after another reuses.
class ProfileScan {
public:
    ProfileScan(std::size_t stopCount, std::size_t tripSlots);
    // The earliest arrival at a To stop of a journey leaving a From stop within the window,
    // kNever when there is none.
    int earliestArrival(const std::vector<Hop>& hops, const ProfileQuery& q);
    static constexpr int kNever = 1 << 29;

private:
    struct Pair {
        int dep, arr;
    };
    std::vector<std::vector<Pair>> profile_;
    std::vector<int> tripArrival_;
    std::vector<std::uint8_t> role_;  // 1 From, 2 To
};

}  // namespace bench
