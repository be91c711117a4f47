#pragma once
// Forwards a timetable load's progress to the caller's window and answers its cancel question
// from the engine's cancel-loading flag. Each progress step is sent synchronously: the load
// goes on only after the window's procedure has handled it on its own thread. A null window
// handle receives nothing.

#include <atomic>
#include <cstdint>

#include "engine/data/LoadObserver.h"
#include "platform/core/Types.h"

namespace trasovnik {

class WindowLoadObserver final : public LoadObserver {
public:
    // `cancel` is the engine's flag, set from another thread; it must outlive the observer.
    WindowLoadObserver(platform::WindowHandle window, const std::atomic<bool>& cancel)
        : window_(window), cancel_(cancel) {}

    // WM_ENGINE_PROGRESS with wParam = percent, lParam 0.
    void progress(int percent) override;
    bool cancelled() override { return cancel_.load(std::memory_order_acquire); }

    // WM_ENGINE_START with wParam = the catalogue index of the next file to load, lParam 0.
    void startFile(std::size_t catalogueIndex);

private:
    platform::WindowHandle window_;
    const std::atomic<bool>& cancel_;
};

}  // namespace trasovnik
