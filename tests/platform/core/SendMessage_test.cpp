#include "platform/core/MessageLoop.h"

#include "platform/core/Event.h"
#include "platform/core/MessageIds.h"
#include "platform/core/QueueWatch.h"
#include "platform/core/Thread.h"
#include "platform/core/Window.h"

#include "tests/platform/core/LoopThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <barrier>
#include <map>
#include <mutex>
#include <stdexcept>
#include <vector>

namespace platform {
namespace {

using test::awaitOrDie;
using test::LoopThread;

constexpr std::uint32_t kAsk = WM_USER + 1;
constexpr std::uint32_t kPosted = WM_USER + 2;
constexpr std::uint32_t kBlock = WM_USER + 3;
constexpr std::uint32_t kNested = WM_USER + 4;
constexpr std::uint32_t kEndNested = WM_USER + 5;

WindowHandle makeWindowOn(LoopThread& thread, WindowProc proc) {
    WindowHandle h = kNullWindow;
    thread.run([&] { h = createWindow(std::move(proc)); });
    return h;
}

TEST(SendMessage, OnTheOwnerThreadIsADirectCall) {
    ThreadId ranOn = 0;
    WindowHandle h = createWindow(
        [&ranOn](WindowHandle, std::uint32_t, std::uintptr_t w, std::intptr_t l) -> MsgResult {
            ranOn = currentThreadId();
            return static_cast<MsgResult>(w) * 10 + l;
        });
    // No loop runs on this thread: the call must not depend on one.
    EXPECT_EQ(sendMessage(h, kAsk, 4, 2), 42);
    EXPECT_EQ(ranOn, currentThreadId());
    destroyWindow(h);
}

TEST(SendMessage, FromAnotherThreadRunsOnTheOwnerAndReturnsItsResult) {
    LoopThread owner;
    std::atomic<ThreadId> ranOn{0};
    WindowHandle h = makeWindowOn(
        owner,
        [&ranOn](WindowHandle, std::uint32_t msg, std::uintptr_t w, std::intptr_t) -> MsgResult {
            ranOn = currentThreadId();
            return msg == kAsk ? static_cast<MsgResult>(w) + 1 : 0;
        });
    EXPECT_EQ(sendMessage(h, kAsk, 999666), 999667);
    EXPECT_EQ(ranOn.load(), owner.id());
}

TEST(SendMessage, ManySendersAtOnceGetTheirOwnResultsInOrder) {
    constexpr int kSenders = 8;
    constexpr int kPerSender = 300;
    LoopThread owner;
    std::map<std::uintptr_t, std::intptr_t> lastSeen;  // owner thread only
    bool outOfOrder = false;
    WindowHandle h = makeWindowOn(
        owner,
        [&](WindowHandle, std::uint32_t, std::uintptr_t sender, std::intptr_t seq) -> MsgResult {
            auto [it, fresh] = lastSeen.emplace(sender, seq);
            if (!fresh) {
                outOfOrder |= seq != it->second + 1;
                it->second = seq;
            }
            return static_cast<MsgResult>(sender) * 100000 + seq;
        });
    std::atomic<int> wrong{0};
    std::barrier start(kSenders);
    std::vector<Thread> senders;
    for (int s = 0; s < kSenders; ++s) {
        senders.push_back(createThread([&, s] {
            start.arrive_and_wait();
            for (int i = 0; i < kPerSender; ++i) {
                if (sendMessage(h, kAsk, s, i) != s * 100000 + i) {
                    ++wrong;
                }
            }
        }));
    }
    for (Thread& t : senders) {
        t.join();
    }
    EXPECT_EQ(wrong.load(), 0);
    owner.run([&] {
        EXPECT_FALSE(outOfOrder);
        EXPECT_EQ(lastSeen.size(), static_cast<std::size_t>(kSenders));
        for (const auto& [sender, seq] : lastSeen) {
            EXPECT_EQ(seq, kPerSender - 1) << "sender " << sender;
        }
    });
}

TEST(SendMessage, SentMessagesAreHandledBeforePostedOnes) {
    // The handler's state outlives the owner thread, which may still dispatch to it.
    Event inBlock(EventReset::Manual);
    Event go(EventReset::Manual);
    Event postedHandled(EventReset::Manual);
    std::vector<std::uint32_t> order;  // owner thread only
    LoopThread owner;
    WindowHandle h = makeWindowOn(
        owner, [&](WindowHandle, std::uint32_t msg, std::uintptr_t, std::intptr_t) -> MsgResult {
            order.push_back(msg);
            if (msg == kBlock) {
                inBlock.set();
                awaitOrDie(go, "go");
            } else if (msg == kPosted) {
                postedHandled.set();
            }
            return 1;
        });
    // Hold the owner inside a handler while a post and a send queue up behind it.
    ASSERT_TRUE(postMessage(h, kBlock));
    awaitOrDie(inBlock, "owner in handler");
    ASSERT_TRUE(postMessage(h, kPosted));
    Thread sender = createThread([h] { EXPECT_EQ(sendMessage(h, kAsk), 1); });
    ASSERT_TRUE(waitForQueuedSends(owner.id(), 1, test::kDeadlockMs));
    go.set();
    sender.join();
    // The check itself is a send, which would overtake the post: wait for the post first.
    awaitOrDie(postedHandled, "posted message handled");
    owner.run([&] { EXPECT_EQ(order, (std::vector<std::uint32_t>{kBlock, kAsk, kPosted})); });
}

TEST(SendMessage, HandledWhileTheOwnerRunsANestedLoop) {
    LoopThread owner;
    Event inNested(EventReset::Manual);
    Event nestedDone(EventReset::Manual);
    std::atomic<int> depth{0};
    std::atomic<int> askedAtDepth{-1};
    WindowHandle h = makeWindowOn(
        owner, [&](WindowHandle, std::uint32_t msg, std::uintptr_t, std::intptr_t) -> MsgResult {
            if (msg == kNested) {
                // A modal wait: its own loop until a message ends it.
                ++depth;
                inNested.set();
                Message m;
                bool done = false;
                while (!done && getMessage(m)) {
                    done = m.message == kEndNested;
                    dispatchMessage(m);
                }
                --depth;
                nestedDone.set();
            } else if (msg == kAsk) {
                askedAtDepth = depth.load();
                return 5;
            }
            return 0;
        });
    ASSERT_TRUE(postMessage(h, kNested));
    awaitOrDie(inNested, "nested loop");
    EXPECT_EQ(sendMessage(h, kAsk), 5);
    EXPECT_EQ(askedAtDepth.load(), 1);
    ASSERT_TRUE(postMessage(h, kEndNested));
    awaitOrDie(nestedDone, "nested loop ends");
}

TEST(SendMessage, TwoThreadsSendingToEachOtherDoNotDeadlock) {
    constexpr int kRounds = 2000;
    constexpr std::uint32_t kQuit = WM_USER + 9;
    // Each thread owns a window and keeps sending to the other's window, so sends cross all
    // the time; a thread waiting for its reply must handle the other's send meanwhile.
    std::atomic<WindowHandle> windows[2] = {kNullWindow, kNullWindow};
    std::barrier bothCreated(2);
    std::atomic<int> wrong{0};
    std::atomic<int> finished{0};
    Event allSent(EventReset::Manual);
    auto body = [&](int self) {
        windows[self] = createWindow(
            [self](WindowHandle, std::uint32_t msg, std::uintptr_t w, std::intptr_t) -> MsgResult {
                if (msg == kQuit) {
                    postQuitMessage(0);
                }
                return static_cast<MsgResult>(w) * 2 + self;
            });
        bothCreated.arrive_and_wait();
        const WindowHandle other = windows[1 - self];
        for (int i = 0; i < kRounds; ++i) {
            if (sendMessage(other, kAsk, i) != i * 2 + (1 - self)) {
                ++wrong;
            }
        }
        if (++finished == 2) {
            allSent.set();
        }
        // The other thread may still be sending: serve it until told to stop.
        Message m;
        while (getMessage(m)) {
            dispatchMessage(m);
        }
        destroyWindow(windows[self]);
    };
    Thread a = createThread([&] { body(0); });
    Thread b = createThread([&] { body(1); });
    awaitOrDie(allSent, "both threads sent everything");
    postMessage(windows[0], kQuit);
    postMessage(windows[1], kQuit);
    a.join();
    b.join();
    EXPECT_EQ(wrong.load(), 0);
}

TEST(SendMessage, ReplyingHandlerMaySendBackToTheWaitingSender) {
    LoopThread owner;
    // This thread's window is called back by the owner while this thread waits for its send.
    std::atomic<int> calledBack{0};
    WindowHandle mine =
        createWindow([&](WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t) -> MsgResult {
            calledBack = static_cast<int>(currentThreadId() == windowThreadId(mine));
            return 30;
        });
    WindowHandle theirs = makeWindowOn(
        owner, [mine](WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t) -> MsgResult {
            return sendMessage(mine, kAsk) + 1;
        });
    EXPECT_EQ(sendMessage(theirs, kAsk), 31);
    EXPECT_EQ(calledBack.load(), 1) << "the call-back ran on the waiting sender's thread";
    destroyWindow(mine);
}

TEST(SendMessage, DestroyWhileSendersWaitReleasesEveryoneWithZero) {
    constexpr int kSenders = 6;
    std::atomic<int> asksHandled{0};
    std::atomic<WindowHandle> target{kNullWindow};
    Event created(EventReset::Manual);
    Event allReleased(EventReset::Manual);
    Event finish(EventReset::Manual);
    Thread owner = createThread([&] {
        target = createWindow(
            [&](WindowHandle, std::uint32_t msg, std::uintptr_t, std::intptr_t) -> MsgResult {
                if (msg == kAsk) {
                    ++asksHandled;
                }
                return 42;
            });
        created.set();
        // Destroy once every sender waits; the owner handles nothing before that.
        EXPECT_TRUE(waitForQueuedSends(currentThreadId(), kSenders, test::kDeadlockMs));
        EXPECT_TRUE(destroyWindow(target));
        // Stay alive, so that only the destroy can have released the senders.
        awaitOrDie(finish, "finish");
    });
    awaitOrDie(created, "window created");
    std::vector<MsgResult> results(kSenders, -1);
    std::atomic<int> released{0};
    std::vector<Thread> senders;
    for (int s = 0; s < kSenders; ++s) {
        senders.push_back(createThread([&, s] {
            results[s] = sendMessage(target, kAsk);
            if (++released == kSenders) {
                allReleased.set();
            }
        }));
    }
    awaitOrDie(allReleased, "senders released by the destroy");
    for (Thread& t : senders) {
        t.join();
    }
    EXPECT_EQ(results, std::vector<MsgResult>(kSenders, 0));
    EXPECT_EQ(asksHandled.load(), 0);
    EXPECT_EQ(sendMessage(target, kAsk), 0);
    finish.set();
}

TEST(SendMessage, SenderIsReleasedWhenTheTargetThreadEnds) {
    std::atomic<WindowHandle> target{kNullWindow};
    std::atomic<bool> handled{false};
    Event created(EventReset::Manual);
    std::shared_ptr<int> captured = std::make_shared<int>(1);
    std::weak_ptr<int> watch = captured;
    Thread owner = createThread([&, captured] {
        target = createWindow([&handled, captured](WindowHandle, std::uint32_t, std::uintptr_t,
                                                   std::intptr_t) -> MsgResult {
            handled = true;
            return 9;
        });
        created.set();
        // End without ever handling the send that waits.
        EXPECT_TRUE(waitForQueuedSends(currentThreadId(), 1, test::kDeadlockMs));
    });
    captured.reset();
    awaitOrDie(created, "window created");
    EXPECT_EQ(sendMessage(target, kAsk), 0);
    owner.join();
    EXPECT_FALSE(handled.load());
    EXPECT_FALSE(isWindow(target)) << "a thread's windows end with it";
    EXPECT_TRUE(watch.expired()) << "their procedures are released";
    EXPECT_EQ(sendMessage(target, kAsk), 0);
    EXPECT_FALSE(postMessage(target, kAsk));
}

TEST(SendMessage, FailingHandlerStillReleasesItsSender) {
    std::atomic<WindowHandle> target{kNullWindow};
    Event created(EventReset::Manual);
    std::atomic<bool> caught{false};
    Thread owner = createThread([&] {
        target = createWindow(
            [](WindowHandle, std::uint32_t msg, std::uintptr_t, std::intptr_t) -> MsgResult {
                if (msg == kAsk) {
                    throw std::runtime_error("handler failed");
                }
                return 0;
            });
        created.set();
        try {
            Message m;
            while (getMessage(m)) {
                dispatchMessage(m);
            }
        } catch (const std::runtime_error&) {
            caught = true;
        }
    });
    awaitOrDie(created, "window created");
    EXPECT_EQ(sendMessage(target, kAsk), 0);
    owner.join();
    EXPECT_TRUE(caught.load()) << "the failure reaches the owner thread's own code";
}

}  // namespace
}  // namespace platform
