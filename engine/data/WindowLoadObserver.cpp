#include "engine/data/WindowLoadObserver.h"

#include "platform/core/MessageIds.h"
#include "platform/core/MessageLoop.h"

namespace trasovnik {

void WindowLoadObserver::progress(int percent) {
    if (window_ == platform::kNullWindow) {
        return;
    }
    platform::sendMessage(window_, platform::WM_ENGINE_PROGRESS,
                          static_cast<std::uintptr_t>(percent), 0);
}

void WindowLoadObserver::startFile(std::size_t catalogueIndex) {
    if (window_ == platform::kNullWindow) {
        return;
    }
    platform::sendMessage(window_, platform::WM_ENGINE_START,
                          static_cast<std::uintptr_t>(catalogueIndex), 0);
}

}  // namespace trasovnik
