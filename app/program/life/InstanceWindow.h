#pragma once
// The running instance's answers to later starts. The instance service asks on its own
// thread. Until the main window is shown (the waits, the questions of the start-up), the
// answers come at once from there: the program's title, and a raise or a hand-over is kept for
// the start-up to do. From then on the answers need the user-interface thread (the window
// tree, the main frame), so each request is sent to a small window of that thread and handled
// there. Once that window or the main frame is gone, a request returns at once.
#include "app/program/life/ProgramSteps.h"
#include "platform/core/Types.h"
#include "platform/services/instance/SingleInstance.h"

#include <cstdint>
#include <mutex>
#include <string>

namespace pelorvant {

// What later starts asked for while the main window did not yet exist.
struct AskedWhileStarting {
    bool raise = false;
    bool handOver = false;
};

class InstanceWindow final : public platform::services::InstanceRequests {
public:
    // Made on the user-interface thread; `steps` must outlive it. titleWhileStarting: the
    // title answered until the main window is shown.
    InstanceWindow(ProgramSteps& steps, std::string titleWhileStarting);
    ~InstanceWindow() override;
    InstanceWindow(const InstanceWindow&) = delete;
    InstanceWindow& operator=(const InstanceWindow&) = delete;

    // The main window is shown (user-interface thread): later requests go to it; returns
    // what was asked before, for the start-up to do now.
    AskedWhileStarting mainWindowShown();

    // Destroys the window once the message loop has ended: requests from then on return at
    // once, so the instance service can stop without waiting for a loop that no longer runs.
    void closeWindow();

    std::string title() override;
    void raise() override;
    // Sends WM_UPDATE_HANDOVER to the main frame and returns once it has been handled (while
    // starting: once it is kept).
    void handOver() override;

private:
    // Sends `message` to the window once it shows; before, remembers the request in `kept`.
    void askOrKeep(bool AskedWhileStarting::*kept, std::uint32_t message);

    ProgramSteps& steps_;
    platform::WindowHandle window_;
    std::mutex lock_;
    // Guarded by lock_.
    bool windowShown_ = false;
    AskedWhileStarting asked_;
    const std::string titleWhileStarting_;
};

}  // namespace pelorvant
