// Reading stored search results: connections, the listing of a leg's trip, and the next and
// previous alternatives of a leg.
#include <vector>

#include "engine/api/BoundaryBuffers.h"
#include "engine/api/EngineAccess.h"
#include "engine/api/ExportFrame.h"
#include "engine/data/TimetableSet.h"
#include "engine/search/results/Listing.h"
#include "engine/search/results/ResultAccess.h"
#include "engine/search/results/SearchResult.h"

using namespace trasovnik;
using namespace trasovnik::api;

namespace {

// The notes of a row as a new array; the row's count is a byte.
CBuffer<std::int32_t> noteArray(const std::vector<std::int32_t>& notes, std::uint8_t& count) {
    const std::size_t n = notes.size() < 255 ? notes.size() : 255;
    CBuffer<std::int32_t> buffer = allocateArray<std::int32_t>(n);
    for (std::size_t i = 0; i < n; ++i) {
        buffer.get()[i] = notes[i];
    }
    count = static_cast<std::uint8_t>(n);
    return buffer;
}

}  // namespace

extern "C" {

int32_t api_getVysledekHledani_PocetSpojeni(int32_t setIndex, int32_t resultId, int32_t* count) {
    return guarded([&] {
        auto& outCount = out(count);
        outCount = storedResult(setOf(setIndex), resultId).count();
    });
}

int32_t api_getVysledekHledani_SpojeniSfocusem(int32_t setIndex, int32_t resultId, int32_t* focus) {
    return guarded([&] {
        auto& outFocus = out(focus);
        outFocus = storedResult(setOf(setIndex), resultId).focus;
    });
}

int32_t api_getVysledekHledani_Spojeni(int32_t setIndex, int32_t resultId, int32_t index,
                                       cSpojeni** connection) {
    return guarded([&] {
        auto& outConnection = out(connection);
        outConnection = &storedConnection(setOf(setIndex), resultId, index);
    });
}

int32_t api_getVysledekHledani_VypisSpoje(int32_t setIndex, const cUsekSpojeni* leg,
                                          cRadekVypisuSpoje** rows, int32_t* count) {
    return guarded([&] {
        auto& outRows = out(rows);
        auto& outCount = out(count);
        const std::vector<ListingRow> listing = listTrip(setOf(setIndex).combination(), out(leg));

        // Every note array is owned here until the whole listing exists.
        std::vector<CBuffer<std::int32_t>> noteArrays;
        noteArrays.reserve(2 * listing.size());
        CBuffer<cRadekVypisuSpoje> table = allocateArray<cRadekVypisuSpoje>(listing.size());
        for (std::size_t i = 0; i < listing.size(); ++i) {
            const ListingRow& from = listing[i];
            cRadekVypisuSpoje row{};
            row.stop = from.stop;
            noteArrays.push_back(noteArray(from.stopNotes, row.stopNoteCount));
            row.stopNotes = noteArrays.back().get();
            noteArrays.push_back(noteArray(from.passageNotes, row.passageNoteCount));
            row.passageNotes = noteArrays.back().get();
            row.arrivalMinute = from.arrivalMinute;
            row.arrivalDay = from.arrivalDay;
            row.departureMinute = from.departureMinute;
            row.departureDay = from.departureDay;
            row.distance = from.distance;
            table.get()[i] = row;
        }
        for (auto& a : noteArrays) {
            (void)a.release();
        }
        outCount = static_cast<int32_t>(listing.size());
        outRows = table.release();
    });
}

int32_t api_getDalsiVysledekHledaniSpoj(int32_t setIndex, cUsekSpojeni* leg,
                                        cVysledekSpoj** alternative) {
    return guarded([&] {
        auto& outAlternative = out(alternative);
        outAlternative = alternativeOf(setOf(setIndex), out(leg), AlternativeDirection::kLater);
    });
}

int32_t api_getPredchoziVysledekHledaniSpoj(int32_t setIndex, cUsekSpojeni* leg,
                                            cVysledekSpoj** alternative) {
    return guarded([&] {
        auto& outAlternative = out(alternative);
        outAlternative = alternativeOf(setOf(setIndex), out(leg), AlternativeDirection::kEarlier);
    });
}

}  // extern "C"
