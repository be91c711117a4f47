#include "app/program/life/PelorvantSteps.h"

#include "app/program/life/StandInFrame.h"
#include "app/shell/FatalError.h"
#include "platform/draw/Utf.h"
#include "platform/shell/MessageBox.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <cstdio>

namespace pelorvant {

PelorvantSteps::PelorvantSteps(platform::ui::DeviceProfile profile, int zoom,
                               ProgramFolders folders, SystemHooks& hooks, LaterParts later)
    : CoreSteps(std::move(folders), deviceFactsOf(profile), &hooks),
      profile_(std::move(profile)),
      zoom_(zoom),
      later_(std::move(later)) {}

PelorvantSteps::~PelorvantSteps() {
    if (backend_)
        platform::shell::stopMessageBoxRelay();
}

bool PelorvantSteps::initFramework() {
    platform::ui::setDeviceProfile(profile_);
    backend_ = std::make_unique<platform::backends::SdlBackend>(profile_, zoom_);
    if (!backend_->ok()) {
        std::fprintf(stderr, "pelorvant: %s\n", backend_->error().c_str());
        backend_.reset();
        return false;
    }
    platform::shell::startMessageBoxRelay();
    return true;
}

platform::WindowHandle PelorvantSteps::createMainFrame() {
    return later_.createMainFrame ? later_.createMainFrame(*this) : createStandInFrame(*this);
}

void PelorvantSteps::showMainWindow(platform::WindowHandle frame) {
    platform::ui::showWindow(frame, platform::ui::SW_SHOW);
}

void PelorvantSteps::raiseMainWindow() {
    CoreSteps::raiseMainWindow();
    if (backend_)
        backend_->raise();
}

std::string PelorvantSteps::mainWindowTitle() {
    return platform::draw::toUtf8(platform::ui::getWindowText(mainFrameWindow()));
}

}  // namespace pelorvant
