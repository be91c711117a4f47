#include "platform/services/environment/HomeFolder.h"

#include <cstdlib>
#include <string>
#include <vector>

#include <pwd.h>
#include <unistd.h>

namespace platform::services {
namespace {

std::filesystem::path homeOfUser(uid_t uid) {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr ||
        found->pw_dir == nullptr || found->pw_dir[0] != '/') {
        return {};
    }
    return found->pw_dir;
}

}  // namespace

std::filesystem::path homeInPasswordDatabase() {
    return homeOfUser(::getuid());
}

std::filesystem::path homeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/')
        return home;
    return homeOfUser(::getuid());
}

bool settleHomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/')
        return true;
    const std::filesystem::path fromDatabase = homeOfUser(::getuid());
    if (fromDatabase.empty())
        return false;
    return ::setenv("HOME", fromDatabase.c_str(), 1) == 0;
}

}  // namespace platform::services
