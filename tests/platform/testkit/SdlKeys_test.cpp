// The SDL backend's keys: which desktop key stands for which device key.

#ifdef TRASA_HAVE_SDL

#include "platform/backends/SdlBackend.h"
#include "platform/ui/VirtualKeys.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace platform::backends {
namespace {

TEST(SdlKeys, DesktopKeysStandForTheDeviceKeys) {
    struct Case {
        int sdl;
        std::uint32_t device;
    };
    const Case cases[] = {
        {SDLK_KP_8, ui::VK_NUMPAD8},
        {SDLK_KP_9, ui::VK_NUMPAD9},
        {SDLK_KP_0, ui::VK_NUMPAD0},
        {SDLK_KP_1, ui::VK_NUMPAD0 + 1},
        {SDLK_5, ui::VK_0 + 5},
        {SDLK_q, ui::VK_A + 16},
        {SDLK_F1, ui::VK_TSOFT1},
        {SDLK_F2, ui::VK_TSOFT2},
        {SDLK_KP_MULTIPLY, ui::VK_TSTAR},
        {SDLK_HASH, ui::VK_TPOUND},
        {SDLK_ESCAPE, ui::VK_ESCAPE},
        {SDLK_KP_ENTER, ui::VK_RETURN},
        {SDLK_UP, ui::VK_UP},
        {SDLK_F5, 0},
        {SDLK_PAUSE, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sdl);
        EXPECT_EQ(deviceKeyOf(c.sdl), c.device);
    }
}

TEST(SdlKeys, KeypadCommandKeysGiveNoCharacter) {
    EXPECT_EQ(ui::characterOfKey(ui::VK_NUMPAD8, false), 0);
    EXPECT_EQ(ui::characterOfKey(ui::VK_NUMPAD9, true), 0);
    EXPECT_EQ(ui::characterOfKey(ui::VK_PROCESSKEY, false), 0);
    EXPECT_EQ(ui::characterOfKey(ui::VK_TPOUND, false), u'#');
}

}  // namespace
}  // namespace platform::backends

#endif
