#pragma once
// Where the parts of a message box go: the caption bar, the icon, the text wrapped to the
// box's width and the buttons below it. The box grows with its text up to the screen's
// height; a text taller than that is cut at the bottom of its area, the buttons stay.

#include "platform/draw/Font.h"
#include "platform/draw/Geometry.h"

#include <string_view>

namespace platform::shell {

struct MessageBoxLayout {
    draw::Rect window;   // on the screen
    draw::Rect caption;  // the rest in the client area
    draw::Rect icon;     // empty without an icon
    draw::Rect text;
    draw::Rect buttons;  // the row the buttons are centred in
};

// The layout for the text on a screen of the given size; `border` is the window frame's width.
MessageBoxLayout layoutMessageBox(const draw::Font& font, std::u16string_view text, bool hasIcon,
                                  draw::Size screen, int border);

}  // namespace platform::shell
