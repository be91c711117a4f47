#pragma once
// Shared by the window-layer tests: windows that record what they receive, and a fixture that
// leaves no window, focus, capture or input state behind.

#include "platform/core/MessageLoop.h"
#include "platform/ui/Capture.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Input.h"
#include "platform/ui/Screen.h"
#include "platform/ui/UiLoop.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform::ui::testing {

struct Received {
    WindowHandle window;
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
};

// A log shared by the windows of one test.
class Log {
public:
    std::vector<Received> all;
    // Only the messages with these numbers, in order.
    std::vector<Received> only(std::initializer_list<std::uint32_t> ids) const {
        std::vector<Received> out;
        for (const Received& r : all) {
            for (std::uint32_t id : ids) {
                if (r.message == id) {
                    out.push_back(r);
                }
            }
        }
        return out;
    }
    void clear() { all.clear(); }
};

using Handler = std::function<std::optional<MsgResult>(WindowHandle, std::uint32_t, std::uintptr_t,
                                                       std::intptr_t)>;

class UiTest : public ::testing::Test {
protected:
    void SetUp() override {
        setDeviceProfile(*findDeviceProfile("240x320"));
        resetInput();
    }
    void TearDown() override {
        for (WindowHandle h : getTopLevelWindows()) {
            ui::destroyWindow(h);
        }
        setFocus(kNullWindow);
        releaseCapture();
        resetInput();
        ui::pumpMessages();
    }

    // A window that logs every message and lets `handler` answer it first.
    WindowHandle make(const std::u16string& text, std::uint32_t style, Rect rect,
                      WindowHandle parent = kNullWindow, std::uintptr_t id = 0,
                      Handler handler = {}, const std::string& cls = "Test") {
        CreateParams p;
        p.className = cls;
        p.text = text;
        p.style = style;
        p.rect = rect;
        p.parent = parent;
        p.id = id;
        auto* log = &log_;
        return ui::createWindow(p,
                                [log, handler](WindowHandle w, std::uint32_t m, std::uintptr_t wp,
                                               std::intptr_t lp) -> MsgResult {
                                    log->all.push_back({w, m, wp, lp});
                                    if (handler) {
                                        if (auto r = handler(w, m, wp, lp)) {
                                            return *r;
                                        }
                                    }
                                    return defWindowProc(w, m, wp, lp);
                                });
    }
    WindowHandle top(const std::u16string& text, Rect rect = Rect{0, 0, 240, 320},
                     std::uint32_t style = WS_VISIBLE) {
        return make(text, style, rect);
    }
    WindowHandle child(WindowHandle parent, const std::u16string& text, Rect rect,
                       std::uintptr_t id = 0, std::uint32_t style = WS_CHILD | WS_VISIBLE) {
        return make(text, style, rect, parent, id);
    }

    Log log_;
};

}  // namespace platform::ui::testing
