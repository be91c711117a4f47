#pragma once
// Sends a short text message to a number through the device's modem, without the message
// composer. A successful send hands the message to the modem and returns; delivery is not
// awaited.
#include <memory>
#include <string>
#include <vector>

namespace platform::services {

// The step at which sending stopped.
enum class SmsResult {
    Sent,
    NoBus,                // the system bus cannot be reached
    NoService,            // ModemManager is not running
    ModemListFailed,      // the list of modems cannot be asked for
    ModemListUnreadable,  // the list of modems came back in a form that cannot be read
    NoMessagingModem,     // no modem can send messages
    BadRecipient,         // the number is not a phone number
    CreateFailed,         // the modem refused to create the message
    SendFailed,           // the modem did not send the message
};

class SmsService {
public:
    virtual ~SmsService() = default;
    // Sends utf8Text to number; blocks for at most a few seconds.
    virtual SmsResult send(const std::string& number, const std::string& utf8Text) = 0;
};

// ModemManager on the D-Bus system bus, or on the bus at busAddress when it is not empty
// (tests run a private bus). The caller owns the result.
std::unique_ptr<SmsService> makeModemManagerSms(const std::string& busAddress = {});

// True for a number a modem can address: an optional leading "+" and 1 to 20 digits.
bool isPhoneNumber(const std::string& number);

// The test double: records each message and answers `result`.
class SmsServiceDouble final : public SmsService {
public:
    struct Message {
        std::string number;
        std::string text;
    };
    std::vector<Message> messages;  // every message asked for, sent or not
    SmsResult result = SmsResult::Sent;
    SmsResult send(const std::string& number, const std::string& utf8Text) override {
        messages.push_back({number, utf8Text});
        return result;
    }
};

}  // namespace platform::services
