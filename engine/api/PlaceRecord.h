#pragma once
// A place as the program keeps it and hands it across the library boundary: triples with
// their count and the number of free slots behind them, the layout of IndexTripleVector. The
// engine fills the program's places in place, growing them one triple at a time with the C
// heap that both sides share.

#include <cstddef>
#include <cstdint>

#include "engine/data/IndexTripleVector.h"

namespace trasovnik {

struct BoundaryPlace {
    IndexTriple* items;
    std::uint8_t count;
    std::uint8_t spare;
};

static_assert(offsetof(BoundaryPlace, items) == 0);
static_assert(offsetof(BoundaryPlace, count) == sizeof(void*));
static_assert(offsetof(BoundaryPlace, spare) == sizeof(void*) + 1);

// The place as a record of its triples.
inline PlaceRecord recordOf(const BoundaryPlace& place) {
    return PlaceRecord{place.items, place.count};
}

// Count 0; the used slots become spare.
void resetPlace(BoundaryPlace& place);
// Appends a triple: when no slot is free, the triples move to a malloc'ed array one larger and
// the old one is freed. ENGINE_EXC_INDEX for a 256th triple, ENGINE_EXC_OUT_OF_MEMORY when the
// array cannot be had; the place is unchanged then.
void appendToPlace(BoundaryPlace& place, const IndexTriple& triple);
// The place holds exactly the triples of `source`.
void assignPlace(BoundaryPlace& place, const IndexTripleVector& source);

}  // namespace trasovnik
