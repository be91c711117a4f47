#include "app/shell/FatalError.h"

#include "app/core/PrivateMessages.h"
#include "platform/core/Thread.h"
#include "platform/core/Window.h"
#include "platform/shell/MessageBox.h"
#include "platform/testkit/UiTestKit.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace pelorvant {
namespace {

using platform::shell::MessageBoxRequest;

class FatalErrorTest : public ::testing::Test {
protected:
    FatalErrorTest() {
        frame = platform::createWindow([this](platform::WindowHandle, std::uint32_t message, std::uintptr_t,
                                              std::intptr_t) -> platform::MsgResult {
            if (message == WM_APP_TERMINATE) ++terminations;
            return 0;
        });
        setMainFrameWindow(frame);
        platform::shell::startMessageBoxRelay();
        platform::shell::setMessageBoxAnswerer([this](const MessageBoxRequest& box) {
            std::lock_guard hold(lock);
            boxes.push_back(box);
            return 1;
        });
    }
    ~FatalErrorTest() override {
        platform::shell::setMessageBoxAnswerer({});
        platform::shell::stopMessageBoxRelay();
        setMainFrameWindow(platform::kNullWindow);
        platform::destroyWindow(frame);
    }

    platform::testkit::UiTestKit kit;
    platform::WindowHandle frame;
    std::atomic<int> terminations = 0;
    std::mutex lock;
    std::vector<MessageBoxRequest> boxes;
};

TEST_F(FatalErrorTest, OnTheInterfaceThreadTheBoxIsShownThenTheFrameShutsDownAtOnce) {
    ShowFatalError(u"Chyba při načítání knihovny Trasovnik.dll!", frame, true);
    EXPECT_EQ(terminations, 1) << "sent, so handled before the call returns";
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"Chyba při načítání knihovny Trasovnik.dll!\r\rProgram bude nyní ukončen.");
    EXPECT_EQ(boxes[0].caption, u"Chyba v programu");
    EXPECT_EQ(boxes[0].owner, frame);
}

TEST_F(FatalErrorTest, WithoutEndingOnlyTheBoxIsShown) {
    ShowFatalError(u"Text", platform::kNullWindow, false);
    EXPECT_EQ(boxes.size(), 1u);
    kit.pump();
    EXPECT_EQ(terminations, 0);
}

TEST_F(FatalErrorTest, FromAWorkerTheBoxGoesThroughTheInterfaceThreadAndTheWorkerDoesNotWaitForTheShutDown) {
    std::atomic<bool> workerDone = false;
    std::atomic<platform::ThreadId> worker = 0;
    std::thread thread([&] {
        worker = platform::currentThreadId();
        ShowFatalError(u"Došla paměť", frame, true);
        workerDone = true;
    });
    ASSERT_TRUE(kit.pumpUntil([&] { return workerDone.load(); }));
    thread.join();
    ASSERT_TRUE(kit.pumpUntil([&] { return terminations.load() == 1; }));
    std::lock_guard hold(lock);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].askingThread, worker.load());
    EXPECT_EQ(boxes[0].text, u"Došla paměť\r\rProgram bude nyní ukončen.");
}

TEST_F(FatalErrorTest, WithoutAMainFrameNothingIsTerminated) {
    setMainFrameWindow(platform::kNullWindow);
    ShowFatalError(u"Text", platform::kNullWindow, true);
    kit.pump();
    EXPECT_EQ(terminations, 0);
    EXPECT_EQ(boxes.size(), 1u);
}

}  // namespace
}  // namespace pelorvant
