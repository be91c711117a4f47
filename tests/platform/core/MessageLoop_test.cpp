#include "platform/core/MessageLoop.h"

#include "platform/core/Event.h"
#include "platform/core/MessageIds.h"
#include "platform/core/Thread.h"
#include "platform/core/Window.h"

#include "tests/platform/core/LoopThread.h"

#include <gtest/gtest.h>

#include <vector>

namespace platform {
namespace {

constexpr std::uint32_t kFirst = WM_USER + 1;

struct Received {
    std::uint32_t msg;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    bool operator==(const Received&) const = default;
};

// A window on the calling thread that records what its procedure receives.
class RecordingWindow {
public:
    RecordingWindow() {
        handle = createWindow([this](WindowHandle, std::uint32_t msg, std::uintptr_t w,
                                     std::intptr_t l) -> MsgResult {
            received.push_back({msg, w, l});
            return static_cast<MsgResult>(msg) + 1;
        });
    }
    ~RecordingWindow() { destroyWindow(handle); }
    WindowHandle handle;
    std::vector<Received> received;
};

void drain() {
    Message m;
    while (peekMessage(m)) {
        dispatchMessage(m);
    }
}

TEST(MessageLoop, PostedMessagesArriveInOrderWithTheirParameters) {
    RecordingWindow w;
    ASSERT_TRUE(postMessage(w.handle, kFirst, 1, -1));
    ASSERT_TRUE(postMessage(w.handle, kFirst + 1, ~std::uintptr_t{0}, INTPTR_MIN));
    ASSERT_TRUE(postMessage(w.handle, 999666, 100, 0));
    EXPECT_TRUE(w.received.empty()) << "posting never calls the procedure";
    Message m;
    ASSERT_TRUE(getMessage(m));
    EXPECT_EQ(m.window, w.handle);
    EXPECT_EQ(dispatchMessage(m), static_cast<MsgResult>(kFirst) + 1);
    drain();
    EXPECT_EQ(w.received, (std::vector<Received>{{kFirst, 1, -1},
                                                 {kFirst + 1, ~std::uintptr_t{0}, INTPTR_MIN},
                                                 {999666, 100, 0}}));
}

TEST(MessageLoop, PeekWithKeepLeavesTheMessage) {
    RecordingWindow w;
    Message m;
    EXPECT_FALSE(peekMessage(m)) << "empty queue";
    postMessage(w.handle, kFirst, 5);
    ASSERT_TRUE(peekMessage(m, PeekMode::Keep));
    EXPECT_EQ(m.message, kFirst);
    ASSERT_TRUE(peekMessage(m, PeekMode::Remove));
    EXPECT_EQ(m.wParam, 5u);
    EXPECT_FALSE(peekMessage(m));
}

TEST(MessageLoop, QuitComesAfterEarlierPostsAndOnlyOnce) {
    RecordingWindow w;
    postMessage(w.handle, kFirst);
    postQuitMessage(-7);
    Message m;
    ASSERT_TRUE(getMessage(m));
    EXPECT_EQ(m.message, kFirst);
    EXPECT_FALSE(getMessage(m));
    EXPECT_EQ(m.message, WM_QUIT);
    EXPECT_EQ(static_cast<int>(m.wParam), -7);
    EXPECT_FALSE(peekMessage(m)) << "the quit request is consumed";

    postQuitMessage(3);
    ASSERT_TRUE(peekMessage(m, PeekMode::Keep));
    EXPECT_EQ(m.message, WM_QUIT);
    ASSERT_TRUE(peekMessage(m));
    EXPECT_EQ(m.wParam, 3u);
    EXPECT_EQ(dispatchMessage(m), 0);
    EXPECT_FALSE(peekMessage(m));
}

TEST(MessageLoop, DispatchIgnoresWindowsOfOtherThreadsAndDestroyedOnes) {
    test::LoopThread other;
    std::atomic<int> otherCalls{0};
    WindowHandle theirs = kNullWindow;
    other.run([&] {
        theirs = createWindow(
            [&otherCalls](WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t) -> MsgResult {
                ++otherCalls;
                return 1;
            });
    });
    EXPECT_EQ(dispatchMessage(Message{theirs, kFirst, 0, 0, 0}), 0);

    auto w = std::make_unique<RecordingWindow>();
    postMessage(w->handle, kFirst);
    Message m;
    ASSERT_TRUE(peekMessage(m));
    const WindowHandle gone = w->handle;
    w.reset();
    EXPECT_EQ(dispatchMessage(m), 0) << "retrieved before the destroy, dispatched after";
    EXPECT_EQ(m.window, gone);
    EXPECT_EQ(otherCalls.load(), 0);
}

TEST(MessageLoop, PostFromAnotherThreadWakesAWaitingLoop) {
    RecordingWindow w;
    Event posted(EventReset::Manual);
    Thread poster = createThread([&] {
        EXPECT_TRUE(postMessage(w.handle, kFirst, 11));
        posted.set();
    });
    Message m;
    ASSERT_TRUE(getMessage(m));  // blocks until the other thread's post arrives
    EXPECT_EQ(m.message, kFirst);
    EXPECT_EQ(m.wParam, 11u);
    poster.join();
}

TEST(MessageLoop, SentMessagesAreHandledInsideRetrievalAndNeverReturned) {
    RecordingWindow w;
    Thread sender = createThread([&] {
        EXPECT_EQ(sendMessage(w.handle, kFirst, 3), kFirst + 1);
        postMessage(w.handle, kFirst + 1);
    });
    Message m;
    // getMessage handles the send while it waits, and returns only the post made after it.
    ASSERT_TRUE(getMessage(m));
    EXPECT_EQ(m.message, kFirst + 1);
    EXPECT_EQ(w.received, (std::vector<Received>{{kFirst, 3, 0}}));
    sender.join();
}

}  // namespace
}  // namespace platform
