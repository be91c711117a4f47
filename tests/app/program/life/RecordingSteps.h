#pragma once
// Program steps that record their names in order, with a step that can be made to fail.
#include "app/core/ExceptionExit.h"
#include "app/program/life/ProgramSteps.h"
#include "platform/core/Window.h"

#include <string>
#include <vector>

namespace pelorvant::testing {

class RecordingSteps : public ProgramSteps {
public:
    std::vector<std::string> calls;
    // The step of this name throws ExceptionExit with the text of the missing engine library;
    // the step named by endingStep throws StartUpEnded.
    std::string failingStep;
    std::string endingStep;
    bool wizardFinished = true;
    platform::WindowHandle frame = platform::kNullWindow;
    bool frameIsMade = true;

    bool initFramework() override { return step("initFramework"), true; }
    int runMessageLoop() override { return step("runMessageLoop"), 0; }
    void showWaitCursor() override { step("showWaitCursor"); }
    void createSettings() override { step("createSettings"); }
    void storeProgramFolder() override { step("storeProgramFolder"); }
    void detectPlatform() override { step("detectPlatform"); }
    void bindEngineLibrary() override { step("bindEngineLibrary"); }
    void createTimetableData() override { step("createTimetableData"); }
    void registerImageNames() override { step("registerImageNames"); }
    void loadLanguageLibrary() override { step("loadLanguageLibrary"); }
    void createGpsReceiver() override { step("createGpsReceiver"); }
    void setFrameworkRegistryKey() override { step("setFrameworkRegistryKey"); }
    platform::WindowHandle createMainFrame() override {
        step("createMainFrame");
        if (!frameIsMade) return platform::kNullWindow;
        if (frame == platform::kNullWindow) frame = platform::createWindow([](auto...) { return platform::MsgResult{0}; });
        return frame;
    }
    void showMainWindow(platform::WindowHandle) override { step("showMainWindow"); }
    bool isWizardFinished() override { return step("isWizardFinished"), wizardFinished; }
    void showTimetableSetChoice() override { step("showTimetableSetChoice"); }
    void showFirstRunWizard() override { step("showFirstRunWizard"); }
    void startUpdateCheck() override { step("startUpdateCheck"); }
    void destroyMainWindow() override { step("destroyMainWindow"); }
    std::string mainWindowTitle() override { return step("mainWindowTitle"), "Pelorvant"; }
    void raiseMainWindow() override { step("raiseMainWindow"); }
    void stopGpsReceiver() override { step("stopGpsReceiver"); }
    void destroyTimetableData() override { step("destroyTimetableData"); }
    void saveState() override { step("saveState"); }
    void flushIni() override { step("flushIni"); }
    void closeMainWindow() override { step("closeMainWindow"); }

private:
    void step(const std::string& name) {
        calls.push_back(name);
        if (name == failingStep) throw ExceptionExit(kTextEngineLibraryMissing);
        if (name == endingStep) throw StartUpEnded();
    }
};

}  // namespace pelorvant::testing
