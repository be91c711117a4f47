#include "app/shell/LabelRenderer.h"

#include "app/shell/LabelImages.h"
#include "app/shell/ShellException.h"

namespace pelorvant {

using platform::draw::Rect;

void renderLabel(const LabelLayout& layout, platform::draw::DeviceContext& dc, int width,
                 int height, int originY, int fontHeight, const LabelColors& colors,
                 LabelFonts& fonts) {
    dc.fillRect(Rect{0, 0, width, height}, colors.background);
    dc.setTextColor(colors.text);
    dc.setBkColor(colors.background);
    dc.setBkMode(platform::draw::BackgroundMode::Transparent);
    LabelFontState font;
    font.height = fontHeight;
    dc.selectFont(&fonts.font(font));
    int x = 0;
    int lineTop = -originY;
    int line = 0;
    const int lines = static_cast<int>(layout.lineHeights.size());
    for (const LabelRun& run : layout.runs) {
        while (run.line > line && line < lines) {
            lineTop += layout.lineHeights[line];
            x = 0;
            ++line;
        }
        const int lineHeight = line < lines ? layout.lineHeights[line] : 0;
        const bool visible = lineTop < height && lineTop + lineHeight > 0;
        switch (run.type) {
            case LabelRunType::Text:
                if (visible && !run.text.empty()) {
                    const Rect box{x, lineTop + lineHeight - font.height,
                                   static_cast<int>((x + run.width) * 1.05), lineTop + lineHeight};
                    dc.drawText(run.text, box);
                }
                x += run.width;
                break;
            case LabelRunType::Image: {
                const auto& bitmap = labelImage(static_cast<std::uint16_t>(run.imageId));
                if (bitmap.empty()) {
                    throw ShellException("ImageLabel bad image Exception");
                }
                if (visible) {
                    dc.stretchBlt(Rect::fromSize(x, lineTop + 1, run.width, run.height - 2), bitmap,
                                  bitmap.bounds());
                }
                x += run.width;
                break;
            }
            case LabelRunType::Style:
                font.toggle(run.style);
                dc.selectFont(&fonts.font(font));
                x += run.width;  // -1: every run's width counts, as in the line widths
                break;
            case LabelRunType::FontHeight:
                font.height = run.fontHeight;
                dc.selectFont(&fonts.font(font));
                x += run.width;
                break;
            default:
                throw ShellException("ImageLabel RedrawBitmap unknown type Exception");
        }
    }
    dc.selectFont(nullptr);
}

}  // namespace pelorvant
