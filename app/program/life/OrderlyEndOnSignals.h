#pragma once
// The termination signals (SIGTERM, SIGINT, SIGHUP) while the program runs its message loop:
// they end it in order, as closing the window does (the loop gets WM_QUIT, and the program
// shuts down and keeps its settings). Outside that time they keep their default and end the
// process at once: a start that waits or asks a question ends without storing any answer.
// A signal that the parent set to be ignored stays ignored.
#include "platform/core/Types.h"

#include <csignal>
#include <thread>

namespace pelorvant {

class OrderlyEndOnSignals {
public:
    // On the thread whose message loop the signals are to end; one object at a time.
    OrderlyEndOnSignals();
    // The signals end the process at once again.
    ~OrderlyEndOnSignals();
    OrderlyEndOnSignals(const OrderlyEndOnSignals&) = delete;
    OrderlyEndOnSignals& operator=(const OrderlyEndOnSignals&) = delete;

private:
    void watch();

    platform::WindowHandle window_ = platform::kNullWindow;
    int wake_[2] = {-1, -1};
    int stop_[2] = {-1, -1};
    struct sigaction previous_[3] = {};
    bool installed_[3] = {};
    std::thread watcher_;
};

}  // namespace pelorvant
