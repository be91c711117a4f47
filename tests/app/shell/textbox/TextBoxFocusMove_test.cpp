// Moving between boxes: the key that moves the focus on acts once, on its key-down; the key-up
// that then arrives in the next box does not move it a second time. A tap puts the focus into
// the box tapped.

#include "SampleNetwork.h"

#include "../ViewHost.h"
#include "app/core/PrivateMessages.h"
#include "app/shell/TextBox.h"

#include "platform/shell/MenuBar.h"
#include "platform/ui/Focus.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowTree.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

namespace pelorvant {
namespace {

namespace ui = platform::ui;

// Three boxes one below the other in a parent that moves the focus as a form does.
class TextBoxFocusMoveTest : public ::testing::TestWithParam<const char*> {
protected:
    TextBoxFocusMoveTest() : kit(GetParam()) {}
    void SetUp() override {
        ASSERT_TRUE(network.ok());
        ui::CreateParams p;
        p.className = "FocusMoveForm";
        p.style = ui::WS_VISIBLE;
        p.rect = Rect::fromSize(0, 0, 240, 320);
        form = ui::createWindow(p, [this](platform::WindowHandle h, std::uint32_t m,
                                          std::uintptr_t wp, std::intptr_t lp) -> platform::MsgResult {
            if (m == WM_MOVE_FOCUS) {
                const int next = static_cast<int>(lp) + (wp == 1 ? -1 : 1);
                if (next >= 0 && next < static_cast<int>(boxes.size()))
                    ui::setFocus(boxes[static_cast<std::size_t>(next)]->handle());
                return 0;
            }
            return ui::defWindowProc(h, m, wp, lp);
        });
        for (int i = 0; i < 3; ++i) {
            boxes[static_cast<std::size_t>(i)] =
                std::make_unique<cTextBox>(i, platform::kNullWindow, false, network.names());
            ASSERT_TRUE(boxes[static_cast<std::size_t>(i)]->createBox(
                form, Rect::fromSize(5, 30 + 60 * i, 230, 30), 1001 + static_cast<std::uintptr_t>(i)));
            boxes[static_cast<std::size_t>(i)]->Layout();
        }
        ui::setFocus(boxes[0]->handle());
        kit.pump();
    }
    void TearDown() override {
        for (auto& box : boxes) box.reset();
        ui::destroyWindow(form);
    }
    bool keypad() const { return std::string(GetParam()).find("keypad") != std::string::npos; }
    // The box holding the focus, -1 for none.
    int focusedBox() const {
        const platform::WindowHandle focus = ui::getFocus();
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const platform::WindowHandle box = boxes[i]->handle();
            if (focus == box || ui::getParent(focus) == box) return static_cast<int>(i);
        }
        return -1;
    }

    testing::SampleNetwork network;
    platform::testkit::UiTestKit kit;
    platform::WindowHandle form = platform::kNullWindow;
    std::array<std::unique_ptr<cTextBox>, 3> boxes;
};

TEST_P(TextBoxFocusMoveTest, AKeyMovesTheFocusOneBoxOnly) {
    struct Case {
        std::uint32_t key;
        int from;
        int to;
    };
    for (const Case& c : {Case{ui::VK_DOWN, 0, 1}, Case{ui::VK_TAB, 0, 1}, Case{ui::VK_DOWN, 1, 2},
                          Case{ui::VK_UP, 2, 1}, Case{ui::VK_UP, 1, 0}}) {
        SCOPED_TRACE(::testing::Message() << "key " << c.key << " from box " << c.from);
        ui::setFocus(boxes[static_cast<std::size_t>(c.from)]->handle());
        kit.pump();
        kit.key(c.key);
        EXPECT_EQ(focusedBox(), c.to);
    }
}

TEST_P(TextBoxFocusMoveTest, TheKeyUpOfAnInputMethodsKeyStillActs) {
    if (keypad()) GTEST_SKIP() << "the keypad box's display, not its edit, takes the keys";
    // An input method took the key-down; the edit acts on the key-up instead.
    const platform::WindowHandle edit = ui::getFocus();
    ASSERT_EQ(focusedBox(), 0);
    platform::sendMessage(edit, ui::WM_KEYDOWN, ui::VK_PROCESSKEY, 1);
    EXPECT_EQ(focusedBox(), 0);
    platform::sendMessage(edit, ui::WM_KEYUP, ui::VK_DOWN, 1);
    kit.pump();
    EXPECT_EQ(focusedBox(), 1);
}

TEST_P(TextBoxFocusMoveTest, ATapPutsTheFocusIntoTheBoxTapped) {
    if (keypad())
        GTEST_SKIP() << "a keypad device has no touch screen";
    kit.tap(boxes[1]->handle());
    EXPECT_EQ(focusedBox(), 1);
    for (platform::WindowHandle h : ui::getTopLevelWindows())
        EXPECT_FALSE(ui::isWindowVisible(h) && ui::getClassName(h) == platform::shell::kMenuPopupClass) << "a menu opened";
}

INSTANTIATE_TEST_SUITE_P(Profiles, TextBoxFocusMoveTest,
                         ::testing::Values("240x320", "240x320-keypad"), [](const auto& info) {
                             return std::string(info.param).find("keypad") == std::string::npos
                                        ? "Touch"
                                        : "Keypad";
                         });

}  // namespace
}  // namespace pelorvant
