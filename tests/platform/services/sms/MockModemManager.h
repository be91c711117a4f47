#pragma once
// ModemManager as our own python3-dbusmock template (modemmanager_mock.py beside this file) on a
// private bus that each test starts and ends; nothing touches the machine's own buses.
#include "tests/platform/services/PrivateBus.h"

#include <gio/gio.h>

#include <chrono>
#include <string>
#include <thread>

namespace platform::services::testing {

using namespace std::chrono_literals;

inline constexpr const char* kModemManagerService = "org.freedesktop.ModemManager1";
inline constexpr const char* kModemManagerMock =
    TRASA_SOURCE_DIR "/tests/platform/services/sms/modemmanager_mock.py";

// A private message bus, with the mock ModemManager on it when parameters are given.
class MockModemManager {
public:
    // parametersJson: the template's parameters; null: no ModemManager on the bus.
    explicit MockModemManager(const char* parametersJson) {
        address_ = startPrivateBus(daemon_);
        if (address_.empty())
            return;
        bus_ = connectToBus(address_);
        if (!parametersJson)
            return;
        mock_.start({"/usr/bin/python3", "-m", "dbusmock", "--template", kModemManagerMock,
                     "--parameters", parametersJson},
                    {"DBUS_SESSION_BUS_ADDRESS=" + address_, "DBUS_SYSTEM_BUS_ADDRESS=" + address_},
                    -1);
        // The template is up once its manager object answers.
        const auto end = std::chrono::steady_clock::now() + 20s;
        while (!managerAnswers() && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(50ms);
    }
    ~MockModemManager() {
        if (bus_)
            g_object_unref(bus_);
    }

    bool up() const { return bus_ != nullptr; }
    const std::string& address() const { return address_; }

    // A property of a message object as text ("" when it cannot be read).
    std::string messageProperty(const std::string& path, const char* name) {
        GVariant* reply = call(path.c_str(), "org.freedesktop.DBus.Properties", "Get",
                               g_variant_new("(ss)", "org.freedesktop.ModemManager1.Sms", name));
        if (!reply)
            return {};
        GVariant* value = nullptr;
        g_variant_get(reply, "(v)", &value);
        gchar* text = g_variant_is_of_type(value, G_VARIANT_TYPE_STRING)
                          ? g_variant_dup_string(value, nullptr)
                          : g_variant_print(value, FALSE);
        std::string result(text);
        g_free(text);
        g_variant_unref(value);
        g_variant_unref(reply);
        return result;
    }

private:
    GVariant* call(const char* path, const char* interface, const char* method, GVariant* args) {
        GError* error = nullptr;
        GVariant* reply = g_dbus_connection_call_sync(
            bus_, kModemManagerService, path, interface, method, args, nullptr,
            G_DBUS_CALL_FLAGS_NO_AUTO_START, 2000, nullptr, &error);
        if (error)
            g_error_free(error);
        return reply;
    }
    bool managerAnswers() {
        GVariant* reply = call("/org/freedesktop/ModemManager1",
                               "org.freedesktop.DBus.Introspectable", "Introspect", nullptr);
        if (reply)
            g_variant_unref(reply);
        return reply != nullptr;
    }

    SpawnedChild daemon_;
    SpawnedChild mock_;
    std::string address_;
    GDBusConnection* bus_ = nullptr;
};

}  // namespace platform::services::testing
