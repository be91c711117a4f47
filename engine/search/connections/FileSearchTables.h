#pragma once
// What the connection search reads of a timetable file besides the file itself: the departure
// index in both directions (departure and arrival searches) and the trip patterns. They depend
// only on the file, so they are built once, while the file loads, and every search over the
// file reads them; the traveller's first search pays nothing for them.

#include <cstddef>

#include "engine/search/connections/StopDepartureIndex.h"
#include "engine/search/connections/TripPatterns.h"

namespace trasovnik {

class cJizdniRad;
struct LoadedTimetable;

class FileSearchTables {
public:
    // The file must outlive the tables.
    explicit FileSearchTables(const cJizdniRad& file);

    const StopDepartureIndex& departures(bool mirrored) const {
        return mirrored ? mirrored_ : forward_;
    }
    const TripPatterns& patterns() const { return patterns_; }
    std::size_t bytes() const { return forward_.bytes() + mirrored_.bytes(); }

private:
    FileSearchTables(const cJizdniRad& file, bool compilerOrder);

    StopDepartureIndex forward_;
    StopDepartureIndex mirrored_;
    TripPatterns patterns_;
};

// The tables of a loaded file: those its load built, or built now for a file loaded without
// them.
const FileSearchTables& searchTablesOf(LoadedTimetable& loaded);

}  // namespace trasovnik
