#include "app/core/FileUtils.h"
#include "app/program/RunningProgram.h"
#include "app/program/life/PelorvantMain.h"
#include "app/program/tabs/TabHost.h"

#include "platform/shell/MessageBox.h"
#include "platform/shell/ShellMessages.h"
#include "platform/testkit/UiTestKit.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowTree.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <filesystem>

namespace pelorvant {
namespace {

namespace fs = std::filesystem;

// The whole program on the sample, with two tabs.
class TabHostIdleTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tabidle-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root = pattern;
        platform::shell::setMessageBoxAnswerer([this](const platform::shell::MessageBoxRequest& r) {
            boxes.push_back(r.text);
            return static_cast<int>(platform::shell::IDNO);
        });
        ProgramOptions options;
        options.programFolder = fs::path(TRASA_PROGRAM_DIR);
        options.dataFolder = root / "data";
        options.configHome = root / "config";
        options.device = deviceFactsOf(platform::ui::deviceProfile());
        program = std::make_unique<RunningProgram>(options);
        app = std::make_unique<cPelorvantMain>(*program);
        program->initFramework();
        ASSERT_TRUE(app->initInstance());
        // The sample, the only timetable, loads by itself on a worker.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!program->settings()->idle && std::chrono::steady_clock::now() < deadline) {
            kit.pump();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        kit.pump();
        host().addTabByUser();
        kit.pump();
        boxes.clear();
        ASSERT_EQ(host().tabCount(), 2);
    }
    void TearDown() override {
        app.reset();
        program.reset();
        platform::shell::setMessageBoxAnswerer({});
        fs::remove_all(root);
    }
    cTabHost& host() { return program->frame()->host(); }

    platform::testkit::UiTestKit kit{"480x640", platform::testkit::Text::Real};
    fs::path root;
    std::vector<std::u16string> boxes;
    std::unique_ptr<RunningProgram> program;
    std::unique_ptr<cPelorvantMain> app;
};

TEST_F(TabHostIdleTest, WhileALoadRunsTabsAreNeitherSwitchedAddedNorClosed) {
    ASSERT_EQ(host().tabCount(), 2);
    ASSERT_EQ(host().activeIndex, 1);
    program->settings()->idle = false;
    kit.tap(platform::draw::Point{20, 12});
    host().addTabByUser();
    host().CloseActiveTab();
    EXPECT_EQ(host().activeIndex, 1);
    EXPECT_EQ(host().tabCount(), 2);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(platform::ui::isWindowVisible(host().pages[1]->handle()));
    EXPECT_FALSE(platform::ui::isWindowVisible(host().pages[0]->handle()));
    program->settings()->idle = true;
    kit.tap(platform::draw::Point{20, 12});
    EXPECT_EQ(host().activeIndex, 0);
}

TEST_F(TabHostIdleTest, ARenamedTabShortensItsTitleWhenTheRowIsFull) {
    host().SetActiveTabTitle(u"Velmi dlouhý název jízdního řádu, který se do záhlaví nevejde celý");
    const cTabStrip& header = *host().headers[1];
    EXPECT_LT(header.width, header.naturalWidth);
    ASSERT_GE(header.shownText.size(), 2u);
    EXPECT_EQ(header.shownText.substr(header.shownText.size() - 2), u"..");
    EXPECT_LE(host().nextTabX + host().addButtonSize, platform::ui::getClientRect(host().handle()).width());
}

}  // namespace
}  // namespace pelorvant
