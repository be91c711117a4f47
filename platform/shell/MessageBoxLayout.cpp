#include "platform/shell/MessageBoxLayout.h"

#include "platform/draw/TextLayout.h"

#include <algorithm>

namespace platform::shell {

using draw::Rect;

MessageBoxLayout layoutMessageBox(const draw::Font& font, std::u16string_view text, bool hasIcon,
                                  draw::Size screen, int border) {
    const int line = font.metrics().height;
    // Spacing grows with the font, so that high-resolution screens look the same, only finer.
    const int unit = std::max(1, line / 13);
    const int pad = 8 * unit;
    const int margin = 10 * unit;  // between the box and the screen's edges
    const int width = std::max(0, screen.width - 2 * margin);
    const int clientWidth = std::max(0, width - 2 * border);
    const int iconSide = hasIcon ? 2 * line : 0;
    const int textLeft = hasIcon ? pad + iconSide + pad : pad;
    const int textWidth = std::max(1, clientWidth - pad - textLeft);
    const int textHeight =
        draw::measureLines(font, text, textWidth, draw::LineBreaks::WordWrap).height;
    const int buttonHeight = line + 10 * unit;

    MessageBoxLayout l;
    l.caption = Rect{0, 0, clientWidth, line + pad};
    const int bodyTop = l.caption.bottom + pad;
    // Everything but the text, then as much text as the screen leaves room for.
    const int fixed = bodyTop + 12 * unit + buttonHeight + pad;
    const int room = std::max(line, screen.height - 2 * border - fixed);
    const int body = std::min(std::max(textHeight, iconSide), room);
    l.icon = hasIcon ? Rect::fromSize(pad, bodyTop, iconSide, iconSide) : Rect{};
    l.text = Rect{textLeft, bodyTop, textLeft + textWidth, bodyTop + body};
    l.buttons = Rect::fromSize(0, l.text.bottom + 12 * unit, clientWidth, buttonHeight);
    const int height = l.buttons.bottom + pad + 2 * border;
    l.window = Rect::fromSize(margin, std::max(0, (screen.height - height) / 2), width, height);
    return l;
}

}  // namespace platform::shell
