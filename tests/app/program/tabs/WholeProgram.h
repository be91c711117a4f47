#pragma once
// The whole program on the headless backend in a fresh temporary home, started as on first use:
// the bundled sample, the only timetable, loads by itself. Message boxes are answered "No" and
// recorded.
#include "app/program/RunningProgram.h"
#include "app/program/life/PelorvantMain.h"

#include "platform/shell/MessageBox.h"
#include "platform/shell/ShellMessages.h"
#include "platform/testkit/UiTestKit.h"
#include "platform/ui/Screen.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace pelorvant::testing {

class WholeProgram : public ::testing::Test {
protected:
    explicit WholeProgram(const char* profile) : kit(profile, platform::testkit::Text::Real) {}
    void SetUp() override {
        namespace fs = std::filesystem;
        std::string pattern = (fs::temp_directory_path() / "wholeprogram-XXXXXX").string();
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
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!program->settings()->idle && std::chrono::steady_clock::now() < deadline) {
            kit.pump();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        kit.pump();
    }
    void TearDown() override {
        app.reset();
        program.reset();
        platform::shell::setMessageBoxAnswerer({});
        std::filesystem::remove_all(root);
    }

    platform::testkit::UiTestKit kit;
    std::filesystem::path root;
    std::vector<std::u16string> boxes;
    std::unique_ptr<RunningProgram> program;
    std::unique_ptr<cPelorvantMain> app;
};

}  // namespace pelorvant::testing
