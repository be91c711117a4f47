#pragma once
// The drawn text of an object text box in keypad mode: the matched name, its typed part in
// white on blue while focused; the GPS placeholder in grey, small enough to be read whole. It
// passes keys to the box.

#include "app/shell/FieldLook.h"

#include "platform/ui/WindowObject.h"

namespace pelorvant {

class cTextBox;

class cTextBoxDisplay : public platform::ui::WindowObject {
public:
    explicit cTextBoxDisplay(cTextBox& box) : box_(box) {}

    bool createDisplay(platform::WindowHandle box, std::uintptr_t id);
    void setSelection(int start, int end);

    int selectionStart = 0;
    int selectionEnd = 0;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    platform::MsgResult OnKeyDown(std::uintptr_t key, std::intptr_t);
    platform::MsgResult OnHotKey(std::uintptr_t, std::intptr_t);
    platform::MsgResult OnTap(std::uintptr_t, std::intptr_t);
    platform::MsgResult OnSetFocus(std::uintptr_t, std::intptr_t);
    platform::MsgResult OnKillFocus(std::uintptr_t newFocus, std::intptr_t);
    void OnPaint();

    cTextBox& box_;
    FittedText placeholder_;
};

}  // namespace pelorvant
