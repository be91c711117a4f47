// Text messages on a worker: the user-interface thread goes on while the modem is slow, the
// outcome comes back to the window that asked, and every failure has the program's own text.
// The modem is ModemManager's mock on a private bus, or the double.
#include "app/core/SmsSender.h"
#include "app/core/PrivateMessages.h"

#include "platform/core/MessageLoop.h"
#include "platform/resources/StringTable.h"
#include "platform/testkit/UiTestKit.h"
#include "platform/ui/WindowTree.h"
#include "tests/platform/services/sms/MockModemManager.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

namespace pelorvant {
namespace {

using platform::services::SmsResult;
using platform::services::SmsServiceDouble;

constexpr std::uint32_t kAlive =
    0x8001;  // a message that only shows the thread is handling messages

// A window that hands the done message to its actions and counts what else it handled.
class Asker {
public:
    Asker() {
        platform::ui::CreateParams p;
        p.className = "SmsAsker";
        p.rect = {0, 0, 10, 10};
        window_ = platform::ui::createWindow(
            p,
            [this](platform::WindowHandle h, std::uint32_t m, std::uintptr_t wp,
                   std::intptr_t lp) -> platform::MsgResult {
                if (m == WM_DEVICE_ACTION_DONE) {
                    actions.finish(wp, lp);
                    return 0;
                }
                if (m == kAlive) {
                    ++alive;
                    return 0;
                }
                return platform::ui::defWindowProc(h, m, wp, lp);
            });
    }
    ~Asker() { platform::ui::destroyWindow(window_); }
    void send(std::u16string_view number, std::u16string_view text) {
        sendSmsInBackground(actions, window_, number, text, [this](SmsResult r) { outcome = r; });
    }
    platform::WindowHandle window() const { return window_; }

    DeviceActions actions;
    std::optional<SmsResult> outcome;
    int alive = 0;

private:
    platform::WindowHandle window_ = platform::kNullWindow;
};

class SmsSenderTest : public ::testing::Test {
protected:
    void SetUp() override { setSmsService(&service); }
    void TearDown() override { setSmsService(nullptr); }
    platform::testkit::UiTestKit kit;
    SmsServiceDouble service;
};

TEST_F(SmsSenderTest, TheOutcomeComesBackToTheWindowThatAsked) {
    Asker asker;
    asker.send(u"90206", u"DPT 24 Žižkov");
    ASSERT_TRUE(kit.pumpUntil([&] { return asker.outcome.has_value(); }));
    EXPECT_EQ(*asker.outcome, SmsResult::Sent);
    ASSERT_EQ(service.messages.size(), 1u);
    EXPECT_EQ(service.messages[0].number, "90206");
    EXPECT_EQ(service.messages[0].text, "DPT 24 \u017Di\u017Ekov");
    EXPECT_EQ(asker.actions.pending(), 0u);
    EXPECT_EQ(deviceActionsUnderway(), 0);
}

struct FailureCase {
    SmsResult result;
    std::uint32_t text;
    const char16_t* shown;
};

class FailureTable : public SmsSenderTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailureTable, EveryFailureHasTheProgramsOwnText) {
    service.result = GetParam().result;
    Asker asker;
    asker.send(u"7755", u"POZ r681");
    ASSERT_TRUE(kit.pumpUntil([&] { return asker.outcome.has_value(); }));
    EXPECT_EQ(*asker.outcome, GetParam().result);
    EXPECT_EQ(smsFailureText(GetParam().result), GetParam().text);
    EXPECT_EQ(platform::resources::loadResString(GetParam().text), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, FailureTable,
    ::testing::Values(
        FailureCase{SmsResult::NoBus, 12000,
                    u"Nepodařilo se spojit se systémovou službou zařízení pro posílání zpráv."},
        FailureCase{SmsResult::NoService, 12001,
                    u"Služba zařízení pro práci s modemem neběží. SMS zprávu nelze odeslat."},
        FailureCase{SmsResult::ModemListFailed, 12002,
                    u"Nepodařilo se zjistit, jaké modemy zařízení má."},
        FailureCase{SmsResult::ModemListUnreadable, 12006,
                    u"Seznam modemů zařízení se nepodařilo přečíst."},
        FailureCase{SmsResult::NoMessagingModem, 12009,
                    u"Zařízení nemá modem, který umí posílat SMS zprávy."},
        FailureCase{SmsResult::BadRecipient, 12004, u"Číslo příjemce není platné telefonní číslo."},
        FailureCase{SmsResult::CreateFailed, 12005,
                    u"Modem odmítl SMS zprávu připravit k odeslání."},
        FailureCase{SmsResult::SendFailed, 12003,
                    u"Modem SMS zprávu neodeslal. Zkontrolujte signál sítě a kredit."}));

// The modem takes its time (the network answers only when the test lets it): meanwhile the
// user-interface thread handles its messages, and the outcome arrives afterwards.
TEST(SlowModem, TheInterfaceThreadGoesOnWhileTheModemSends) {
    const trasa::testing::TempFolder folder;
    const std::filesystem::path gate = folder.path() / "network";
    const std::string parameters = "{\"sendGate\": \"" + gate.string() + "\"}";
    platform::services::testing::MockModemManager modem(parameters.c_str());
    if (!modem.up())
        GTEST_SKIP() << "dbus-daemon could not start a private bus here";
    const auto real = platform::services::makeModemManagerSms(modem.address());
    setSmsService(real.get());
    platform::testkit::UiTestKit kit;
    {
        Asker asker;
        asker.send(u"7755", u"POZ r681");
        // The modem has the message and waits for the network.
        ASSERT_TRUE(
            kit.pumpUntil([&] { return std::filesystem::exists(gate.string() + ".reached"); }));
        for (int i = 0; i < 3; ++i) {
            platform::postMessage(asker.window(), kAlive);
            kit.pump();
        }
        EXPECT_EQ(asker.alive, 3);
        EXPECT_FALSE(asker.outcome.has_value());
        EXPECT_EQ(deviceActionsUnderway(), 1);
        std::ofstream(gate) << "up\n";
        ASSERT_TRUE(kit.pumpUntil([&] { return asker.outcome.has_value(); }));
        EXPECT_EQ(*asker.outcome, SmsResult::Sent);
    }
    setSmsService(nullptr);
    EXPECT_EQ(modem.messageProperty("/org/freedesktop/ModemManager1/SMS/1", "Text"), "POZ r681");
    EXPECT_EQ(modem.messageProperty("/org/freedesktop/ModemManager1/SMS/1", "State"), "5");  // sent
}

}  // namespace
}  // namespace pelorvant
