#pragma once
// The scrolling base of the settings pages whose controls may not fit the screen: a vertical
// scroll bar at the right edge, the height of the content and the scroll offset. Moving the
// focus through the page scrolls it so that the focused control stays in view.
#include "app/shell/BaseView.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace pelorvant {

class cImageMessageBoxView;

inline constexpr std::uintptr_t kOptionsPageId = 94;
inline constexpr std::uintptr_t kOptionsScrollBarId = 5172;
inline constexpr std::uintptr_t kOptionsChoiceId = 2055;
inline constexpr std::uintptr_t kOptionsHelpId = 2054;

// Where a page shows its help texts: the tab's message-box view, returning to the owner.
struct HelpTarget {
    cImageMessageBoxView* view = nullptr;  // not owned; null: no help is shown
    int ownerViewId = 0;
    int returnMenu = -1;
    // The owner's menu, put back when a keypad choice's full list closes.
    int listMenu = -1;
};

class cOptionsPage : public cBaseView {
public:
    // Creates the hidden page as a child of its form.
    bool createPage(WindowHandle form, const HelpTarget& help);

    int ResetFocus() override;
    // Places the page's controls for the current scroll offset (content coordinates minus it).
    virtual void UpdateScrollLayout() = 0;

    // The content is h pixels tall: offset 0, the bar shown only when it does not fit.
    void SetContentHeight(int h);
    void ScrollTo(int offset);
    // Moves the focus (see cBaseView::MoveFocus) and scrolls the focused control into view.
    void EnsureFocusVisible(bool previous, int focusOrder);

    int contentHeight() const { return contentHeight_; }
    int scrollOffset() const { return offset_; }
    bool scrollBarShown() const;
    WindowHandle scrollBar() const { return scrollBar_; }

    const platform::ui::MessageMapBase& messageMap() const override;

protected:
    // The top of a content y in the page's client area.
    int onScreen(int contentY) const { return contentY - offset_; }
    // Shows a help text and returns the focus to `focusOnReturn`.
    void showHelp(std::u16string_view text, WindowHandle focusOnReturn) const;
    // The area the page's controls fill (its client area without the scroll bar).
    int usableWidth() const;

    platform::MsgResult OnCreate(std::uintptr_t, std::intptr_t);
    platform::MsgResult OnMoveFocusScrolling(std::uintptr_t wParam, std::intptr_t lParam);
    platform::MsgResult OnVScroll(std::uintptr_t wParam, std::intptr_t lParam);

    HelpTarget help_;

private:
    int maxOffset() const;

    WindowHandle scrollBar_ = platform::kNullWindow;  // a child of the page, destroyed with it
    int contentHeight_ = 0;
    int offset_ = 0;
};

}  // namespace pelorvant
