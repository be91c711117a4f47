// Running the pending search of the current set, and stopping it from another thread.
#include "engine/api/BoundaryBuffers.h"
#include "engine/api/EngineAccess.h"
#include "engine/api/ExportFrame.h"
#include "engine/api/SearchState.h"
#include "engine/search/connections/ConnectionSearch.h"

using namespace trasovnik;
using namespace trasovnik::api;

namespace {
// The engine's one searcher; its flags are set from other threads while it runs.
cHledani& searcher() {
    static cHledani instance;
    return instance;
}
}  // namespace

extern "C" {

int32_t api_HledejCestu(int32_t currentMinute, int32_t currentDay, int32_t* status,
                        TrasaWindow window) {
    return guarded([&] {
        auto& outStatus = out(status);
        cSestava& set = setOf(currentSet());
        outStatus = searcher().hledejCestu(set, currentMinute, currentDay,
                                           static_cast<platform::WindowHandle>(window));
    });
}

int32_t api_CancelHledani(void) {
    return guarded([] { searcher().cancel(); });
}

int32_t api_SkokNaVysledek(void) {
    return guarded([] { searcher().jump(); });
}

}  // extern "C"
