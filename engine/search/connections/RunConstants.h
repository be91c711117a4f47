#pragma once
// Constants and small arithmetic shared by the parts of one connection search run.

#include <algorithm>
#include <cstdint>

namespace trasovnik::searchrun {

// Departures of the From stops are seeded this many minutes at a time.
constexpr int kSlice = 120;
constexpr int kMinutesPerDay = 1440;
// A mirrored (arrival) search runs on days counted backwards from this one.
constexpr int kMirrorDay = 0x7FFF;

// Bits of a label's flag word.
constexpr std::uint32_t kFlagVia = 1u << 24;      // the via condition is met
constexpr std::uint32_t kFlagSc = 1u << 25;       // the journey rides a trip marked "SC"
constexpr std::uint32_t kFlagBus = 1u << 26;      // it starts in a timetable of kind "BUS"
constexpr std::uint32_t kFlagWaiting = 1u << 27;  // waiting to board the event's trip
// The bits the pruning compares.
constexpr std::uint32_t kValueFlags = kFlagVia | kFlagSc | kFlagBus;

// Look-around along a trip (whether another From stop serves it better) gives up at the third
// stop that is not a From stop.
constexpr int kMaxThirdStop = 3;
// The highest progress sent while the run goes on; 100 is sent once, at its end.
constexpr std::int32_t kLastRunningPercent = 99;

// Days a run remembers whether a trip runs on: the start day, three days before it and four
// after it (a run's departures lie on the start day and the next; trips started up to a few
// days earlier pass them).
constexpr std::int32_t kRunsMemoDays = 8;
constexpr std::int32_t kRunsMemoDaysBefore = 3;

inline std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) {
        --q;
    }
    return q;
}

inline std::uint8_t cap255(std::int64_t v) {
    return static_cast<std::uint8_t>(std::clamp<std::int64_t>(v, 0, 255));
}

}  // namespace trasovnik::searchrun
