#include "app/program/life/PelorvantMain.h"

#include "app/core/ExceptionExit.h"
#include "app/core/StartedForUpdate.h"
#include "app/program/life/OrderlyEndOnSignals.h"
#include "app/shell/FatalError.h"
#include "platform/core/Window.h"
#include "platform/resources/StringTable.h"

namespace pelorvant {

void cPelorvantMain::initApplication() {
    steps_.storeProgramFolder();
    steps_.detectPlatform();
    steps_.bindEngineLibrary();
    steps_.createTimetableData();
    steps_.registerImageNames();
    steps_.loadLanguageLibrary();
    steps_.createGpsReceiver();
}

bool cPelorvantMain::initInstance() {
    steps_.showWaitCursor();
    steps_.createSettings();
    try {
        initApplication();
    } catch (const ExceptionExit& failure) {
        ShowFatalError(platform::resources::loadResString(failure.textId()), platform::kNullWindow, false);
        return false;
    } catch (const StartUpEnded&) {
        return false;
    }
    steps_.setFrameworkRegistryKey();
    platform::WindowHandle frame = platform::kNullWindow;
    try {
        frame = steps_.createMainFrame();
    } catch (const ExceptionExit& failure) {
        ShowFatalError(platform::resources::loadResString(failure.textId()), platform::kNullWindow, false);
        return false;
    }
    if (frame == platform::kNullWindow) return false;
    setMainFrameWindow(frame);
    steps_.showMainWindow(frame);
    if (instanceWindow_) {
        const AskedWhileStarting asked = instanceWindow_->mainWindowShown();
        if (asked.raise)
            steps_.raiseMainWindow();
        if (asked.handOver)
            setStartedForUpdate(true);
    }
    if (steps_.isWizardFinished()) {
        steps_.showTimetableSetChoice();
    } else {
        steps_.showFirstRunWizard();
    }
    if (startedForUpdate()) steps_.startUpdateCheck();
    return true;
}

int cPelorvantMain::run() {
    int result = 0;
    {
        const OrderlyEndOnSignals signals;
        result = steps_.runMessageLoop();
    }
    // The loop may end without the orderly shut-down (the display's window was closed): the
    // frame is then still there, and the shut-down runs now so the settings are kept.
    if (platform::isWindow(mainFrameWindow())) shutDownProgram(steps_);
    setMainFrameWindow(platform::kNullWindow);
    if (instanceWindow_) instanceWindow_->closeWindow();
    return result;
}

int cPelorvantMain::exitInstance() {
    steps_.destroyMainWindow();
    setMainFrameWindow(platform::kNullWindow);
    // A start that failed is no success for whoever started the program.
    return 1;
}

platform::services::InstanceRequests& cPelorvantMain::instanceRequests(
    std::string_view titleWhileStarting) {
    if (!instanceWindow_)
        instanceWindow_ = std::make_unique<InstanceWindow>(steps_, std::string(titleWhileStarting));
    return *instanceWindow_;
}

void shutDownProgram(ProgramSteps& steps) {
    steps.stopGpsReceiver();
    steps.destroyTimetableData();
    steps.saveState();
    steps.flushIni();
    steps.closeMainWindow();
}

void handleUpdateHandOver(ProgramSteps& steps) {
    setStartedForUpdate(true);
    steps.startHandedOverUpdateCheck();
    setStartedForUpdate(false);
}

}  // namespace pelorvant
