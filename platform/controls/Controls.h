#pragma once
// The system control classes. After registerControlClasses, windows made with these class
// names (ui::createWindow) are the controls: they accept the messages of ControlMessages.h
// and tell their parent what happened through WM_COMMAND (id | code << 16, lParam: control).

#include <string_view>

namespace platform::controls {

inline constexpr std::string_view kButtonClass = "Button";
inline constexpr std::string_view kStaticClass = "Static";
inline constexpr std::string_view kEditClass = "Edit";
inline constexpr std::string_view kComboBoxClass = "ComboBox";
inline constexpr std::string_view kScrollBarClass = "scrollbar";
inline constexpr std::string_view kUpDownClass = "msctls_updown32";
inline constexpr std::string_view kListViewClass = "ListView";
inline constexpr std::string_view kTabControlClass = "TabControl";
inline constexpr std::string_view kProgressBarClass = "ProgressBar";
inline constexpr std::string_view kMonthCalendarClass = "MonthCalendar";

// Registers every control class; calling it again does no harm.
void registerControlClasses();

}  // namespace platform::controls
