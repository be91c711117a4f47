#include "engine/data/Passages.h"

#include "engine/data/EngineException.h"
#include "engine/data/LoadObserver.h"
#include "engine/data/TimetableFileReader.h"
#include "engine/data/Trips.h"

namespace trasovnik {

namespace {

void requireIndex(bool inRange) {
    if (!inRange) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
}

std::uint32_t extensionBytes(std::uint32_t passages) {
    return passages / 4 + 1;
}

}  // namespace

void cPrujezdyZastavek::addRow(std::uint32_t count, std::uint64_t& bytes) {
    Row row;
    row.first = static_cast<std::uint32_t>(tripLow_.size());
    row.count = count;
    row.extensions = static_cast<std::uint32_t>(extensions_.size());
    bytes += std::uint64_t{count} + extensionBytes(count);
    // The section's own totals bound what its rows may hold.
    requireIndex(std::uint64_t{row.first} + count <= declaredPassages_);
    requireIndex(bytes <= declaredBytes_);
    rows_.push_back(row);
    tripLow_.resize(tripLow_.size() + count);
    positions_.resize(positions_.size() + count);
    extensions_.resize(extensions_.size() + extensionBytes(count));
}

void cPrujezdyZastavek::read(TimetableFileReader& reader, const cSpoje& trips,
                             const std::vector<std::uint16_t>& passageCounts,
                             LoadObserver& observer) {
    trips_ = &trips;
    rows_.clear();
    tripLow_.clear();
    extensions_.clear();
    positions_.clear();

    reader.skipSection();
    declaredBytes_ = reader.readU32();
    declaredPassages_ = reader.readU32();
    std::uint32_t declaredRows = reader.readU32();
    stopRows_ = passageCounts.size();

    // Every slot of a stop's row is filled by exactly one trip position, so the rows cannot
    // hold more slots than the trips have positions; checked before anything is allocated.
    std::uint64_t slots = 0, stopExtensionBytes = 0, positions = 0;
    for (std::uint16_t count : passageCounts) {
        slots += count;
        stopExtensionBytes += extensionBytes(count);
    }
    for (std::size_t t = 0; t < trips.tripCount(); ++t) {
        positions += trips.stopCount(t);
    }
    requireIndex(slots <= positions);
    reader.requireContent(stopExtensionBytes + 2 * positions);

    std::uint64_t bytes = 0;
    rows_.reserve(stopRows_);
    for (std::uint16_t count : passageCounts) {
        addRow(count, bytes);
    }
    if (!extensions_.empty()) {
        reader.readInto(extensions_.data(), extensions_.size());
    }

    std::vector<bool> filled(tripLow_.size(), false);
    const std::size_t tripCount = trips.tripCount();
    int sixthsSent = 0;
    for (std::size_t t = 0; t < tripCount; ++t) {
        if (observer.cancelled()) {
            return;
        }
        std::size_t stops = trips.stopCount(t);
        for (std::size_t m = 0; m < stops; ++m) {
            std::uint16_t slot = reader.readU16();
            const Row& row = rows_[rowOfStop(trips.stopAt(t, m))];
            requireIndex(slot < row.count);
            std::uint32_t at = row.first + slot;
            requireIndex(!filled[at]);
            filled[at] = true;
            setTrip(row, slot, static_cast<std::uint32_t>(t));
            positions_[at] = static_cast<std::uint8_t>(m);
        }
        while (sixthsSent < 6 &&
               (t + 1) * 6 >= static_cast<std::size_t>(sixthsSent + 1) * tripCount) {
            observer.progress(70 + 5 * sixthsSent);
            ++sixthsSent;
        }
    }
    for (; sixthsSent < 6; ++sixthsSent) {
        observer.progress(70 + 5 * sixthsSent);
    }

    if (declaredRows > stopRows_) {
        // Each further row holds at least its count and one extension byte.
        reader.requireContent((std::uint64_t{declaredRows} - stopRows_) * 5);
        rows_.reserve(declaredRows);
    }
    for (std::size_t r = stopRows_; r < declaredRows; ++r) {
        if (observer.cancelled()) {
            return;
        }
        std::uint32_t count = reader.readU32();
        requireIndex(count <= kMaxRowPassages);
        reader.requireContent(std::uint64_t{extensionBytes(count)} + std::uint64_t{count} * 5);
        addRow(count, bytes);
        const Row& row = rows_.back();
        reader.readInto(extensions_.data() + row.extensions, extensionBytes(count));
        for (std::uint32_t i = 0; i < count; ++i) {
            std::uint32_t low = reader.readU32() & 0xFFFF;
            std::uint8_t position = reader.readU8();
            tripLow_[row.first + i] = static_cast<std::uint16_t>(low);
            positions_[row.first + i] = position;
            std::uint32_t trip = tripIn(r, i);
            requireIndex(trip < tripCount);
            requireIndex(position < trips.stopCount(trip));
        }
    }
    reader.skipSection();
}

void cPrujezdyZastavek::setTrip(const Row& row, std::uint32_t i, std::uint32_t trip) {
    tripLow_[row.first + i] = static_cast<std::uint16_t>(trip & 0xFFFF);
    std::uint8_t& ext = extensions_[row.extensions + i / 4];
    int shift = 2 * static_cast<int>(i % 4);
    ext = static_cast<std::uint8_t>((ext & ~(3u << shift)) | (((trip >> 16) & 3u) << shift));
}

std::size_t cPrujezdyZastavek::rowOfStop(std::size_t stop) const {
    requireIndex(stop < stopRows_);
    return stop;
}

std::size_t cPrujezdyZastavek::mirroredRowOfStop(std::size_t stop) const {
    requireIndex(stop < stopRows_);
    std::size_t row = stopRows_ + stop;
    return row < rows_.size() ? row : rows_.size();
}

std::uint32_t cPrujezdyZastavek::rowSize(std::size_t row) const {
    return row < rows_.size() ? rows_[row].count : 0;
}

std::uint32_t cPrujezdyZastavek::tripIn(std::size_t row, std::uint32_t i) const {
    requireIndex(i < rowSize(row));
    const Row& r = rows_[row];
    std::uint32_t ext = (extensions_[r.extensions + i / 4] >> (2 * (i % 4))) & 3u;
    return ext << 16 | tripLow_[r.first + i];
}

std::uint8_t cPrujezdyZastavek::positionIn(std::size_t row, std::uint32_t i) const {
    requireIndex(i < rowSize(row));
    return positions_[rows_[row].first + i];
}

int cPrujezdyZastavek::minuteIn(std::size_t row, std::uint32_t i) const {
    std::uint32_t trip = tripIn(row, i);
    std::uint8_t position = positionIn(row, i);
    return row < stopRows_ ? trips_->departureMinute(trip, position)
                           : trips_->mirroredArrivalMinute(trip, position);
}

// Binary search for the first passage at or after `minute`. It needs rows ordered by
// minute; on an unordered row it still ends after log2(n) probes, with some passage.
std::uint32_t cPrujezdyZastavek::firstFrom(std::size_t row, int minute, int& dayCounter) const {
    std::uint32_t lo = 0, hi = rowSize(row);
    while (lo < hi) {
        std::uint32_t mid = lo + (hi - lo) / 2;
        if (minuteIn(row, mid) < minute) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    if (lo == rowSize(row)) {
        ++dayCounter;
        return 0;
    }
    return lo;
}

std::uint32_t cPrujezdyZastavek::nextFrom(std::size_t row, std::uint32_t i, int& dayCounter) const {
    if (std::uint64_t{i} + 1 >= rowSize(row)) {
        ++dayCounter;
        return 0;
    }
    return i + 1;
}

std::uint32_t cPrujezdyZastavek::findIn(std::size_t row, std::uint32_t trip,
                                        std::uint8_t position) const {
    if (trip >= trips_->tripCount() || position >= trips_->stopCount(trip)) {
        return kNoPassage;
    }
    int minute = row < stopRows_ ? trips_->departureMinute(trip, position)
                                 : trips_->mirroredArrivalMinute(trip, position);
    int days = 0;
    std::uint32_t n = rowSize(row);
    for (std::uint32_t i = firstFrom(row, minute, days); days == 0 && i < n; ++i) {
        if (tripIn(row, i) == trip && positionIn(row, i) == position) {
            return i;
        }
        if (minuteIn(row, i) != minute) {
            break;
        }
    }
    return kNoPassage;
}

std::uint32_t cPrujezdyZastavek::passageCount(std::size_t stop) const {
    return rowSize(rowOfStop(stop));
}
std::uint32_t cPrujezdyZastavek::tripAt(std::size_t stop, std::uint32_t i) const {
    return tripIn(rowOfStop(stop), i);
}
std::uint8_t cPrujezdyZastavek::positionAt(std::size_t stop, std::uint32_t i) const {
    return positionIn(rowOfStop(stop), i);
}
int cPrujezdyZastavek::departureMinute(std::size_t stop, std::uint32_t i) const {
    return minuteIn(rowOfStop(stop), i);
}
std::uint32_t cPrujezdyZastavek::firstDepartureFrom(std::size_t stop, int minute,
                                                    int& dayCounter) const {
    return firstFrom(rowOfStop(stop), minute, dayCounter);
}
std::uint32_t cPrujezdyZastavek::nextDepartureFrom(std::size_t stop, std::uint32_t i,
                                                   int& dayCounter) const {
    return nextFrom(rowOfStop(stop), i, dayCounter);
}
std::uint32_t cPrujezdyZastavek::findPassage(std::size_t stop, std::uint32_t trip,
                                             std::uint8_t position) const {
    return findIn(rowOfStop(stop), trip, position);
}

std::uint32_t cPrujezdyZastavek::mirroredPassageCount(std::size_t stop) const {
    return rowSize(mirroredRowOfStop(stop));
}
std::uint32_t cPrujezdyZastavek::mirroredTripAt(std::size_t stop, std::uint32_t i) const {
    return tripIn(mirroredRowOfStop(stop), i);
}
std::uint8_t cPrujezdyZastavek::mirroredPositionAt(std::size_t stop, std::uint32_t i) const {
    return positionIn(mirroredRowOfStop(stop), i);
}
int cPrujezdyZastavek::mirroredDepartureMinute(std::size_t stop, std::uint32_t i) const {
    return minuteIn(mirroredRowOfStop(stop), i);
}
std::uint32_t cPrujezdyZastavek::mirroredFirstDepartureFrom(std::size_t stop, int minute,
                                                            int& dayCounter) const {
    return firstFrom(mirroredRowOfStop(stop), minute, dayCounter);
}
std::uint32_t cPrujezdyZastavek::mirroredNextDepartureFrom(std::size_t stop, std::uint32_t i,
                                                           int& dayCounter) const {
    return nextFrom(mirroredRowOfStop(stop), i, dayCounter);
}
std::uint32_t cPrujezdyZastavek::mirroredFindPassage(std::size_t stop, std::uint32_t trip,
                                                     std::uint8_t position) const {
    return findIn(mirroredRowOfStop(stop), trip, position);
}

}  // namespace trasovnik
