#include "platform/services/environment/SessionBus.h"

#include <cstdlib>

#include <sys/stat.h>
#include <unistd.h>

namespace platform::services {
namespace {

// A value in a D-Bus address: bytes other than the few plain ones as %XX.
std::string escapedAddressValue(const std::string& value) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : value) {
        const bool plain = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ||
                           (c >= 'A' && c <= 'Z') || c == '-' || c == '_' || c == '/' || c == '.' ||
                           c == '\\' || c == '*';
        if (plain) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

}  // namespace

std::string settleSessionBus() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address != nullptr && address[0] != '\0')
        return address;
    std::string chosen = kNoSessionBus;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/') {
        const std::string socket = std::string(runtime) + "/bus";
        struct stat status {};
        if (::lstat(socket.c_str(), &status) == 0 && S_ISSOCK(status.st_mode) &&
            status.st_uid == ::getuid()) {
            chosen = "unix:path=" + escapedAddressValue(socket);
        }
    }
    ::setenv("DBUS_SESSION_BUS_ADDRESS", chosen.c_str(), 1);
    return chosen;
}

}  // namespace platform::services
