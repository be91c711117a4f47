#include "platform/services/sms/SmsService.h"
#include "platform/services/GlibHandles.h"

#include <gio/gio.h>

#include <cctype>

namespace platform::services {
namespace {

constexpr const char* kService = "org.freedesktop.ModemManager1";
constexpr const char* kManagerPath = "/org/freedesktop/ModemManager1";
constexpr const char* kMessagingInterface = "org.freedesktop.ModemManager1.Modem.Messaging";
constexpr const char* kSmsInterface = "org.freedesktop.ModemManager1.Sms";
constexpr int kCallTimeoutMs = 2000;
// Sending waits for the network's answer, which can take a while.
constexpr int kSendTimeoutMs = 30000;
constexpr std::size_t kMaxDigits = 20;

using glib::CharFree;
using glib::ErrorFree;
using glib::ObjectUnref;
using glib::VariantUnref;
using glib::Variant;

std::unique_ptr<GDBusConnection, ObjectUnref> openBus(const std::string& busAddress) {
    GError* raw = nullptr;
    std::unique_ptr<gchar, CharFree> address(
        busAddress.empty() ? g_dbus_address_get_for_bus_sync(G_BUS_TYPE_SYSTEM, nullptr, &raw)
                           : g_strdup(busAddress.c_str()));
    std::unique_ptr<GError, ErrorFree> error(raw);
    if (!address)
        return nullptr;
    raw = nullptr;
    GDBusConnection* bus = g_dbus_connection_new_for_address_sync(
        address.get(),
        static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                          G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, &raw);
    error.reset(raw);
    if (!bus)
        return nullptr;
    g_dbus_connection_set_exit_on_close(bus, FALSE);
    return std::unique_ptr<GDBusConnection, ObjectUnref>(bus);
}

// A call that answers null on any failure; `parameters` is consumed.
Variant call(GDBusConnection* bus, const char* service, const char* path, const char* interface,
             const char* method, GVariant* parameters, const GVariantType* replyType,
             int timeoutMs = kCallTimeoutMs) {
    GError* raw = nullptr;
    Variant reply(g_dbus_connection_call_sync(bus, service, path, interface, method, parameters,
                                              replyType, G_DBUS_CALL_FLAGS_NO_AUTO_START, timeoutMs,
                                              nullptr, &raw));
    std::unique_ptr<GError, ErrorFree> error(raw);
    return reply;
}

bool serviceRuns(GDBusConnection* bus) {
    Variant reply =
        call(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
             "NameHasOwner", g_variant_new("(s)", kService), G_VARIANT_TYPE("(b)"));
    gboolean owned = FALSE;
    if (reply)
        g_variant_get(reply.get(), "(b)", &owned);
    return owned;
}

class ModemManagerSms final : public SmsService {
public:
    explicit ModemManagerSms(std::string busAddress) : busAddress_(std::move(busAddress)) {}

    SmsResult send(const std::string& number, const std::string& utf8Text) override {
        auto bus = openBus(busAddress_);
        if (!bus)
            return SmsResult::NoBus;
        if (!serviceRuns(bus.get()))
            return SmsResult::NoService;
        std::string modem;
        if (const SmsResult found = findMessagingModem(bus.get(), modem); found != SmsResult::Sent)
            return found;
        if (!isPhoneNumber(number))
            return SmsResult::BadRecipient;
        return createAndSend(bus.get(), modem, number, utf8Text);
    }

private:
    // The first modem (by object path order of the reply) that offers messaging.
    static SmsResult findMessagingModem(GDBusConnection* bus, std::string& modem) {
        Variant reply = call(bus, kService, kManagerPath, "org.freedesktop.DBus.ObjectManager",
                             "GetManagedObjects", nullptr, nullptr);
        if (!reply)
            return SmsResult::ModemListFailed;
        if (!g_variant_is_of_type(reply.get(), G_VARIANT_TYPE("(a{oa{sa{sv}}})")))
            return SmsResult::ModemListUnreadable;
        Variant objects(g_variant_get_child_value(reply.get(), 0));
        GVariantIter iter;
        g_variant_iter_init(&iter, objects.get());
        const gchar* path = nullptr;
        GVariant* interfaces = nullptr;
        while (g_variant_iter_next(&iter, "{&o@a{sa{sv}}}", &path, &interfaces)) {
            Variant owned(interfaces);
            Variant messaging(g_variant_lookup_value(owned.get(), kMessagingInterface, nullptr));
            if (messaging) {
                modem = path;
                return SmsResult::Sent;
            }
        }
        return SmsResult::NoMessagingModem;
    }

    static SmsResult createAndSend(GDBusConnection* bus, const std::string& modem,
                                   const std::string& number, const std::string& utf8Text) {
        GVariantBuilder properties;
        g_variant_builder_init(&properties, G_VARIANT_TYPE("a{sv}"));
        g_variant_builder_add(&properties, "{sv}", "number", g_variant_new_string(number.c_str()));
        g_variant_builder_add(&properties, "{sv}", "text", g_variant_new_string(utf8Text.c_str()));
        Variant created = call(bus, kService, modem.c_str(), kMessagingInterface, "Create",
                               g_variant_new("(a{sv})", &properties), G_VARIANT_TYPE("(o)"));
        if (!created)
            return SmsResult::CreateFailed;
        const gchar* message = nullptr;
        g_variant_get(created.get(), "(&o)", &message);
        Variant sent =
            call(bus, kService, message, kSmsInterface, "Send", nullptr, nullptr, kSendTimeoutMs);
        if (sent)
            return SmsResult::Sent;
        // A message the modem would not send is not left behind among its stored ones.
        call(bus, kService, modem.c_str(), kMessagingInterface, "Delete",
             g_variant_new("(o)", message), nullptr);
        return SmsResult::SendFailed;
    }

    std::string busAddress_;
};

}  // namespace

bool isPhoneNumber(const std::string& number) {
    const std::size_t first = !number.empty() && number.front() == '+' ? 1 : 0;
    const std::size_t digits = number.size() - first;
    if (digits == 0 || digits > kMaxDigits)
        return false;
    for (std::size_t i = first; i < number.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(number[i])) == 0)
            return false;
    }
    return true;
}

std::unique_ptr<SmsService> makeModemManagerSms(const std::string& busAddress) {
    return std::make_unique<ModemManagerSms>(busAddress);
}

}  // namespace platform::services
