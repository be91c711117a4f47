#pragma once
// The date (and time) entry of the search and stop-timetable pages: the inner date field and,
// on the touch screen, an up-down control and the "A" button that sets the current time. The
// drop-down mark at the right opens the month calendar.

#include "app/shell/DateTimeField.h"
#include "app/shell/LayoutAnchor.h"

#include "platform/ui/WindowObject.h"

#include <ctime>

namespace pelorvant {

inline constexpr std::uintptr_t kNowButtonId = 2060;
inline constexpr std::uintptr_t kSpinUpDownId = 2061;
inline constexpr std::uintptr_t kSpinUpDownCreateId = 5172;

class cSpinField : public platform::ui::WindowObject {
public:
    // The search page uses (3, true), the stop-timetable page (3, false).
    cSpinField(int focusOrder, bool timeShown) : field(focusOrder, timeShown) {}
    // The window goes first, while the members its messages use still live.
    ~cSpinField() override { destroy(); }

    bool createSpin(platform::WindowHandle parent, const Rect& rect, std::uintptr_t id);
    // Places the children in the spin field's client area.
    void Layout();

    // The value as a time value, seconds 0 (-1 when the calendar refuses it).
    std::time_t GetTime() const;
    bool IsValid() const;
    void SetTime(std::time_t time);

    LayoutAnchor anchor;
    cDateTimeField field;
    platform::WindowHandle nowButton = platform::kNullWindow;
    platform::WindowHandle upDown = platform::kNullWindow;
    // 0 none, 1 drop-down mark pressed, 2 up-down up, 3 up-down down.
    int arrowZone = 0;
    bool pressed = false;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    bool inDropDownZone(int x) const;
    platform::MsgResult OnCreate(std::uintptr_t, std::intptr_t);
    platform::MsgResult OnSize(std::uintptr_t, std::intptr_t);
    void OnNowButton();
    void OnDeltaPos(const platform::ui::NotifyHeader& header, platform::MsgResult& result);
    void OnSetFocus();
    platform::MsgResult OnFingerDown(std::uintptr_t, std::intptr_t lParam);
    platform::MsgResult OnFingerUp(std::uintptr_t, std::intptr_t lParam);
    platform::MsgResult OnFingerMove(std::uintptr_t, std::intptr_t lParam);
    void OnPaint();
};

}  // namespace pelorvant
