#include "platform/shell/MessageBox.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/ControlStyle.h"
#include "platform/controls/Controls.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Thread.h"
#include "platform/core/Window.h"
#include "platform/shell/MenuBar.h"
#include "platform/shell/MessageBoxWindow.h"
#include "platform/shell/ShellMessages.h"
#include "platform/ui/Focus.h"
#include "platform/ui/MessageFilters.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Screen.h"
#include "platform/ui/UiLoop.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <array>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace platform::shell {
namespace {

using draw::Point;
using draw::Rect;
namespace ctl = platform::controls;

constexpr std::uint32_t kRelayAsk = platform::WM_USER + 0x7A0;  // lParam: Pending*

// A request from a worker: the worker waits until `answered`.
struct Pending {
    MessageBoxRequest request;
    std::mutex lock;
    std::condition_variable done;
    bool answered = false;
    int answer = 0;

    void finish(int value) {
        std::lock_guard<std::mutex> hold(lock);
        if (!answered) {
            answered = true;
            answer = value;
            done.notify_all();
        }
    }
};

struct Relay {
    std::mutex lock;
    WindowHandle window = kNullWindow;
    ThreadId thread = 0;
    std::vector<std::shared_ptr<Pending>> pending;  // asked and not yet answered
};

Relay& relay() {
    static Relay r;
    return r;
}

MessageBoxAnswerer& answerer() {
    static MessageBoxAnswerer a;
    return a;
}

// Shows a box and returns its window; `onAnswer` receives the button.
WindowHandle showBox(const MessageBoxRequest& request, std::function<void(int)> onAnswer) {
    return MessageBoxWindow::open(request, std::move(onAnswer));
}

// The modal form on the user-interface thread.
int runModal(const MessageBoxRequest& request) {
    bool done = false;
    int result = 0;
    const bool ownerWasEnabled = request.owner != kNullWindow && ui::isWindowEnabled(request.owner);
    const WindowHandle focus = ui::getFocus();
    const WindowHandle box = showBox(request, [&](int value) {
        done = true;
        result = value;
    });
    if (box == kNullWindow) {
        return 0;
    }
    if (ownerWasEnabled) {
        ui::enableWindow(request.owner, false);
    }
    // Escape answers with the last button; the soft keys and popups still get their keys.
    ui::addPreTranslateFilter(translateShellKey);
    const ui::ModalEnd end = ui::runModalLoop(
        [&done] { return done; },
        [box](const Message& m) {
            if (m.message != ui::WM_KEYDOWN || m.wParam != ui::VK_ESCAPE || !ui::isUiWindow(box)) {
                return false;
            }
            const auto kids = ui::getChildren(box);
            if (kids.empty()) {
                return false;
            }
            sendMessage(box, ui::WM_COMMAND, ui::getDlgCtrlId(kids.front()));
            return true;
        });
    if (end == ui::ModalEnd::Quit) {
        ui::destroyWindow(box);
    }
    if (ownerWasEnabled) {
        ui::enableWindow(request.owner, true);
    }
    if (focus != kNullWindow && ui::isUiWindow(focus)) {
        ui::setFocus(focus);
    }
    return result;
}

MsgResult relayProc(WindowHandle h, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) {
    if (m == kRelayAsk) {
        std::shared_ptr<Pending> pending;
        {
            std::lock_guard<std::mutex> hold(relay().lock);
            for (const auto& p : relay().pending) {
                if (reinterpret_cast<std::intptr_t>(p.get()) == lp) {
                    pending = p;
                }
            }
        }
        if (!pending) {
            return 0;
        }
        if (answerer()) {
            pending->finish(answerer()(pending->request));
        } else if (showBox(pending->request, [pending](int v) { pending->finish(v); }) ==
                   kNullWindow) {
            pending->finish(0);
        }
        return 0;
    }
    if (m == ui::WM_DESTROY) {
        std::vector<std::shared_ptr<Pending>> left;
        {
            std::lock_guard<std::mutex> hold(relay().lock);
            left.swap(relay().pending);
            relay().window = kNullWindow;
            relay().thread = 0;
        }
        for (const auto& p : left) {
            p->finish(0);
        }
        return 0;
    }
    return ui::defWindowProc(h, m, wp, lp);
}

}  // namespace

void startMessageBoxRelay() {
    stopMessageBoxRelay();
    ui::CreateParams p;
    p.className = "MessageBoxRelay";
    p.style = ui::WS_POPUP;  // never shown
    const WindowHandle w = ui::createWindow(p, relayProc);
    std::lock_guard<std::mutex> hold(relay().lock);
    relay().window = w;
    relay().thread = currentThreadId();
}

void stopMessageBoxRelay() {
    WindowHandle w;
    {
        std::lock_guard<std::mutex> hold(relay().lock);
        w = relay().window;
    }
    if (w != kNullWindow) {
        ui::destroyWindow(w);
    }
}

void setMessageBoxAnswerer(MessageBoxAnswerer a) {
    answerer() = std::move(a);
}

int messageBox(WindowHandle owner, std::u16string_view text, std::u16string_view caption,
               unsigned type) {
    MessageBoxRequest request{owner, std::u16string(text), std::u16string(caption), type,
                              currentThreadId()};
    WindowHandle relayWindow;
    ThreadId uiThread;
    {
        std::lock_guard<std::mutex> hold(relay().lock);
        relayWindow = relay().window;
        uiThread = relay().thread;
    }
    const bool onUiThread = relayWindow == kNullWindow || uiThread == request.askingThread;
    if (onUiThread) {
        if (answerer()) {
            return answerer()(request);
        }
        return runModal(request);
    }
    auto pending = std::make_shared<Pending>();
    pending->request = std::move(request);
    {
        std::lock_guard<std::mutex> hold(relay().lock);
        relay().pending.push_back(pending);
    }
    if (!postMessage(relayWindow, kRelayAsk, 0, reinterpret_cast<std::intptr_t>(pending.get()))) {
        pending->finish(0);
    }
    std::unique_lock<std::mutex> wait(pending->lock);
    pending->done.wait(wait, [&] { return pending->answered; });
    const int answer = pending->answer;
    wait.unlock();
    std::lock_guard<std::mutex> hold(relay().lock);
    auto& list = relay().pending;
    list.erase(std::remove(list.begin(), list.end(), pending), list.end());
    return answer;
}

}  // namespace platform::shell
