#include "tools/uidrive/SearchHold.h"

#include <condition_variable>
#include <mutex>

namespace uidrive::searchhold {

namespace {

// Shared by the user-interface thread (arm, cancel) and the program's search worker.
struct Hold {
    std::mutex mutex;
    std::condition_variable changed;
    const pelorvant::EngineApi* bound = nullptr;
    pelorvant::EngineApi routed;
    bool armed = false;      // the next search waits
    bool held = false;       // a search waits now
    bool cancelled = false;  // the program asked the waiting (or next) search to stop
};

Hold& hold() {
    static Hold instance;
    return instance;
}

int32_t heldSearch(int32_t currentMinute, int32_t currentDay, int32_t* status, TrasaWindow window) {
    Hold& h = hold();
    std::unique_lock lock(h.mutex);
    if (!h.armed) {
        lock.unlock();
        return h.bound->api_HledejCestu(currentMinute, currentDay, status, window);
    }
    h.armed = false;
    h.held = true;
    h.changed.notify_all();
    h.changed.wait(lock, [&h] { return h.cancelled; });
    h.held = false;
    h.cancelled = false;
    if (status == nullptr) return ENGINE_ERROR;
    // What the engine answers for a search its cancel stopped.
    *status = ENGINE_SEARCH_CANCELLED;
    return ENGINE_OK;
}

int32_t heldCancel() {
    Hold& h = hold();
    {
        const std::lock_guard lock(h.mutex);
        if (h.armed || h.held) {
            h.cancelled = true;
            h.changed.notify_all();
        }
    }
    return h.bound->api_CancelHledani();
}

}  // namespace

const pelorvant::EngineApi& routeThroughHold(const pelorvant::EngineApi& bound) {
    Hold& h = hold();
    const std::lock_guard lock(h.mutex);
    h.bound = &bound;
    h.routed = bound;
    h.routed.api_HledejCestu = &heldSearch;
    h.routed.api_CancelHledani = &heldCancel;
    return h.routed;
}

void arm() {
    Hold& h = hold();
    const std::lock_guard lock(h.mutex);
    h.armed = true;
    h.cancelled = false;
}

bool waitUntilHeld(std::chrono::milliseconds patience) {
    Hold& h = hold();
    std::unique_lock lock(h.mutex);
    return h.changed.wait_for(lock, patience, [&h] { return h.held; });
}

void release() {
    Hold& h = hold();
    const std::lock_guard lock(h.mutex);
    h.armed = false;
    if (h.held) h.cancelled = true;
    h.changed.notify_all();
}

}  // namespace uidrive::searchhold
