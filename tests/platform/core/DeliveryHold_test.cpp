#include "platform/core/DeliveryHold.h"

#include "platform/core/Event.h"
#include "platform/core/MessageIds.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Thread.h"
#include "platform/core/Window.h"

#include "tests/platform/core/LoopThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <utility>
#include <vector>

namespace platform {
namespace {

using test::awaitOrDie;
using test::LoopThread;

constexpr std::uint32_t kEnd = WM_USER + 11;
constexpr std::uint32_t kOther = WM_USER + 12;
constexpr std::uint32_t kBlock = WM_USER + 13;
constexpr std::uint32_t kLast = WM_USER + 14;

using Seen = std::vector<std::pair<std::uint32_t, std::uintptr_t>>;

// A window on the owner thread that records what it handles and answers wParam + 1; kBlock
// keeps the owner inside its handler until `go`; kLast signals `last`.
struct Recorder {
    std::mutex mutex;
    Seen seen;
    Event inBlock{EventReset::Manual};
    Event go{EventReset::Manual};
    Event last{EventReset::Manual};
    Event other{EventReset::Manual};

    WindowHandle makeOn(LoopThread& thread) {
        WindowHandle h = kNullWindow;
        thread.run([&] {
            h = createWindow([this](WindowHandle, std::uint32_t msg, std::uintptr_t w, std::intptr_t) -> MsgResult {
                {
                    const std::lock_guard lock(mutex);
                    seen.emplace_back(msg, w);
                }
                if (msg == kBlock) {
                    inBlock.set();
                    awaitOrDie(go, "go");
                }
                if (msg == kOther) other.set();
                if (msg == kLast) last.set();
                return static_cast<MsgResult>(w) + 1;
            });
        });
        return h;
    }
    Seen snapshot() {
        const std::lock_guard lock(mutex);
        return seen;
    }
};

TEST(DeliveryHold, AHeldPostWaitsOutOfTheQueueAndComesBackAheadOfWhatWasPostedAfterIt) {
    Recorder r;
    LoopThread owner;
    const WindowHandle h = r.makeOn(owner);
    holdNextDelivery(kEnd);
    EXPECT_TRUE(postMessage(h, kEnd, 1));
    EXPECT_TRUE(waitForHeldDelivery(test::kDeadlockMs));
    // Only the next one is held: a second post of the id, and other ids, pass by it.
    EXPECT_TRUE(postMessage(h, kEnd, 2));
    EXPECT_TRUE(postMessage(h, kOther, 3));
    awaitOrDie(r.other, "the message posted after the held one");
    EXPECT_EQ(r.snapshot(), (Seen{{kEnd, 2}, {kOther, 3}}));
    // Released while a later post waits in the queue: the held one was posted first.
    ASSERT_TRUE(postMessage(h, kBlock, 4));
    awaitOrDie(r.inBlock, "owner in handler");
    ASSERT_TRUE(postMessage(h, kLast, 5));
    releaseHeldDelivery();
    r.go.set();
    awaitOrDie(r.last, "the last post");
    EXPECT_EQ(r.snapshot(), (Seen{{kEnd, 2}, {kOther, 3}, {kBlock, 4}, {kEnd, 1}, {kLast, 5}}));
}

TEST(DeliveryHold, AHeldSendKeepsItsSenderWaitingWhileTheOwnerGoesOnThenGetsItsAnswer) {
    Recorder r;
    LoopThread owner;
    const WindowHandle h = r.makeOn(owner);
    holdNextDelivery(kEnd);
    std::atomic<bool> answered{false};
    MsgResult answer = 0;
    Thread sender = createThread([&] {
        answer = sendMessage(h, kEnd, 41);
        answered = true;
    });
    ASSERT_TRUE(waitForHeldDelivery(test::kDeadlockMs));
    // The owner is not blocked by the held send: it handles what comes meanwhile.
    ASSERT_TRUE(postMessage(h, kOther, 7));
    awaitOrDie(r.other, "the owner handles a post while the send is held");
    EXPECT_FALSE(answered.load());
    EXPECT_EQ(r.snapshot(), (Seen{{kOther, 7}}));
    releaseHeldDelivery();
    sender.join();
    EXPECT_EQ(answer, 42);
    EXPECT_EQ(r.snapshot(), (Seen{{kOther, 7}, {kEnd, 41}}));
}

TEST(DeliveryHold, OnlyCrossThreadDeliveriesOfTheArmedIdAreHeld) {
    Recorder r;
    LoopThread owner;
    const WindowHandle h = r.makeOn(owner);
    holdNextDelivery(kEnd);
    // Re-arming replaces the id; a thread's send to its own window is a direct call.
    holdNextDelivery(kOther);
    MsgResult own = 0;
    owner.run([&] { own = sendMessage(h, kOther, 9); });
    EXPECT_EQ(own, 10);
    EXPECT_FALSE(waitForHeldDelivery(0));
    EXPECT_EQ(sendMessage(h, kEnd, 5), 6);
    EXPECT_FALSE(waitForHeldDelivery(0));
    EXPECT_TRUE(postMessage(h, kOther, 1));
    EXPECT_TRUE(waitForHeldDelivery(test::kDeadlockMs));
    releaseHeldDelivery();
    ASSERT_TRUE(postMessage(h, kLast, 2));
    awaitOrDie(r.last, "the last post");
    EXPECT_EQ(r.snapshot(), (Seen{{kOther, 9}, {kEnd, 5}, {kOther, 1}, {kLast, 2}}));
}

TEST(DeliveryHold, AReleaseAfterTheOwnerEndedFreesTheSenderWithNothingDelivered) {
    Recorder r;
    WindowHandle h = kNullWindow;
    MsgResult answer = -1;
    {
        LoopThread owner;
        h = r.makeOn(owner);
        holdNextDelivery(kEnd);
        Thread sender = createThread([&] { answer = sendMessage(h, kEnd, 1); });
        ASSERT_TRUE(waitForHeldDelivery(test::kDeadlockMs));
        owner.stop();
        releaseHeldDelivery();
        sender.join();
    }
    EXPECT_EQ(answer, 0);
    EXPECT_TRUE(r.snapshot().empty());
    // Nothing stays armed or held after a release.
    EXPECT_FALSE(waitForHeldDelivery(0));
}

}  // namespace
}  // namespace platform
