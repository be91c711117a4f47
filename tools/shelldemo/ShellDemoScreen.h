#pragma once
// A demonstration of the shell's building blocks on one screen (rich-text label, picture box,
// image strip, back-key edit with its hint, image button, report list) and of the message-box
// view in its two ways of showing. The shell demo program shows them in the SDL backend; the
// golden-image tests show them on the headless one.

#include "platform/core/Types.h"

#include <memory>
#include <string>
#include <string_view>

namespace shelldemo {

class DemoScreen {
public:
    virtual ~DemoScreen() = default;
    virtual platform::WindowHandle window() const = 0;
};

// One rich text with every kind of markup (styles, images, a tab, sizes made from the
// settings' font height, as the program's format strings make them).
std::u16string richDemoText();

// The entry fields: object text boxes, the date and time field and a choice box.
std::unique_ptr<DemoScreen> createFieldsScreen();

// "blocks", "message", "list" or "fields"; null for another name. The screen is a full-screen top-level
// window above a menu bar; it lives as long as the returned object.
std::unique_ptr<DemoScreen> createDemoScreen(std::string_view name);

}  // namespace shelldemo
