// Message boxes: answered by script, shown modally on the user-interface thread, and asked
// from worker threads while the user-interface thread goes on handling messages.

#include "platform/shell/MessageBox.h"
#include "platform/controls/ControlStyle.h"
#include "platform/controls/Controls.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Thread.h"
#include "platform/shell/ShellMessages.h"
#include "platform/testkit/UiTestKit.h"
#include "platform/ui/Input.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace platform::shell {
namespace {

using draw::Point;
using draw::Rect;

class MessageBoxTest : public ::testing::Test {
protected:
    MessageBoxTest() {
        ui::CreateParams p;
        p.className = "Frame";
        p.style = ui::WS_VISIBLE;
        p.rect = Rect{0, 0, 240, 294};
        frame = ui::createWindow(p,
                                 [this](WindowHandle h, std::uint32_t m, std::uintptr_t wp,
                                        std::intptr_t lp) -> MsgResult {
                                     if (m == platform::WM_USER) {
                                         ++sentHandled;
                                         return 42;
                                     }
                                     return ui::defWindowProc(h, m, wp, lp);
                                 });
        startMessageBoxRelay();
    }
    ~MessageBoxTest() override {
        setMessageBoxAnswerer({});
        stopMessageBoxRelay();
    }

    testkit::UiTestKit kit;
    WindowHandle frame = kNullWindow;
    int sentHandled = 0;
};

TEST_F(MessageBoxTest, ScriptAnswersAndRecordsTextCaptionAndAskingThread) {
    std::vector<MessageBoxRequest> asked;
    setMessageBoxAnswerer([&](const MessageBoxRequest& r) {
        asked.push_back(r);
        return static_cast<int>(IDYES);
    });
    EXPECT_EQ(messageBox(frame, u"Smazat jízdní řád?", u"Pelorvant", MB_YESNO | MB_ICONQUESTION),
              static_cast<int>(IDYES));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, u"Smazat jízdní řád?");
    EXPECT_EQ(asked[0].caption, u"Pelorvant");
    EXPECT_EQ(asked[0].type, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(asked[0].askingThread, currentThreadId());
    EXPECT_EQ(asked[0].owner, frame);
}

TEST_F(MessageBoxTest, WorkerWaitsWhileTheInterfaceThreadHandlesSentMessages) {
    std::vector<MessageBoxRequest> asked;
    setMessageBoxAnswerer([&](const MessageBoxRequest& r) {
        asked.push_back(r);
        return static_cast<int>(IDOK);
    });
    std::atomic<int> answer{-1};
    std::atomic<ThreadId> workerId{0};
    std::atomic<MsgResult> sentResult{0};
    std::thread worker([&] {
        workerId = currentThreadId();
        // A send from this thread before asking: the interface thread answers it.
        sentResult = sendMessage(frame, platform::WM_USER);
        answer = messageBox(frame, u"Chyba spojení", u"Stahování", MB_OK | MB_ICONERROR);
    });
    ASSERT_TRUE(kit.pumpUntil([&] { return answer.load() != -1; }));
    worker.join();
    EXPECT_EQ(answer.load(), static_cast<int>(IDOK));
    EXPECT_EQ(sentResult.load(), 42);
    EXPECT_EQ(sentHandled, 1);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].askingThread, workerId.load());
    EXPECT_NE(asked[0].askingThread, currentThreadId());
}

TEST_F(MessageBoxTest, RealBoxFromAWorkerIsAnsweredByATap) {
    std::atomic<int> answer{-1};
    std::thread worker(
        [&] { answer = messageBox(frame, u"Pokračovat?", u"Dotaz", MB_YESNO | MB_ICONQUESTION); });
    ASSERT_TRUE(kit.pumpUntil([&] { return kit.find(u"Ne") != kNullWindow; }));
    EXPECT_NE(kit.find(u"Ano"), kNullWindow);
    // The caption bar in the selection colour, a sent message still handled meanwhile.
    const Rect box = ui::getWindowRect(kit.find(u"Dotaz"));
    EXPECT_EQ(kit.screenshot().pixel(box.left + 3, box.top + 3), controls::kSelectionColor);
    std::atomic<MsgResult> sent{0};
    std::thread other([&] { sent = sendMessage(frame, platform::WM_USER); });
    ASSERT_TRUE(kit.pumpUntil([&] { return sent.load() == 42; }));
    other.join();
    EXPECT_EQ(answer.load(), -1);
    kit.tap(kit.find(u"Ne"));
    ASSERT_TRUE(kit.pumpUntil([&] { return answer.load() != -1; }));
    worker.join();
    EXPECT_EQ(answer.load(), static_cast<int>(IDNO));
    EXPECT_EQ(kit.find(u"Dotaz"), kNullWindow);
}

TEST_F(MessageBoxTest, WorkerIsReleasedWhenTheBoxGoesWithItsOwner) {
    std::atomic<int> answer{-1};
    std::thread worker([&] { answer = messageBox(frame, u"Text", u"Zavírá se", MB_OK); });
    ASSERT_TRUE(kit.pumpUntil([&] { return kit.find(u"Zavírá se") != kNullWindow; }));
    // The owner goes, and the box with it: the worker must not wait for ever.
    ui::destroyWindow(frame);
    ASSERT_TRUE(kit.pumpUntil([&] { return answer.load() != -1; }));
    worker.join();
    EXPECT_EQ(answer.load(), 0);
}

TEST_F(MessageBoxTest, WorkerIsReleasedWhenTheRelayStops) {
    std::atomic<int> answer{-1};
    std::thread worker([&] { answer = messageBox(frame, u"Text", u"Relay", MB_OK); });
    ASSERT_TRUE(kit.pumpUntil([&] { return kit.find(u"Relay") != kNullWindow; }));
    stopMessageBoxRelay();
    ASSERT_TRUE(kit.pumpUntil([&] { return answer.load() != -1; }));
    worker.join();
    EXPECT_EQ(answer.load(), 0);
    kit.tap(kit.find(u"OK"));  // the box left behind still closes harmlessly
    EXPECT_EQ(kit.find(u"Relay"), kNullWindow);
}

TEST_F(MessageBoxTest, ModalBoxOnTheInterfaceThreadHoldsTheOwnerUntilTapped) {
    bool ownerEnabledMeanwhile = true;
    // A message handled inside the box's own loop taps its button, as a person would.
    ui::CreateParams p;
    p.className = "Helper";
    p.style = ui::WS_POPUP;
    const WindowHandle helper = ui::createWindow(
        p, [&](WindowHandle h, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) -> MsgResult {
            if (m == platform::WM_USER + 1) {
                ownerEnabledMeanwhile = ui::isWindowEnabled(frame);
                const Rect r = ui::getWindowRect(kit.find(u"OK"));
                const Point centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
                ui::fingerDown(centre);
                ui::fingerUp(centre);
                return 0;
            }
            return ui::defWindowProc(h, m, wp, lp);
        });
    postMessage(helper, platform::WM_USER + 1);
    EXPECT_EQ(messageBox(frame, u"Hotovo", u"Info", MB_OK | MB_ICONINFORMATION),
              static_cast<int>(IDOK));
    EXPECT_FALSE(ownerEnabledMeanwhile);
    EXPECT_TRUE(ui::isWindowEnabled(frame));
    EXPECT_EQ(kit.find(u"Info"), kNullWindow);
}

}  // namespace
}  // namespace platform::shell
