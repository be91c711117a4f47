// The receiver on the real gpsd: gpsfake replays a short NMEA log on loopback and the
// receiver posts a fix from it. Skipped only where gpsfake or gpsd cannot be started.

#include "GpsFakeDaemon.h"

#include "app/core/GpsReceiver.h"
#include "app/core/PrivateMessages.h"

#include "platform/core/MessageLoop.h"
#include "platform/testkit/UiTestKit.h"
#include "platform/ui/WindowTree.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace pelorvant {
namespace {

using platform::services::GpsdAddress;
using platform::services::GpsPosition;

TEST(GpsdReceiverTest, ReceiverPostsAFixFromGpsd) {
    testing::GpsFakeDaemon daemon(std::string(TRASA_SOURCE_DIR) +
                                  "/tests/fixtures/gps/prague-short.nmea");
    if (!daemon.waitUntilListening(std::chrono::seconds(15))) {
        GTEST_SKIP() << "gpsfake could not start gpsd on loopback (packages gpsd and gpsd-clients)";
    }
    platform::testkit::UiTestKit kit;
    std::optional<GpsPosition> received;
    platform::ui::CreateParams p;
    p.className = "GpsTarget";
    p.rect = {0, 0, 10, 10};
    const auto window = platform::ui::createWindow(
        p,
        [&received](platform::WindowHandle h, std::uint32_t m, std::uintptr_t wp,
                    std::intptr_t lp) -> platform::MsgResult {
            if (m == WM_GPS_POSITION) {
                received = *cGpsReceiver::takePosition(wp);
                return 0;
            }
            return platform::ui::defWindowProc(h, m, wp, lp);
        });

    cGpsReceiver receiver(
        platform::services::makeGpsdSource(GpsdAddress{"127.0.0.1", daemon.port()}));
    ASSERT_EQ(receiver.start(window, window), cGpsReceiver::StartResult::WaitingForFix);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!received && std::chrono::steady_clock::now() < end) {
        kit.pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(receiver.stop(), kGpsOk);
    ASSERT_TRUE(received.has_value()) << "no fix from gpsd within 20 s";
    EXPECT_NEAR(received->latitude, 50.0755, 1e-4);
    EXPECT_NEAR(received->longitude, 14.4378, 1e-3);
    EXPECT_TRUE(received->validFix());
    EXPECT_EQ(receiver.getHeading(), 90);
}

TEST(GpsdReceiverTest, NoDaemonMeansAFailedOpen) {
    // A port nobody listens on: the open fails and the waiting window hears "stopped" at once.
    platform::testkit::UiTestKit kit;
    cGpsReceiver receiver(platform::services::makeGpsdSource(GpsdAddress{"127.0.0.1", "1"}));
    EXPECT_EQ(receiver.open(), kGpsOpenFailed);
    EXPECT_FALSE(receiver.isOpen());
}

TEST(GpsdAddressTest, EnvironmentNamesHostAndPort) {
    struct Case {
        const char* value;
        const char* host;
        const char* port;
    };
    const Case cases[] = {{nullptr, "localhost", "2947"},
                          {"127.0.0.1", "127.0.0.1", "2947"},
                          {"127.0.0.1:3000", "127.0.0.1", "3000"},
                          {":3001", "localhost", "3001"}};
    for (const Case& c : cases) {
        if (c.value) {
            ::setenv("PELORVANT_GPSD", c.value, 1);
        } else {
            ::unsetenv("PELORVANT_GPSD");
        }
        const GpsdAddress a = platform::services::gpsdAddressFromEnvironment();
        EXPECT_EQ(a.host, c.host) << (c.value ? c.value : "unset");
        EXPECT_EQ(a.port, c.port) << (c.value ? c.value : "unset");
    }
    ::unsetenv("PELORVANT_GPSD");
}

}  // namespace
}  // namespace pelorvant
