#pragma once
// A full-screen top-level window for view and control tests: views and controls are made as
// its children; it records the private messages they send it.

#include "platform/testkit/UiTestKit.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace pelorvant::testing {

struct HostMessage {
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
};

class ViewHost {
public:
    ViewHost() : seen_(std::make_shared<std::vector<HostMessage>>()) {
        platform::ui::CreateParams p;
        p.className = "ViewHost";
        p.style = platform::ui::WS_VISIBLE;
        const auto size = platform::ui::screenSize();
        p.rect = platform::draw::Rect{0, 0, size.width, size.height};
        auto seen = seen_;
        window_ = platform::ui::createWindow(
            p, [seen](platform::WindowHandle h, std::uint32_t m, std::uintptr_t wp,
                      std::intptr_t lp) -> platform::MsgResult {
                if (m >= 0xBD1 && m <= 0x2232) {
                    seen->push_back({m, wp, lp});
                    return 0;
                }
                return platform::ui::defWindowProc(h, m, wp, lp);
            });
    }
    platform::WindowHandle window() const { return window_; }
    std::vector<HostMessage>& seen() { return *seen_; }

private:
    std::shared_ptr<std::vector<HostMessage>> seen_;
    platform::WindowHandle window_ = platform::kNullWindow;
};

}  // namespace pelorvant::testing
