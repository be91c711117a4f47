// The one nested loop of modal things, and the paints and characters every loop retrieves.

#include "tests/platform/ui/UiTestSupport.h"

#include "platform/core/MessageSources.h"
#include "platform/ui/MessageFilters.h"
#include "platform/ui/Paint.h"
#include "platform/ui/VirtualKeys.h"

namespace platform::ui::testing {
namespace {

using ModalLoop = UiTest;

constexpr std::uint32_t kStep = WM_USER + 7;

TEST_F(ModalLoop, RunsUntilDoneOfferingEachMessageToItsFilterFirst) {
    int steps = 0;
    const WindowHandle w = make(u"w", WS_VISIBLE, Rect{0, 0, 50, 50}, kNullWindow, 0,
                                [&](WindowHandle, std::uint32_t m, std::uintptr_t,
                                    std::intptr_t) -> std::optional<MsgResult> {
                                    if (m == kStep) {
                                        ++steps;
                                        return 0;
                                    }
                                    return std::nullopt;
                                });
    ui::pumpMessages();
    for (int i = 0; i < 5; ++i) {
        postMessage(w, kStep, static_cast<std::uintptr_t>(i));
    }
    std::vector<std::uintptr_t> filtered;
    const ModalEnd end = runModalLoop([&] { return steps == 2; },
                                      [&](const Message& m) {
                                          if (m.message == kStep && m.wParam % 2 == 1) {
                                              filtered.push_back(m.wParam);
                                              return true;  // taken: not dispatched
                                          }
                                          return false;
                                      });
    EXPECT_EQ(end, ModalEnd::Done);
    EXPECT_EQ(filtered, (std::vector<std::uintptr_t>{1}));
    EXPECT_EQ(steps, 2);
    Message m;
    ASSERT_TRUE(peekMessage(m)) << "what came after the end stays queued";
    EXPECT_EQ(m.wParam, 3u);
}

TEST_F(ModalLoop, QuitEndsItAndIsPostedAgainForTheOuterLoop) {
    const WindowHandle w = top(u"w");
    ui::pumpMessages();
    postMessage(w, kStep);
    postQuitMessage(5);
    EXPECT_EQ(runModalLoop([] { return false; }), ModalEnd::Quit);
    EXPECT_EQ(log_.only({kStep}).size(), 1u);
    EXPECT_EQ(runMessageLoop(), 5);
}

TEST_F(ModalLoop, PaintsKeysAndFiltersReachItAsTheMainLoop) {
    const WindowHandle w = top(u"w");
    setFocus(w);
    ui::pumpMessages();
    log_.clear();
    static std::vector<std::uint32_t> seenByFilter;
    seenByFilter.clear();
    const PreTranslateFilter filter = [](const Message& m) {
        seenByFilter.push_back(m.message);
        return false;
    };
    addPreTranslateFilter(filter);
    invalidateRect(w);
    keyDown(VK_A);
    bool done = false;
    setIdleWait([&](std::uint32_t) {
        done = true;
        postMessage(w, WM_NULL);  // the loop looks at done() after the next message
    });
    runModalLoop([&] { return done; });
    setIdleWait({});
    removePreTranslateFilter(filter);
    const auto got = log_.only({WM_KEYDOWN, WM_CHAR, WM_PAINT});
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].message, WM_KEYDOWN);
    EXPECT_EQ(got[1].message, WM_CHAR);
    EXPECT_EQ(got[1].wParam, u'a');
    EXPECT_EQ(got[2].message, WM_PAINT);
    EXPECT_NE(std::find(seenByFilter.begin(), seenByFilter.end(), WM_KEYDOWN), seenByFilter.end());
}

}  // namespace
}  // namespace platform::ui::testing
