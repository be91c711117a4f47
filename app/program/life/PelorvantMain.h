#pragma once
// The application: its start-up (InitInstance and the start-up chain initApplication), its
// message loop and its orderly shut-down, over the steps the parts of the program supply.
#include "app/program/life/InstanceWindow.h"
#include "app/program/life/ProgramEntry.h"
#include "app/program/life/ProgramSteps.h"

#include <memory>

namespace pelorvant {

class cPelorvantMain final : public ProgramLife {
public:
    // The steps must outlive the application.
    explicit cPelorvantMain(ProgramSteps& steps) : steps_(steps) {}

    bool initFramework() override { return steps_.initFramework(); }
    // The start-up; once the main window is shown it does what later starts asked for
    // meanwhile (a raise; a hand-over makes this a start for an update).
    bool initInstance() override;
    // The message loop; when it ends while the main frame still exists, the orderly
    // shut-down runs then. While it runs, a termination signal ends it in order too.
    int run() override;
    int exitInstance() override;
    platform::services::InstanceRequests& instanceRequests(
        std::string_view titleWhileStarting) override;

    // The start-up chain; throws ExceptionExit where start-up cannot go on.
    void initApplication();

private:
    ProgramSteps& steps_;
    std::unique_ptr<InstanceWindow> instanceWindow_;
};

// The orderly shut-down, run by the main frame on WM_APP_TERMINATE: GPS receiver, timetable
// data, the settings' state, the INI store once more, then the main window closes.
void shutDownProgram(ProgramSteps& steps);

// The main frame's handling of a handed-over update request: the update check runs with
// startedForUpdate set, which is cleared again afterwards.
void handleUpdateHandOver(ProgramSteps& steps);

}  // namespace pelorvant
