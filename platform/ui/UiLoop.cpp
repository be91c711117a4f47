#include "platform/ui/UiLoop.h"

#include "platform/core/MessageSources.h"
#include "platform/ui/MessageFilters.h"
#include "platform/ui/PaintQueue.h"
#include "platform/ui/UiLoopSources.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/VirtualKeys.h"

#include <mutex>

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

bool takePendingChar(Message& out, bool remove) {
    PendingChar& pc = pendingChar();
    if (!pc.has) {
        return false;
    }
    out = pc.message;
    pc.has = !remove;
    return true;
}

bool takePaint(Message& out, bool remove) {
    return detail::nextPaint(out, remove);
}

void handle(const Message& m) {
    if (preTranslateMessage(m)) {
        return;
    }
    translateMessage(m);
    dispatchMessage(m);
}

}  // namespace

namespace detail {

void installLoopSources() {
    static std::once_flag once;
    std::call_once(once, [] {
        setMessageSources(MessageSources{takePendingChar, takePaint, noteKeyState});
    });
}

}  // namespace detail

bool translateMessage(const Message& message) {
    if (message.message != WM_KEYDOWN) {
        return false;
    }
    const char16_t c = characterOfKey(static_cast<std::uint32_t>(message.wParam), retrievedShift());
    if (c == 0) {
        return false;
    }
    detail::installLoopSources();
    PendingChar& pc = pendingChar();
    pc.has = true;
    pc.message = Message{message.window, WM_CHAR, c, message.lParam, message.time};
    return true;
}

int runMessageLoop() {
    Message m;
    while (getMessage(m)) {
        handle(m);
    }
    return static_cast<int>(m.wParam);
}

bool pumpMessages(int* exitCode) {
    Message m;
    while (peekMessage(m)) {
        if (m.message == WM_QUIT) {
            if (exitCode) {
                *exitCode = static_cast<int>(m.wParam);
            }
            return false;
        }
        handle(m);
    }
    return true;
}

ModalEnd runModalLoop(const std::function<bool()>& done, const ModalFilter& filter) {
    Message m;
    while (!done()) {
        if (!getMessage(m)) {
            postQuitMessage(static_cast<int>(m.wParam));
            return ModalEnd::Quit;
        }
        if (filter && filter(m)) {
            continue;
        }
        handle(m);
    }
    return ModalEnd::Done;
}

}  // namespace platform::ui
