#include "platform/testkit/MessageSpy.h"

#include "platform/core/Timer.h"
#include "platform/core/Window.h"

namespace platform::testkit {

struct MessageSpy::State {
    std::vector<Message> seen;
    bool recording = true;
};

MessageSpy::MessageSpy(WindowHandle window) : state_(std::make_shared<State>()) {
    auto previous = std::make_shared<WindowProc>();
    std::shared_ptr<State> state = state_;
    *previous = setWindowProc(window, [state, previous](WindowHandle h, std::uint32_t m,
                                                        std::uintptr_t wp, std::intptr_t lp) {
        if (state->recording) {
            state->seen.push_back(Message{h, m, wp, lp, getTickCount()});
        }
        return (*previous) ? (*previous)(h, m, wp, lp) : MsgResult{0};
    });
}

MessageSpy::~MessageSpy() {
    state_->recording = false;
}

const std::vector<Message>& MessageSpy::messages() const {
    return state_->seen;
}

std::vector<Message> MessageSpy::only(std::initializer_list<std::uint32_t> ids) const {
    std::vector<Message> out;
    for (const Message& m : state_->seen) {
        for (std::uint32_t id : ids) {
            if (m.message == id) {
                out.push_back(m);
            }
        }
    }
    return out;
}

std::size_t MessageSpy::count(std::uint32_t id) const {
    return only({id}).size();
}

void MessageSpy::clear() {
    state_->seen.clear();
}

}  // namespace platform::testkit
