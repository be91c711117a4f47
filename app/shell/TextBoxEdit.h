#pragma once
// The platform edit inside an object text box (system-edit mode), subclassed: the first
// character after the focus arrived replaces the whole text, a name completed by the search
// stays until Enter or an arrow, Enter and the arrows go to the box, the star key asks for
// keypad mode; taps show the input panel, tap-and-hold opens the favourites menu. While the
// box stands for the current GPS position it shows the placeholder in grey, small enough to be
// read whole.

#include "app/shell/FieldLook.h"
#include "app/shell/SubclassedControl.h"

namespace pelorvant {

inline constexpr std::uintptr_t kTextBoxEditId = 58964;

class cTextBox;

class cTextBoxEdit : public SubclassedControl {
public:
    explicit cTextBoxEdit(cTextBox& box) : box_(box) {}

    bool createEdit(platform::WindowHandle box);

    // The last key-down reached this edit as an input method's key: its key-up acts.
    bool inputMethodKeyDown = false;
    bool firstCharPending = false;
    bool completed = false;
    bool gpsFlag = false;

protected:
    platform::MsgResult onMessage(std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) override;

private:
    platform::MsgResult onChar(std::uintptr_t wParam, std::intptr_t lParam);
    platform::MsgResult onKey(std::uint32_t message, std::uintptr_t key, std::intptr_t lParam);
    void onTap(std::intptr_t lParam);
    bool placeholderShown() const;
    void paintPlaceholder();

    cTextBox& box_;
    FittedText placeholder_;
};

}  // namespace pelorvant
