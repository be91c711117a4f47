#include "platform/services/network/Connectivity.h"
#include "platform/services/GlibHandles.h"

#include <gio/gio.h>

#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace platform::services {
namespace {

constexpr const char* kService = "org.freedesktop.NetworkManager";
constexpr const char* kPath = "/org/freedesktop/NetworkManager";
constexpr int kCallTimeoutMs = 400;
// NMState: CONNECTED_LOCAL (50) and above means a connection is up; a server on the local
// network counts.
constexpr guint32 kConnectedLocal = 50;
// NMMetered: YES (1) and GUESS_YES (3).
constexpr guint32 kMeteredYes = 1;
constexpr guint32 kMeteredGuessYes = 3;
// NMDeviceState: DISCONNECTED (30) up to, not including, ACTIVATED (100) can take a connection;
// UNMANAGED (10) and UNAVAILABLE (20) cannot.
constexpr guint32 kDeviceDisconnected = 30;
constexpr guint32 kDeviceActivated = 100;
constexpr const char* kDeviceInterface = "org.freedesktop.NetworkManager.Device";
// Activation is asked for, not waited for; NetworkManager answers at once.
constexpr int kActivateTimeoutMs = 5000;

using glib::CharFree;
using glib::ErrorFree;
using glib::ObjectUnref;
using glib::VariantUnref;

class NetworkManagerConnectivity final : public Connectivity {
public:
    explicit NetworkManagerConnectivity(std::string busAddress) : busAddress_(std::move(busAddress)) {}

    NetworkState state() override {
        GDBusConnection* bus = connection();
        if (!bus) {
            return NetworkState::Unknown;
        }
        const std::optional<guint32> state = readProperty(bus, "State");
        if (!state) {
            return NetworkState::Unknown;
        }
        if (*state < kConnectedLocal) {
            return NetworkState::Offline;
        }
        const guint32 metered = readProperty(bus, "Metered").value_or(0);
        return metered == kMeteredYes || metered == kMeteredGuessYes ? NetworkState::Metered : NetworkState::Free;
    }

    bool requestConnection() override {
        GDBusConnection* bus = connection();
        if (!bus) {
            return false;
        }
        for (const std::string& device : callPaths(bus, kPath, kService, "GetDevices")) {
            const std::optional<guint32> state =
                readProperty(bus, device.c_str(), kDeviceInterface, "State");
            if (!state || *state < kDeviceDisconnected || *state >= kDeviceActivated) {
                continue;
            }
            const std::vector<std::string> profiles =
                readPaths(bus, device.c_str(), kDeviceInterface, "AvailableConnections");
            if (profiles.empty()) {
                continue;
            }
            GError* raw = nullptr;
            std::unique_ptr<GVariant, VariantUnref> reply(g_dbus_connection_call_sync(
                bus, kService, kPath, kService, "ActivateConnection",
                g_variant_new("(ooo)", profiles.front().c_str(), device.c_str(), "/"),
                G_VARIANT_TYPE("(o)"), G_DBUS_CALL_FLAGS_NO_AUTO_START, kActivateTimeoutMs, nullptr,
                &raw));
            std::unique_ptr<GError, ErrorFree> error(raw);
            if (reply) {
                return true;
            }
        }
        return false;
    }

    bool waitForConnection(std::chrono::milliseconds limit,
                           const std::function<bool()>& keepGoing) override {
        const auto end = std::chrono::steady_clock::now() + limit;
        for (;;) {
            const NetworkState now = state();
            if (now != NetworkState::Offline) {
                return true;
            }
            if (std::chrono::steady_clock::now() >= end || (keepGoing && !keepGoing())) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }

private:
    // The bus connection, made on first use; null when there is no bus.
    GDBusConnection* connection() {
        if (bus_) {
            return bus_.get();
        }
        GError* raw = nullptr;
        std::unique_ptr<gchar, CharFree> address(
            busAddress_.empty() ? g_dbus_address_get_for_bus_sync(G_BUS_TYPE_SYSTEM, nullptr, &raw)
                                : g_strdup(busAddress_.c_str()));
        std::unique_ptr<GError, ErrorFree> error(raw);
        if (!address) {
            return nullptr;
        }
        raw = nullptr;
        GDBusConnection* bus = g_dbus_connection_new_for_address_sync(
            address.get(),
            static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                              G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
            nullptr, nullptr, &raw);
        error.reset(raw);
        if (!bus) {
            return nullptr;
        }
        g_dbus_connection_set_exit_on_close(bus, FALSE);
        bus_.reset(bus);
        return bus;
    }

    std::optional<guint32> readProperty(GDBusConnection* bus, const char* name) {
        return readProperty(bus, kPath, kService, name);
    }

    // A property's value; null when it cannot be read.
    static std::unique_ptr<GVariant, VariantUnref> getProperty(GDBusConnection* bus,
                                                               const char* path, const char* iface,
                                                               const char* name) {
        GError* raw = nullptr;
        std::unique_ptr<GVariant, VariantUnref> reply(g_dbus_connection_call_sync(
            bus, kService, path, "org.freedesktop.DBus.Properties", "Get",
            g_variant_new("(ss)", iface, name), G_VARIANT_TYPE("(v)"),
            G_DBUS_CALL_FLAGS_NO_AUTO_START, kCallTimeoutMs, nullptr, &raw));
        std::unique_ptr<GError, ErrorFree> error(raw);
        if (!reply) {
            return nullptr;
        }
        GVariant* boxed = nullptr;
        g_variant_get(reply.get(), "(v)", &boxed);
        return std::unique_ptr<GVariant, VariantUnref>(boxed);
    }

    static std::optional<guint32> readProperty(GDBusConnection* bus, const char* path,
                                               const char* iface, const char* name) {
        const auto value = getProperty(bus, path, iface, name);
        if (!value || !g_variant_is_of_type(value.get(), G_VARIANT_TYPE_UINT32)) {
            return std::nullopt;
        }
        return g_variant_get_uint32(value.get());
    }

    // The object paths of an "ao" value; empty when it is none.
    static std::vector<std::string> pathsOf(GVariant* value) {
        std::vector<std::string> paths;
        if (value == nullptr || !g_variant_is_of_type(value, G_VARIANT_TYPE("ao"))) {
            return paths;
        }
        GVariantIter iter;
        g_variant_iter_init(&iter, value);
        const gchar* path = nullptr;
        while (g_variant_iter_next(&iter, "&o", &path)) {
            paths.emplace_back(path);
        }
        return paths;
    }

    static std::vector<std::string> readPaths(GDBusConnection* bus, const char* path,
                                              const char* iface, const char* name) {
        const auto value = getProperty(bus, path, iface, name);
        return pathsOf(value.get());
    }

    // The paths a method without arguments answers with ("(ao)").
    static std::vector<std::string> callPaths(GDBusConnection* bus, const char* path,
                                              const char* iface, const char* method) {
        GError* raw = nullptr;
        std::unique_ptr<GVariant, VariantUnref> reply(g_dbus_connection_call_sync(
            bus, kService, path, iface, method, nullptr, G_VARIANT_TYPE("(ao)"),
            G_DBUS_CALL_FLAGS_NO_AUTO_START, kCallTimeoutMs, nullptr, &raw));
        std::unique_ptr<GError, ErrorFree> error(raw);
        if (!reply) {
            return {};
        }
        std::unique_ptr<GVariant, VariantUnref> list(g_variant_get_child_value(reply.get(), 0));
        return pathsOf(list.get());
    }

    std::string busAddress_;
    std::unique_ptr<GDBusConnection, ObjectUnref> bus_;
};

}  // namespace

std::unique_ptr<Connectivity> makeNetworkManagerConnectivity(const std::string& busAddress) {
    return std::make_unique<NetworkManagerConnectivity>(busAddress);
}

}  // namespace platform::services
