#include "app/program/RunningProgram.h"

#include "app/shell/FatalError.h"
#include "app/shell/ImageNameRegistry.h"

#include "platform/controls/Controls.h"
#include "platform/draw/Utf.h"
#include "platform/shell/MessageBox.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

namespace pelorvant {

namespace ui = platform::ui;

RunningProgram::RunningProgram(ProgramOptions options)
    : CoreSteps(options, options.device, options.hooks),
      display_(options.display),
      routeEngine_(std::move(options.routeEngine)),
      gpsSource_(std::move(options.gpsSource)) {}

RunningProgram::~RunningProgram() {
    setMainFrameWindow(platform::kNullWindow);
    if (relayStarted_)
        platform::shell::stopMessageBoxRelay();
}

bool RunningProgram::initFramework() {
    if (display_ != nullptr && !display_->open())
        return false;
    platform::controls::registerControlClasses();
    platform::shell::startMessageBoxRelay();
    relayStarted_ = true;
    return true;
}

void RunningProgram::registerImageNames() { pelorvant::registerImageNames(); }

void RunningProgram::bindEngineLibrary() {
    CoreSteps::bindEngineLibrary();
    if (routeEngine_) context().api = &routeEngine_(*context().api);
}

void RunningProgram::createGpsReceiver() {
    if (!gpsSource_)
        return;
    gps_ = std::make_unique<cGpsReceiver>(gpsSource_());
    context().gps = gps_.get();
}

void RunningProgram::stopGpsReceiver() {
    if (gps_)
        gps_->stop();
}

platform::WindowHandle RunningProgram::createMainFrame() { return shell_.createMainFrame(*this, context()); }

void RunningProgram::showMainWindow(platform::WindowHandle frame) {
    ui::showWindow(frame, ui::SW_SHOW);
    ui::updateWindow(frame);
}

void RunningProgram::raiseMainWindow() {
    CoreSteps::raiseMainWindow();
    if (display_ != nullptr)
        display_->raise();
}

std::string RunningProgram::mainWindowTitle() {
    return platform::draw::toUtf8(ui::getWindowText(mainFrameWindow()));
}

void RunningProgram::destroyTimetableData() {
    // The lists go; the object stays until the frame and its views are gone.
    if (context().data != nullptr) context().data->clearHeaders();
}

}  // namespace pelorvant
