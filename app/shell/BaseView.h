#pragma once
// The base of every screen of the program: a child window of a tab page with three view
// flags, the keyboard focus order of its controls and the operations the tab page calls on
// each view (reset the focus, show, lay out, refresh, activate).

#include "app/shell/LayoutAnchor.h"

#include "platform/core/Types.h"
#include "platform/ui/WindowObject.h"

#include <cstdint>
#include <vector>

namespace pelorvant {

using platform::MsgResult;
using platform::WindowHandle;

class cBaseView : public platform::ui::WindowObject {
public:
    // A page inside a form: its flags are never read.
    cBaseView() = default;
    // A view the tab page switches to.
    cBaseView(bool doneButton, bool showStrip, bool thirdFlag)
        : doneButton(doneButton), showStrip(showStrip), thirdFlag(thirdFlag) {}

    // Creates the view's window as a child of `parent` (hidden unless `visible`).
    bool createView(WindowHandle parent, const Rect& rect, std::uintptr_t id, bool visible = false);

    // The first entry that can take the focus (or -1) becomes current and is returned.
    virtual int ResetFocus();
    // SW_HIDE or SW_SHOW.
    virtual void ShowView(int showCommand);
    // Lays the children out in a client area of width × height (flags: LayoutFlags.h).
    virtual void Layout(unsigned flags, int width, int height);
    // Reloads the content before the view is shown; false when it cannot be shown.
    virtual bool Refresh();
    // Each time the tab page switches to the view.
    virtual void OnViewActivate();

    // The first focusable entry after / before `index`; `index` itself when there is none.
    int nextEnabledItem(int index) const;
    int previousEnabledItem(int index) const;
    // When focusOrder is 0 or more, the entry with that focus-order index becomes current
    // first (nothing happens when no entry has it); then the previous or next focusable entry
    // becomes current and its window gets the focus.
    void MoveFocus(bool backwards, int focusOrder);
    // Appends a control to the focus order.
    void addFocusItem(LayoutAnchor& anchor, WindowHandle window);

    bool doneButton = false;  // the frame shows the Done button while the view is active
    bool showStrip = false;   // the tab strip is shown above the view (with "showTabs")
    bool thirdFlag = false;   // kept with the view, read by nothing
    int currentItem = 0;
    // The anchors of the focusable controls (owned by the controls) and their windows.
    std::vector<LayoutAnchor*> focusItems;
    std::vector<WindowHandle> focusWindows;

    const platform::ui::MessageMapBase& messageMap() const override;

protected:
    void OnPaint();
    // The WM_MOVE_FOCUS handler that pages register: backwards when wParam is 1.
    MsgResult OnMoveFocus(std::uintptr_t wParam, std::intptr_t lParam);

private:
    bool canFocus(int index) const;
};

}  // namespace pelorvant
