#pragma once
// The window of one message box: caption bar, icon, wrapped text and its buttons (OK, or Yes
// and No), laid out by MessageBoxLayout. The window owns its object. The answer is the
// chosen button's id, IDNO or IDOK when the box is closed, and 0 when the box goes without
// an answer (destroyed with its owner); it is given once.

#include "platform/core/Types.h"
#include "platform/shell/MessageBox.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/WindowObject.h"

#include <functional>

namespace platform::shell {

class MessageBoxWindow : public ui::WindowObject {
public:
    // Shows the box with the focus on its first button; returns its window (null when it
    // could not be made).
    static WindowHandle open(const MessageBoxRequest& request, std::function<void(int)> onAnswer);

    const ui::MessageMapBase& messageMap() const override;

private:
    MessageBoxWindow(const MessageBoxRequest& request, std::function<void(int)> onAnswer)
        : request_(request), onAnswer_(std::move(onAnswer)) {}
    void addButtons();
    void answer(int value);
    void onFinalMessage() override;
    bool routeCommand(std::uint32_t id, std::uint32_t code) override;
    MsgResult onPaint(std::uintptr_t, std::intptr_t);
    MsgResult onEraseBackground(std::uintptr_t, std::intptr_t) { return 1; }
    MsgResult onClose(std::uintptr_t, std::intptr_t);
    MsgResult onDestroy(std::uintptr_t, std::intptr_t);

    MessageBoxRequest request_;
    std::function<void(int)> onAnswer_;
    bool answered_ = false;
};

}  // namespace platform::shell
