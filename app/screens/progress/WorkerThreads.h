#pragma once
// The bodies of the loading and search threads. Each reports only through its done message,
// posted to the job's window with the number of its run, and ends: no worker waits for the
// user-interface thread to handle its end, so that thread may start the next operation, or
// wait for this thread, while the message is still on its way. Neither shows a box nor ends
// the program itself.
#include "app/core/EngineBinding.h"
#include "app/screens/progress/Jobs.h"

#include <ctime>
#include <functional>
#include <memory>

namespace pelorvant {

// The local date and time the search runs at.
using LocalClock = std::function<std::tm()>;
std::tm localNow();

// Loads or changes the job's set, fills its out-fields and posts WM_LOADING_DONE (the set
// index or a negative load status, run). The job stays the caller's.
void loadingThreadProc(const EngineApi& api, cLoadJob& job, std::uint32_t run);

// Runs the pending request, fills the outcome, frees the job and posts WM_SEARCH_DONE (the
// outcome, run).
void searchThreadProc(const EngineApi& api, std::unique_ptr<cSearchJob> job, const LocalClock& clock,
                      cSearchOutcome& outcome, std::uint32_t run);

}  // namespace pelorvant
