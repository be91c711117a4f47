// NetworkManager stands in as python3-dbusmock's template on a private bus that each test
// starts and ends; nothing touches the machine's own buses.
#include "platform/services/network/Connectivity.h"

#include "tests/platform/services/PrivateBus.h"

#include <gio/gio.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace platform::services {
namespace {

using namespace std::chrono_literals;

constexpr const char* kManagerPath = "/org/freedesktop/NetworkManager";

using Child = testing::SpawnedChild;

// A private message bus with the mock NetworkManager on it.
class MockNetworkManager {
public:
    explicit MockNetworkManager(bool withManager = true) {
        address_ = testing::startPrivateBus(daemon_);
        if (!withManager || address_.empty()) return;
        mock_.start({"/usr/bin/python3", "-m", "dbusmock", "--template", "networkmanager"},
                    {"DBUS_SESSION_BUS_ADDRESS=" + address_, "DBUS_SYSTEM_BUS_ADDRESS=" + address_}, -1);
        bus_ = testing::connectToBus(address_);
        // The template is up once the manager answers.
        const auto end = std::chrono::steady_clock::now() + 20s;
        auto probe = makeNetworkManagerConnectivity(address_);
        while (probe->state() == NetworkState::Unknown && std::chrono::steady_clock::now() < end) {
            std::this_thread::sleep_for(50ms);
        }
    }
    ~MockNetworkManager() {
        if (bus_) g_object_unref(bus_);
    }

    const std::string& address() const { return address_; }

    void mockCall(const char* method, GVariant* args) {
        ASSERT_NE(bus_, nullptr);
        GError* error = nullptr;
        GVariant* reply = g_dbus_connection_call_sync(bus_, "org.freedesktop.NetworkManager", kManagerPath,
                                                      "org.freedesktop.DBus.Mock", method, args, nullptr,
                                                      G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, &error);
        if (reply) g_variant_unref(reply);
        EXPECT_EQ(error, nullptr) << (error ? error->message : "");
        if (error)
            g_error_free(error);
    }
    // The call's answer (a mock method's first string out-value), "" without one.
    std::string mockCallString(const char* method, GVariant* args) {
        GError* error = nullptr;
        GVariant* reply = g_dbus_connection_call_sync(
            bus_, "org.freedesktop.NetworkManager", kManagerPath, "org.freedesktop.DBus.Mock",
            method, args, G_VARIANT_TYPE("(s)"), G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, &error);
        EXPECT_EQ(error, nullptr) << (error ? error->message : "");
        if (error)
            g_error_free(error);
        std::string out;
        if (reply) {
            const gchar* text = nullptr;
            g_variant_get(reply, "(&s)", &text);
            out = text;
            g_variant_unref(reply);
        }
        return out;
    }
    // The number of active connections the manager lists.
    std::size_t activeConnections() {
        GError* error = nullptr;
        GVariant* reply = g_dbus_connection_call_sync(
            bus_, "org.freedesktop.NetworkManager", kManagerPath, "org.freedesktop.DBus.Properties",
            "Get", g_variant_new("(ss)", "org.freedesktop.NetworkManager", "ActiveConnections"),
            G_VARIANT_TYPE("(v)"), G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, &error);
        if (error)
            g_error_free(error);
        if (!reply)
            return 0;
        GVariant* list = nullptr;
        g_variant_get(reply, "(v)", &list);
        const std::size_t n = g_variant_n_children(list);
        g_variant_unref(list);
        g_variant_unref(reply);
        return n;
    }
    void setState(guint32 state) { mockCall("SetGlobalConnectionState", g_variant_new("(u)", state)); }
    void addMetered(guint32 metered) {
        mockCall("AddProperty", g_variant_new("(ssv)", "org.freedesktop.NetworkManager", "Metered",
                                              g_variant_new_uint32(metered)));
    }

private:
    Child daemon_;
    Child mock_;
    std::string address_;
    GDBusConnection* bus_ = nullptr;
};

constexpr guint32 kDisconnected = 20;
constexpr guint32 kConnectedGlobal = 70;

TEST(NetworkManagerConnectivity, NoBusAtAllIsUnknown) {
    auto connectivity = makeNetworkManagerConnectivity("unix:path=/nonexistent/pelorvant-test-bus");
    EXPECT_EQ(connectivity->state(), NetworkState::Unknown);
}

TEST(NetworkManagerConnectivity, BusWithoutNetworkManagerIsUnknown) {
    MockNetworkManager bus(false);
    ASSERT_FALSE(bus.address().empty());
    EXPECT_EQ(makeNetworkManagerConnectivity(bus.address())->state(), NetworkState::Unknown);
}

struct StateCase {
    const char* what;
    guint32 state;
    int metered;  // -1: the manager has no such property
    NetworkState expected;
};

class StateTable : public ::testing::TestWithParam<StateCase> {};

TEST_P(StateTable, MapsManagerStateAndMetering) {
    const StateCase& c = GetParam();
    MockNetworkManager nm;
    nm.setState(c.state);
    if (c.metered >= 0) nm.addMetered(static_cast<guint32>(c.metered));
    EXPECT_EQ(makeNetworkManagerConnectivity(nm.address())->state(), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(States, StateTable,
                         ::testing::Values(StateCase{"connected, metering unknown", kConnectedGlobal, -1, NetworkState::Free},
                                           StateCase{"connected, not metered", kConnectedGlobal, 2, NetworkState::Free},
                                           StateCase{"connected, metered", kConnectedGlobal, 1, NetworkState::Metered},
                                           StateCase{"connected, guessed metered", kConnectedGlobal, 3, NetworkState::Metered},
                                           StateCase{"local network only", 50, -1, NetworkState::Free},
                                           StateCase{"connecting", 40, -1, NetworkState::Offline},
                                           StateCase{"disconnected", kDisconnected, 1, NetworkState::Offline}));

TEST(NetworkManagerConnectivity, WaitSeesAConnectionComeUp) {
    MockNetworkManager nm;
    nm.setState(kDisconnected);
    auto connectivity = makeNetworkManagerConnectivity(nm.address());
    std::thread later([&] {
        std::this_thread::sleep_for(300ms);
        nm.setState(kConnectedGlobal);
    });
    EXPECT_TRUE(connectivity->waitForConnection(20s, [] { return true; }));
    later.join();
}

TEST(NetworkManagerConnectivity, WaitGivesUpAtTheLimitOrWhenTold) {
    MockNetworkManager nm;
    nm.setState(kDisconnected);
    auto connectivity = makeNetworkManagerConnectivity(nm.address());
    EXPECT_FALSE(connectivity->waitForConnection(200ms, [] { return true; }));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(connectivity->waitForConnection(60s, [] { return false; }));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 30s);
}

// Offline, a request asks NetworkManager to activate a profile of a disconnected device that has
// one; a device without profiles (or none at all) gives nothing to ask for.
TEST(NetworkManagerConnectivity, ARequestActivatesAProfileOfADisconnectedDevice) {
    MockNetworkManager nm;
    nm.setState(kDisconnected);
    auto connectivity = makeNetworkManagerConnectivity(nm.address());
    EXPECT_FALSE(connectivity->requestConnection());
    const std::string bare =
        nm.mockCallString("AddEthernetDevice", g_variant_new("(ssi)", "eth0", "eth0", 30));
    ASSERT_FALSE(bare.empty());
    EXPECT_FALSE(connectivity->requestConnection());
    const std::string wifi =
        nm.mockCallString("AddWiFiDevice", g_variant_new("(ssi)", "wlan0", "wlan0", 30));
    nm.mockCallString("AddAccessPoint", g_variant_new("(ssssuuuyu)", wifi.c_str(), "ap0", "Domov",
                                                      "00:11:22:33:44:55", 2u, 2437u, 54000u,
                                                      static_cast<guchar>(80), 0u));
    nm.mockCallString("AddWiFiConnection",
                      g_variant_new("(ssss)", wifi.c_str(), "domov", "Domov", ""));
    EXPECT_EQ(nm.activeConnections(), 0u);
    EXPECT_TRUE(connectivity->requestConnection());
    EXPECT_EQ(nm.activeConnections(), 1u);
}

TEST(NetworkManagerConnectivity, NoBusGivesNoRequest) {
    EXPECT_FALSE(makeNetworkManagerConnectivity("unix:path=/nonexistent/pelorvant-test-bus")
                     ->requestConnection());
}

}  // namespace
}  // namespace platform::services
