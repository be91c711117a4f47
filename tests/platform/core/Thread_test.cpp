#include "platform/core/Thread.h"

#include "platform/core/Event.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Window.h"

#include "tests/platform/core/LoopThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <set>
#include <vector>

namespace platform {
namespace {

TEST(Thread, IdIsKnownToTheCreatorAndMatchesInside) {
    std::atomic<ThreadId> inside{0};
    Thread t = createThread([&] { inside = currentThreadId(); });
    const ThreadId id = t.id();
    t.join();
    EXPECT_NE(id, 0u);
    EXPECT_EQ(inside.load(), id);
    EXPECT_FALSE(t.joinable());
    EXPECT_NE(id, currentThreadId());
    EXPECT_EQ(currentThreadId(), currentThreadId());
}

TEST(Thread, IdsAreDistinct) {
    std::set<ThreadId> ids{currentThreadId()};
    std::vector<Thread> threads;
    for (int i = 0; i < 8; ++i) {
        threads.push_back(createThread([] {}));
        ids.insert(threads.back().id());
    }
    for (Thread& t : threads) {
        t.join();
    }
    EXPECT_EQ(ids.size(), 9u);
}

TEST(Thread, DestroyingAThreadObjectWaitsForTheThread) {
    Event go(EventReset::Manual);
    std::atomic<bool> finished{false};
    {
        Thread t = createThread([&] {
            test::awaitOrDie(go, "go");
            finished = true;
        });
        Thread moved = std::move(t);
        EXPECT_EQ(t.id(), 0u);
        EXPECT_FALSE(t.joinable());
        go.set();
    }
    EXPECT_TRUE(finished.load());
}

TEST(Thread, EndingThreadFreesItsWindows) {
    auto captured = std::make_shared<int>(5);
    std::weak_ptr<int> watch = captured;
    WindowHandle h = kNullWindow;
    bool sawDestroyNotice = false;
    Thread t = createThread([&, captured] {
        h = createWindow([&sawDestroyNotice, captured](WindowHandle, std::uint32_t msg,
                                                       std::uintptr_t, std::intptr_t) -> MsgResult {
            sawDestroyNotice |= msg == WM_DESTROY;
            return *captured;
        });
    });
    captured.reset();
    t.join();
    EXPECT_NE(h, kNullWindow);
    EXPECT_FALSE(isWindow(h));
    EXPECT_TRUE(watch.expired());
    EXPECT_FALSE(sawDestroyNotice) << "no procedure runs for a thread that has gone";
}

}  // namespace
}  // namespace platform
