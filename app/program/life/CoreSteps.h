#pragma once
// The start-up and shut-down steps every way of running the program shares, whatever its
// display: the settings, the engine, the timetable data and the language library in the given
// folders, the state saved at the end, and the main window's common handling. The display, the
// main frame and the other parts come from the subclass.
#include "app/core/AppSettings.h"
#include "app/core/DeviceFacts.h"
#include "app/core/EngineBinding.h"
#include "app/core/EngineIni.h"
#include "app/core/ProgramContext.h"
#include "app/core/SystemHooks.h"
#include "app/core/TimetableData.h"
#include "app/program/life/ProgramSteps.h"
#include "app/program/life/ProgramSystemHooks.h"
#include "platform/services/registry/Registry.h"

#include <filesystem>
#include <memory>

namespace pelorvant {

struct ProgramFolders {
    std::filesystem::path programFolder;
    std::filesystem::path dataFolder;  // the INI store and the program's own timetables
    std::filesystem::path configHome;  // the per-user values ("Path", "Actualize")
};

// The folders of the user's own program: beside the executable, under the XDG data and
// configuration homes.
ProgramFolders usersProgramFolders();

class CoreSteps : public ProgramSteps {
public:
    // hooks: the updater's registration and the restart (not owned); null: hooks that do nothing.
    CoreSteps(ProgramFolders folders, DeviceFacts device, SystemHooks* hooks);
    ~CoreSteps() override;

    int runMessageLoop() override;
    void showWaitCursor() override {}
    void createSettings() override;
    void storeProgramFolder() override;
    void detectPlatform() override;
    void bindEngineLibrary() override;
    void createTimetableData() override;
    void loadLanguageLibrary() override;
    // The platform keeps no settings of its own; nothing to name.
    void setFrameworkRegistryKey() override {}
    bool isWizardFinished() override { return context_.settings->isWizardFinished; }
    void destroyMainWindow() override;
    void raiseMainWindow() override;
    void saveState() override;
    void flushIni() override;
    void closeMainWindow() override;

    // The settings, the data, the engine and the hooks; each null before the step that makes it.
    ProgramContext& context() { return context_; }

private:
    ProgramFolders folders_;
    DeviceFacts device_;
    SystemHooks noHooks_;
    std::unique_ptr<platform::services::Registry> registry_;
    MessageBoxNotice notice_;
    std::unique_ptr<AppSettings> settings_;
    std::unique_ptr<EngineIni> ini_;
    std::unique_ptr<TimetableData> data_;
    ProgramContext context_;
};

}  // namespace pelorvant
