#pragma once
// The bodies of the loading and search threads. Each reports only through its done message,
// sent to the job's window, so it waits while the user-interface thread handles it; neither
// shows a box nor ends the program itself.
#include "app/core/EngineBinding.h"
#include "app/screens/progress/Jobs.h"

#include <ctime>
#include <functional>
#include <memory>

namespace pelorvant {

// The local date and time the search runs at.
using LocalClock = std::function<std::tm()>;
std::tm localNow();

// Loads or changes the job's set, fills its out-fields and sends WM_LOADING_DONE (the set
// index or a negative load status, the job). The job stays the caller's.
void loadingThreadProc(const EngineApi& api, cLoadJob& job);

// Runs the pending request and sends WM_SEARCH_DONE with its outcome; frees the job after the
// message returned.
void searchThreadProc(const EngineApi& api, std::unique_ptr<cSearchJob> job, const LocalClock& clock);

}  // namespace pelorvant
