#pragma once
// Sends a short text message to a service number without the message composer, through the
// device's modem, on a worker thread: the user-interface thread never waits for the modem. The
// real service is made on first use; tests and the scripted driver put a double in its place.
#include "app/core/DeviceActions.h"

#include "platform/core/Types.h"
#include "platform/services/sms/SmsService.h"

#include <cstdint>
#include <functional>
#include <string_view>

namespace pelorvant {

// The service in force (not owned by the caller).
platform::services::SmsService& smsService();
// Puts `service` (not owned; null: the real one again) in force and returns the previous one
// (null when that was the real one).
platform::services::SmsService* setSmsService(platform::services::SmsService* service);

// The program's own text (string table) for the step that failed; 0 for a message that was
// sent.
std::uint32_t smsFailureText(platform::services::SmsResult result);

// Starts sending on a worker of `actions` and returns at once; `done` gets the outcome on the
// user-interface thread once `window` has handed WM_DEVICE_ACTION_DONE to `actions`. The
// message goes out from the modem's own number; a successful send is not followed to its
// delivery.
void sendSmsInBackground(DeviceActions& actions, platform::WindowHandle window,
                         std::u16string_view recipient, std::u16string_view text,
                         std::function<void(platform::services::SmsResult)> done);

}  // namespace pelorvant
