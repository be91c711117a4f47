#include "engine/api/PlaceRecord.h"

#include <cstdlib>
#include <cstring>

#include "engine/data/EngineException.h"

namespace trasovnik {

void resetPlace(BoundaryPlace& place) {
    // The spare count is a byte; a place the caller made inconsistent keeps what fits.
    const unsigned slots = static_cast<unsigned>(place.count) + place.spare;
    place.spare = static_cast<std::uint8_t>(slots > 255 ? 255 : slots);
    place.count = 0;
    if (place.items == nullptr) {
        place.spare = 0;
    }
}

void appendToPlace(BoundaryPlace& place, const IndexTriple& triple) {
    if (place.count >= IndexTripleVector::kMaxTriples) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    if (place.spare == 0 || place.items == nullptr) {
        const std::size_t slots = static_cast<std::size_t>(place.count) + 1;
        auto* grown = static_cast<IndexTriple*>(std::malloc(slots * sizeof(IndexTriple)));
        if (grown == nullptr) {
            raiseEngine(ENGINE_EXC_OUT_OF_MEMORY);
        }
        if (place.count > 0 && place.items != nullptr) {
            std::memcpy(grown, place.items, place.count * sizeof(IndexTriple));
        }
        std::free(place.items);
        place.items = grown;
        place.spare = 1;
    }
    place.items[place.count] = triple;
    ++place.count;
    --place.spare;
}

void assignPlace(BoundaryPlace& place, const IndexTripleVector& source) {
    resetPlace(place);
    for (std::uint32_t i = 0; i < source.count(); ++i) {
        appendToPlace(place, source.at(i));
    }
}

}  // namespace trasovnik
