#pragma once
// Validity calendars of a timetable file: one day range (first, last) and base day shared by
// all calendars, and per calendar a bitmap of 7 days per byte counted from the base day, with
// the name reference of the calendar's validity-note text.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/data/EngineException.h"

namespace trasovnik {

class TimetableFileReader;
class cNazvy;

class cKalendare {
public:
    // Reads the calendars (enclosed in skipped sections); each note reference is checked
    // against `names` (ENGINE_EXC_INDEX).
    void read(TimetableFileReader& reader, const cNazvy& names);

    std::int16_t firstDay() const { return first_; }
    std::int16_t lastDay() const { return last_; }
    std::int16_t baseDay() const { return base_; }
    std::size_t count() const { return notes_.size(); }

    // Whether calendar `index` runs on `day`: only days from the first to the last day can
    // run, and only those whose bit lies inside the calendar's bitmap.
    // ENGINE_EXC_INDEX when index is out of range.
    bool isDayValid(std::size_t index, int day) const {
        if (index >= notes_.size()) {
            raiseEngine(ENGINE_EXC_INDEX);
        }
        if (day < first_ || day > last_ || day < base_) {
            return false;
        }
        const auto offset = static_cast<std::uint32_t>(day - base_);
        const std::uint32_t byte = offset / 7;
        const std::uint32_t begin = bitmapStart_[index];
        if (byte >= bitmapStart_[index + 1] - begin) {
            return false;
        }
        return (bits_[begin + byte] >> (offset % 7)) & 1;
    }
    std::uint32_t noteReference(std::size_t index) const;
    std::string_view noteText(std::size_t index, const cNazvy& names) const;

private:
    std::int16_t first_ = 0;
    std::int16_t last_ = -1;
    std::int16_t base_ = 0;
    std::vector<std::uint8_t> bits_;
    std::vector<std::uint32_t> bitmapStart_;  // count() + 1 offsets into bits_
    std::vector<std::uint32_t> notes_;
};

// isDayValid of the calendar `index` in `calendars`.
inline bool isDayValid(const cKalendare& calendars, std::size_t index, int day) {
    return calendars.isDayValid(index, day);
}

}  // namespace trasovnik
