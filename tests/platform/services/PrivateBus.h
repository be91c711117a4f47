#pragma once
// A private message bus for tests of the D-Bus services: a dbus-daemon of the test's own, so
// nothing touches the machine's buses.
#include "tests/platform/services/SpawnedChild.h"

#include <gio/gio.h>
#include <unistd.h>

#include <string>
#include <string_view>

namespace platform::services::testing {

// Starts a dbus-daemon held by `daemon` and gives its address; empty when it cannot start.
inline std::string startPrivateBus(SpawnedChild& daemon) {
    int fds[2];
    if (::pipe(fds) != 0) return {};
    const bool started =
        daemon.start({"dbus-daemon", "--session", "--nofork", "--print-address=1"}, {}, fds[1]);
    ::close(fds[1]);
    if (!started) {
        ::close(fds[0]);
        return {};
    }
    char buffer[512] = {};
    std::size_t used = 0;
    while (used < sizeof(buffer) - 1) {
        const ssize_t n = ::read(fds[0], buffer + used, sizeof(buffer) - 1 - used);
        if (n <= 0) break;
        used += static_cast<std::size_t>(n);
        if (std::string_view(buffer, used).find('\n') != std::string_view::npos) break;
    }
    ::close(fds[0]);
    std::string address(buffer, used);
    address.erase(address.find_last_not_of("\r\n") + 1);
    return address;
}

// A connection to the bus at `address` (the caller unrefs it); null when it cannot be made.
inline GDBusConnection* connectToBus(const std::string& address) {
    GError* error = nullptr;
    GDBusConnection* bus = g_dbus_connection_new_for_address_sync(
        address.c_str(),
        static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                          G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, &error);
    if (error) g_error_free(error);
    return bus;
}

}  // namespace platform::services::testing
