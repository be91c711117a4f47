#pragma once
// The month calendar over the screen: opened from a date field, it answers the picked day to
// the field with WM_DATE_PICKED (day × 65000 + month × 5000 + year) and closes; Escape, or the
// focus moving elsewhere, closes it without an answer.

#include "app/core/DateTexts.h"
#include "app/shell/SubclassedControl.h"

#include "platform/draw/Color.h"
#include "platform/draw/Font.h"
#include "platform/ui/WindowObject.h"

#include <memory>

namespace pelorvant {

inline constexpr std::uintptr_t kMonthCalendarId = 2046;
inline constexpr platform::draw::Color kCalendarTitleColor = platform::draw::rgb(49, 150, 214);

class cCalendarPopup;

// The month calendar control, subclassed for Enter and Escape.
class cMonthCalendar : public SubclassedControl {
public:
    explicit cMonthCalendar(cCalendarPopup& popup) : popup_(popup) {}

protected:
    platform::MsgResult onMessage(std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) override;

private:
    cCalendarPopup& popup_;
};

class cCalendarPopup : public platform::ui::WindowObject {
public:
    cCalendarPopup() : calendar(*this) {}
    // The window goes first, while the members its messages use still live.
    ~cCalendarPopup() override { destroy(); }

    // Opens over the top-level window of `field` with the date selected; the answer goes to
    // `field`, which also gets the focus back.
    bool open(platform::WindowHandle field, const DateTimeParts& date);
    // Sends the calendar's current selection to the field and closes.
    void pick();
    // Closes without an answer (posted, so the calendar's own handler finishes first).
    void close();
    bool isOpen() const { return handle() != platform::kNullWindow; }

    cMonthCalendar calendar;
    std::unique_ptr<platform::draw::Font> font;
    platform::WindowHandle field = platform::kNullWindow;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    void OnSelect(const platform::ui::NotifyHeader& header, platform::MsgResult& result);
    void OnClose();
};

}  // namespace pelorvant
