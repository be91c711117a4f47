#pragma once
// The program's start-up and shut-down steps as the application runs them: settings, engine,
// timetable data, images, language, the main frame with its tabs, and the orderly end.
#include "app/core/DeviceFacts.h"
#include "app/core/ProgramContext.h"
#include "app/core/life/ProgramSteps.h"
#include "app/program/AppShellSettings.h"
#include "app/program/BoxNotice.h"
#include "app/shell/tabs/TabFrame.h"

#include "platform/services/registry/Registry.h"

#include <filesystem>
#include <functional>
#include <memory>

namespace pelorvant {

struct ProgramOptions {
    std::filesystem::path programFolder;
    std::filesystem::path dataFolder;   // the INI store and the program's own timetables
    std::filesystem::path configHome;   // the per-user values ("Path", "Actualize")
    DeviceFacts device;
    // The message loop of the backend in use; the platform's own loop when empty.
    std::function<int()> messageLoop;
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
    bool isWizardFinished() override;
    void showTimetableSetChoice() override;
    void showFirstRunWizard() override;
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
    cTabFrame* frame() const { return frame_.get(); }
    AppSettings* settings() const { return settings_.get(); }
    TimetableData* data() const { return data_.get(); }
    ProgramContext& context() { return context_; }

private:
    ProgramOptions options_;
    std::unique_ptr<platform::services::Registry> registry_;
    BoxNotice notice_;
    SystemHooks hooks_;
    std::unique_ptr<AppSettings> settings_;
    std::unique_ptr<AppShellSettings> shellSettings_;
    const ShellSettings* previousShellSettings_ = nullptr;
    std::unique_ptr<TimetableData> data_;
    ProgramContext context_;
    std::unique_ptr<cTabFrame> frame_;
};

}  // namespace pelorvant
