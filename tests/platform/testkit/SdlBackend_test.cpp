// The SDL backend started once under a private X server, showing the demo; what its window
// shows must equal the headless backend's screen. Skipped when no X server can be started.

#include "platform/backends/demo/DemoWindow.h"
#include "platform/testkit/ImageCompare.h"
#include "platform/testkit/PrivateXServer.h"
#include "platform/testkit/UiTestKit.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#ifdef TRASA_UI_DEMO

namespace platform::testkit {
namespace {

TEST(SdlBackend, ShowsTheSameDemoScreenAsTheHeadlessBackend) {
    PrivateXServer x;
    if (x.display().empty()) {
        GTEST_SKIP() << "no X server could be started";
    }
    const std::string shot = ::testing::TempDir() + "/sdl_demo.png";
    // The display libraries keep memory until exit that no program can free.
    const std::string command = "DISPLAY=" + x.display() + " ASAN_OPTIONS=detect_leaks=0 '" +
                                TRASA_UI_DEMO +
                                "' --profile=240x320 --zoom=2 --run-ms=400 --screenshot=" + shot;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    UiTestKit kit("240x320", Text::Real);
    demo::createDemoWindow();
    const draw::Bitmap& headless = kit.screenshot();
    const draw::Bitmap sdl = draw::Bitmap::loadPng(shot);
    std::filesystem::remove(shot);
    const ImageDifference d = compareImages(headless, sdl, 8);
    EXPECT_TRUE(d.sameSize);
    EXPECT_EQ(d.differing, 0);
}

// The shell's screens, with their menu bars: the SDL window must show what the same program
// draws on the headless backend.
TEST(SdlBackend, ShowsTheShellScreensAsTheHeadlessBackendDoes) {
    PrivateXServer x;
    if (x.display().empty()) {
        GTEST_SKIP() << "no X server could be started";
    }
    const std::string demo = std::string("ASAN_OPTIONS=detect_leaks=0 '") + TRASA_UI_DEMO + "'";
    struct Case {
        const char* screen;
        const char* profile;
    };
    const Case cases[] = {
        {"controls", "240x320"}, {"calendar", "240x320"}, {"controls", "480x640"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.screen) + " " + c.profile);
        const std::string base = ::testing::TempDir() + "/sdl_" + c.screen + "_" + c.profile;
        const std::string options =
            std::string(" --profile=") + c.profile + " --screen=" + c.screen + " --run-ms=400";
        const std::string sdlRun = "DISPLAY=" + x.display() + " " + demo + options +
                                   " --zoom=1 --screenshot=" + base + "_sdl.png";
        const std::string headlessRun = demo + options + " --headless=" + base + "_headless.png";
        ASSERT_EQ(std::system(sdlRun.c_str()), 0) << sdlRun;
        ASSERT_EQ(std::system(headlessRun.c_str()), 0) << headlessRun;
        const draw::Bitmap sdl = draw::Bitmap::loadPng(base + "_sdl.png");
        const draw::Bitmap headless = draw::Bitmap::loadPng(base + "_headless.png");
        std::filesystem::remove(base + "_sdl.png");
        std::filesystem::remove(base + "_headless.png");
        const ImageDifference d = compareImages(headless, sdl, 8);
        EXPECT_TRUE(d.sameSize);
        EXPECT_GT(headless.width(), 0);
        EXPECT_EQ(d.differing, 0);
    }
}

TEST(SdlBackend, DemoRefusesAScreenItDoesNotKnow) {
    const std::string run =
        std::string("'") + TRASA_UI_DEMO + "' --screen=nonsense --headless=/dev/null 2>/dev/null";
    const int status = std::system(run.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
}

}  // namespace
}  // namespace platform::testkit

#endif
