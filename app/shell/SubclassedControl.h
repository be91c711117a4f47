#pragma once
// A system control (button, static, edit, list view) made by its class and then subclassed:
// the object sees every message first and passes on what it does not handle to the control.
// The object owns the control's window: destroying the object destroys the window. When the
// window goes first (with its parent), the object forgets it.

#include "platform/core/Types.h"
#include "platform/core/Window.h"
#include "platform/ui/WindowTree.h"

#include <cstdint>
#include <string_view>

namespace pelorvant {

class SubclassedControl {
public:
    SubclassedControl() = default;
    virtual ~SubclassedControl();
    SubclassedControl(const SubclassedControl&) = delete;
    SubclassedControl& operator=(const SubclassedControl&) = delete;

    // Creates the control of the class with the parameters (their class name is replaced).
    bool createControl(std::string_view className, platform::ui::CreateParams params);
    platform::WindowHandle handle() const { return handle_; }

protected:
    // Every message after creation; the default passes it to the control.
    virtual platform::MsgResult onMessage(std::uint32_t message, std::uintptr_t wParam,
                                          std::intptr_t lParam);
    platform::MsgResult callControl(std::uint32_t message, std::uintptr_t wParam,
                                    std::intptr_t lParam);

private:
    platform::WindowHandle handle_ = platform::kNullWindow;
    platform::WindowProc control_;
};

}  // namespace pelorvant
