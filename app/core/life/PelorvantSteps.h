#pragma once
// The program's own start-up and shut-down steps: the SDL display, the settings, the engine,
// the timetable data and the language library; the parts that later pieces of the program
// supply (image names, GPS receiver, main frame, first views, update check) come in through
// LaterParts and do nothing, or make the stand-in frame, until they do.
#include "app/core/AppSettings.h"
#include "app/core/DeviceFacts.h"
#include "app/core/EngineBinding.h"
#include "app/core/EngineIni.h"
#include "app/core/TimetableData.h"
#include "app/core/life/ProgramSteps.h"
#include "app/core/life/ProgramSystemHooks.h"
#include "platform/backends/SdlBackend.h"
#include "platform/services/registry/Registry.h"
#include "platform/ui/DeviceProfile.h"

#include <functional>
#include <memory>

namespace pelorvant {

struct LaterParts {
    std::function<void()> registerImageNames;
    std::function<void()> createGpsReceiver;
    std::function<void()> stopGpsReceiver;
    // The main frame with its first tab; the stand-in frame when empty.
    std::function<platform::WindowHandle(ProgramSteps&)> createMainFrame;
    std::function<void()> showTimetableSetChoice;
    std::function<void()> showFirstRunWizard;
    std::function<void()> startUpdateCheck;
};

class PelorvantSteps final : public ProgramSteps {
public:
    PelorvantSteps(platform::ui::DeviceProfile profile, LaterParts later);
    ~PelorvantSteps() override;

    // Valid from createSettings, createTimetableData and bindEngineLibrary on; owned here and
    // kept for the life of the process.
    AppSettings& settings() { return *settings_; }
    TimetableData& timetableData() { return *data_; }
    // The updater's registration and the restart (owned; made with the settings).
    SystemHooks& hooks() { return *hooks_; }

    bool initFramework() override;
    int runMessageLoop() override;
    void shutFrameworkDown() override;
    void showWaitCursor() override {}
    void createSettings() override;
    void storeProgramFolder() override;
    void detectPlatform() override;
    void bindEngineLibrary() override;
    void createTimetableData() override;
    void registerImageNames() override { call(later_.registerImageNames); }
    void loadLanguageLibrary() override;
    void createGpsReceiver() override { call(later_.createGpsReceiver); }
    // The platform keeps no settings of its own; nothing to name.
    void setFrameworkRegistryKey() override {}
    platform::WindowHandle createMainFrame() override;
    void showMainWindow(platform::WindowHandle frame) override;
    bool isWizardFinished() override { return settings_->isWizardFinished; }
    void showTimetableSetChoice() override { call(later_.showTimetableSetChoice); }
    void showFirstRunWizard() override { call(later_.showFirstRunWizard); }
    void startUpdateCheck() override { call(later_.startUpdateCheck); }
    void destroyMainWindow() override;
    std::string mainWindowTitle() override;
    void raiseMainWindow() override;
    void stopGpsReceiver() override { call(later_.stopGpsReceiver); }
    void destroyTimetableData() override { data_.reset(); }
    void saveState() override;
    void flushIni() override;
    void closeMainWindow() override;

private:
    static void call(const std::function<void()>& step) {
        if (step) step();
    }

    platform::ui::DeviceProfile profile_;
    DeviceFacts device_;
    LaterParts later_;
    std::unique_ptr<platform::backends::SdlBackend> backend_;
    std::unique_ptr<platform::services::Registry> registry_;
    std::unique_ptr<AppSettings> settings_;
    std::unique_ptr<ProgramSystemHooks> hooks_;
    MessageBoxNotice notice_;
    const EngineApi* api_ = nullptr;
    std::unique_ptr<EngineIni> ini_;
    std::unique_ptr<TimetableData> data_;
};

}  // namespace pelorvant
