#include "app/program/life/StandInFrame.h"

#include "app/core/PrivateMessages.h"
#include "app/core/StartedForUpdate.h"
#include "platform/core/MessageLoop.h"
#include "platform/testkit/UiTestKit.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowTree.h"
#include "tests/app/program/life/RecordingSteps.h"

#include <gtest/gtest.h>

namespace pelorvant {
namespace {

class StandInFrameTest : public ::testing::Test {
protected:
    platform::testkit::UiTestKit kit;
    testing::RecordingSteps steps;
    platform::WindowHandle frame = createStandInFrame(steps);
};

TEST_F(StandInFrameTest, CarriesTheProgramsTitleOverTheWholeScreen) {
    ASSERT_NE(frame, platform::kNullWindow);
    EXPECT_EQ(platform::ui::getWindowText(frame), u"Pelorvant");
    EXPECT_EQ(platform::ui::getWindowRect(frame).width(), 240);
}

TEST_F(StandInFrameTest, TerminateRunsTheOrderlyShutDown) {
    platform::sendMessage(frame, WM_APP_TERMINATE);
    EXPECT_EQ(steps.calls, (std::vector<std::string>{"stopGpsReceiver", "destroyTimetableData", "saveState", "flushIni",
                                                     "closeMainWindow"}));
}

TEST_F(StandInFrameTest, AHandedOverRequestRunsTheUpdateCheck) {
    platform::sendMessage(frame, WM_UPDATE_HANDOVER);
    EXPECT_EQ(steps.calls, std::vector<std::string>{"startUpdateCheck"});
    EXPECT_FALSE(startedForUpdate());
}

TEST_F(StandInFrameTest, ClosingDestroysTheFrameAndEndsTheLoop) {
    platform::sendMessage(frame, platform::ui::WM_CLOSE);
    EXPECT_FALSE(platform::ui::isUiWindow(frame));
    platform::Message message;
    bool quit = false;
    while (platform::peekMessage(message)) quit = quit || message.message == platform::WM_QUIT;
    EXPECT_TRUE(quit);
}

}  // namespace
}  // namespace pelorvant
