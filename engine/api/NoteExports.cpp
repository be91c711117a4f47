// The notes of trips, of trips at a stop and of stops, and the notes' texts and marks.
#include <vector>

#include "engine/api/BoundaryBuffers.h"
#include "engine/api/EngineAccess.h"
#include "engine/api/ExportFrame.h"
#include "engine/data/TimetableFile.h"

using namespace trasovnik;
using namespace trasovnik::api;

extern "C" {

int32_t api_GetPoznamkySpoje(int32_t setIndex, int32_t timetable, int32_t trip, int32_t** notes,
                             int32_t* count) {
    return guarded([&] {
        const cJizdniRad& tt = timetableOf(setIndex, timetable);
        // The trip's kind notes (operator, line name, reservations): the program shows each
        // with the icon of its kind; the remarks travel with the line name and the passages.
        const std::vector<std::uint16_t> list =
            tt.trips.tripKindNotes(indexArgument(trip), tt.noteLinks());
        handIndexes(std::span<const std::uint16_t>(list), notes, count);
    });
}

int32_t api_GetPoznamkyPrujezdu(int32_t setIndex, int32_t timetable, int32_t trip, int32_t position,
                                int32_t** notes, int32_t* count) {
    return guarded([&] {
        const cJizdniRad& tt = timetableOf(setIndex, timetable);
        const std::size_t t = indexArgument(trip);
        const std::size_t p = indexArgument(position);
        if (p >= tt.trips.stopCount(t)) {
            raiseEngine(ENGINE_EXC_INDEX);
        }
        const std::vector<std::uint16_t> list = tt.trips.notesOfPassage(t, p, tt.noteLinks());
        handIndexes(std::span<const std::uint16_t>(list), notes, count);
    });
}

int32_t api_GetDatumovouPoznamkuSpoje(int32_t setIndex, int32_t timetable, int32_t trip,
                                      char** text, int32_t* length) {
    return guarded([&] {
        const cJizdniRad& tt = timetableOf(setIndex, timetable);
        handText(tt.trips.dateNoteOfTrip(indexArgument(trip), tt.names), text, length);
    });
}

int32_t api_GetPoznamkyZastavky(int32_t setIndex, int32_t timetable, int32_t stop, int32_t** notes,
                                int32_t* count) {
    return guarded([&] {
        const cJizdniRad& tt = timetableOf(setIndex, timetable);
        handIndexes(tt.stopNotes(indexArgument(stop)), notes, count);
    });
}

int32_t api_GetPoznamkuText(int32_t setIndex, int32_t timetable, int32_t note, char** text,
                            int32_t* length) {
    return guarded([&] {
        const cJizdniRad& tt = timetableOf(setIndex, timetable);
        handText(tt.notes.noteText(tt.names, indexArgument(note)), text, length);
    });
}

int32_t api_GetPoznamkuOznaceni(int32_t setIndex, int32_t timetable, int32_t note, char** mark,
                                int32_t* length) {
    return guarded([&] {
        const cJizdniRad& tt = timetableOf(setIndex, timetable);
        handText(tt.notes.noteMark(tt.names, indexArgument(note)), mark, length);
    });
}

}  // extern "C"
