#pragma once
// Time patterns shared by trips: rows of minutes after a trip's start, one column per time.
// Packed rows (indexes below the packed-row count) hold 16-bit values
// (minutes << 6) | dwell, value k serving column 2k (value >> 6, an arrival) and column 2k + 1
// ((value >> 6) + dwell, the departure at the same stop). Plain rows (the indexes after them)
// hold one signed 16-bit value per column.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/data/EngineException.h"

namespace trasovnik {

class TimetableFileReader;

class cVzoryCasu {
public:
    // Reads the packed rows, then the plain rows.
    void read(TimetableFileReader& reader);

    std::size_t packedCount() const { return packedStart_.size() - 1; }
    std::size_t plainCount() const { return plainStart_.size() - 1; }
    std::size_t count() const { return packedCount() + plainCount(); }
    bool isPacked(std::size_t pattern) const { return pattern < packedCount(); }

    // Columns a pattern serves (twice its values for a packed row); 0 when out of range.
    std::size_t columnCount(std::size_t pattern) const {
        if (pattern < packedCount()) {
            return 2 * std::size_t{packedStart_[pattern + 1] - packedStart_[pattern]};
        }
        const std::size_t p = pattern - packedCount();
        if (p < plainCount()) {
            return plainStart_[p + 1] - plainStart_[p];
        }
        return 0;
    }
    // Whether a trip of `stops` stops can take its times from `pattern`: a packed row holds
    // arrival and departure of each stop in one value, a plain row one time per stop.
    bool coversStops(std::size_t pattern, std::size_t stops) const;

    // The minutes after the trip's start at a column; ENGINE_EXC_INDEX when out of range.
    // (Defined here: the connection search reads times for every event it handles.)
    int column(std::size_t pattern, std::size_t c) const {
        if (c >= columnCount(pattern)) {
            raiseEngine(ENGINE_EXC_INDEX);
        }
        if (pattern < packedCount()) {
            const std::uint16_t v = packed_[packedStart_[pattern] + c / 2];
            const int minutes = v >> 6;
            return c % 2 == 0 ? minutes : minutes + (v & 63);
        }
        return plain_[plainStart_[pattern - packedCount()] + c];
    }
    // Arrival and departure at a stop position, whatever the row's form.
    int arrivalAt(std::size_t pattern, std::size_t position) const {
        return column(pattern, isPacked(pattern) ? 2 * position : position);
    }
    int departureAt(std::size_t pattern, std::size_t position) const {
        return column(pattern, isPacked(pattern) ? 2 * position + 1 : position);
    }

private:
    std::vector<std::uint16_t> packed_;
    std::vector<std::uint32_t> packedStart_{0};
    std::vector<std::int16_t> plain_;
    std::vector<std::uint32_t> plainStart_{0};
};

}  // namespace trasovnik
