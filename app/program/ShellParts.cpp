#include "app/program/ShellParts.h"

#include "app/program/FirstUse.h"
#include "app/program/life/PelorvantMain.h"
#include "app/shell/FatalError.h"
#include "app/shell/ImageNameRegistry.h"
#include "app/shell/ViewTable.h"

#include "platform/resources/StringTable.h"
#include "platform/shell/MessageBox.h"

namespace pelorvant {

namespace {

constexpr std::uint32_t kTextProgramTitle = 128;
constexpr std::uint32_t kTextWarning = 344;

}  // namespace

ShellParts::~ShellParts() {
    if (context_ != nullptr)
        context_->loadedSets = nullptr;
    frame_.reset();
    if (shellSettings_) installShellSettings(previousShellSettings_);
}

platform::WindowHandle ShellParts::createMainFrame(ProgramSteps& steps, ProgramContext& context) {
    context_ = &context;
    AppSettings& settings = *context.settings;
    // A new user's empty data folder gets the sample before the set choice scans it.
    sampleFailed_ =
        installSampleTimetable(settings.dataFolder, bundledSamplePath(settings.programFolder)) ==
        SampleInstall::Failed;
    if (!settings.mainFont)
        settings.createFonts();
    shellSettings_ = std::make_unique<AppShellSettings>(settings);
    previousShellSettings_ = installShellSettings(shellSettings_.get());
    FrameCallbacks callbacks;
    callbacks.terminate = [&steps] { shutDownProgram(steps); };
    callbacks.updateHandOver = [&steps] { handleUpdateHandOver(steps); };
    frame_ = std::make_unique<cTabFrame>(context, std::move(callbacks));
    frame_->createFrame(platform::resources::loadResString(kTextProgramTitle));
    loadedSets_ = std::make_unique<TabLoadedSets>(frame_->host(), context);
    context.loadedSets = loadedSets_.get();
    return frame_->handle();
}

void ShellParts::showTimetableSetChoice() {
    cTabPage* page = frame_ ? frame_->host().activePage() : nullptr;
    if (page == nullptr) return;
    page->showView(kViewSetChoice, -1);
    tellSampleFailure();
    page->setChoice.LoadDefaultSet();
}

void ShellParts::showFirstRunWizard() {
    if (cTabPage* page = frame_ ? frame_->host().activePage() : nullptr)
        page->createWizard();
    tellSampleFailure();
}

void ShellParts::tellSampleFailure() {
    if (!sampleFailed_)
        return;
    sampleFailed_ = false;
    platform::shell::messageBox(mainFrameWindow(),
                                sampleNotCopiedText(context_->settings->dataFolder),
                                platform::resources::loadResString(kTextWarning),
                                platform::shell::MB_OK | platform::shell::MB_ICONWARNING);
}

void ShellParts::startUpdateCheck(bool handedOver) {
    cTabPage* page = frame_ ? frame_->host().activePage() : nullptr;
    if (page == nullptr) return;
    if (!handedOver) {
        page->searchForm.startProgress(0, -1);
        return;
    }
    if (page->currentViewId == kViewProgress) return;
    page->searchForm.startProgress(0, page->currentViewId);
}

}  // namespace pelorvant
