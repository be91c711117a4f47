// Pre-translate filters: what a filter takes is neither translated nor dispatched, in the
// loop that blocks and in the one that pumps; what it leaves goes on as before.

#include "platform/ui/MessageFilters.h"
#include "platform/ui/VirtualKeys.h"
#include "tests/platform/ui/UiTestSupport.h"

#include <utility>
#include <vector>

namespace platform::ui::testing {
namespace {

// Filters are plain functions, so what they saw lives here.
std::vector<std::uint32_t>& filtered() {
    static std::vector<std::uint32_t> seen;
    return seen;
}

// Takes the key VK_A (down and up) and lets everything else go on.
bool takeA(const Message& m) {
    if (m.message == WM_KEYDOWN || m.message == WM_KEYUP) {
        filtered().push_back(static_cast<std::uint32_t>(m.wParam));
    }
    return (m.message == WM_KEYDOWN || m.message == WM_KEYUP) && m.wParam == VK_A;
}

class MessageFilters : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        filtered().clear();
        frame = top(u"frame");
        edit = child(frame, u"edit", Rect{0, 0, 50, 20});
        setFocus(edit);
        log_.clear();
    }
    void TearDown() override {
        removePreTranslateFilter(&takeA);
        UiTest::TearDown();
    }
    using Seen = std::vector<std::pair<std::uint32_t, std::uintptr_t>>;
    Seen keysAndChars() const {
        Seen out;
        for (const Received& r : log_.only({WM_KEYDOWN, WM_KEYUP, WM_CHAR})) {
            out.emplace_back(r.message, r.wParam);
        }
        return out;
    }
    void typeAB() {
        keyDown(VK_A);
        keyUp(VK_A);
        keyDown(VK_A + 1);
        keyUp(VK_A + 1);
    }
    WindowHandle frame = kNullWindow;
    WindowHandle edit = kNullWindow;
};

TEST_F(MessageFilters, ATakenKeyIsNeitherTranslatedNorDispatchedWhenPumping) {
    addPreTranslateFilter(&takeA);
    typeAB();
    EXPECT_TRUE(pumpMessages());
    EXPECT_EQ(keysAndChars(),
              (Seen{{WM_KEYDOWN, VK_A + 1}, {WM_CHAR, u'b'}, {WM_KEYUP, VK_A + 1}}));
    EXPECT_EQ(filtered(), (std::vector<std::uint32_t>{VK_A, VK_A, VK_A + 1, VK_A + 1}));
}

TEST_F(MessageFilters, TheBlockingLoopFiltersAndStillEndsOnQuit) {
    addPreTranslateFilter(&takeA);
    typeAB();
    postQuitMessage(7);
    EXPECT_EQ(runMessageLoop(), 7);
    EXPECT_EQ(keysAndChars(),
              (Seen{{WM_KEYDOWN, VK_A + 1}, {WM_CHAR, u'b'}, {WM_KEYUP, VK_A + 1}}));
}

TEST_F(MessageFilters, AddedTwiceRunsOnceAndRemovedNoMore) {
    addPreTranslateFilter(&takeA);
    addPreTranslateFilter(&takeA);
    keyDown(VK_A + 1);
    pumpMessages();
    EXPECT_EQ(filtered(), (std::vector<std::uint32_t>{VK_A + 1}));
    removePreTranslateFilter(&takeA);
    keyDown(VK_A);
    pumpMessages();
    EXPECT_EQ(filtered(), (std::vector<std::uint32_t>{VK_A + 1}));
    EXPECT_EQ(keysAndChars(),
              (Seen{{WM_KEYDOWN, VK_A + 1}, {WM_CHAR, u'b'}, {WM_KEYDOWN, VK_A}, {WM_CHAR, u'a'}}));
}

TEST_F(MessageFilters, WithoutFiltersEveryMessageGoesOn) {
    EXPECT_FALSE(preTranslateMessage(Message{edit, WM_KEYDOWN, VK_A, 0, 0}));
    typeAB();
    pumpMessages();
    EXPECT_EQ(keysAndChars(), (Seen{{WM_KEYDOWN, VK_A},
                                    {WM_CHAR, u'a'},
                                    {WM_KEYUP, VK_A},
                                    {WM_KEYDOWN, VK_A + 1},
                                    {WM_CHAR, u'b'},
                                    {WM_KEYUP, VK_A + 1}}));
}

}  // namespace
}  // namespace platform::ui::testing
