#pragma once
// The program-wide objects that the frame, the tab pages and the views work with: the
// settings, the timetable data, the engine's exports and the registry. Start-up makes them and
// hands the context to the main frame, which passes it to every tab page and view.
#include "app/core/AppSettings.h"
#include "app/core/EngineBinding.h"
#include "app/core/EngineIni.h"
#include "app/core/LoadedSets.h"
#include "app/core/SystemHooks.h"
#include "app/core/TimetableData.h"
#include "platform/services/registry/Registry.h"

namespace pelorvant {

class cGpsReceiver;

struct ProgramContext {
    // None owned; each outlives the frame.
    AppSettings* settings = nullptr;
    TimetableData* data = nullptr;
    const EngineApi* api = nullptr;
    // Set at the end of the start-up; null before and in tests without one.
    cGpsReceiver* gps = nullptr;
    // Where the settings keep their registry values ("Actualize"); null when nothing is saved.
    platform::services::Registry* registry = nullptr;
    // The updater's registration and the restart; null: nothing is done.
    SystemHooks* hooks = nullptr;
    // The tabs' sets; set once the main frame exists, null before and in tests without one.
    LoadedSets* loadedSets = nullptr;

    EngineIni ini() const { return EngineIni(*api); }
};

}  // namespace pelorvant
