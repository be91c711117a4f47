// ModemManager stands in as our own python3-dbusmock template on a private bus that each test
// starts and ends; nothing touches the machine's own buses.
#include "platform/services/sms/SmsService.h"

#include "tests/platform/services/sms/MockModemManager.h"

#include <gio/gio.h>
#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cctype>
#include <csignal>
#include <thread>

namespace platform::services {
namespace {

using testing::MockModemManager;

#define REQUIRE_BUS(mm) \
    if (!(mm).up())     \
    GTEST_SKIP() << "dbus-daemon could not start a private bus here"

constexpr const char* kFirstMessage = "/org/freedesktop/ModemManager1/SMS/1";

TEST(ModemManagerSms, NoBusAtAll) {
    EXPECT_EQ(
        makeModemManagerSms("unix:path=/nonexistent/pelorvant-test-bus")->send("7755", "POZ r681"),
        SmsResult::NoBus);
}

TEST(ModemManagerSms, BusWithoutModemManagerIsNoService) {
    MockModemManager mm(nullptr);
    REQUIRE_BUS(mm);
    EXPECT_EQ(makeModemManagerSms(mm.address())->send("7755", "POZ r681"), SmsResult::NoService);
}

TEST(ModemManagerSms, SendsTheTextToTheNumber) {
    MockModemManager mm("{}");
    REQUIRE_BUS(mm);
    const std::string text = "DPT 24 \"Hlavní\" & spol.";
    EXPECT_EQ(makeModemManagerSms(mm.address())->send("+420902060", text), SmsResult::Sent);
    EXPECT_EQ(mm.messageProperty(kFirstMessage, "Number"), "+420902060");
    EXPECT_EQ(mm.messageProperty(kFirstMessage, "Text"), text);
    EXPECT_EQ(mm.messageProperty(kFirstMessage, "State"), "5");  // sent
}

struct FailureCase {
    const char* what;
    const char* parameters;
    const char* number;
    SmsResult expected;
};

class FailureTable : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FailureTable, StopsAtTheFailingStepAndLeavesNoMessage) {
    const FailureCase& c = GetParam();
    MockModemManager mm(c.parameters);
    REQUIRE_BUS(mm);
    EXPECT_EQ(makeModemManagerSms(mm.address())->send(c.number, "ZPO r681"), c.expected) << c.what;
    EXPECT_EQ(mm.messageProperty(kFirstMessage, "Number"), "") << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Steps, FailureTable,
    ::testing::Values(
        FailureCase{"no modem list", R"({"objectManager": false})", "999111",
                    SmsResult::ModemListFailed},
        FailureCase{"modem list in another form", R"({"objectManager": "broken"})", "999111",
                    SmsResult::ModemListUnreadable},
        FailureCase{"no modem", R"({"modem": "none"})", "999111", SmsResult::NoMessagingModem},
        FailureCase{"modem without messaging", R"({"modem": "plain"})", "999111",
                    SmsResult::NoMessagingModem},
        FailureCase{"empty number", "{}", "", SmsResult::BadRecipient},
        FailureCase{"spaces in the number", "{}", "99 91 11", SmsResult::BadRecipient},
        FailureCase{"create refused", R"({"failCreate": true})", "999111", SmsResult::CreateFailed},
        FailureCase{"send refused", R"({"failSend": true})", "999111", SmsResult::SendFailed}),
    [](const ::testing::TestParamInfo<FailureCase>& info) {
        std::string name;
        for (const char* c = info.param.what; *c != '\0'; ++c)
            name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return name;
    });

TEST(PhoneNumber, AcceptsDigitsWithAnOptionalPlus) {
    EXPECT_TRUE(isPhoneNumber("4616"));
    EXPECT_TRUE(isPhoneNumber("+421900123456"));
    EXPECT_FALSE(isPhoneNumber("+"));
    EXPECT_FALSE(isPhoneNumber("12+3"));
    EXPECT_FALSE(isPhoneNumber(std::string(21, '1')));
    EXPECT_TRUE(isPhoneNumber(std::string(20, '1')));
}

}  // namespace
}  // namespace platform::services
