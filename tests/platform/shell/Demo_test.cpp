// Every control and the menu bar on one screen, and the month calendar, against golden images
// in both screen sizes (real fonts).

#include "platform/backends/demo/ControlsDemo.h"
#include "platform/testkit/ImageCompare.h"
#include "platform/testkit/UiTestKit.h"

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

}  // namespace
}  // namespace platform::shell
