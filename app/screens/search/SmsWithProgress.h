#pragma once
// A text message sent while the message view says so: the view shows "Odesílám SMS..." with
// the recipient and the text (timetable texts shown as written), the message goes out on a
// worker, and the view goes when the outcome comes, unless the traveller has left it already.
#include "app/core/DeviceActions.h"

#include "platform/core/Types.h"
#include "platform/services/sms/SmsService.h"

#include <functional>
#include <string>

namespace pelorvant {

class cImageMessageBoxView;

// `window` hands WM_DEVICE_ACTION_DONE to `actions`; the message view returns to `returnView`
// with the tab's own menu. `done` gets the outcome on the user-interface thread.
void sendSmsShowingProgress(DeviceActions& actions, platform::WindowHandle window,
                            cImageMessageBoxView& messageView, int returnView,
                            const std::u16string& recipient, const std::u16string& text,
                            std::function<void(platform::services::SmsResult)> done);

}  // namespace pelorvant
