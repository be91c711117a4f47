#pragma once
// The program's start-up and shut-down steps on the headless backend with given folders, for
// the scripted driver and the benchmarks: settings, engine, timetable data and language as
// the program's own steps make them, and the shell's parts.
#include "app/core/DeviceFacts.h"
#include "app/core/ProgramContext.h"
#include "app/core/life/ProgramSteps.h"
#include "app/program/BoxNotice.h"
#include "app/program/ShellParts.h"

#include "platform/services/registry/Registry.h"

#include <filesystem>
#include <memory>

namespace pelorvant {

struct ProgramOptions {
    std::filesystem::path programFolder;
    std::filesystem::path dataFolder;  // the INI store and the program's own timetables
    std::filesystem::path configHome;  // the per-user values ("Path", "Actualize")
    DeviceFacts device;
    // The updater's registration and the restart; null: hooks that do nothing (not owned).
    SystemHooks* hooks = nullptr;
};

class RunningProgram final : public ProgramSteps {
public:
    explicit RunningProgram(ProgramOptions options);
    ~RunningProgram() override;

    bool initFramework() override;
    int runMessageLoop() override;
    void shutFrameworkDown() override;
    void showWaitCursor() override {}
    void createSettings() override;
    void storeProgramFolder() override;
    void detectPlatform() override;
    void bindEngineLibrary() override;
    void createTimetableData() override;
    void registerImageNames() override;
    void loadLanguageLibrary() override;
    void createGpsReceiver() override {}
    void setFrameworkRegistryKey() override {}
    platform::WindowHandle createMainFrame() override;
    void showMainWindow(platform::WindowHandle frame) override;
    bool isWizardFinished() override { return settings_->isWizardFinished; }
    void showTimetableSetChoice() override { shell_.showTimetableSetChoice(); }
    void showFirstRunWizard() override { shell_.showFirstRunWizard(); }
    void startUpdateCheck() override {}
    void destroyMainWindow() override;
    std::string mainWindowTitle() override;
    void raiseMainWindow() override;
    void stopGpsReceiver() override {}
    void destroyTimetableData() override;
    void saveState() override;
    void flushIni() override;
    void closeMainWindow() override;

    // Null before the step that makes each.
    cTabFrame* frame() const { return shell_.frame(); }
    AppSettings* settings() const { return settings_.get(); }
    ProgramContext& context() { return context_; }

private:
    ProgramOptions options_;
    std::unique_ptr<platform::services::Registry> registry_;
    BoxNotice notice_;
    SystemHooks hooks_;
    std::unique_ptr<AppSettings> settings_;
    std::unique_ptr<TimetableData> data_;
    ProgramContext context_;
    ShellParts shell_;
};

}  // namespace pelorvant
