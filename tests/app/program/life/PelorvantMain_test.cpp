#include "app/program/life/PelorvantMain.h"

#include "app/core/StartedForUpdate.h"
#include "app/shell/FatalError.h"
#include "platform/shell/MessageBox.h"
#include "tests/app/program/life/RecordingSteps.h"

#include <gtest/gtest.h>

namespace pelorvant {
namespace {

using testing::RecordingSteps;

class PelorvantMainTest : public ::testing::Test {
protected:
    void SetUp() override {
        setStartedForUpdate(false);
        platform::shell::setMessageBoxAnswerer([this](const platform::shell::MessageBoxRequest& box) {
            boxes.push_back(box);
            return 1;
        });
    }
    void TearDown() override {
        platform::shell::setMessageBoxAnswerer({});
        setMainFrameWindow(platform::kNullWindow);
        setStartedForUpdate(false);
    }
    RecordingSteps steps;
    cPelorvantMain app{steps};
    std::vector<platform::shell::MessageBoxRequest> boxes;
};

const std::vector<std::string> kStartUpToFrame{
    "showWaitCursor",   "createSettings",      "storeProgramFolder", "detectPlatform",
    "bindEngineLibrary", "createTimetableData", "registerImageNames", "loadLanguageLibrary",
    "createGpsReceiver", "setFrameworkRegistryKey", "createMainFrame"};

std::vector<std::string> followedBy(std::vector<std::string> first, const std::vector<std::string>& then) {
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

TEST_F(PelorvantMainTest, StartUpRunsEveryStepInOrderAndShowsTheSetChoice) {
    ASSERT_TRUE(app.initInstance());
    EXPECT_EQ(steps.calls, followedBy(kStartUpToFrame, {"showMainWindow", "isWizardFinished", "showTimetableSetChoice"}));
    EXPECT_EQ(mainFrameWindow(), steps.frame);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PelorvantMainTest, FirstStartShowsTheWizardAndAStartForAnUpdateChecks) {
    steps.wizardFinished = false;
    setStartedForUpdate(true);
    ASSERT_TRUE(app.initInstance());
    EXPECT_EQ(steps.calls,
              followedBy(kStartUpToFrame, {"showMainWindow", "isWizardFinished", "showFirstRunWizard", "startUpdateCheck"}));
}

TEST_F(PelorvantMainTest, ExceptionExitInAnyStartUpStepShowsTheFatalBoxAndFails) {
    for (const char* failing : {"storeProgramFolder", "bindEngineLibrary", "createGpsReceiver", "createMainFrame"}) {
        SCOPED_TRACE(failing);
        steps.calls.clear();
        boxes.clear();
        steps.failingStep = failing;
        EXPECT_FALSE(app.initInstance());
        EXPECT_EQ(steps.calls.back(), failing) << "nothing runs after the failing step";
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, u"Chyba při načítání knihovny Trasovnik.dll!\r\rProgram bude nyní ukončen.");
        EXPECT_EQ(boxes[0].caption, u"Chyba v programu");
        EXPECT_EQ(boxes[0].type, platform::shell::MB_OK);
    }
}

TEST_F(PelorvantMainTest, AStepThatHasShownItsOwnBoxEndsStartUpWithoutAnother) {
    steps.endingStep = "createTimetableData";
    EXPECT_FALSE(app.initInstance());
    EXPECT_EQ(steps.calls.back(), "createTimetableData");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PelorvantMainTest, AFrameThatCannotBeMadeFailsWithoutABox) {
    steps.frameIsMade = false;
    EXPECT_FALSE(app.initInstance());
    EXPECT_EQ(steps.calls, kStartUpToFrame);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(app.exitInstance(), 1);
    EXPECT_EQ(steps.calls.back(), "destroyMainWindow");
}

TEST_F(PelorvantMainTest, ShutDownRunsItsStepsInOrder) {
    shutDownProgram(steps);
    EXPECT_EQ(steps.calls, (std::vector<std::string>{"stopGpsReceiver", "destroyTimetableData", "saveState", "flushIni",
                                                     "closeMainWindow"}));
}

TEST_F(PelorvantMainTest, ALoopThatEndsWithoutTheShutDownRunsItAfterwards) {
    ASSERT_TRUE(app.initInstance());
    steps.calls.clear();
    app.run();
    EXPECT_EQ(steps.calls, (std::vector<std::string>{"runMessageLoop", "stopGpsReceiver", "destroyTimetableData",
                                                     "saveState", "flushIni", "closeMainWindow"}));
}

TEST_F(PelorvantMainTest, AfterTheOrderlyShutDownTheLoopEndsWithNothingMore) {
    struct ClosingSteps : RecordingSteps {
        int runMessageLoop() override {
            calls.push_back("runMessageLoop");
            platform::destroyWindow(frame);  // the shut-down closed the frame
            return 0;
        }
    } closing;
    cPelorvantMain closingApp{closing};
    ASSERT_TRUE(closingApp.initInstance());
    closing.calls.clear();
    closingApp.run();
    EXPECT_EQ(closing.calls, std::vector<std::string>{"runMessageLoop"});
}

TEST_F(PelorvantMainTest, AHandOverChecksForUpdatesWithTheFlagSetOnlyMeanwhile) {
    bool flagDuringCheck = false;
    struct FlagSteps : RecordingSteps {
        bool* seen;
        void startUpdateCheck() override { *seen = startedForUpdate(); }
    } flagSteps;
    flagSteps.seen = &flagDuringCheck;
    handleUpdateHandOver(flagSteps);
    EXPECT_TRUE(flagDuringCheck);
    EXPECT_FALSE(startedForUpdate());
}

}  // namespace
}  // namespace pelorvant
