#pragma once
// Draws laid-out label runs into a device context: each text run on its line's bottom edge,
// each image stretched to its run's size, the fonts following the style and height runs.

#include "app/shell/LabelFonts.h"
#include "app/shell/LabelLayout.h"

#include "platform/draw/Color.h"
#include "platform/draw/DeviceContext.h"

namespace pelorvant {

struct LabelColors {
    platform::draw::Color background = platform::draw::rgb(255, 255, 255);
    platform::draw::Color text = platform::draw::rgb(0, 0, 0);
};

// Fills the area (width × height) with the background and draws the part of the text that
// starts `originY` pixels below its top. Throws ShellException for an image that does not load
// ("ImageLabel bad image Exception").
void renderLabel(const LabelLayout& layout, platform::draw::DeviceContext& dc, int width,
                 int height, int originY, int fontHeight, const LabelColors& colors,
                 LabelFonts& fonts);

}  // namespace pelorvant
