#pragma once
// A full-screen parent window for control tests: it records, in arrival order, every
// WM_COMMAND a control sends as "id:CODE", every WM_VSCROLL as "vscroll:CODE:pos" (WM_HSCROLL
// "hscroll:…") and every WM_NOTIFY as "notify:id:CODE" (names from the tables, else the number),
// and can run a check (or, for WM_NOTIFY, give an answer) at the moment a notification arrives.

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
    std::map<std::uint32_t, std::string> scrollNames;
    std::function<void(unsigned id, unsigned code)> onCommand;
    std::function<MsgResult(const ui::NotifyHeader&)> onNotify;
    std::function<bool(std::uint32_t, std::uintptr_t, std::intptr_t)> onMessage;

    static std::string name(const std::map<std::uint32_t, std::string>& table, std::uint32_t code) {
        auto it = table.find(code);
        return it != table.end() ? it->second : std::to_string(code);
    }
};

class ControlHost {
public:
    explicit ControlHost(std::map<std::uint32_t, std::string> names,
                         std::map<std::uint32_t, std::string> scrollNames = {})
        : recorder_(std::make_shared<Recorder>()) {
        registerControlClasses();
        recorder_->names = std::move(names);
        recorder_->scrollNames = std::move(scrollNames);
        ui::CreateParams p;
        p.className = "TestHost";
        p.style = ui::WS_VISIBLE;
        p.rect = draw::Rect{0, 0, ui::screenSize().width, ui::screenSize().height};
        auto rec = recorder_;
        window_ = ui::createWindow(
            p,
            [rec](WindowHandle h, std::uint32_t m, std::uintptr_t wp,
                  std::intptr_t lp) -> MsgResult {
                if (rec->onMessage && rec->onMessage(m, wp, lp)) {
                    return 0;
                }
                if (m == ui::WM_COMMAND) {
                    const unsigned id = ui::lowWord(wp);
                    const unsigned code = ui::highWord(wp);
                    rec->seen.push_back(std::to_string(id) + ":" +
                                        Recorder::name(rec->names, code));
                    if (rec->onCommand) {
                        rec->onCommand(id, code);
                    }
                    return 0;
                }
                if (m == ui::WM_VSCROLL || m == ui::WM_HSCROLL) {
                    rec->seen.push_back(
                        std::string(m == ui::WM_VSCROLL ? "vscroll:" : "hscroll:") +
                        Recorder::name(rec->scrollNames, ui::lowWord(wp)) + ":" +
                        std::to_string(static_cast<std::int16_t>(ui::highWord(wp))));
                    return 0;
                }
                if (m == ui::WM_NOTIFY) {
                    const auto* header = reinterpret_cast<const ui::NotifyHeader*>(lp);
                    rec->seen.push_back("notify:" + std::to_string(header->idFrom) + ":" +
                                        Recorder::name(rec->names, header->code));
                    return rec->onNotify ? rec->onNotify(*header) : 0;
                }
                return ui::defWindowProc(h, m, wp, lp);
            });
    }

    WindowHandle window() const { return window_; }
    std::vector<std::string>& seen() { return recorder_->seen; }
    void onCommand(std::function<void(unsigned, unsigned)> f) { recorder_->onCommand = f; }
    // Any other message; true when the hook took it.
    void onMessage(std::function<bool(std::uint32_t, std::uintptr_t, std::intptr_t)> f) {
        recorder_->onMessage = f;
    }
    void onNotify(std::function<MsgResult(const ui::NotifyHeader&)> f) { recorder_->onNotify = f; }

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
