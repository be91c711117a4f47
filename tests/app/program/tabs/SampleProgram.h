#pragma once
// The whole program on the bundled sample, headless at 480x640 with real fonts, started and
// idle once the sample has loaded; message boxes are recorded and answered No.
#include "app/program/RunningProgram.h"
#include "app/program/life/PelorvantMain.h"
#include "app/program/tabs/TabFrame.h"
#include "app/program/tabs/TabHost.h"

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

namespace pelorvant {

class SampleProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        namespace fs = std::filesystem;
        std::string pattern = (fs::temp_directory_path() / "sampleprogram-XXXXXX").string();
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
        waitIdle();
        boxes.clear();
    }
    void TearDown() override {
        app.reset();
        program.reset();
        platform::shell::setMessageBoxAnswerer({});
        std::filesystem::remove_all(root);
    }
    cTabHost& host() { return program->frame()->host(); }
    // Pumps until no load or search runs (at most half a minute).
    void waitIdle() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!program->settings()->idle && std::chrono::steady_clock::now() < deadline) {
            kit.pump();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        kit.pump();
    }

    platform::testkit::UiTestKit kit{"480x640", platform::testkit::Text::Real};
    std::filesystem::path root;
    std::vector<std::u16string> boxes;
    std::unique_ptr<RunningProgram> program;
    std::unique_ptr<cPelorvantMain> app;
};

}  // namespace pelorvant
