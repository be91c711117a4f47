#include "app/screens/progress/WorkerThreads.h"

#include "app/core/PrivateMessages.h"

#include "platform/core/MessageLoop.h"

namespace pelorvant {

std::tm localNow() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    return parts;
}

void loadingThreadProc(const EngineApi& api, cLoadJob& job, std::uint32_t run) {
    const std::vector<std::int32_t> indexes = job.indexes;
    const auto count = static_cast<std::int32_t>(indexes.size());
    std::int32_t set = -1;
    std::int32_t failing = -1;
    const TrasaWindow window = static_cast<TrasaWindow>(job.window);
    if (job.setIndex < 0) {
        job.engineResult = api.api_nactiSestavuJizdnichRadu(indexes.data(), count, &set, &failing, window);
    } else {
        set = job.setIndex;
        job.engineResult = api.api_zmenSestavuJizdnichRadu(&set, indexes.data(), count, &failing, window);
        if (job.engineResult < 0) failing = 0;
    }
    if (job.engineResult < 0 && set >= 0) set = -1;
    if (set < 0) job.failingIndex = failing;
    platform::postMessage(job.window, WM_LOADING_DONE, static_cast<std::uintptr_t>(static_cast<std::intptr_t>(set)),
                          static_cast<std::intptr_t>(run));
}

void searchThreadProc(const EngineApi& api, std::unique_ptr<cSearchJob> job, const LocalClock& clock,
                      cSearchOutcome& outcome, std::uint32_t run) {
    outcome.returnView = job->returnView;
    const std::tm now = clock();
    std::int16_t day = 0;
    const std::int32_t dayStatus = api.api_DatumToShortDen(now.tm_mday, now.tm_mon + 1, now.tm_year + 1900, &day);
    if (dayStatus != ENGINE_OK) {
        // Without today's day number the search cannot run: report the failure.
        outcome.threadStatus = dayStatus;
        outcome.result = dayStatus;
    } else {
        std::int32_t result = 0;
        const std::int32_t status = api.api_HledejCestu(now.tm_hour * 60 + now.tm_min, day, &result,
                                                        static_cast<TrasaWindow>(job->window));
        outcome.result = result;
        if (result == ENGINE_SEARCH_CANCELLED) outcome.threadStatus = kSearchCancelledStatus;
        if (status < 0) outcome.threadStatus = status;
    }
    const platform::WindowHandle window = job->window;
    job.reset();
    platform::postMessage(window, WM_SEARCH_DONE, reinterpret_cast<std::uintptr_t>(&outcome),
                          static_cast<std::intptr_t>(run));
}

}  // namespace pelorvant
