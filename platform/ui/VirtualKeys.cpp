#include "platform/ui/VirtualKeys.h"

namespace platform::ui {

char16_t characterOfKey(std::uint32_t vk, bool shift) {
    if (vk >= VK_0 && vk <= VK_0 + 9) {
        return static_cast<char16_t>(u'0' + (vk - VK_0));
    }
    if (vk >= VK_A && vk <= VK_A + 25) {
        return static_cast<char16_t>((shift ? u'A' : u'a') + (vk - VK_A));
    }
    switch (vk) {
        case VK_SPACE:
            return u' ';
        case VK_RETURN:
            return u'\r';
        case VK_BACK:
            return u'\b';
        case VK_TAB:
            return u'\t';
        case VK_ESCAPE:
            return 0x1B;
        case VK_TSTAR:
            return u'*';
        case VK_TPOUND:
            return u'#';
        default:
            return 0;
    }
}

}  // namespace platform::ui
