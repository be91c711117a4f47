#include "platform/core/Window.h"

#include "platform/core/MessageIds.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Thread.h"
#include "platform/core/Timer.h"

#include "tests/platform/core/LoopThread.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace platform {
namespace {

constexpr std::uint32_t kPing = WM_USER + 1;

// A window procedure that counts its calls and answers kPing with 7.
struct CountingWindow {
    int calls = 0;
    WindowHandle handle = kNullWindow;
    CountingWindow() {
        handle = createWindow(
            [this](WindowHandle, std::uint32_t msg, std::uintptr_t, std::intptr_t) -> MsgResult {
                ++calls;
                return msg == kPing ? 7 : 0;
            });
    }
};

TEST(Window, NullAndStaleHandlesAreHarmless) {
    CountingWindow destroyed;
    ASSERT_TRUE(destroyWindow(destroyed.handle));
    const int callsAfterDestroy = destroyed.calls;

    for (WindowHandle h : {kNullWindow, destroyed.handle}) {
        SCOPED_TRACE(static_cast<std::uintptr_t>(h));
        EXPECT_EQ(sendMessage(h, kPing), 0);
        EXPECT_FALSE(postMessage(h, kPing));
        EXPECT_FALSE(setTimer(h, 1, 10));
        EXPECT_FALSE(killTimer(h, 1));
        EXPECT_FALSE(isWindow(h));
        EXPECT_EQ(windowThreadId(h), 0u);
        EXPECT_EQ(getUserData(h), 0u);
        EXPECT_EQ(setUserData(h, 5), 0u);
        EXPECT_FALSE(setWindowProc(
            h, [](WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t) -> MsgResult {
                return 1;
            }));
        EXPECT_FALSE(destroyWindow(h));
        EXPECT_EQ(dispatchMessage(Message{h, kPing, 0, 0, 0}), 0);
    }
    EXPECT_EQ(destroyed.calls, callsAfterDestroy);
    Message m;
    EXPECT_FALSE(peekMessage(m)) << "nothing was queued for the stale handle";
}

TEST(Window, StaleHandleNeverNamesALaterWindow) {
    // Slots are reused; generations keep the old handles apart from the new windows.
    std::vector<WindowHandle> old;
    for (int i = 0; i < 50; ++i) {
        CountingWindow w;
        old.push_back(w.handle);
        ASSERT_TRUE(destroyWindow(w.handle));
    }
    CountingWindow live;
    for (WindowHandle h : old) {
        EXPECT_NE(h, live.handle);
        EXPECT_EQ(sendMessage(h, kPing), 0);
    }
    EXPECT_EQ(live.calls, 0);
    EXPECT_EQ(sendMessage(live.handle, kPing), 7);
    destroyWindow(live.handle);
}

TEST(Window, EmptyProcedureIsRefused) {
    EXPECT_EQ(createWindow(WindowProc{}), kNullWindow);
    CountingWindow w;
    EXPECT_FALSE(setWindowProc(w.handle, WindowProc{}));
    EXPECT_EQ(sendMessage(w.handle, kPing), 7) << "the old procedure stays";
    destroyWindow(w.handle);
}

TEST(Window, UserDataIsKeptAndSwapped) {
    WindowHandle h = createWindow(
        [](WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t) -> MsgResult { return 0; },
        11);
    EXPECT_EQ(getUserData(h), 11u);
    EXPECT_EQ(setUserData(h, 22), 11u);
    EXPECT_EQ(getUserData(h), 22u);
    destroyWindow(h);
}

TEST(Window, ReplacementProcedureCanPassMessagesOn) {
    CountingWindow w;
    WindowProc previous;
    previous = setWindowProc(w.handle, [&previous](WindowHandle h, std::uint32_t msg,
                                                   std::uintptr_t wp, std::intptr_t lp) {
        if (msg == kPing + 1) {
            return MsgResult{99};
        }
        return previous(h, msg, wp, lp);
    });
    ASSERT_TRUE(previous);
    EXPECT_EQ(sendMessage(w.handle, kPing + 1), 99);
    EXPECT_EQ(w.calls, 0);
    EXPECT_EQ(sendMessage(w.handle, kPing), 7);
    EXPECT_EQ(w.calls, 1);
    destroyWindow(w.handle);
}

TEST(Window, ProcedureReplacedWhileRunningFinishesItsCall) {
    // The replaced procedure's captures must stay alive until its running call returns.
    auto text = std::make_shared<std::string>("captured state of the first procedure");
    std::string seenAfterReplace;
    WindowHandle h =
        createWindow([text, &seenAfterReplace](WindowHandle self, std::uint32_t msg, std::uintptr_t,
                                               std::intptr_t) -> MsgResult {
            if (msg != kPing) {
                return 0;
            }
            setWindowProc(
                self, [](WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t) -> MsgResult {
                    return 2;
                });
            seenAfterReplace = *text;
            return 1;
        });
    std::weak_ptr<std::string> watch = text;
    text.reset();
    EXPECT_EQ(sendMessage(h, kPing), 1);
    EXPECT_EQ(seenAfterReplace, "captured state of the first procedure");
    EXPECT_TRUE(watch.expired()) << "the replaced procedure is released after its call";
    EXPECT_EQ(sendMessage(h, kPing), 2);
    destroyWindow(h);
}

TEST(Window, DestroyDeliversNoticesWithHandleAlreadyStale) {
    struct Seen {
        std::uint32_t msg;
        bool live;
        std::uintptr_t userData;
        MsgResult selfSend;
    };
    std::vector<Seen> seen;
    WindowHandle h = createWindow(
        [&seen](WindowHandle self, std::uint32_t msg, std::uintptr_t, std::intptr_t) -> MsgResult {
            if (msg == kPing) {
                return 5;
            }
            seen.push_back({msg, isWindow(self), getUserData(self), sendMessage(self, kPing)});
            return 0;
        },
        1234);
    ASSERT_TRUE(destroyWindow(h));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].msg, WM_DESTROY);
    EXPECT_EQ(seen[1].msg, WM_NCDESTROY);
    for (const Seen& s : seen) {
        EXPECT_FALSE(s.live);
        EXPECT_EQ(s.userData, 1234u) << "user data stays readable for the clean-up";
        EXPECT_EQ(s.selfSend, 0);
    }
    EXPECT_EQ(getUserData(h), 0u) << "freed after the notices";
}

TEST(Window, DestroyedInsideItsOwnHandlerIsFreedAfterTheHandlerReturns) {
    auto state = std::make_shared<std::vector<std::string>>();
    std::weak_ptr<std::vector<std::string>> watch = state;
    bool aliveAfterDestroy = false;
    std::uintptr_t userDataAfterDestroy = 0;
    WindowHandle h = createWindow(
        [state, watch, &aliveAfterDestroy, &userDataAfterDestroy](
            WindowHandle self, std::uint32_t msg, std::uintptr_t, std::intptr_t) -> MsgResult {
            state->push_back(std::to_string(msg));
            if (msg == kPing) {
                EXPECT_TRUE(destroyWindow(self));
                EXPECT_FALSE(isWindow(self));
                EXPECT_FALSE(destroyWindow(self)) << "a second destroy is refused";
                // The handler goes on using its window's state after destroying it.
                state->push_back("after destroy");
                aliveAfterDestroy = !watch.expired();
                userDataAfterDestroy = getUserData(self);
                return 77;
            }
            return 0;
        },
        0xABCD);
    state.reset();
    EXPECT_EQ(sendMessage(h, kPing), 77);
    EXPECT_TRUE(aliveAfterDestroy);
    EXPECT_EQ(userDataAfterDestroy, 0xABCDu) << "not freed before the handler returned";
    EXPECT_TRUE(watch.expired()) << "the procedure is released once the handler returned";
    EXPECT_EQ(getUserData(h), 0u) << "freed once the handler returned";
    EXPECT_FALSE(isWindow(h));
}

TEST(Window, DestroyedInsideItsHandlerDuringADispatchedPost) {
    std::vector<std::uint32_t> seen;
    WindowHandle h = createWindow(
        [&seen](WindowHandle self, std::uint32_t msg, std::uintptr_t, std::intptr_t) -> MsgResult {
            seen.push_back(msg);
            if (msg == kPing) {
                destroyWindow(self);
            }
            return 0;
        });
    ASSERT_TRUE(postMessage(h, kPing));
    ASSERT_TRUE(postMessage(h, kPing + 1));
    Message m;
    while (peekMessage(m)) {
        dispatchMessage(m);
    }
    EXPECT_EQ(seen, (std::vector<std::uint32_t>{kPing, WM_DESTROY, WM_NCDESTROY}))
        << "the message posted after the destroying one is dropped";
}

TEST(Window, OnlyTheOwnerThreadDestroysAWindow) {
    test::LoopThread owner;
    WindowHandle h = kNullWindow;
    owner.run([&h] {
        h = createWindow([](WindowHandle, std::uint32_t, std::uintptr_t,
                            std::intptr_t) -> MsgResult { return 3; });
    });
    EXPECT_EQ(windowThreadId(h), owner.id());
    EXPECT_FALSE(destroyWindow(h));
    EXPECT_TRUE(isWindow(h));
    EXPECT_EQ(sendMessage(h, kPing), 3);
    bool destroyed = false;
    owner.run([&] { destroyed = destroyWindow(h); });
    EXPECT_TRUE(destroyed);
    EXPECT_FALSE(isWindow(h));
}

}  // namespace
}  // namespace platform
