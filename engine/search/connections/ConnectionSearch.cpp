#include "engine/search/connections/ConnectionSearch.h"

#include <chrono>
#include <utility>

#include "engine/data/EngineException.h"
#include "engine/data/EnginePagePool.h"
#include "engine/data/TimetableSet.h"
#include "engine/search/results/ResultStore.h"
#include "engine/search/results/SearchRequest.h"
#include "engine/search/results/SearchResult.h"
#include "engine/search/connections/SearchRun.h"
#include "platform/core/MessageIds.h"
#include "platform/core/MessageLoop.h"

namespace trasovnik {

cHledani::cHledani()
    : pages_(std::make_unique<EnginePagePool>()), scratch_(std::make_unique<SearchScratch>()) {}

cHledani::~cHledani() = default;

const SearchCounters& cHledani::lastCounters() const {
    return scratch_->counters;
}

std::int32_t cHledani::hledejCestu(cSestava& set, int currentMinute, int currentDay,
                                   platform::WindowHandle window) {
    cancel_.store(false, std::memory_order_release);
    jump_.store(false, std::memory_order_release);
    scratch_->counters = SearchCounters{};
    PendingSearch& pending = pendingSearchOf(set);
    cVysledkyHledani& store = resultStoreOf(set);
    const std::int32_t mode = set.requestMode;

    const cVysledekHledani* old = nullptr;
    cZadaniHledani request;
    if (mode == cSestava::kRequestNew) {
        if (!pending.request) {
            raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
        }
        const std::int32_t same = store.findEqual(*pending.request);
        if (same >= 0) {
            platform::sendMessage(window, platform::WM_ENGINE_PROGRESS, 100);
            return same;
        }
        request = *pending.request;
    } else {
        old = store.find(pending.resultId);
        if (old == nullptr) {
            return kSearchResultGone;
        }
        request = old->request;
        if (mode == cSestava::kRequestLater) {
            const int m = old->lastDeparture.minute + 1;
            request.minute = static_cast<std::int16_t>(m % 1440);
            request.day = static_cast<std::int16_t>(old->lastDeparture.day + m / 1440);
            request.arrival = 0;
        } else {
            const int m = old->firstArrival.minute + 1439;
            request.minute = static_cast<std::int16_t>(m % 1440);
            request.day = static_cast<std::int16_t>(old->firstArrival.day + m / 1440 - 1);
            request.arrival = 1;
        }
        pending.request = std::make_unique<cZadaniHledani>(request);
    }

    const auto began = std::chrono::steady_clock::now();
    RunOutcome outcome =
        runSearch(*this, set, *pages_, *scratch_, pageLimit_, request,
                  mode != cSestava::kRequestNew, currentMinute, currentDay, window);
    lastTicks_ = static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                                std::chrono::steady_clock::now() - began)
                                                .count());
    lastPageBytes_ = static_cast<std::uint64_t>(outcome.pagesTaken) * EnginePagePool::kPageSize;
    lastMemoryKb_ = -static_cast<std::int32_t>(lastPageBytes_ / 1024);
    if (outcome.status < 0) {
        return outcome.status;
    }

    std::unique_ptr<cVysledekHledani> result = std::move(outcome.result);
    if (old != nullptr) {
        // Connections after (before) a stored result join it in one merged result.
        auto merged = std::make_unique<cVysledekHledani>();
        merged->request = old->request;
        if (mode == cSestava::kRequestLater) {
            merged->request.arrival = 0;
            merged->request.minute = old->firstDeparture.minute;
            merged->request.day = old->firstDeparture.day;
        } else {
            merged->request.arrival = 1;
            merged->request.minute = old->lastArrival.minute;
            merged->request.day = old->lastArrival.day;
        }
        merged->addConnectionsOf(*old);
        merged->addConnectionsOf(*result);
        // The focus goes to the first new connection, which follows the old ones before the
        // merged result is ordered; ordering moves earlier connections in front of the old
        // ones, and the focus stays with its connection.
        const BuiltConnection* focused =
            &merged->built(std::min(old->count(), merged->count() - 1));
        merged->finish();
        for (std::int32_t i = 0; i < merged->count(); ++i) {
            if (&merged->built(i) == focused) {
                merged->focus = i;
            }
        }
        result = std::move(merged);
    }
    return store.store(std::move(result), outcome.jumped);
}

}  // namespace trasovnik
