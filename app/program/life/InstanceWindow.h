#pragma once
// The running instance's answers to later starts. The instance service asks on its own
// thread; the answers need the user-interface thread (the window tree, the main frame), so
// each request is sent to a small window of that thread and handled there. Once that window
// or the main frame is gone, a request returns at once.
#include "app/program/life/ProgramSteps.h"
#include "platform/core/Types.h"
#include "platform/services/instance/SingleInstance.h"

namespace pelorvant {

class InstanceWindow final : public platform::services::InstanceRequests {
public:
    // Made on the user-interface thread; `steps` must outlive it.
    explicit InstanceWindow(ProgramSteps& steps);
    ~InstanceWindow() override;
    InstanceWindow(const InstanceWindow&) = delete;
    InstanceWindow& operator=(const InstanceWindow&) = delete;

    // Destroys the window once the message loop has ended: requests from then on return at
    // once, so the instance service can stop without waiting for a loop that no longer runs.
    void closeWindow();

    std::string title() override;
    void raise() override;
    // Sends WM_UPDATE_HANDOVER to the main frame and returns once it has been handled.
    void handOver() override;

private:
    ProgramSteps& steps_;
    platform::WindowHandle window_;
};

}  // namespace pelorvant
