#include "app/core/SmsSender.h"

#include "platform/draw/Utf.h"

#include <memory>
#include <string>

namespace pelorvant {

using platform::services::SmsResult;
using platform::services::SmsService;

namespace {

SmsService* gReplacement = nullptr;

}  // namespace

SmsService& smsService() {
    if (gReplacement != nullptr)
        return *gReplacement;
    static const std::unique_ptr<SmsService> real = platform::services::makeModemManagerSms();
    return *real;
}

SmsService* setSmsService(SmsService* service) {
    SmsService* previous = gReplacement;
    gReplacement = service;
    return previous;
}

std::uint32_t smsFailureText(SmsResult result) {
    switch (result) {
        case SmsResult::Sent:
            return 0;
        case SmsResult::NoBus:
            return 12000;
        case SmsResult::NoService:
            return 12001;
        case SmsResult::ModemListFailed:
            return 12002;
        case SmsResult::ModemListUnreadable:
            return 12006;
        case SmsResult::NoMessagingModem:
            return 12009;
        case SmsResult::BadRecipient:
            return 12004;
        case SmsResult::CreateFailed:
            return 12005;
        case SmsResult::SendFailed:
            return 12003;
    }
    return 12003;
}

void sendSmsInBackground(DeviceActions& actions, platform::WindowHandle window,
                         std::u16string_view recipient, std::u16string_view text,
                         std::function<void(SmsResult)> done) {
    // The service is taken here, on the interface thread, where tests replace it.
    SmsService& service = smsService();
    actions.start(
        window,
        [&service, number = platform::draw::toUtf8(recipient),
         body = platform::draw::toUtf8(text)] {
            return static_cast<std::intptr_t>(service.send(number, body));
        },
        [done = std::move(done)](std::intptr_t result) { done(static_cast<SmsResult>(result)); });
}

}  // namespace pelorvant
