#include "platform/ui/DeviceFacts.h"

#include "platform/ui/Screen.h"

#include <gtest/gtest.h>

namespace platform::ui {
namespace {

TEST(DeviceFacts, FollowTheProfile) {
    struct Case {
        const char* profile;
        const char16_t* platformType;
        draw::Rect workArea;
        int dpi;
        int dialogFrame;
    };
    const Case cases[] = {
        {"240x320", u"PocketPC", draw::Rect{0, 0, 240, 294}, 96, 3},
        {"480x640", u"PocketPC", draw::Rect{0, 0, 480, 588}, 192, 6},
        {"640x480", u"PocketPC", draw::Rect{0, 0, 640, 428}, 192, 6},
        {"240x320-keypad", u"SmartPhone", draw::Rect{0, 0, 240, 285}, 131, 4},
        {"320x240-keypad", u"SmartPhone", draw::Rect{0, 0, 320, 205}, 131, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.profile);
        const DeviceProfile p = *findDeviceProfile(c.profile);
        const DeviceFacts f = deviceFactsOf(p);
        EXPECT_EQ(f.platformType, c.platformType);
        EXPECT_EQ(f.screen, (draw::Size{p.width, p.height}));
        EXPECT_EQ(f.workArea, c.workArea);
        EXPECT_EQ(f.fullScreenClientHeight, c.workArea.height());
        EXPECT_EQ(f.captionHeight, p.height - c.workArea.height());
        EXPECT_EQ(f.logicalDpi, c.dpi);
        EXPECT_EQ(f.dialogFrameHeight, c.dialogFrame);
        EXPECT_EQ(f.borderHeight, 1);
        EXPECT_EQ(f.scrollBarWidth, p.metrics.scrollBarWidth);
        EXPECT_EQ(f.osVersion.major, 5);
        EXPECT_EQ(f.osVersion.minor, 2);
    }
}

TEST(DeviceFacts, FollowTheScreenWhenItTurns) {
    setDeviceProfile(*findDeviceProfile("240x320-keypad"));
    EXPECT_EQ(deviceFacts().platformType, u"SmartPhone");
    setDeviceProfile(*findDeviceProfile("480x640"));
    EXPECT_EQ(deviceFacts().workArea, (draw::Rect{0, 0, 480, 588}));
    rotateScreen();
    EXPECT_EQ(deviceFacts().screen, (draw::Size{640, 480}));
    EXPECT_EQ(deviceFacts().workArea, (draw::Rect{0, 0, 640, 428}));
    EXPECT_EQ(deviceFacts().platformType, u"PocketPC");
    setDeviceProfile(*findDeviceProfile("240x320"));
}

}  // namespace
}  // namespace platform::ui
