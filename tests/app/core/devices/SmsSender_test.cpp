#include "app/core/SmsSender.h"

#include "platform/resources/StringTable.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/ShellMessages.h"

#include <gtest/gtest.h>

namespace pelorvant {
namespace {

using platform::services::SmsResult;
using platform::services::SmsServiceDouble;

class SmsSenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        setSmsService(&service);
        platform::shell::setMessageBoxAnswerer([this](const platform::shell::MessageBoxRequest& r) {
            boxes.push_back(r.text);
            return static_cast<int>(platform::shell::IDOK);
        });
    }
    void TearDown() override {
        platform::shell::setMessageBoxAnswerer({});
        setSmsService(nullptr);
    }
    SmsServiceDouble service;
    std::vector<std::u16string> boxes;
};

TEST_F(SmsSenderTest, SentMessageShowsNothing) {
    EXPECT_TRUE(sendSms(platform::kNullWindow, u"90206", u"DPT 24 Žižkov"));
    ASSERT_EQ(service.messages.size(), 1u);
    EXPECT_EQ(service.messages[0].number, "90206");
    EXPECT_EQ(service.messages[0].text, "DPT 24 \u017Di\u017Ekov");
    EXPECT_TRUE(boxes.empty());
}

struct FailureCase {
    SmsResult result;
    std::uint32_t text;
    const char16_t* shown;
};

class FailureTable : public SmsSenderTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailureTable, ShowsTheStepsTextOnce) {
    service.result = GetParam().result;
    EXPECT_FALSE(sendSms(platform::kNullWindow, u"7755", u"POZ r681"));
    EXPECT_EQ(smsFailureText(GetParam().result), GetParam().text);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, FailureTable,
    ::testing::Values(
        FailureCase{SmsResult::NoBus, 12000, u"Failed to initialize MAPI"},
        FailureCase{SmsResult::NoService, 12001, u"Failed to logon to CEMAPI"},
        FailureCase{SmsResult::ModemListFailed, 12002, u"Failed to open MsgStores table"},
        FailureCase{SmsResult::ModemListUnreadable, 12006,
                    u"Failed to get msgstore row from msgstores table"},
        FailureCase{SmsResult::NoMessagingModem, 12009, u"The SMS MsgStore was not found"},
        FailureCase{SmsResult::BadRecipient, 12004, u"Failed to add recipients to SMS message"},
        FailureCase{SmsResult::CreateFailed, 12005, u"Failed to create new message instance"},
        FailureCase{SmsResult::SendFailed, 12003, u"Failed to submit message to SMS msgstore"}));

}  // namespace
}  // namespace pelorvant
