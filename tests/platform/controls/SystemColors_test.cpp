#include "platform/controls/SystemColors.h"

#include <gtest/gtest.h>

namespace platform::controls {
namespace {

TEST(SystemColors, IndicesGiveTheColoursTheControlsDrawWith) {
    struct Case {
        int index;
        draw::Color color;
    };
    const Case cases[] = {
        {COLOR_WINDOW, draw::rgb(255, 255, 255)},
        {COLOR_WINDOWTEXT, draw::rgb(0, 0, 0)},
        {COLOR_HIGHLIGHT, 0xD69631},
        {COLOR_HIGHLIGHTTEXT, draw::rgb(255, 255, 255)},
        {COLOR_BTNFACE, kFaceColor},
        {COLOR_GRAYTEXT, kDisabledTextColor},
        {COLOR_WINDOW | kSysColorIndexFlag, draw::rgb(255, 255, 255)},  // the device's form
        {COLOR_WINDOWTEXT | kSysColorIndexFlag, draw::rgb(0, 0, 0)},
        {999, 0},
        {-1, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(getSysColor(c.index), c.color) << c.index;
    }
}

}  // namespace
}  // namespace platform::controls
