// The building blocks together on the demonstration screens, against golden images in the
// touch profiles and the keypad profile (real fonts).

#include "tools/shelldemo/ShellDemoScreen.h"

#include "platform/testkit/ImageCompare.h"
#include "platform/testkit/UiTestKit.h"

#include <gtest/gtest.h>

#include <string>

namespace pelorvant {
namespace {

TEST(ShellDemo, ScreensMatchTheirGoldenImages) {
    struct Case {
        const char* profile;
        const char* screen;
    };
    const Case cases[] = {{"240x320", "blocks"},        {"480x640", "blocks"},
                          {"240x320-keypad", "blocks"}, {"240x320", "message"},
                          {"480x640", "list"}};
    for (const Case& c : cases) {
        platform::testkit::UiTestKit kit(c.profile, platform::testkit::Text::Real);
        const auto screen = shelldemo::createDemoScreen(c.screen);
        ASSERT_TRUE(screen);
        kit.pump();
        const std::string file = std::string(c.screen) + "_" + c.profile + ".png";
        std::string report;
        EXPECT_TRUE(platform::testkit::matchesGolden(
            kit.screenshot(), std::string(TRASA_SOURCE_DIR) + "/tests/app/shell/golden/" + file, 48,
            400, &report))
            << file << ": " << report;
    }
}

}  // namespace
}  // namespace pelorvant
