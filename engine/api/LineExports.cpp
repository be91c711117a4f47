// Line kinds, line groups, line names and colours, and stop names of a timetable.
#include "engine/api/BoundaryBuffers.h"
#include "engine/api/EngineAccess.h"
#include "engine/api/ExportFrame.h"
#include "engine/data/TimetableFile.h"
#include "engine/data/TimetableSet.h"

using namespace trasovnik;
using namespace trasovnik::api;

extern "C" {

int32_t api_GetDruhyLinekLength(int32_t setIndex, int32_t timetable, int32_t* count) {
    return guarded([&] {
        auto& outCount = out(count);
        outCount = static_cast<int32_t>(timetableOf(setIndex, timetable).trips.lines().kindCount());
    });
}

int32_t api_GetDruhLinky(int32_t setIndex, int32_t timetable, int32_t lineKind, char** name,
                         int32_t* length, int32_t* colour, uint8_t* mayUse) {
    return guarded([&] {
        auto& outColour = out(colour);
        auto& outMayUse = out(mayUse);
        out(name);
        out(length);
        const cDruhLinky& kind =
            timetableOf(setIndex, timetable).trips.lines().kind(indexArgument(lineKind));
        const auto& flags =
            setOf(setIndex).parameters().record(indexArgument(timetable)).mayUseLineKind;
        const std::size_t k = indexArgument(lineKind);
        if (k >= flags.size()) {
            raiseEngine(ENGINE_EXC_INDEX);
        }
        handText(kind.name, name, length);
        outColour = static_cast<int32_t>(kind.colour);
        outMayUse = flags[k];
    });
}

int32_t api_getNadlinka_DelkyStringu(int32_t setIndex, int32_t timetable, int32_t line,
                                     int32_t* length) {
    return guarded([&] {
        auto& outLength = out(length);
        const cLinky& lines = timetableOf(setIndex, timetable).trips.lines();
        outLength =
            static_cast<int32_t>(lines.groupName(lines.line(indexArgument(line)).group).size());
    });
}

int32_t api_getNadlinka(int32_t setIndex, int32_t timetable, int32_t line, int32_t* lineKind,
                        char* buffer) {
    return guarded([&] {
        auto& outKind = out(lineKind);
        const cLinky& lines = timetableOf(setIndex, timetable).trips.lines();
        const cLinka& l = lines.line(indexArgument(line));
        const std::string& group = lines.groupName(l.group);
        if (!group.empty()) {
            std::memcpy(&out(buffer), group.data(), group.size());
        }
        outKind = l.kind;
    });
}

int32_t api_GetNazevZastavky(int32_t setIndex, int32_t timetable, uint16_t stop, char** name,
                             int32_t* length) {
    return guarded([&] {
        const cJizdniRad& tt = timetableOf(setIndex, timetable);
        handText(tt.stops.name(tt.names, stop), name, length);
    });
}

int32_t api_GetNazevLinky(int32_t setIndex, int32_t timetable, int32_t trip, char** name,
                          int32_t* length) {
    return guarded([&] {
        const cJizdniRad& tt = timetableOf(setIndex, timetable);
        handText(tt.trips.lineNameOfTrip(indexArgument(trip), tt.noteLinks()), name, length);
    });
}

int32_t api_GetBarvuLinky(int32_t setIndex, int32_t timetable, int32_t trip, int32_t* colour) {
    return guarded([&] {
        auto& outColour = out(colour);
        const cSpoje& trips = timetableOf(setIndex, timetable).trips;
        const cLinky& lines = trips.lines();
        outColour = static_cast<int32_t>(
            lines.kind(lines.line(trips.lineOfTrip(indexArgument(trip))).kind).colour);
    });
}

}  // extern "C"
