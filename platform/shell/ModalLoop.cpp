#include "platform/shell/ModalLoop.h"

#include "platform/ui/UiLoop.h"

namespace platform::shell {
namespace {

ModalIdle& idleHook() {
    thread_local ModalIdle hook;
    return hook;
}

}  // namespace

void setModalIdle(ModalIdle idle) {
    idleHook() = std::move(idle);
}

Fetched fetchModalMessage(Message& out) {
    if (idleHook()) {
        bool quit = false;
        if (ui::peekMessage(out, &quit)) {
            return Fetched::Message;
        }
        if (quit) {
            postQuitMessage(0);
            return Fetched::Quit;
        }
        // The hook may end the loop's reason to run; copy it so it may replace itself.
        ModalIdle hook = idleHook();
        hook();
        return Fetched::Nothing;
    }
    if (!ui::getMessage(out)) {
        postQuitMessage(static_cast<int>(out.wParam));
        return Fetched::Quit;
    }
    return Fetched::Message;
}

}  // namespace platform::shell
