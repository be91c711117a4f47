#pragma once
// The program, assembled once: the start-up and shut-down steps over the settings, the engine,
// the timetable data and the language library (CoreSteps), the one program context, the GPS
// receiver and the shell's main frame with its tabs. The program itself (main.cpp), the
// scripted driver, the tests and the benchmarks all run this; they differ only in what they
// pass in: the display, the folders, the system hooks, and the device sources behind the
// services' interfaces.
#include "app/core/DeviceFacts.h"
#include "app/core/GpsReceiver.h"
#include "app/program/ShellParts.h"
#include "app/program/life/CoreSteps.h"
#include "app/program/life/ProgramDisplay.h"

#include "platform/services/gps/GpsSource.h"

#include <filesystem>
#include <functional>
#include <memory>

namespace pelorvant {

// The folders the program runs in, the device it runs on, and what it is shown on and talks to.
struct ProgramOptions : ProgramFolders {
    DeviceFacts device;
    // The display the start-up opens (not owned); null: the caller has put the headless
    // backend in place.
    ProgramDisplay* display = nullptr;
    // The updater's registration and the restart; null: hooks that do nothing (not owned).
    SystemHooks* hooks = nullptr;
    // Routes the engine's exports through the caller's own entry table (a driver that holds a
    // search, for one): given the bound table, returns the table the program is to use, which
    // the caller owns and keeps alive as long as the program runs. Empty: the bound table.
    std::function<const EngineApi&(const EngineApi& bound)> routeEngine;
    // The position source of the program's GPS receiver, made at the end of the start-up
    // (gpsd for the program; it is opened only when a view asks for positions). Empty: the
    // program has no receiver (a view that needs one hears that it gave up).
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
    // The main frame, and the display's window with it, to the front.
    void raiseMainWindow() override;
    void stopGpsReceiver() override;
    void destroyTimetableData() override;

    // Null before the step that makes each.
    cTabFrame* frame() const { return shell_.frame(); }
    AppSettings* settings() { return context().settings; }

private:
    ProgramDisplay* display_;
    bool relayStarted_ = false;
    // Declared before the shell: the views reach the receiver until the frame is gone.
    std::unique_ptr<cGpsReceiver> gps_;
    ShellParts shell_;
    std::function<const EngineApi&(const EngineApi& bound)> routeEngine_;
    std::function<std::unique_ptr<platform::services::GpsSource>()> gpsSource_;
};

}  // namespace pelorvant
