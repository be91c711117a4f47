#include "platform/shell/MessageBox.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/ControlStyle.h"
#include "platform/controls/Controls.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Thread.h"
#include "platform/core/Window.h"
#include "platform/shell/MenuBar.h"
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

// One box on the screen; `onAnswer` runs once, when a button is chosen or the box goes.
struct BoxState {
    MessageBoxRequest request;
    std::function<void(int)> onAnswer;
    bool answered = false;
    std::vector<WindowHandle> buttons;

    void answer(WindowHandle box, int value) {
        if (answered) {
            return;
        }
        answered = true;
        if (onAnswer) {
            onAnswer(value);
        }
        ui::destroyWindow(box);
    }
};

const char16_t* iconMark(unsigned type) {
    switch (type & 0xF0) {
        case MB_ICONERROR:
            return u"×";
        case MB_ICONQUESTION:
            return u"?";
        case MB_ICONWARNING:
            return u"!";
        case MB_ICONINFORMATION:
            return u"i";
        default:
            return nullptr;
    }
}

void paintBox(WindowHandle h, const BoxState& s) {
    ui::PaintContext paint(h);
    draw::DeviceContext& dc = paint.dc();
    const Rect c = ui::getClientRect(h);
    const draw::Font& font = ctl::controlFont();
    const int line = font.metrics().height;
    dc.fillRect(c, ctl::kWindowColor);
    dc.selectFont(&font);
    dc.setBkMode(draw::BackgroundMode::Transparent);
    const Rect title{0, 0, c.right, line + 8};
    dc.fillRect(title, ctl::kSelectionColor);
    dc.setTextColor(ctl::kSelectionTextColor);
    dc.drawText(s.request.caption, Rect{6, 0, c.right - 4, title.bottom}, draw::kTextVCenter);
    int textLeft = 8;
    if (const char16_t* mark = iconMark(s.request.type)) {
        const Rect icon{8, title.bottom + 8, 8 + line + 6, title.bottom + 8 + line + 6};
        dc.fillRect(icon, (s.request.type & 0xF0) == MB_ICONERROR ? draw::rgb(200, 40, 40)
                                                                  : ctl::kSelectionColor);
        dc.setTextColor(ctl::kSelectionTextColor);
        ctl::drawTextAligned(dc, mark, icon, 1);
        textLeft = icon.right + 8;
    }
    dc.setTextColor(ctl::kTextColor);
    // The text in lines as it came; each line clipped to the box.
    int y = title.bottom + 8;
    std::u16string_view rest = s.request.text;
    while (!rest.empty() || y == title.bottom + 8) {
        const std::size_t cut = rest.find(u'\n');
        const std::u16string_view piece = rest.substr(0, cut);
        dc.drawText(piece, Rect{textLeft, y, c.right - 6, y + line + 2});
        y += line + 2;
        if (cut == std::u16string_view::npos) {
            break;
        }
        rest.remove_prefix(cut + 1);
    }
}

// Shows a box and returns its window; `onAnswer` receives the button.
WindowHandle showBox(const MessageBoxRequest& request, std::function<void(int)> onAnswer) {
    ctl::registerControlClasses();
    auto state = std::make_shared<BoxState>();
    state->request = request;
    state->onAnswer = std::move(onAnswer);
    const draw::Size screen = ui::screenSize();
    const int line = ctl::controlFont().metrics().height;
    int lines = 1;
    for (char16_t ch : request.text) {
        lines += ch == u'\n' ? 1 : 0;
    }
    const int width = screen.width - 20;
    const int buttonHeight = line + 10;
    const int height =
        (line + 8) + 8 + std::max(lines * (line + 2), line + 6) + 12 + buttonHeight + 10;
    ui::CreateParams p;
    p.className = std::string(kMessageBoxClass);
    p.text = request.caption;
    p.style = ui::WS_POPUP | ui::WS_BORDER | ui::WS_VISIBLE;
    p.exStyle = ui::WS_EX_TOPMOST;
    p.parent = request.owner;
    p.rect = Rect::fromSize(10, std::max(0, (screen.height - height) / 2), width, height);
    const WindowHandle box = ui::createWindow(
        p,
        [state](WindowHandle h, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) -> MsgResult {
            switch (m) {
                case ui::WM_ERASEBKGND:
                    return 1;
                case ui::WM_PAINT:
                    paintBox(h, *state);
                    return 0;
                case ui::WM_COMMAND:
                    state->answer(h, static_cast<int>(ui::lowWord(wp)));
                    return 0;
                case ui::WM_CLOSE:
                    state->answer(h, (state->request.type & 0xF) == MB_YESNO ? IDNO : IDOK);
                    return 0;
                case ui::WM_DESTROY:
                    // Destroyed from outside (its owner went): the asker must not wait forever.
                    if (!state->answered) {
                        state->answered = true;
                        if (state->onAnswer) {
                            state->onAnswer(0);
                        }
                    }
                    return 0;
                default:
                    return ui::defWindowProc(h, m, wp, lp);
            }
        });
    if (box == kNullWindow) {
        return kNullWindow;
    }
    const Rect c = ui::getClientRect(box);
    const bool yesNo = (request.type & 0xF) == MB_YESNO;
    const std::vector<std::pair<unsigned, std::u16string>> buttons =
        yesNo ? std::vector<std::pair<unsigned, std::u16string>>{{IDYES, u"Ano"}, {IDNO, u"Ne"}}
              : std::vector<std::pair<unsigned, std::u16string>>{{IDOK, u"OK"}};
    const int bw = 70;
    const int gap = 10;
    const int total =
        static_cast<int>(buttons.size()) * bw + (static_cast<int>(buttons.size()) - 1) * gap;
    int x = (c.width() - total) / 2;
    for (const auto& [id, text] : buttons) {
        ui::CreateParams b;
        b.className = std::string(ctl::kButtonClass);
        b.text = text;
        b.style =
            ui::WS_CHILD | ui::WS_VISIBLE | (state->buttons.empty() ? ctl::BS_DEFPUSHBUTTON : 0);
        b.rect = Rect::fromSize(x, c.bottom - buttonHeight - 8, bw, buttonHeight);
        b.parent = box;
        b.id = id;
        state->buttons.push_back(ui::createWindow(b));
        x += bw + gap;
    }
    ui::setFocus(state->buttons.front());
    return box;
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
