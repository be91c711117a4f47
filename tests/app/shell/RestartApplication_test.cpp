#include "app/shell/RestartApplication.h"

#include "platform/shell/ShellMessages.h"

#include <gtest/gtest.h>

#include <optional>

namespace pelorvant {
namespace {

using platform::services::ProcessLauncherDouble;

class RestartTest : public ::testing::Test {
protected:
    ProcessLauncherDouble launcher;
    std::vector<std::u16string> questions;
    int answer = platform::shell::IDYES;
    std::optional<int> exitedWith;
    RestartServices services{
        launcher,
        "/opt/trasa/pelorvant",
        [this](platform::WindowHandle, std::u16string_view text, std::u16string_view caption) {
            questions.push_back(std::u16string(text) + u"|" + std::u16string(caption));
            return answer;
        },
        [this](int code) { exitedWith = code; },
        u"Pelorvant",
        {}};
};

TEST_F(RestartTest, YesStartsTheProgramWithRestartAndEndsWithZero) {
    EXPECT_TRUE(restartApplication(u"Restartovat?", platform::kNullWindow, false, services));
    EXPECT_EQ(questions, std::vector<std::u16string>{u"Restartovat?|Pelorvant"});
    ASSERT_EQ(launcher.starts.size(), 1u);
    EXPECT_EQ(launcher.starts[0].program, "/opt/trasa/pelorvant");
    EXPECT_EQ(launcher.starts[0].args, std::vector<std::string>{"restart"});
    EXPECT_EQ(exitedWith, 0);
}

TEST_F(RestartTest, TheNewProcessGetsTheOptionsThisOneWasStartedWith) {
    services.options = {"--profile=480x640", "--zoom=2"};
    EXPECT_TRUE(restartApplication(u"", platform::kNullWindow, true, services));
    ASSERT_EQ(launcher.starts.size(), 1u);
    EXPECT_EQ(launcher.starts[0].args,
              (std::vector<std::string>{"--profile=480x640", "--zoom=2", "restart"}));
}

TEST_F(RestartTest, NoOrAClosedBoxDoesNothing) {
    for (int reply : {static_cast<int>(platform::shell::IDNO), 0}) {
        answer = reply;
        EXPECT_FALSE(restartApplication(u"Restartovat?", platform::kNullWindow, false, services));
    }
    EXPECT_TRUE(launcher.starts.empty());
    EXPECT_FALSE(exitedWith);
}

TEST_F(RestartTest, ForceRestartsWithoutAsking) {
    EXPECT_TRUE(restartApplication(u"", platform::kNullWindow, true, services));
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(launcher.starts.size(), 1u);
    EXPECT_EQ(exitedWith, 0);
}

TEST_F(RestartTest, WhenTheNewProcessCannotStartThisOneKeepsRunning) {
    launcher.succeeds = false;
    EXPECT_FALSE(restartApplication(u"", platform::kNullWindow, true, services));
    EXPECT_FALSE(exitedWith);
}

}  // namespace
}  // namespace pelorvant
