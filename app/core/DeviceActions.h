#pragma once
// Device actions that may take a while (a text message through the modem, a calendar entry
// through the calendar service, a text handed to the message composer) run on worker threads:
// the user-interface thread never waits for them. When an action's work ends, its result is
// posted to the window that started it as WM_DEVICE_ACTION_DONE (wParam the action's number,
// lParam the result); that window hands it to finish(), which runs the action's follow-up on
// the user-interface thread.
#include "platform/core/Thread.h"
#include "platform/core/Types.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

namespace pelorvant {

class DeviceActions {
public:
    DeviceActions() = default;
    // Waits for the actions still running; their follow-ups do not run.
    ~DeviceActions();
    DeviceActions(const DeviceActions&) = delete;
    DeviceActions& operator=(const DeviceActions&) = delete;

    // Runs `work` on a thread of its own; `done` gets its result once `window` has handed the
    // done message to finish(). Returns the action's number (never 0).
    std::uintptr_t start(platform::WindowHandle window, std::function<std::intptr_t()> work,
                         std::function<void(std::intptr_t)> done);
    // For the window's WM_DEVICE_ACTION_DONE: runs the follow-up of action `number` (once).
    void finish(std::uintptr_t number, std::intptr_t result);
    // Actions started and not finished yet.
    std::size_t pending() const { return actions_.size(); }

private:
    struct Action {
        platform::Thread thread;
        std::function<void(std::intptr_t)> done;
    };
    std::map<std::uintptr_t, Action> actions_;
    std::uintptr_t next_ = 1;
};

// How many device actions of the whole program are between their start and their follow-up
// (the scripted driver waits for them as a person waits for the outcome).
int deviceActionsUnderway();

}  // namespace pelorvant
