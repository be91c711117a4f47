#pragma once
// Sends a short text message to a service number without the message composer, through the
// device's modem. Each failing step shows its own text in a plain message box. The real
// service is made on first use; tests and the scripted driver put a double in its place.
#include "platform/core/Types.h"
#include "platform/services/sms/SmsService.h"

#include <cstdint>
#include <string_view>

namespace pelorvant {

// The service in force (not owned by the caller).
platform::services::SmsService& smsService();
// Puts `service` (not owned; null: the real one again) in force and returns the previous one
// (null when that was the real one).
platform::services::SmsService* setSmsService(platform::services::SmsService* service);

// The string-table text for the step that failed; 0 for a message that was sent.
std::uint32_t smsFailureText(platform::services::SmsResult result);

// True when the message was handed to the modem (delivery is not awaited); it goes out from
// the modem's own number. Every failure shows its text over `owner` and answers false.
bool sendSms(platform::WindowHandle owner, std::u16string_view recipient, std::u16string_view text);

}  // namespace pelorvant
