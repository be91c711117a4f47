// Loading, changing and releasing timetable sets.
#include "engine/api/BoundaryBuffers.h"
#include "engine/api/ExportFrame.h"
#include "engine/data/EngineObject.h"
#include "engine/data/FileRefusal.h"
#include "engine/data/LoadedTimetable.h"
#include "engine/data/TimetableCombination.h"
#include "engine/data/TimetableFile.h"
#include "engine/data/TimetableSet.h"
#include "engine/data/WindowLoadObserver.h"
#include "engine/search/t9/T9ElementLists.h"

using namespace trasovnik;
using namespace trasovnik::api;

namespace {
platform::WindowHandle windowOf(TrasaWindow window) {
    return static_cast<platform::WindowHandle>(window);
}

// The name lists that T9 matching searches are built while the set is loaded, so that the
// first key press of the user does not pay for them (they are kept per loaded file).
void prepareNameMatching(std::int32_t setIndex) {
    const cJizdniRadySestavy& combination = engine().getSestava(setIndex).combination();
    for (std::size_t f = 0; f < combination.count(); ++f) {
        T9ElementLists::of(combination.loaded(f).file);
    }
}
}  // namespace

extern "C" {

int32_t api_nactiSestavuJizdnichRadu(const int32_t* catalogueIndexes, int32_t count,
                                     int32_t* setIndex, int32_t* failingIndex, TrasaWindow window) {
    return guarded([&] {
        auto& outSet = out(setIndex);
        auto& outFailing = out(failingIndex);
        const auto indexes = arrayArgument(catalogueIndexes, count);
        outFailing = -1;
        const SetLoadResult r = engine().nactiSestavu(indexes, windowOf(window));
        if (r.status != 0) {
            outSet = r.status;
            outFailing = r.failingIndex;
        } else {
            outSet = r.setIndex;
            prepareNameMatching(r.setIndex);
        }
    });
}

int32_t api_zmenSestavuJizdnichRadu(int32_t* setIndex, const int32_t* catalogueIndexes,
                                    int32_t count, int32_t* failingIndex, TrasaWindow window) {
    return guarded([&] {
        auto& inOutSet = out(setIndex);
        auto& outFailing = out(failingIndex);
        const auto indexes = arrayArgument(catalogueIndexes, count);
        outFailing = -1;
        const SetLoadResult r = engine().zmenSestavu(inOutSet, indexes, windowOf(window));
        if (r.status != 0) {
            inOutSet = r.status;
            outFailing = r.failingIndex;
        } else {
            prepareNameMatching(inOutSet);
        }
    });
}

int32_t api_zrusSestavuJizdnichRadu(int32_t setIndex) {
    return guarded([&] { engine().zrusSestavu(setIndex); });
}

int32_t api_GetIndexyHlavicekSestavy(int32_t setIndex, int32_t** indexes, int32_t* count) {
    return guarded([&] {
        const std::vector<int32_t> list = engine().headerIndexesOf(setIndex);
        handIndexes(std::span<const int32_t>(list), indexes, count);
    });
}

int32_t api_CancelNacitani(void) {
    return guarded([] { engine().cancelLoading(); });
}

int32_t api_zkontrolujJizdniRad(const char* path, int32_t pathLength, int32_t* status,
                                TrasaWindow window) {
    return guarded([&] {
        auto& outStatus = out(status);
        const std::string name(textArgument(path, pathLength));
        cJizdniRadyGlobal& e = engine();
        e.clearCancelLoading();
        WindowLoadObserver observer(windowOf(window), e.cancelFlag());
        try {
            const std::unique_ptr<cJizdniRad> file = loadTimetableFile(name, observer);
            outStatus = file != nullptr && !observer.cancelled() ? 0 : ENGINE_LOAD_CANCELLED;
        } catch (...) {
            outStatus = refusalStatus(currentEngineCode());
        }
    });
}

}  // extern "C"
