#include "app/core/life/PelorvantSteps.h"

#include "app/core/FileUtils.h"
#include "app/core/Folders.h"
#include "app/core/LanguageLibrary.h"
#include "app/core/life/FatalError.h"
#include "app/core/life/StandInFrame.h"
#include "platform/core/MessageLoop.h"
#include "platform/draw/Utf.h"
#include "platform/shell/MessageBox.h"
#include "platform/ui/Screen.h"
#include "platform/ui/UiLoop.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <cstdio>

namespace pelorvant {

PelorvantSteps::PelorvantSteps(platform::ui::DeviceProfile profile, LaterParts later)
    : profile_(std::move(profile)), device_(deviceFactsOf(profile_)), later_(std::move(later)) {}

PelorvantSteps::~PelorvantSteps() = default;

bool PelorvantSteps::initFramework() {
    platform::ui::setDeviceProfile(profile_);
    backend_ = std::make_unique<platform::backends::SdlBackend>(profile_, 1);
    if (!backend_->ok()) {
        std::fprintf(stderr, "pelorvant: %s\n", backend_->error().c_str());
        backend_.reset();
        return false;
    }
    platform::shell::startMessageBoxRelay();
    return true;
}

// The backend is the idle wait of the thread's own loop while it lives.
int PelorvantSteps::runMessageLoop() { return platform::ui::runMessageLoop(); }

void PelorvantSteps::shutFrameworkDown() {
    platform::shell::stopMessageBoxRelay();
    backend_.reset();
}

void PelorvantSteps::createSettings() {
    settings_ = std::make_unique<AppSettings>();
    settings_->versionText = u"2.3.5 beta";
    settings_->buildNumber = 11;
    registry_ = platform::services::makeFileRegistry(platform::services::defaultConfigHome());
}

void PelorvantSteps::storeProgramFolder() {
    settings_->programFolder = getProgramFolder();
    settings_->dataFolder = defaultDataFolder();
    hooks_ = std::make_unique<ProgramSystemHooks>(settings_->programFolder);
}

void PelorvantSteps::detectPlatform() { settings_->detectPlatform(device_); }

void PelorvantSteps::bindEngineLibrary() {
    api_ = &pelorvant::bindEngineLibrary(settings_->programFolder);
    ini_ = std::make_unique<EngineIni>(*api_);
}

void PelorvantSteps::createTimetableData() {
    data_ = std::make_unique<TimetableData>(*api_, *settings_, *registry_, notice_);
    // The engine's own box has told the user why.
    if (!data_->createEngine()) throw StartUpEnded();
}

void PelorvantSteps::loadLanguageLibrary() {
    pelorvant::loadLanguageLibrary(*settings_, device_, *ini_, *registry_, *hooks_, notice_);
}

platform::WindowHandle PelorvantSteps::createMainFrame() {
    return later_.createMainFrame ? later_.createMainFrame(*this) : createStandInFrame(*this);
}

void PelorvantSteps::showMainWindow(platform::WindowHandle frame) {
    platform::ui::showWindow(frame, platform::ui::SW_SHOW);
}

void PelorvantSteps::destroyMainWindow() { platform::ui::destroyWindow(mainFrameWindow()); }

std::string PelorvantSteps::mainWindowTitle() {
    return platform::draw::toUtf8(platform::ui::getWindowText(mainFrameWindow()));
}

void PelorvantSteps::raiseMainWindow() {
    platform::ui::showWindow(mainFrameWindow(), platform::ui::SW_SHOW);
    platform::ui::bringWindowToTop(mainFrameWindow());
}

void PelorvantSteps::saveState() { settings_->saveState(*ini_, *registry_); }

void PelorvantSteps::flushIni() { ini_->flush(); }

void PelorvantSteps::closeMainWindow() { platform::sendMessage(mainFrameWindow(), platform::ui::WM_CLOSE); }

}  // namespace pelorvant
