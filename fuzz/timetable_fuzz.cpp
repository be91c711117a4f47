// Loads the whole timetable model from arbitrary bytes. Every failure must be an engine
// failure (EngineException); anything else escaping, a crash, a hang or a sanitizer report is
// a fault. A loaded model is also walked through its main accessors.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/data/EngineException.h"
#include "engine/data/LoadObserver.h"
#include "engine/data/TimetableFile.h"

namespace {

void walk(const trasovnik::cJizdniRad& jr) {
    const trasovnik::cSpoje& trips = jr.trips;
    auto links = jr.noteLinks();
    for (std::size_t t = 0; t < trips.tripCount(); ++t) {
        std::size_t stops = trips.stopCount(t);
        for (std::size_t p = 0; p < stops; ++p) {
            (void)trips.departureOnDay(t, p, 100);
            (void)trips.mirroredArrivalFrom(t, p, 0x7FFF - 100);
            (void)trips.distanceTo(t, p);
            (void)trips.canBoard(t, p);
            (void)trips.notesOfPassage(t, p, links);
            (void)trips.isRideAllowed(t, 0, p);
        }
        (void)trips.lineNameOfTrip(t, links);
        (void)trips.dateNoteOfTrip(t, jr.names);
    }
    for (std::size_t s = 0; s < jr.passages.stopCount(); ++s) {
        int day = 0;
        std::uint32_t i = jr.passages.firstDepartureFrom(s, 600, day);
        if (jr.passages.passageCount(s) > 0) {
            (void)jr.passages.findPassage(s, jr.passages.tripAt(s, i),
                                          jr.passages.positionAt(s, i));
        }
        int mirroredDay = 0;
        (void)jr.passages.mirroredFirstDepartureFrom(s, 600, mirroredDay);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    trasovnik::LoadObserver observer;
    try {
        auto jr =
            trasovnik::loadTimetableBytes(std::vector<std::uint8_t>(data, data + size), observer);
        if (jr) {
            walk(*jr);
        }
    } catch (const trasovnik::EngineException&) {
        // A refused file.
    }
    return 0;
}
