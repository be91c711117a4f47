#pragma once
// Records the messages a window receives, in order, and passes each on to the window's
// procedure. It subclasses the window while it lives; after it is gone the window's procedure
// runs as before (the spy's link only forwards).

#include "platform/core/MessageLoop.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

namespace platform::testkit {

class MessageSpy {
public:
    explicit MessageSpy(WindowHandle window);
    ~MessageSpy();
    MessageSpy(const MessageSpy&) = delete;
    MessageSpy& operator=(const MessageSpy&) = delete;

    const std::vector<Message>& messages() const;
    // The messages with these numbers, in order.
    std::vector<Message> only(std::initializer_list<std::uint32_t> ids) const;
    std::size_t count(std::uint32_t id) const;
    void clear();

    struct State;

private:
    std::shared_ptr<State> state_;
};

}  // namespace platform::testkit
