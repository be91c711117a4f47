#pragma once
// A progress view on a recording tab page, over the real engine whose long operations the
// tests may replace, with message boxes answered and recorded.
#include "CoreTestSupport.h"

#include "app/core/PrivateMessages.h"
#include "app/core/TimetableData.h"
#include "app/screens/progress/ProgressFormView.h"
#include "app/screens/progress/TabServices.h"
#include "app/shell/FatalError.h"
#include "app/shell/ShellWindowClass.h"

#include "platform/core/Thread.h"
#include "platform/services/registry/Registry.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/ShellMessages.h"
#include "platform/testkit/UiTestKit.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowObject.h"
#include "platform/ui/WindowStyles.h"

#include <atomic>
#include <chrono>
#include <thread>
#include <string>
#include <thread>
#include <vector>

namespace pelorvant::testing {

// The tab page as the progress view sees it: records what it is asked.
class RecordingTab final : public platform::ui::WindowObject, public TabServices {
public:
    RecordingTab(ProgramContext& context, platform::WindowHandle frame) : frame(frame), progress(context) {
        create(shellCreateParams(platform::ui::WS_CHILD | platform::ui::WS_VISIBLE, {0, 0, 480, 588},
                                 frame, 1));
        progress.createProgressView(handle(), {0, 0, 480, 556});
    }
    ~RecordingTab() override { destroy(); }
    void showView(int viewId, int) override { views.push_back(viewId); }
    std::int32_t setIndex() const override { return set; }
    void setSetIndex(std::int32_t value) override { set = value; }
    void setTabTitle(std::u16string_view title) override { titles.emplace_back(title); }
    void setLoaded(std::int32_t value) override { loaded.push_back(value); }
    void showResults(std::int32_t id) override { results.push_back(id); }
    cProgressFormView& progressView() override { return progress; }

    platform::WindowHandle frame = platform::kNullWindow;
    std::int32_t set = -1;
    std::vector<int> views;
    std::vector<std::u16string> titles;
    std::vector<std::int32_t> loaded;
    std::vector<std::int32_t> results;
    cProgressFormView progress;
};

// The main frame stand-in: it counts the shut-down requests.
class CountingFrame final : public platform::ui::WindowObject {
public:
    CountingFrame() { create(shellCreateParams(platform::ui::WS_VISIBLE, {0, 0, 480, 640}, platform::kNullWindow, 0)); }
    ~CountingFrame() override { destroy(); }
    int terminations = 0;
    const platform::ui::MessageMapBase& messageMap() const override {
        static const auto map =
            platform::ui::MessageMap<CountingFrame>().message(WM_APP_TERMINATE, &CountingFrame::OnTerminate);
        return map;
    }

private:
    void OnTerminate() { ++terminations; }
};

class ProgressTest : public RealEngineTest {
protected:
    void SetUp() override {
        RealEngineTest::SetUp();
        fakeApi = RealEngineTest::api();
        registry = platform::services::makeFileRegistry(folder.path() / "config");
        data = std::make_unique<TimetableData>(fakeApi, settings, *registry, notice);
        context.settings = &settings;
        context.data = data.get();
        context.api = &fakeApi;
        context.registry = registry.get();
        counter = std::make_unique<CountingFrame>();
        frame = counter->handle();
        setMainFrameWindow(frame);
        platform::shell::setMessageBoxAnswerer([this](const platform::shell::MessageBoxRequest& r) {
            boxes.push_back(r.text);
            return static_cast<int>(platform::shell::IDOK);
        });
    }
    void TearDown() override {
        tab.reset();
        platform::shell::setMessageBoxAnswerer({});
        setMainFrameWindow(platform::kNullWindow);
        counter.reset();
    }
    void install(const std::filesystem::path& fixture, const std::string& name) {
        std::filesystem::copy_file(fixture, settings.dataFolder / name);
    }
    void makeTab() {
        data->loadHeaders();
        tab = std::make_unique<RecordingTab>(context, frame);
    }
    // Handles messages in real time until the test holds (the worker runs on its own), then
    // waits for the worker to end.
    template <typename Done>
    void pumpUntil(Done done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!done() && std::chrono::steady_clock::now() < deadline) {
            kit.pump();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        tab->progress.joinWorker();
        kit.pump();
    }
    // Handles messages until the operation ended.
    void waitIdle() {
        pumpUntil([this] { return settings.idle; });
    }
    std::unique_ptr<cLoadJob> loadJob(std::vector<std::int32_t> indexes) {
        auto job = std::make_unique<cLoadJob>();
        job->indexes = std::move(indexes);
        job->setIndex = tab->set;
        return job;
    }

    platform::testkit::UiTestKit kit{"480x640", platform::testkit::Text::Real};
    // A copy of the engine's exports, some of which a test replaces.
    EngineApi fakeApi;
    RecordingNotice notice;
    std::unique_ptr<platform::services::Registry> registry;
    std::unique_ptr<TimetableData> data;
    ProgramContext context;
    platform::WindowHandle frame = platform::kNullWindow;
    std::unique_ptr<CountingFrame> counter;
    std::vector<std::u16string> boxes;
    std::unique_ptr<RecordingTab> tab;
};

}  // namespace pelorvant::testing
