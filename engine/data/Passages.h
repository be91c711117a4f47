#pragma once
// The passages section: for every stop a row of all trips that pass it (trip index and stop
// position), ordered by departure minute, so that the connection search finds the departures
// of a stop after a minute by binary search. The further rows after the stops' rows are the
// mirrored rows of the arrival search: row stopCount + s lists the passages of stop s with
// their mirrored positions, ordered by mirrored arrival minute (1439 - arrival).
//
// A trip index is kept as 16 bits plus 2 extension bits (four extensions to a byte, the
// first passage of a row in the lowest two bits).

#include <cstddef>
#include <cstdint>
#include <vector>

namespace trasovnik {

class TimetableFileReader;
class cSpoje;
struct LoadObserver;

class cPrujezdyZastavek {
public:
    static constexpr std::uint32_t kNoPassage = 0xFFFF;
    // Passages a row can hold: a stop's passage count is a 16-bit value.
    static constexpr std::uint32_t kMaxRowPassages = 0xFFFF;

    cPrujezdyZastavek() = default;
    cPrujezdyZastavek(const cPrujezdyZastavek&) = delete;
    cPrujezdyZastavek& operator=(const cPrujezdyZastavek&) = delete;

    // Reads the section. `passageCounts` are the stops' passage counts from their records.
    // Every slot number is checked against its stop's row, every trip index against the trip
    // count and every position against the trip's stop count; a slot filled twice, or rows
    // with more slots than the trips fill, are refused (ENGINE_EXC_INDEX), so that every
    // passage names a real trip at the row's stop. Sends progress 70 to 95, one after each
    // sixth of the trips, and asks `observer` before every trip and every further row whether
    // to stop. `trips` must outlive this object.
    void read(TimetableFileReader& reader, const cSpoje& trips,
              const std::vector<std::uint16_t>& passageCounts, LoadObserver& observer);

    std::size_t stopCount() const { return stopRows_; }
    std::size_t rowCount() const { return rows_.size(); }
    std::uint32_t declaredBytes() const { return declaredBytes_; }
    std::uint32_t declaredPassages() const { return declaredPassages_; }

    // Rows of stops. ENGINE_EXC_INDEX for a stop or passage out of range.
    std::uint32_t passageCount(std::size_t stop) const;
    std::uint32_t tripAt(std::size_t stop, std::uint32_t i) const;
    std::uint8_t positionAt(std::size_t stop, std::uint32_t i) const;
    // The departure minute (0-1439) of passage i.
    int departureMinute(std::size_t stop, std::uint32_t i) const;
    // The first passage departing at or after `minute`; when none does, `dayCounter` is
    // incremented and 0 is returned (the first passage of the next day; check passageCount
    // for an empty row).
    std::uint32_t firstDepartureFrom(std::size_t stop, int minute, int& dayCounter) const;
    // The passage after i, or 0 with `dayCounter` incremented after the last one.
    std::uint32_t nextDepartureFrom(std::size_t stop, std::uint32_t i, int& dayCounter) const;
    // The passage of trip `trip` at `position` in the stop's row, kNoPassage when absent.
    std::uint32_t findPassage(std::size_t stop, std::uint32_t trip, std::uint8_t position) const;
    // Calls visit(trip, position) for the passages of the stop's row in their order until it
    // returns false: a whole row read at the cost of its values, without a range check per
    // passage. ENGINE_EXC_INDEX for a stop out of range.
    template <class Visit>
    void visitRow(std::size_t stop, Visit&& visit) const {
        const std::size_t row = rowOfStop(stop);
        if (row >= rows_.size()) {
            return;
        }
        // The row's arrays held in locals: what the visitor stores cannot make them reread.
        const Row r = rows_[row];
        const std::uint16_t* low = tripLow_.data() + r.first;
        const std::uint8_t* positions = positions_.data() + r.first;
        const std::uint8_t* extensions = extensions_.data() + r.extensions;
        for (std::uint32_t i = 0; i < r.count; ++i) {
            const std::uint32_t ext = (extensions[i / 4] >> (2 * (i % 4))) & 3u;
            if (!visit(ext << 16 | low[i], positions[i])) {
                return;
            }
        }
    }

    // The same on the mirrored rows (empty for a stop without one); positions are mirrored
    // positions and minutes mirrored arrival minutes.
    std::uint32_t mirroredPassageCount(std::size_t stop) const;
    std::uint32_t mirroredTripAt(std::size_t stop, std::uint32_t i) const;
    std::uint8_t mirroredPositionAt(std::size_t stop, std::uint32_t i) const;
    int mirroredDepartureMinute(std::size_t stop, std::uint32_t i) const;
    std::uint32_t mirroredFirstDepartureFrom(std::size_t stop, int minute, int& dayCounter) const;
    std::uint32_t mirroredNextDepartureFrom(std::size_t stop, std::uint32_t i,
                                            int& dayCounter) const;
    std::uint32_t mirroredFindPassage(std::size_t stop, std::uint32_t trip,
                                      std::uint8_t position) const;

private:
    struct Row {
        std::uint32_t first = 0;  // first passage in trips_ / positions_
        std::uint32_t count = 0;
        std::uint32_t extensions = 0;  // first byte in extensions_
    };

    std::size_t rowOfStop(std::size_t stop) const;
    // The mirrored row of a stop, or rowCount() when it has none.
    std::size_t mirroredRowOfStop(std::size_t stop) const;
    std::uint32_t rowSize(std::size_t row) const;
    std::uint32_t tripIn(std::size_t row, std::uint32_t i) const;
    std::uint8_t positionIn(std::size_t row, std::uint32_t i) const;
    int minuteIn(std::size_t row, std::uint32_t i) const;
    std::uint32_t firstFrom(std::size_t row, int minute, int& dayCounter) const;
    std::uint32_t nextFrom(std::size_t row, std::uint32_t i, int& dayCounter) const;
    std::uint32_t findIn(std::size_t row, std::uint32_t trip, std::uint8_t position) const;
    void setTrip(const Row& row, std::uint32_t i, std::uint32_t trip);
    void addRow(std::uint32_t count, std::uint64_t& bytes);

    const cSpoje* trips_ = nullptr;
    std::uint32_t declaredBytes_ = 0;
    std::uint32_t declaredPassages_ = 0;
    std::size_t stopRows_ = 0;
    std::vector<Row> rows_;
    std::vector<std::uint16_t> tripLow_;
    std::vector<std::uint8_t> extensions_;
    std::vector<std::uint8_t> positions_;
};

}  // namespace trasovnik
