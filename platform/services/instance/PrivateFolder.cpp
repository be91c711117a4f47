#include "platform/services/instance/PrivateFolder.h"

#include <cstdlib>
#include <system_error>

#include <fcntl.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform::services {
namespace {

std::filesystem::path absoluteFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || value[0] != '/')
        return {};
    return value;
}

bool isPrivate(const std::filesystem::path& folder) {
    return !folder.empty() && PrivateFolder::open(folder).has_value();
}

// The user's own fallback folder: made when missing; when it is this user's directory but open
// to others (made by hand, or under another umask), it is closed. A link, a file or another
// user's folder stays as it is and fails the check.
std::filesystem::path cacheFolder() {
    std::filesystem::path cache = absoluteFromEnvironment("XDG_CACHE_HOME");
    if (cache.empty()) {
        const std::filesystem::path home = absoluteFromEnvironment("HOME");
        if (home.empty())
            return {};
        cache = home / ".cache";
    }
    std::error_code error;
    std::filesystem::create_directories(cache, error);
    const std::filesystem::path folder = cache / "trasa-instance";
    ::mkdir(folder.c_str(), 0700);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0) {
        struct stat status {};
        if (::fstat(fd, &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == ::getuid() &&
            (status.st_mode & 077) != 0) {
            ::fchmod(fd, 0700);
        }
        ::close(fd);
    }
    return folder;
}

}  // namespace

bool isPrivateFolder(const struct stat& status, uid_t uid) {
    return S_ISDIR(status.st_mode) && status.st_uid == uid && (status.st_mode & 077) == 0;
}

std::optional<PrivateFolder> PrivateFolder::open(const std::filesystem::path& path) {
    if (path.empty())
        return std::nullopt;
    // O_NOFOLLOW: a link in the folder's place is refused, not followed.
    const int fd = ::open(path.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !isPrivateFolder(status, ::getuid())) {
        ::close(fd);
        return std::nullopt;
    }
    return PrivateFolder(fd, path);
}

PrivateFolder::~PrivateFolder() {
    if (fd_ >= 0)
        ::close(fd_);
}

PrivateFolder::PrivateFolder(PrivateFolder&& other) noexcept
    : fd_(other.fd_), path_(std::move(other.path_)) {
    other.fd_ = -1;
}

std::string PrivateFolder::socketPath(std::string_view name) const {
    constexpr std::size_t kRoom = sizeof(sockaddr_un::sun_path) - 1;
    std::string direct = (path_ / name).string();
    if (direct.size() <= kRoom)
        return direct;
    std::string viaFd = "/proc/self/fd/" + std::to_string(fd_) + "/" + std::string(name);
    return viaFd.size() <= kRoom ? viaFd : std::string();
}

std::filesystem::path defaultRuntimeFolder() {
    const std::filesystem::path runtime = absoluteFromEnvironment("XDG_RUNTIME_DIR");
    if (isPrivate(runtime))
        return runtime;
    const std::filesystem::path own = cacheFolder();
    if (isPrivate(own))
        return own;
    return {};
}

}  // namespace platform::services
