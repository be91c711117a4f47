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

PelorvantSteps::PelorvantSteps(platform::ui::DeviceProfile profile, ProgramFolders folders, SystemHooks& hooks,
                               LaterParts later)
    : CoreSteps(std::move(folders), deviceFactsOf(profile), &hooks),
      profile_(std::move(profile)),
      later_(std::move(later)) {}

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

void PelorvantSteps::shutFrameworkDown() {
    platform::shell::stopMessageBoxRelay();
    backend_.reset();
}

platform::WindowHandle PelorvantSteps::createMainFrame() {
    return later_.createMainFrame ? later_.createMainFrame(*this) : createStandInFrame(*this);
}

void PelorvantSteps::showMainWindow(platform::WindowHandle frame) {
    platform::ui::showWindow(frame, platform::ui::SW_SHOW);
}

std::string PelorvantSteps::mainWindowTitle() {
    return platform::draw::toUtf8(platform::ui::getWindowText(mainFrameWindow()));
}

}  // namespace pelorvant
