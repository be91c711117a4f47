#pragma once
// The program's start-up and shut-down steps on the headless backend with given folders, for
// the scripted driver and the benchmarks: the shared steps (settings, engine, timetable data,
// language) that the program's own steps run too, and the shell's parts.
#include "app/core/DeviceFacts.h"
#include "app/core/life/CoreSteps.h"
#include "app/program/ShellParts.h"

#include <filesystem>
#include <memory>

namespace pelorvant {

// The folders the program runs in, the device it runs on and its system hooks.
struct ProgramOptions : ProgramFolders {
    DeviceFacts device;
    // The updater's registration and the restart; null: hooks that do nothing (not owned).
    SystemHooks* hooks = nullptr;
};

class RunningProgram final : public CoreSteps {
public:
    explicit RunningProgram(ProgramOptions options);
    ~RunningProgram() override;

    bool initFramework() override;
    void shutFrameworkDown() override;
    void registerImageNames() override;
    void createGpsReceiver() override {}
    platform::WindowHandle createMainFrame() override;
    void showMainWindow(platform::WindowHandle frame) override;
    void showTimetableSetChoice() override { shell_.showTimetableSetChoice(); }
    void showFirstRunWizard() override { shell_.showFirstRunWizard(); }
    void startUpdateCheck() override { shell_.startUpdateCheck(false); }
    void startHandedOverUpdateCheck() override { shell_.startUpdateCheck(true); }
    std::string mainWindowTitle() override;
    void stopGpsReceiver() override {}
    void destroyTimetableData() override;

    // Null before the step that makes each.
    cTabFrame* frame() const { return shell_.frame(); }
    AppSettings* settings() { return context().settings; }

private:
    ShellParts shell_;
};

}  // namespace pelorvant
