#include "platform/ui/UiLoop.h"

#include "platform/ui/MessageFilters.h"
#include "platform/ui/PaintQueue.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/VirtualKeys.h"

namespace platform::ui {
namespace {

// The shift key as of the messages retrieved so far (not as of the device now), so a key is
// translated with the shift state it was pressed with.
bool& retrievedShift() {
    thread_local bool shift = false;
    return shift;
}

void noteKeyState(const Message& m) {
    if ((m.message == WM_KEYDOWN || m.message == WM_KEYUP) && m.wParam == VK_SHIFT) {
        retrievedShift() = m.message == WM_KEYDOWN;
    }
}

struct PendingChar {
    bool has = false;
    Message message;
};

PendingChar& pendingChar() {
    thread_local PendingChar p;
    return p;
}

enum class Fetched { Message, Quit, None };

// A WM_NULL without parameters only wakes the loop (see setBlockingWait).
bool isWake(const Message& m) {
    return m.message == WM_NULL && m.wParam == 0 && m.lParam == 0;
}

Fetched fetch(Message& out, bool wait) {
    for (;;) {
        PendingChar& pc = pendingChar();
        if (pc.has) {
            pc.has = false;
            out = pc.message;
            return Fetched::Message;
        }
        Message next;
        if (platform::peekMessage(next, PeekMode::Keep)) {
            // Paints go before timers, after everything else.
            if (next.message == WM_TIMER && detail::takePaint(out)) {
                return Fetched::Message;
            }
            if (!platform::peekMessage(next, PeekMode::Remove)) {
                continue;
            }
            if (isWake(next)) {
                continue;
            }
            out = next;
            noteKeyState(out);
            return next.message == WM_QUIT ? Fetched::Quit : Fetched::Message;
        }
        if (detail::takePaint(out)) {
            return Fetched::Message;
        }
        if (!wait) {
            return Fetched::None;
        }
        detail::setBlockingWait(true);
        const bool more = platform::getMessage(next);
        detail::setBlockingWait(false);
        if (!more) {
            out = next;
            return Fetched::Quit;
        }
        if (isWake(next)) {
            continue;
        }
        out = next;
        noteKeyState(out);
        return Fetched::Message;
    }
}

}  // namespace

bool getMessage(Message& out) {
    return fetch(out, true) == Fetched::Message;
}

bool peekMessage(Message& out, bool* quit) {
    const Fetched f = fetch(out, false);
    if (quit) {
        *quit = f == Fetched::Quit;
    }
    return f == Fetched::Message;
}

bool translateMessage(const Message& message) {
    if (message.message != WM_KEYDOWN) {
        return false;
    }
    const char16_t c = characterOfKey(static_cast<std::uint32_t>(message.wParam), retrievedShift());
    if (c == 0) {
        return false;
    }
    PendingChar& pc = pendingChar();
    pc.has = true;
    pc.message = Message{message.window, WM_CHAR, c, message.lParam, message.time};
    return true;
}

int runMessageLoop() {
    Message m;
    while (ui::getMessage(m)) {
        if (preTranslateMessage(m)) {
            continue;
        }
        translateMessage(m);
        dispatchMessage(m);
    }
    return static_cast<int>(m.wParam);
}

bool pumpMessages(int* exitCode) {
    Message m;
    bool quit = false;
    while (ui::peekMessage(m, &quit)) {
        if (preTranslateMessage(m)) {
            continue;
        }
        translateMessage(m);
        dispatchMessage(m);
    }
    if (quit && exitCode) {
        *exitCode = static_cast<int>(m.wParam);
    }
    return !quit;
}

}  // namespace platform::ui
