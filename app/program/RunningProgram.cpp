#include "app/program/RunningProgram.h"

#include "app/core/TextConversion.h"
#include "app/shell/FatalError.h"
#include "app/shell/ImageNameRegistry.h"

#include "platform/controls/Controls.h"
#include "platform/resources/StringTable.h"
#include "platform/shell/MessageBox.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

namespace pelorvant {

namespace ui = platform::ui;

RunningProgram::RunningProgram(ProgramOptions options)
    : CoreSteps(options, options.device, options.hooks),
      routeEngine_(std::move(options.routeEngine)),
      gpsSource_(std::move(options.gpsSource)) {}

RunningProgram::~RunningProgram() { setMainFrameWindow(platform::kNullWindow); }

bool RunningProgram::initFramework() {
    platform::controls::registerControlClasses();
    platform::shell::startMessageBoxRelay();
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

std::string RunningProgram::mainWindowTitle() { return toUtf8(platform::resources::loadResString(128)); }

void RunningProgram::destroyTimetableData() {
    // The lists go; the object stays until the frame and its views are gone.
    if (context().data != nullptr) context().data->clearHeaders();
}

}  // namespace pelorvant
