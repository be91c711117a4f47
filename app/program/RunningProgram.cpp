#include "app/program/RunningProgram.h"

#include "app/core/LanguageLibrary.h"
#include "app/core/TextConversion.h"
#include "app/core/life/ExceptionExit.h"
#include "app/core/life/FatalError.h"
#include "app/core/life/PelorvantMain.h"
#include "app/program/EngineStart.h"
#include "app/program/FirstUse.h"
#include "app/shell/ImageNameRegistry.h"
#include "app/shell/tabs/ViewTable.h"

#include "platform/controls/Controls.h"
#include "platform/core/MessageLoop.h"
#include "platform/resources/StringTable.h"
#include "platform/shell/MessageBox.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiLoop.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

namespace pelorvant {

namespace ui = platform::ui;
using platform::resources::loadResString;

namespace {

constexpr std::uint32_t kTextProgramTitle = 128;

}  // namespace

RunningProgram::RunningProgram(ProgramOptions options)
    : options_(std::move(options)), registry_(platform::services::makeFileRegistry(options_.configHome)) {}

RunningProgram::~RunningProgram() {
    // The frame with its tabs goes first: its views use the data and the settings.
    frame_.reset();
    setMainFrameWindow(platform::kNullWindow);
    if (shellSettings_) installShellSettings(previousShellSettings_);
}

bool RunningProgram::initFramework() {
    platform::controls::registerControlClasses();
    platform::shell::startMessageBoxRelay();
    return true;
}

int RunningProgram::runMessageLoop() {
    return options_.messageLoop ? options_.messageLoop() : ui::runMessageLoop();
}

void RunningProgram::shutFrameworkDown() { platform::shell::stopMessageBoxRelay(); }

void RunningProgram::createSettings() {
    settings_ = std::make_unique<AppSettings>();
    settings_->versionText = u"2.3.5 beta";
    settings_->buildNumber = 11;
    context_.settings = settings_.get();
}

void RunningProgram::storeProgramFolder() { settings_->programFolder = options_.programFolder; }

void RunningProgram::detectPlatform() {
    settings_->detectPlatform(options_.device);
    settings_->dataFolder = options_.dataFolder;
}

void RunningProgram::bindEngineLibrary() {
    std::u16string failure;
    context_.api = bindEngineForStartUp(options_.programFolder, failure);
    if (context_.api == nullptr) throw ExceptionExit(failure);
}

void RunningProgram::createTimetableData() {
    // A new user's empty data folder gets the sample before the engine scans it.
    installSampleTimetable(settings_->dataFolder, bundledSamplePath(options_.programFolder));
    data_ = std::make_unique<TimetableData>(*context_.api, *settings_, *registry_, notice_);
    context_.data = data_.get();
    // The engine's box has been shown; the program cannot go on without it.
    if (!data_->createEngine()) throw ExceptionExit(loadResString(279));
}

void RunningProgram::registerImageNames() { pelorvant::registerImageNames(); }

void RunningProgram::loadLanguageLibrary() {
    const EngineIni ini(*context_.api);
    pelorvant::loadLanguageLibrary(*settings_, options_.device, ini, *registry_, hooks_, notice_);
    if (!settings_->mainFont) settings_->createFonts();
    shellSettings_ = std::make_unique<AppShellSettings>(*settings_);
    previousShellSettings_ = installShellSettings(shellSettings_.get());
}

platform::WindowHandle RunningProgram::createMainFrame() {
    FrameCallbacks callbacks;
    callbacks.terminate = [this] { shutDownProgram(*this); };
    callbacks.updateHandOver = [this] { handleUpdateHandOver(*this); };
    frame_ = std::make_unique<cTabFrame>(context_, std::move(callbacks));
    frame_->createFrame(loadResString(kTextProgramTitle));
    return frame_->handle();
}

void RunningProgram::showMainWindow(platform::WindowHandle frame) {
    ui::showWindow(frame, ui::SW_SHOW);
    ui::updateWindow(frame);
}

bool RunningProgram::isWizardFinished() { return settings_->isWizardFinished; }

void RunningProgram::showTimetableSetChoice() {
    cTabPage* page = frame_ ? frame_->host().activePage() : nullptr;
    if (page == nullptr) return;
    page->showView(kViewSetChoice, -1);
    page->setChoice.LoadDefaultSet();
}

void RunningProgram::showFirstRunWizard() {
    // The first-run wizard comes with its own screen; until then the start is the set choice.
    showTimetableSetChoice();
}

void RunningProgram::destroyMainWindow() {
    frame_.reset();
    setMainFrameWindow(platform::kNullWindow);
}

std::string RunningProgram::mainWindowTitle() { return toUtf8(loadResString(kTextProgramTitle)); }

void RunningProgram::raiseMainWindow() {
    if (!frame_) return;
    ui::showWindow(frame_->handle(), ui::SW_SHOW);
    ui::bringWindowToTop(frame_->handle());
}

void RunningProgram::destroyTimetableData() {
    // The lists go; the object stays until the frame and its views are gone, which still
    // hold it until the message loop ends.
    if (data_) data_->clearHeaders();
}

void RunningProgram::saveState() {
    if (settings_ && context_.api) settings_->saveState(EngineIni(*context_.api), *registry_);
}

void RunningProgram::flushIni() {
    if (context_.api) EngineIni(*context_.api).flush();
}

void RunningProgram::closeMainWindow() {
    if (frame_ && frame_->handle() != platform::kNullWindow) {
        platform::sendMessage(frame_->handle(), ui::WM_CLOSE, 0, 0);
    }
}

}  // namespace pelorvant
