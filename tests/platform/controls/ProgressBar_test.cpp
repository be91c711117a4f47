// The progress bar: range, position, steps and the filled share.

#include "ControlHost.h"

#include "platform/controls/ControlStyle.h"
#include "platform/controls/ProgressBar.h"
#include "platform/core/MessageLoop.h"

#include <gtest/gtest.h>

namespace platform::controls {
namespace {

using draw::Rect;
using testing::ControlHost;

TEST(ProgressBar, PositionStaysWithinTheRange) {
    testkit::UiTestKit kit;
    ControlHost host({});
    const WindowHandle bar = host.add(kProgressBarClass, u"", 0, Rect{10, 10, 112, 30}, 1);
    struct Case {
        std::uint32_t message;
        std::intptr_t value;
        MsgResult position;
    };
    const Case cases[] = {{PBM_SETPOS, 40, 40},   {PBM_SETPOS, 150, 100}, {PBM_SETPOS, -3, 0},
                          {PBM_DELTAPOS, 25, 25}, {PBM_DELTAPOS, -40, 0}, {PBM_STEPIT, 0, 10},
                          {PBM_SETPOS, 95, 95},   {PBM_STEPIT, 0, 5}};  // a step past the end wraps
    for (const Case& c : cases) {
        sendMessage(bar, c.message, static_cast<std::uintptr_t>(c.value));
        EXPECT_EQ(sendMessage(bar, PBM_GETPOS), c.position) << c.message << " " << c.value;
    }
    EXPECT_EQ(sendMessage(bar, PBM_SETRANGE32, 10, 20), ui::makeLParam(0, 100));
    EXPECT_EQ(sendMessage(bar, PBM_GETPOS), 10);
    EXPECT_EQ(sendMessage(bar, PBM_GETRANGE, 1), 10);
    EXPECT_EQ(sendMessage(bar, PBM_GETRANGE, 0), 20);
}

TEST(ProgressBar, FillShowsTheShareDone) {
    testkit::UiTestKit kit;
    ControlHost host({});
    // 100 pixels inside the frame: the fill ends at 1 + position.
    const WindowHandle bar = host.add(kProgressBarClass, u"", 0, Rect{10, 10, 112, 30}, 1);
    sendMessage(bar, PBM_SETPOS, 30);
    const draw::Bitmap& shot = kit.screenshot();
    EXPECT_EQ(shot.pixel(10 + 30, 20), kSelectionColor);
    EXPECT_EQ(shot.pixel(10 + 31, 20), kWindowColor);
    sendMessage(bar, PBM_SETPOS, 100);
    EXPECT_EQ(kit.screenshot().pixel(10 + 100, 20), kSelectionColor);
}

}  // namespace
}  // namespace platform::controls
