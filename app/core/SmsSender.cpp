#include "app/core/SmsSender.h"

#include "platform/draw/Utf.h"
#include "platform/resources/StringTable.h"
#include "platform/shell/MessageBox.h"

#include <memory>

namespace pelorvant {

using platform::services::SmsResult;
using platform::services::SmsService;

namespace {

constexpr std::uint32_t kTextProgramTitle = 128;

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

bool sendSms(platform::WindowHandle owner, std::u16string_view recipient,
             std::u16string_view text) {
    const SmsResult result =
        smsService().send(platform::draw::toUtf8(recipient), platform::draw::toUtf8(text));
    const std::uint32_t failure = smsFailureText(result);
    if (failure == 0)
        return true;
    platform::shell::messageBox(owner, platform::resources::loadResString(failure),
                                platform::resources::loadResString(kTextProgramTitle),
                                platform::shell::MB_OK);
    return false;
}

}  // namespace pelorvant
