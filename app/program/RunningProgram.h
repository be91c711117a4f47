#pragma once
// The program's start-up and shut-down steps on the headless backend with given folders, for
// the scripted driver and the benchmarks: the shared steps (settings, engine, timetable data,
// language) that the program's own steps run too, and the shell's parts.
#include "app/core/DeviceFacts.h"
#include "app/core/GpsReceiver.h"
#include "app/program/ShellParts.h"
#include "app/program/life/CoreSteps.h"

#include "platform/services/gps/GpsSource.h"

#include <filesystem>
#include <functional>
#include <memory>

namespace pelorvant {

// The folders the program runs in, the device it runs on and its system hooks.
struct ProgramOptions : ProgramFolders {
    DeviceFacts device;
    // The updater's registration and the restart; null: hooks that do nothing (not owned).
    SystemHooks* hooks = nullptr;
    // Routes the engine's exports through the caller's own entry table (a driver that holds a
    // search, for one): given the bound table, returns the table the program is to use, which
    // the caller owns and keeps alive as long as the program runs. Empty: the bound table.
    std::function<const EngineApi&(const EngineApi& bound)> routeEngine;
    // The position source of the program's GPS receiver, made at the end of the start-up.
    // Empty: the program has no receiver (a view that needs one hears that it gave up).
    std::function<std::unique_ptr<platform::services::GpsSource>()> gpsSource;
};

class RunningProgram final : public CoreSteps {
public:
    explicit RunningProgram(ProgramOptions options);
    ~RunningProgram() override;

    bool initFramework() override;
    void registerImageNames() override;
    void bindEngineLibrary() override;
    void createGpsReceiver() override;
    platform::WindowHandle createMainFrame() override;
    void showMainWindow(platform::WindowHandle frame) override;
    void showTimetableSetChoice() override { shell_.showTimetableSetChoice(); }
    void showFirstRunWizard() override { shell_.showFirstRunWizard(); }
    void startUpdateCheck() override { shell_.startUpdateCheck(false); }
    void startHandedOverUpdateCheck() override { shell_.startUpdateCheck(true); }
    std::string mainWindowTitle() override;
    void stopGpsReceiver() override;
    void destroyTimetableData() override;

    // Null before the step that makes each.
    cTabFrame* frame() const { return shell_.frame(); }
    AppSettings* settings() { return context().settings; }

private:
    // Declared before the shell: the views reach the receiver until the frame is gone.
    std::unique_ptr<cGpsReceiver> gps_;
    ShellParts shell_;
    std::function<const EngineApi&(const EngineApi& bound)> routeEngine_;
    std::function<std::unique_ptr<platform::services::GpsSource>()> gpsSource_;
};

}  // namespace pelorvant
