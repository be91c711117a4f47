#pragma once
// The common base of the owner-drawn lists and the rich-text label: a narrow vertical scroll
// bar of its own at the right edge, shown only when the content is taller than the client
// area, and finger scrolling through a KineticScroller. Derived lists say how they scroll.

#include "app/shell/KineticScroller.h"
#include "app/shell/LayoutAnchor.h"

#include "platform/ui/WindowObject.h"

#include <cstdint>

namespace pelorvant {

inline constexpr std::uintptr_t kScrollListBarId = 5172;

class cScrollList : public platform::ui::WindowObject {
public:
    cScrollList() = default;

    // Creates the list's window as a child of `parent`.
    bool createList(platform::WindowHandle parent, const Rect& rect, std::uintptr_t id,
                    bool visible = true);

    // Scrolling operations of each derived list.
    virtual void ScrollTo(int position);
    virtual void ScrollLine(bool up);
    // Scrolls by pixels (positive: the content moves up), kept within the content; returns
    // the pixels actually moved.
    virtual int ScrollBy(int pixels);
    virtual void SelectItem(int index);

    // A new content height: position 0; the bar is shown (and the usable client width
    // narrowed) when the content is taller than the client area. Nothing with scrolling off.
    void SetContentHeight(int height);
    // Scrolls through the bar to a position; nothing when it lies outside the bar's range.
    void SetScrollPos(int position);
    // The largest position the bar allows (0 when the content fits).
    int maxScrollPos() const;
    bool scrollBarVisible() const;
    // The scroll bar's width: the settings' width, half of it on a Smartphone.
    static int scrollBarWidth();

    LayoutAnchor anchor;
    KineticScroller scroller;
    platform::WindowHandle scrollBar = platform::kNullWindow;
    int scrollPos = 0;
    int contentHeight = 0;
    bool scrollingOn = true;
    // The client rectangle at the last content-height change, less the bar when shown.
    Rect clientRect;

    const platform::ui::MessageMapBase& messageMap() const override;

protected:
    // Derived creation handlers call this first.
    platform::MsgResult OnCreate(std::uintptr_t wParam, std::intptr_t lParam);
    platform::MsgResult OnVScroll(std::uintptr_t wParam, std::intptr_t lParam);
    platform::MsgResult OnFingerDown(std::uintptr_t wParam, std::intptr_t lParam);
    platform::MsgResult OnFingerUp(std::uintptr_t wParam, std::intptr_t lParam);
    platform::MsgResult OnFingerMove(std::uintptr_t wParam, std::intptr_t lParam);
    platform::MsgResult OnKineticScroll(std::uintptr_t wParam, std::intptr_t lParam);

private:
    bool fingerDown_ = false;
};

}  // namespace pelorvant
