#pragma once
// The steps of uidrive on a tab control (the options dialog's pages, the data and stop-timetable
// views): a finger on a tab found by its text where it shows on the screen, and on the arrows
// that move a row too long for the control.
#include "platform/core/Types.h"
#include "platform/testkit/UiTestKit.h"

#include <optional>
#include <string>
#include <vector>

namespace uidrive {

// "tap-tab TEXT": taps the middle of that tab of the first shown tab control; fails when the
// tab's middle is not on the screen. "tap-tab-arrow left|right": taps an arrow of the row.
// Empty when the step went well, the failure otherwise; nothing for any other step.
std::optional<std::string> tabStep(platform::testkit::UiTestKit& kit, platform::WindowHandle frame,
                                   const std::vector<std::string>& words);

}  // namespace uidrive
