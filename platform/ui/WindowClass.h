#pragma once
// Window classes: a name with a default procedure, class styles (CS_DBLCLKS enables double
// taps) and a background colour that erasing fills with.

#include "platform/core/Window.h"
#include "platform/draw/Color.h"

#include <cstdint>
#include <optional>
#include <string>

namespace platform::ui {

struct WindowClass {
    std::string name;
    WindowProc proc;  // empty: windows of the class need a procedure of their own
    std::uint32_t style = 0;
    std::optional<draw::Color> background = draw::rgb(255, 255, 255);
};

// Registers or replaces a class; false for an empty name.
bool registerClass(const WindowClass& windowClass);
// A copy of a registered class, or nothing.
std::optional<WindowClass> findClass(const std::string& name);

}  // namespace platform::ui
