#include "app/program/RunningProgram.h"

#include "app/core/LanguageLibrary.h"
#include "app/core/TextConversion.h"
#include "app/core/life/FatalError.h"
#include "app/shell/ImageNameRegistry.h"

#include "platform/controls/Controls.h"
#include "platform/core/MessageLoop.h"
#include "platform/resources/StringTable.h"
#include "platform/shell/MessageBox.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiLoop.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

namespace pelorvant {

namespace ui = platform::ui;

RunningProgram::RunningProgram(ProgramOptions options)
    : options_(std::move(options)), registry_(platform::services::makeFileRegistry(options_.configHome)) {}

RunningProgram::~RunningProgram() { setMainFrameWindow(platform::kNullWindow); }

bool RunningProgram::initFramework() {
    platform::controls::registerControlClasses();
    platform::shell::startMessageBoxRelay();
    return true;
}

int RunningProgram::runMessageLoop() { return ui::runMessageLoop(); }

void RunningProgram::shutFrameworkDown() { platform::shell::stopMessageBoxRelay(); }

void RunningProgram::createSettings() {
    settings_ = std::make_unique<AppSettings>();
    settings_->versionText = u"2.3.5 beta";
    settings_->buildNumber = 11;
    context_.settings = settings_.get();
    context_.hooks = options_.hooks != nullptr ? options_.hooks : &hooks_;
}

void RunningProgram::storeProgramFolder() {
    settings_->programFolder = options_.programFolder;
    settings_->dataFolder = options_.dataFolder;
}

void RunningProgram::detectPlatform() { settings_->detectPlatform(options_.device); }

void RunningProgram::bindEngineLibrary() { context_.api = &pelorvant::bindEngineLibrary(options_.programFolder); }

void RunningProgram::createTimetableData() {
    data_ = std::make_unique<TimetableData>(*context_.api, *settings_, *registry_, notice_);
    context_.data = data_.get();
    // The engine's own box has told the user why.
    if (!data_->createEngine()) throw StartUpEnded();
}

void RunningProgram::registerImageNames() { pelorvant::registerImageNames(); }

void RunningProgram::loadLanguageLibrary() {
    pelorvant::loadLanguageLibrary(*settings_, options_.device, context_.ini(), *registry_, *context_.hooks, notice_);
}

platform::WindowHandle RunningProgram::createMainFrame() { return shell_.createMainFrame(*this, context_); }

void RunningProgram::showMainWindow(platform::WindowHandle frame) {
    ui::showWindow(frame, ui::SW_SHOW);
    ui::updateWindow(frame);
}

void RunningProgram::destroyMainWindow() { ui::destroyWindow(mainFrameWindow()); }

std::string RunningProgram::mainWindowTitle() {
    return toUtf8(platform::resources::loadResString(128));
}

void RunningProgram::raiseMainWindow() {
    ui::showWindow(mainFrameWindow(), ui::SW_SHOW);
    ui::bringWindowToTop(mainFrameWindow());
}

void RunningProgram::destroyTimetableData() {
    // The lists go; the object stays until the frame and its views are gone.
    if (data_) data_->clearHeaders();
}

void RunningProgram::saveState() {
    if (settings_ && context_.api) settings_->saveState(context_.ini(), *registry_);
}

void RunningProgram::flushIni() {
    if (context_.api) context_.ini().flush();
}

void RunningProgram::closeMainWindow() { platform::sendMessage(mainFrameWindow(), ui::WM_CLOSE, 0, 0); }

}  // namespace pelorvant
