#include "app/core/DeviceActions.h"

#include "app/core/PrivateMessages.h"

#include "platform/core/MessageLoop.h"

#include <atomic>

namespace pelorvant {

namespace {

std::atomic<int> gUnderway{0};

}  // namespace

int deviceActionsUnderway() {
    return gUnderway.load();
}

DeviceActions::~DeviceActions() {
    for (auto& [number, action] : actions_) {
        if (action.thread.joinable())
            action.thread.join();
        --gUnderway;
    }
}

std::uintptr_t DeviceActions::start(platform::WindowHandle window,
                                    std::function<std::intptr_t()> work,
                                    std::function<void(std::intptr_t)> done) {
    const std::uintptr_t number = next_++;
    ++gUnderway;
    Action& action = actions_[number];
    action.done = std::move(done);
    action.thread = platform::createThread([window, number, work = std::move(work)] {
        const std::intptr_t result = work();
        platform::postMessage(window, WM_DEVICE_ACTION_DONE, number, result);
    });
    return number;
}

void DeviceActions::finish(std::uintptr_t number, std::intptr_t result) {
    const auto it = actions_.find(number);
    if (it == actions_.end())
        return;
    Action action = std::move(it->second);
    actions_.erase(it);
    if (action.thread.joinable())
        action.thread.join();  // it has posted: it is ending
    --gUnderway;
    if (action.done)
        action.done(result);
}

}  // namespace pelorvant
