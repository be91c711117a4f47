#include "app/program/life/CoreSteps.h"

#include "app/core/FileUtils.h"
#include "app/core/Folders.h"
#include "app/core/LanguageLibrary.h"
#include "app/core/SettingsSetAside.h"
#include "app/shell/FatalError.h"
#include "platform/core/MessageLoop.h"
#include "platform/resources/StringTable.h"
#include "platform/ui/UiLoop.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

namespace pelorvant {

namespace ui = platform::ui;

namespace {
// The program's version as the About box shows it.
constexpr std::uint32_t kTextVersion = 12337;
}  // namespace

ProgramFolders usersProgramFolders() {
    return {getProgramFolder(), defaultDataFolder(), platform::services::defaultConfigHome()};
}

CoreSteps::CoreSteps(ProgramFolders folders, DeviceFacts device, SystemHooks* hooks)
    : folders_(std::move(folders)),
      device_(std::move(device)),
      registry_(platform::services::makeFileRegistry(folders_.configHome)) {
    context_.hooks = hooks != nullptr ? hooks : &noHooks_;
    context_.registry = registry_.get();
}

CoreSteps::~CoreSteps() = default;

// The backend is the idle wait of the thread's own loop while it lives.
int CoreSteps::runMessageLoop() { return ui::runMessageLoop(); }

void CoreSteps::createSettings() {
    settings_ = std::make_unique<AppSettings>();
    settings_->versionText = platform::resources::loadResString(kTextVersion);
    settings_->buildNumber = 11;
    context_.settings = settings_.get();
}

void CoreSteps::storeProgramFolder() {
    settings_->programFolder = folders_.programFolder;
    settings_->dataFolder = folders_.dataFolder;
}

void CoreSteps::detectPlatform() { settings_->detectPlatform(device_); }

void CoreSteps::bindEngineLibrary() {
    context_.api = &pelorvant::bindEngineLibrary(folders_.programFolder);
    ini_ = std::make_unique<EngineIni>(*context_.api);
}

void CoreSteps::createTimetableData() {
    data_ = std::make_unique<TimetableData>(*context_.api, *settings_, *registry_, notice_);
    context_.data = data_.get();
    // The engine's own box has told the user why.
    if (!data_->createEngine()) throw StartUpEnded();
}

void CoreSteps::loadLanguageLibrary() {
    if (!pelorvant::loadLanguageLibrary(*settings_, device_, *ini_, *registry_, *context_.hooks,
                                        notice_)) {
        throw StartUpEnded();
    }
    // In the user's language, which the settings give.
    tellOfSettingsSetAside(*ini_, notice_);
}

void CoreSteps::destroyMainWindow() { ui::destroyWindow(mainFrameWindow()); }

void CoreSteps::raiseMainWindow() {
    ui::showWindow(mainFrameWindow(), ui::SW_SHOW);
    ui::bringWindowToTop(mainFrameWindow());
}

void CoreSteps::saveState() {
    if (settings_ && ini_) settings_->saveState(*ini_, *registry_);
}

void CoreSteps::flushIni() {
    if (ini_) ini_->flush();
}

void CoreSteps::closeMainWindow() { platform::sendMessage(mainFrameWindow(), ui::WM_CLOSE, 0, 0); }

}  // namespace pelorvant
