// Sources of messages above the core and the idle wait take part in the one retrieval.

#include "platform/core/MessageSources.h"

#include "platform/core/MessageIds.h"
#include "platform/core/Timer.h"
#include "platform/core/VirtualClock.h"
#include "platform/core/Window.h"

#include <gtest/gtest.h>

#include <vector>

namespace platform {
namespace {

constexpr std::uint32_t kPosted = WM_USER + 1;
constexpr std::uint32_t kFirstMade = WM_USER + 50;
constexpr std::uint32_t kLateMade = WM_USER + 51;

// What the sources of this test have to give, per kind.
int gFirstLeft = 0;
int gLateLeft = 0;
std::vector<std::uint32_t> gRetrieved;

bool makeFirst(Message& out, bool remove) {
    if (gFirstLeft == 0) {
        return false;
    }
    out = Message{kNullWindow, kFirstMade};
    gFirstLeft -= remove ? 1 : 0;
    return true;
}

bool makeLate(Message& out, bool remove) {
    if (gLateLeft == 0) {
        return false;
    }
    out = Message{kNullWindow, kLateMade};
    gLateLeft -= remove ? 1 : 0;
    return true;
}

void noteRetrieved(const Message& m) {
    gRetrieved.push_back(m.message);
}

class MessageSourcesTest : public ::testing::Test {
protected:
    void SetUp() override {
        gFirstLeft = 0;
        gLateLeft = 0;
        gRetrieved.clear();
        setMessageSources(MessageSources{makeFirst, makeLate, noteRetrieved});
        window = createWindow([](WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t) {
            return MsgResult{0};
        });
    }
    void TearDown() override {
        setMessageSources(MessageSources{});
        setIdleWait({});
        destroyWindow(window);
        Message m;
        while (peekMessage(m)) {
        }
    }
    WindowHandle window = kNullWindow;
};

TEST_F(MessageSourcesTest, FirstBeforePostedLateAfterQuitAndBeforeTimers) {
    VirtualClock clock(0);
    setTimer(window, 9, 10);
    clock.advance(10);
    postMessage(window, kPosted);
    gFirstLeft = 1;
    gLateLeft = 1;
    std::vector<std::uint32_t> order;
    Message m;
    ASSERT_TRUE(peekMessage(m, PeekMode::Keep));
    EXPECT_EQ(m.message, kFirstMade) << "keep leaves it there";
    EXPECT_EQ(gFirstLeft, 1);
    while (peekMessage(m)) {
        order.push_back(m.message);
    }
    EXPECT_EQ(order, (std::vector<std::uint32_t>{kFirstMade, kPosted, kLateMade, WM_TIMER}));
    EXPECT_EQ(gRetrieved, order);

    gLateLeft = 1;
    postQuitMessage(4);
    order.clear();
    while (peekMessage(m)) {
        order.push_back(m.message);
    }
    EXPECT_EQ(order, (std::vector<std::uint32_t>{WM_QUIT, kLateMade}));
    killTimer(window, 9);
}

TEST_F(MessageSourcesTest, IdleWaitRunsInsteadOfBlockingAndIsToldWhenATimerComes) {
    VirtualClock clock(0);
    setTimer(window, 1, 300);
    std::vector<std::uint32_t> told;
    setIdleWait([&](std::uint32_t maxWaitMs) {
        told.push_back(maxWaitMs);
        clock.advance(100);
    });
    Message m;
    ASSERT_TRUE(getMessage(m));
    EXPECT_EQ(m.message, WM_TIMER);
    EXPECT_EQ(told, (std::vector<std::uint32_t>{300, 200, 100}));
    killTimer(window, 1);

    // Without a timer the wait has no bound; what it gives is retrieved next.
    told.clear();
    setIdleWait([&](std::uint32_t maxWaitMs) {
        told.push_back(maxWaitMs);
        postMessage(window, kPosted);
    });
    ASSERT_TRUE(getMessage(m));
    EXPECT_EQ(m.message, kPosted);
    EXPECT_EQ(told, (std::vector<std::uint32_t>{kInfinite}));
}

TEST_F(MessageSourcesTest, IdleWaitIsNotEnteredAgainFromItselfAndCanBeReplaced) {
    int calls = 0;
    IdleWait first = [&](std::uint32_t) {
        ++calls;
        Message inner;
        EXPECT_FALSE(peekMessage(inner)) << "looking from inside the wait is allowed";
        postMessage(window, kPosted);
    };
    EXPECT_FALSE(setIdleWait(first));
    Message m;
    ASSERT_TRUE(getMessage(m));
    EXPECT_EQ(calls, 1);
    IdleWait previous = setIdleWait({});
    ASSERT_TRUE(previous) << "the wait was put back after it ran";
    previous(0);
    EXPECT_EQ(calls, 2);
}

}  // namespace
}  // namespace platform
