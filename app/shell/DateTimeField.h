#pragma once
// The date and optionally time field: draws the value digit by digit, takes digits one at a
// time (keypad) or two per field (touch screen), steps fields with wrap-around, picks the
// field under a tap and opens the month calendar on Enter or a double tap.

#include "app/core/DateTexts.h"
#include "app/shell/CalendarPopup.h"
#include "app/shell/LayoutAnchor.h"

#include "platform/draw/Font.h"
#include "platform/ui/WindowObject.h"

#include <memory>

namespace pelorvant {

inline constexpr std::uintptr_t kDateTimeFieldId = 45646;

class cDateTimeField : public platform::ui::WindowObject {
public:
    // The value starts at the current time.
    cDateTimeField(int focusOrder, bool timeShown);
    // The window goes first, while the members its messages use still live.
    ~cDateTimeField() override { destroy(); }

    bool createField(platform::WindowHandle parent, const Rect& rect);
    // Steps the field of the current position (the up-down control and Up/Down on the touch
    // screen).
    void stepCurrent(bool up);
    void openCalendar();
    // The font's height: fontHeight × (1 + 0.2 × (highRes + 1) × touchfriendly).
    static int fontHeightFor();

    cCalendarPopup calendar;
    std::unique_ptr<platform::draw::Font> font;
    bool timeShown = true;
    int position = 0;
    int focusOrder = 0;
    DateTimeParts parts;
    bool focused = false;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    void moveFocus(bool backwards);
    void redraw();
    platform::MsgResult OnKeyDown(std::uintptr_t key, std::intptr_t);
    platform::MsgResult OnTap(std::uintptr_t, std::intptr_t lParam);
    platform::MsgResult OnDoubleTap(std::uintptr_t, std::intptr_t);
    platform::MsgResult OnDatePicked(std::uintptr_t packed, std::intptr_t);
    void OnSetFocus();
    void OnKillFocus();
    void OnPaint();
};

}  // namespace pelorvant
