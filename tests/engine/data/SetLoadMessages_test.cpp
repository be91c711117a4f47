// The messages of a set load, sent to a window that lives on another thread: they arrive on
// that thread, in the loader's order, one at a time while the loader waits, with
// WM_ENGINE_START before every file but the first; a cancel from that window stops the load.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>

#include "engine/data/EngineException.h"
#include "engine/data/LoadObserver.h"
#include "engine/data/TimetableFile.h"
#include "platform/core/Event.h"
#include "platform/core/MessageIds.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/QueueWatch.h"
#include "platform/core/Thread.h"
#include "platform/core/Window.h"
#include "tests/engine/EngineMessageWindow.h"
#include "tests/engine/data/SetTestFiles.h"

namespace trasovnik::testing {
namespace {

using Received = EngineMessage;
using Loop = EngineMessageWindow::Loop;

// What reading the file alone reports.
std::vector<int> progressOfReading(const std::string& path) {
    struct : LoadObserver {
        std::vector<int> seen;
        void progress(int percent) override { seen.push_back(percent); }
    } observer;
    EXPECT_TRUE(loadTimetableFile(path, observer));
    return observer.seen;
}

class SetLoadMessagesTest : public SetFixture {
protected:
    void SetUp() override {
        addFile("a", setFile("Alfa", 1, 0, 100));
        addFile("b", setFile("Beta", 2, 0, 200));
        addFile("c", setFile("Gama", 3, 0, 300));
        makeEngine();
    }

    // The messages a load of the three files sends, each on thread `ui`.
    std::vector<Received> expectedForAll(platform::ThreadId ui) {
        std::vector<Received> out;
        for (std::size_t f = 0; f < 3; ++f) {
            if (f > 0) {
                out.push_back({platform::WM_ENGINE_START,
                               static_cast<std::uintptr_t>(indexOf(f == 1 ? "Beta" : "Gama")), ui});
            }
            for (const int p : progressOfReading(paths[f])) {
                out.push_back({platform::WM_ENGINE_PROGRESS, static_cast<std::uintptr_t>(p), ui});
            }
        }
        return out;
    }
};

TEST_F(SetLoadMessagesTest, MessagesArriveOnTheOwnerThreadInOrderWhileTheLoaderWaits) {
    EngineMessageWindow ui({}, Loop::Stepped);
    std::atomic<bool> done{false};
    SetLoadResult result;
    platform::Thread loader = platform::createThread([&] {
        result = loadTitles({"Alfa", "Beta", "Gama"}, ui.window());
        done.store(true);
    });

    std::size_t handled = 0;
    while (!done.load()) {
        if (!platform::waitForQueuedSends(ui.threadId(), 1, 10)) {
            continue;
        }
        // The loader waits for this message: it has sent no second one meanwhile.
        EXPECT_FALSE(platform::waitForQueuedSends(ui.threadId(), 2, 20)) << handled;
        ui.step();
        ++handled;
        ASSERT_LT(handled, 1000u);
    }
    loader.join();

    EXPECT_EQ(result.setIndex, 0);
    EXPECT_EQ(ui.received(), expectedForAll(ui.threadId()));
    // One step may handle several sends, each sent after the one before was handled.
    EXPECT_GE(ui.received().size(), handled);
}

TEST_F(SetLoadMessagesTest, AWindowWithARunningLoopReceivesEveryMessageInOrder) {
    EngineMessageWindow ui;
    const SetLoadResult r = loadTitles({"Alfa", "Beta", "Gama"}, ui.window());
    EXPECT_EQ(r.setIndex, 0);
    EXPECT_EQ(ui.received(), expectedForAll(ui.threadId()));
}

TEST_F(SetLoadMessagesTest, FilesAlreadyLoadedSendOnlyTheirStartMessage) {
    loadTitles({"Alfa", "Beta"});
    EngineMessageWindow ui;
    loadTitles({"Beta", "Gama"}, ui.window());
    std::vector<Received> expected{
        {platform::WM_ENGINE_START, static_cast<std::uintptr_t>(indexOf("Gama")), ui.threadId()}};
    for (const int p : progressOfReading(paths[2])) {
        expected.push_back(
            {platform::WM_ENGINE_PROGRESS, static_cast<std::uintptr_t>(p), ui.threadId()});
    }
    EXPECT_EQ(ui.received(), expected);
}

TEST_F(SetLoadMessagesTest, ACancelFromTheWindowStopsTheLoadBeforeTheNextFile) {
    const auto beta = static_cast<std::uintptr_t>(indexOf("Beta"));
    bool inBeta = false;
    EngineMessageWindow ui([&](const Received& r) {
        inBeta = inBeta || (r.message == platform::WM_ENGINE_START && r.wParam == beta);
        if (inBeta && r.message == platform::WM_ENGINE_PROGRESS && r.wParam == 46) {
            engine->cancelLoading();
        }
    });
    const SetLoadResult r = loadTitles({"Alfa", "Beta", "Gama"}, ui.window());
    EXPECT_EQ(r.status, -2);
    EXPECT_EQ(r.failingIndex, static_cast<std::int32_t>(beta));
    const std::vector<Received> got = ui.received();
    // The trips section ends its current step; nothing after it is read or announced.
    const auto betaStart =
        std::find(got.begin(), got.end(), Received{platform::WM_ENGINE_START, beta, ui.threadId()});
    const auto cancelAt =
        std::find(betaStart, got.end(), Received{platform::WM_ENGINE_PROGRESS, 46, ui.threadId()});
    ASSERT_NE(cancelAt, got.end());
    for (auto m = cancelAt; m != got.end(); ++m) {
        EXPECT_EQ(m->message, platform::WM_ENGINE_PROGRESS);
        EXPECT_LT(m->wParam, 65u);
    }
    EXPECT_FALSE(entryOf("Alfa").loaded);
    EXPECT_FALSE(entryOf("Beta").loaded);
    EXPECT_EQ(engine->setList().loadedFileCount(), 0u);
}

TEST_F(SetLoadMessagesTest, AWindowDestroyedBeforeTheLoadReceivesNothingAndTheLoadGoesOn) {
    platform::WindowHandle stale = platform::kNullWindow;
    {
        EngineMessageWindow ui;
        stale = ui.window();
    }
    EXPECT_EQ(loadTitles({"Alfa", "Beta"}, stale).setIndex, 0);
    EXPECT_EQ(loadTitles({"Gama"}, platform::kNullWindow).setIndex, 1);
}

}  // namespace
}  // namespace trasovnik::testing
