#pragma once
// The drawn input panel's window: labelled keys in layers (InputPanelKeys.h); a tap on a key
// types into the focus window, which keeps the focus. The window owns its object.

#include "platform/core/Types.h"
#include "platform/draw/Geometry.h"
#include "platform/shell/InputPanelKeys.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/WindowObject.h"

#include <functional>

namespace platform::shell {

class InputPanelWindow : public ui::WindowObject {
public:
    // Shows a panel over the screen rectangle; `onGone` runs when its window goes. Returns the
    // window (null when it could not be made).
    static WindowHandle open(const draw::Rect& rect, std::function<void()> onGone);

    const ui::MessageMapBase& messageMap() const override;

private:
    explicit InputPanelWindow(std::function<void()> onGone) : onGone_(std::move(onGone)) {}
    void onFinalMessage() override;
    MsgResult onPaint(std::uintptr_t, std::intptr_t);
    MsgResult onEraseBackground(std::uintptr_t, std::intptr_t) { return 1; }
    MsgResult onFingerDown(std::uintptr_t, std::intptr_t lParam);
    void press(const PanelKey& key);

    std::function<void()> onGone_;
    PanelLayer layer_ = PanelLayer::Letters;
    bool shift_ = false;  // the next letter is a capital
};

}  // namespace platform::shell
