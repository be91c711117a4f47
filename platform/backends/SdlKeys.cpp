#include "platform/backends/SdlBackend.h"

#include "platform/ui/VirtualKeys.h"

#include <SDL.h>

namespace platform::backends {

std::uint32_t deviceKeyOf(int sdlKey) {
    if (sdlKey >= SDLK_0 && sdlKey <= SDLK_9) {
        return ui::VK_0 + static_cast<std::uint32_t>(sdlKey - SDLK_0);
    }
    if (sdlKey >= SDLK_KP_1 && sdlKey <= SDLK_KP_9) {
        return ui::VK_NUMPAD0 + 1 + static_cast<std::uint32_t>(sdlKey - SDLK_KP_1);
    }
    if (sdlKey == SDLK_KP_0) {
        return ui::VK_NUMPAD0;
    }
    if (sdlKey >= SDLK_a && sdlKey <= SDLK_z) {
        return ui::VK_A + static_cast<std::uint32_t>(sdlKey - SDLK_a);
    }
    switch (sdlKey) {
        case SDLK_LEFT:
            return ui::VK_LEFT;
        case SDLK_RIGHT:
            return ui::VK_RIGHT;
        case SDLK_UP:
            return ui::VK_UP;
        case SDLK_DOWN:
            return ui::VK_DOWN;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return ui::VK_RETURN;
        case SDLK_ESCAPE:
            return ui::VK_ESCAPE;  // the Back key
        case SDLK_BACKSPACE:
            return ui::VK_BACK;
        case SDLK_TAB:
            return ui::VK_TAB;
        case SDLK_SPACE:
            return ui::VK_SPACE;
        case SDLK_F1:
            return ui::VK_TSOFT1;
        case SDLK_F2:
            return ui::VK_TSOFT2;
        case SDLK_ASTERISK:
        case SDLK_KP_MULTIPLY:
            return ui::VK_TSTAR;
        case SDLK_HASH:
            return ui::VK_TPOUND;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return ui::VK_SHIFT;
        default:
            return 0;
    }
}

}  // namespace platform::backends
