#pragma once
// The program's one-line selector of one string out of a list. On the touch screen it shows a
// system drop-down combo box beside itself (a sibling with the box's id, so its notifications
// reach the page directly); on the keypad its own drop list, stepped with Left and Right, and
// Enter opens the whole list full screen in the message-box view.

#include "app/shell/ChoiceDropList.h"
#include "app/shell/LayoutAnchor.h"
#include "app/shell/SubclassedControl.h"

#include "platform/ui/WindowObject.h"

#include <string>
#include <vector>

namespace pelorvant {

class cImageMessageBoxView;

// The system combo box, subclassed to tell its parent when it loses the focus.
class cChoiceCombo : public SubclassedControl {
protected:
    platform::MsgResult onMessage(std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) override;
};

class cChoiceBox : public platform::ui::WindowObject {
public:
    // Enter on the drop list opens the full-screen list.
    cChoiceBox(int focusOrder, int ownerViewId) : cChoiceBox(focusOrder, ownerViewId, true) {}
    cChoiceBox(int focusOrder, int ownerViewId, bool listOnEnter);
    // The window goes first, while the members its messages use still live.
    ~cChoiceBox() override { destroy(); }

    bool createChoice(platform::WindowHandle parent, const Rect& rect, std::uintptr_t id);

    int GetCurSel() const;
    void SetCurSel(int index);
    std::u16string GetSelectedText() const;
    // The first item equal to text becomes current: 1; 0 when there is none (nothing changes).
    int SelectString(std::u16string_view text);
    // The items the owner fills (owned by the drop list).
    std::vector<std::u16string>& items() { return dropList.items; }
    // Touch screen: the combo gets the items of the drop list.
    void fillComboBox();
    // Height 1.3 × fontHeight; on the touch screen the combo takes the box's place (its open
    // list about eight font heights tall) and the box shrinks to nothing.
    void Layout();
    void SetFont(const platform::draw::Font* font);
    // Chooses between the system combo box (on; made on first use where the device has none)
    // and the own drop list (off); the selected item stays.
    void useSystemCombo(bool on);
    void Show(int command);
    // Opens the full-screen list (Enter on the drop list).
    void openFullList();
    // Opens the whole list without the user asking: the touch screen's combo drops its list
    // down (taking the focus first, whose loss would close it), the keypad's drop list shows it
    // full screen. Nothing for an empty list.
    void openList();

    LayoutAnchor anchor;
    cChoiceCombo combo;
    // The combo is in use (it may exist while the drop list is).
    bool hasCombo = false;
    cChoiceDropList dropList;
    bool listOnEnter = true;
    int focusOrder = 0;
    int ownerViewId = 0;
    // Where the full-screen list is shown and the menu bar it puts up (set by the page).
    cImageMessageBoxView* listView = nullptr;
    int returnMenu = 0;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    bool createCombo();
    platform::MsgResult OnCreate(std::uintptr_t, std::intptr_t);
    platform::MsgResult OnChoiceKillFocus(std::uintptr_t, std::intptr_t);
    void OnComboChange();
    void OnSetFocus();
    void OnPaint();
    Rect placeInParent_;
};

}  // namespace pelorvant
