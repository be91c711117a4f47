#include "app/shell/SubclassedControl.h"

#include "platform/controls/Controls.h"
#include "platform/ui/UiMessages.h"

namespace pelorvant {

namespace ui = platform::ui;
using platform::MsgResult;

SubclassedControl::~SubclassedControl() {
    if (handle_ != platform::kNullWindow) {
        ui::destroyWindow(handle_);
    }
}

bool SubclassedControl::createControl(std::string_view className, ui::CreateParams params) {
    if (handle_ != platform::kNullWindow) {
        return false;
    }
    platform::controls::registerControlClasses();
    params.className = std::string(className);
    const platform::WindowHandle h = ui::createWindow(params);
    if (h == platform::kNullWindow) {
        return false;
    }
    handle_ = h;
    control_ = platform::setWindowProc(
        h, [this](platform::WindowHandle w, std::uint32_t m, std::uintptr_t wp,
                  std::intptr_t lp) -> MsgResult {
            if (w != handle_) {
                return ui::defWindowProc(w, m, wp, lp);
            }
            const MsgResult r = onMessage(m, wp, lp);
            if (m == ui::WM_NCDESTROY) {
                handle_ = platform::kNullWindow;
            }
            return r;
        });
    return static_cast<bool>(control_);
}

MsgResult SubclassedControl::onMessage(std::uint32_t message, std::uintptr_t wParam,
                                       std::intptr_t lParam) {
    return callControl(message, wParam, lParam);
}

MsgResult SubclassedControl::callControl(std::uint32_t message, std::uintptr_t wParam,
                                         std::intptr_t lParam) {
    return control_ ? control_(handle_, message, wParam, lParam)
                    : ui::defWindowProc(handle_, message, wParam, lParam);
}

}  // namespace pelorvant
