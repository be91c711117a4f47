#include "platform/controls/ControlStyle.h"

#include "platform/ui/Screen.h"

#include <map>
#include <memory>
#include <utility>

namespace platform::controls {
namespace {

int& chosenHeight() {
    static int height = 0;
    return height;
}

}  // namespace

void setControlFontHeight(int height) {
    chosenHeight() = height > 0 ? height : 0;
}

int controlFontHeight() {
    if (chosenHeight() > 0) {
        return chosenHeight();
    }
    return ui::deviceProfile().highResolution() ? 26 : 13;
}

const draw::Font& controlFont() {
    // Fonts are kept for the life of the program: controls hold pointers to them. The metric
    // mode is part of the key, since tests switch between synthetic and real text.
    static std::map<std::pair<int, draw::TextMetricMode>, std::unique_ptr<draw::Font>> fonts;
    const auto key = std::make_pair(controlFontHeight(), draw::textMetricMode());
    auto& slot = fonts[key];
    if (!slot) {
        slot = std::make_unique<draw::Font>(draw::FontSpec{"Verdana", key.first, 400});
    }
    return *slot;
}

void drawFrame(draw::DeviceContext& dc, const draw::Rect& r, draw::Color c) {
    if (r.empty()) {
        return;
    }
    dc.fillRect(draw::Rect{r.left, r.top, r.right, r.top + 1}, c);
    dc.fillRect(draw::Rect{r.left, r.bottom - 1, r.right, r.bottom}, c);
    dc.fillRect(draw::Rect{r.left, r.top, r.left + 1, r.bottom}, c);
    dc.fillRect(draw::Rect{r.right - 1, r.top, r.right, r.bottom}, c);
}

}  // namespace platform::controls
