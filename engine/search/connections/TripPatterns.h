#pragma once
// The distinct stop sequences of a timetable file's trips, and for every stop the sequences
// that call there with the position of the call. It answers, times aside, which stops a trip
// from a stop can carry a traveller to: the search uses it to see at once when no journey can
// reach the To place at all. It depends only on the file and is built once per file.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace trasovnik {

class cJizdniRad;

struct PatternCall {
    std::uint32_t pattern;
    std::uint32_t position;
};

class TripPatterns {
public:
    explicit TripPatterns(const cJizdniRad& file);

    std::size_t patternCount() const { return begin_.size() - 1; }
    // The stops of a pattern in the order the trips call at them.
    std::span<const std::uint16_t> stopsOf(std::size_t pattern) const {
        return {stops_.data() + begin_[pattern], stops_.data() + begin_[pattern + 1]};
    }
    // The calls of patterns at a stop (none for a stop outside the file).
    std::span<const PatternCall> callsAt(std::size_t stop) const {
        if (stop + 1 >= callBegin_.size()) {
            return {};
        }
        return {calls_.data() + callBegin_[stop], calls_.data() + callBegin_[stop + 1]};
    }

private:
    std::vector<std::uint16_t> stops_;
    std::vector<std::uint32_t> begin_;  // per pattern, and the end
    std::vector<PatternCall> calls_;
    std::vector<std::uint32_t> callBegin_;  // per stop, and the end
};

}  // namespace trasovnik
