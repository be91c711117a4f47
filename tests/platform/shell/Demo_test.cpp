// Every control and the menu bar on one screen, and the month calendar, against golden images
// in both screen sizes (real fonts).

#include "platform/backends/demo/ControlsDemo.h"
#include "platform/testkit/ImageCompare.h"
#include "platform/testkit/UiTestKit.h"
#include "platform/ui/DeviceProfile.h"
#include "platform/ui/WindowTree.h"

#include <gtest/gtest.h>

#include <string>

namespace platform::shell {
namespace {

std::string golden(const std::string& name) {
    return std::string(TRASA_SOURCE_DIR) + "/tests/platform/shell/golden/" + name;
}

TEST(ControlsDemo, ScreensMatchTheirGoldenImages) {
    struct Case {
        const char* profile;
        WindowHandle (*make)();
        const char* file;
    };
    const Case cases[] = {{"240x320", demo::createControlsDemo, "controls_240x320.png"},
                          {"480x640", demo::createControlsDemo, "controls_480x640.png"},
                          {"240x320", demo::createCalendarDemo, "calendar_240x320.png"},
                          {"480x640", demo::createCalendarDemo, "calendar_480x640.png"}};
    for (const Case& c : cases) {
        testkit::UiTestKit kit(c.profile, testkit::Text::Real);
        c.make();
        kit.pump();
        std::string report;
        // Font hinting may differ slightly between machines: allow a little.
        EXPECT_TRUE(testkit::matchesGolden(kit.screenshot(), golden(c.file), 48, 400, &report))
            << c.file << ": " << report;
    }
}

// Every control lies inside its parent, whatever the screen's size and orientation, and the
// list does not run into the tabs.
TEST(ControlsDemo, LaysOutFromTheWindowSizeInEveryProfile) {
    for (const ui::DeviceProfile& profile : ui::deviceProfiles()) {
        SCOPED_TRACE(profile.name);
        for (WindowHandle (*make)() : {demo::createControlsDemo, demo::createCalendarDemo}) {
            testkit::UiTestKit kit(profile.name);
            const WindowHandle frame = make();
            const draw::Rect client = ui::getClientRect(frame);
            for (WindowHandle child : ui::getChildren(frame)) {
                const draw::Rect r = ui::getWindowRectInParent(child);
                EXPECT_GE(r.left, 0) << ui::getDlgCtrlId(child);
                EXPECT_GE(r.top, 0) << ui::getDlgCtrlId(child);
                EXPECT_LE(r.right, client.right) << ui::getDlgCtrlId(child);
                EXPECT_LE(r.bottom, client.bottom) << ui::getDlgCtrlId(child);
                EXPECT_FALSE(r.empty()) << ui::getDlgCtrlId(child);
            }
            const WindowHandle list = ui::getDlgItem(frame, 10);
            const WindowHandle tabs = ui::getDlgItem(frame, 12);
            if (list != kNullWindow) {
                EXPECT_TRUE(ui::getWindowRect(list).intersect(ui::getWindowRect(tabs)).empty());
            }
        }
    }
}

}  // namespace
}  // namespace platform::shell
