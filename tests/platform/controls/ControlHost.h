#pragma once
// A full-screen parent window for control tests: it records every WM_COMMAND a control sends
// as "id:CODE" in arrival order, and can run a check at the moment a notification arrives.

#include "platform/controls/Controls.h"
#include "platform/testkit/UiTestKit.h"
#include "platform/ui/Screen.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace platform::controls::testing {

struct Recorder {
    std::vector<std::string> seen;
    std::map<std::uint32_t, std::string> names;
    std::function<void(unsigned id, unsigned code)> onCommand;
};

class ControlHost {
public:
    explicit ControlHost(std::map<std::uint32_t, std::string> names)
        : recorder_(std::make_shared<Recorder>()) {
        registerControlClasses();
        recorder_->names = std::move(names);
        ui::CreateParams p;
        p.className = "TestHost";
        p.style = ui::WS_VISIBLE;
        p.rect = draw::Rect{0, 0, ui::screenSize().width, ui::screenSize().height};
        auto rec = recorder_;
        window_ = ui::createWindow(
            p,
            [rec](WindowHandle h, std::uint32_t m, std::uintptr_t wp,
                  std::intptr_t lp) -> MsgResult {
                if (m == ui::WM_COMMAND) {
                    const unsigned id = ui::lowWord(wp);
                    const unsigned code = ui::highWord(wp);
                    auto name = rec->names.find(code);
                    rec->seen.push_back(
                        std::to_string(id) + ":" +
                        (name != rec->names.end() ? name->second : std::to_string(code)));
                    if (rec->onCommand) {
                        rec->onCommand(id, code);
                    }
                    return 0;
                }
                return ui::defWindowProc(h, m, wp, lp);
            });
    }

    WindowHandle window() const { return window_; }
    std::vector<std::string>& seen() { return recorder_->seen; }
    void onCommand(std::function<void(unsigned, unsigned)> f) { recorder_->onCommand = f; }

    WindowHandle add(std::string_view cls, std::u16string text, std::uint32_t style,
                     draw::Rect rect, std::uintptr_t id) {
        ui::CreateParams p;
        p.className = std::string(cls);
        p.text = std::move(text);
        p.style = ui::WS_CHILD | ui::WS_VISIBLE | style;
        p.rect = rect;
        p.parent = window_;
        p.id = id;
        return ui::createWindow(p);
    }

private:
    std::shared_ptr<Recorder> recorder_;
    WindowHandle window_ = kNullWindow;
};

}  // namespace platform::controls::testing
