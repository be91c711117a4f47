#pragma once
// The single-line edit of the forms. While it has the focus the Back key is the program's: the
// main frame passes it on as WM_HOTKEY and the edit deletes the character before the caret.
// Down and Up move the focus on (WM_MOVE_FOCUS to the parent); a tap-and-hold opens a
// Copy / Paste / Cut menu.

#include "app/shell/LayoutAnchor.h"
#include "app/shell/SubclassedControl.h"

namespace pelorvant {

inline constexpr std::uint32_t kEditMenuId = 278;
inline constexpr std::uint32_t kCommandCopy = 32800;
inline constexpr std::uint32_t kCommandPaste = 32802;
inline constexpr std::uint32_t kCommandCut = 32804;

class cBackKeyEdit : public SubclassedControl {
public:
    explicit cBackKeyEdit(int focusOrder = 0) : focusOrder(focusOrder) {}

    // Creates the edit as a visible child of the parent.
    bool createEdit(platform::WindowHandle parent, const Rect& rect, std::uintptr_t id,
                    std::u16string text = {});

    LayoutAnchor anchor;
    int focusOrder = 0;

protected:
    platform::MsgResult onMessage(std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) override;

private:
    void deleteBeforeCaret();
    // True when the press was a tap-and-hold (its menu has run then).
    bool contextMenu(std::intptr_t lParam);
};

}  // namespace pelorvant
