// The category kinds and elements of a timetable, and the merged categories of a set.
#include <vector>

#include "engine/api/BoundaryBuffers.h"
#include "engine/api/EngineAccess.h"
#include "engine/api/ExportFrame.h"
#include "engine/data/TimetableCombination.h"
#include "engine/data/TimetableFile.h"

using namespace trasovnik;
using namespace trasovnik::api;

extern "C" {

int32_t api_getPocetDruhuKategorii(int32_t setIndex, int32_t timetable, int32_t* count,
                                   int32_t* stopsKind) {
    return guarded([&] {
        auto& outCount = out(count);
        auto& outStops = out(stopsKind);
        const cJizdniRad& tt = timetableOf(setIndex, timetable);
        outCount = static_cast<int32_t>(tt.categories.kindCount());
        outStops = tt.categories.stopsKind();
    });
}

int32_t api_getDruhKategorie(int32_t setIndex, int32_t timetable, int32_t kind, char** name,
                             int32_t* length) {
    return guarded([&] {
        const cJizdniRad& tt = timetableOf(setIndex, timetable);
        handText(tt.categories.kindName(tt.names, indexArgument(kind)), name, length);
    });
}

int32_t api_getPocetElementuKategorie(int32_t setIndex, int32_t timetable, int32_t kind,
                                      int32_t* count) {
    return guarded([&] {
        auto& outCount = out(count);
        const cJizdniRad& tt = timetableOf(setIndex, timetable);
        outCount = static_cast<int32_t>(tt.categories.elementCount(indexArgument(kind)));
    });
}

int32_t api_GetNazevElementuKategorie(int32_t setIndex, int32_t timetable, int32_t kind,
                                      int32_t element, char** name, int32_t* length) {
    return guarded([&] {
        const cJizdniRad& tt = timetableOf(setIndex, timetable);
        handText(tt.categories.elementName(tt.names, indexArgument(kind), indexArgument(element)),
                 name, length);
    });
}

int32_t api_GetIndexyElementuKategorie(int32_t setIndex, int32_t timetable, int32_t kind,
                                       const char* text, int32_t textLength, int32_t** indexes,
                                       int32_t* count) {
    return guarded([&] {
        const cJizdniRad& tt = timetableOf(setIndex, timetable);
        const std::vector<std::uint32_t> found = tt.categories.findEntriesByPrefix(
            tt.names, indexArgument(kind), textArgument(text, textLength));
        handIndexes(std::span<const std::uint32_t>(found), indexes, count);
    });
}

int32_t api_GetSlouceneKategorieLength(int32_t setIndex, int32_t* count) {
    return guarded([&] {
        auto& outCount = out(count);
        outCount = static_cast<int32_t>(combinationOf(setIndex).mergedCategories().groupCount());
    });
}

int32_t api_GetSlouceneKategorieName(int32_t setIndex, int32_t merged, char** name,
                                     int32_t* length) {
    return guarded([&] {
        handText(combinationOf(setIndex).mergedCategories().groupName(indexArgument(merged)), name,
                 length);
    });
}

}  // extern "C"
