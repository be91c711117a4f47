#include "engine/data/TimePatterns.h"

#include "engine/data/CheckedReads.h"
#include "engine/data/EngineException.h"
#include "engine/data/TimetableFileReader.h"

namespace trasovnik {

void cVzoryCasu::read(TimetableFileReader& reader) {
    packed_.clear();
    plain_.clear();
    packedStart_.assign(1, 0);
    plainStart_.assign(1, 0);

    std::uint32_t packedRows = readCount(reader, 1);
    packedStart_.reserve(std::size_t{packedRows} + 1);
    for (std::uint32_t i = 0; i < packedRows; ++i) {
        std::uint8_t n = reader.readU8();
        for (std::uint8_t k = 0; k < n; ++k) {
            packed_.push_back(reader.readU16());
        }
        packedStart_.push_back(static_cast<std::uint32_t>(packed_.size()));
    }
    std::uint32_t plainRows = readCount(reader, 1);
    plainStart_.reserve(std::size_t{plainRows} + 1);
    for (std::uint32_t i = 0; i < plainRows; ++i) {
        std::uint8_t n = reader.readU8();
        for (std::uint8_t k = 0; k < n; ++k) {
            plain_.push_back(reader.readI16());
        }
        plainStart_.push_back(static_cast<std::uint32_t>(plain_.size()));
    }
}

bool cVzoryCasu::coversStops(std::size_t pattern, std::size_t stops) const {
    if (pattern >= count()) {
        return false;
    }
    std::size_t needed = isPacked(pattern) ? 2 * stops : stops;
    return columnCount(pattern) >= needed;
}

}  // namespace trasovnik
