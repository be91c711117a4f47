#include "tests/platform/ui/UiTestSupport.h"

#include "platform/core/QueueWatch.h"
#include "platform/core/Thread.h"

#include <atomic>

namespace platform::ui::testing {
namespace {

using CrossThread = UiTest;

TEST_F(CrossThread, SendsAreHandledInsideANestedLoopOfTheWindowThread) {
    std::atomic<MsgResult> answer{-1};
    const WindowHandle w = make(u"w", WS_VISIBLE, Rect{0, 0, 50, 50}, kNullWindow, 0,
                                [](WindowHandle, std::uint32_t m, std::uintptr_t wp,
                                   std::intptr_t) -> std::optional<MsgResult> {
                                    if (m == WM_USER) {
                                        return static_cast<MsgResult>(wp) * 2;
                                    }
                                    return std::nullopt;
                                });
    const WindowHandle modal = make(u"modal", WS_VISIBLE, Rect{0, 0, 50, 50}, kNullWindow, 0,
                                    [&](WindowHandle, std::uint32_t m, std::uintptr_t,
                                        std::intptr_t) -> std::optional<MsgResult> {
                                        if (m != WM_USER + 1) {
                                            return std::nullopt;
                                        }
                                        // A nested loop, as a message box runs one: it ends when
                                        // the worker's answer came. The worker posts after its
                                        // send, as a worker reporting its end does: a send is
                                        // handled inside the wait and does not end it by itself.
                                        Thread worker = createThread([&] {
                                            answer = sendMessage(w, WM_USER, 21);
                                            postMessage(modal, WM_USER + 2);
                                        });
                                        Message msg;
                                        while (answer.load() == -1 && getMessage(msg)) {
                                            ui::translateMessage(msg);
                                            dispatchMessage(msg);
                                        }
                                        worker.join();
                                        return 1;
                                    });
    postMessage(modal, WM_USER + 1);
    ui::pumpMessages();
    EXPECT_EQ(answer.load(), 42);
}

TEST_F(CrossThread, DestroyingAWindowReleasesItsWaitingSenders) {
    const WindowHandle w = top(u"w");
    const WindowHandle kid = child(w, u"kid", Rect{0, 0, 10, 10});
    std::atomic<MsgResult> toParent{-1};
    std::atomic<MsgResult> toChild{-1};
    Thread a = createThread([&] { toParent = sendMessage(w, WM_USER); });
    Thread b = createThread([&] { toChild = sendMessage(kid, WM_USER); });
    ASSERT_TRUE(waitForQueuedSends(currentThreadId(), 2, 5000));
    ui::destroyWindow(w);  // the child goes too
    a.join();
    b.join();
    EXPECT_EQ(toParent.load(), 0);
    EXPECT_EQ(toChild.load(), 0);
    EXPECT_TRUE(log_.only({WM_USER}).empty());
    ui::pumpMessages();
}

}  // namespace
}  // namespace platform::ui::testing
