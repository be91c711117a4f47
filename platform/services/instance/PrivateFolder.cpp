#include "platform/services/instance/PrivateFolder.h"

#include <cstdlib>
#include <system_error>

#include <fcntl.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform::services {
namespace {

constexpr const char* kFolderName = "trasa-instance";

std::filesystem::path absoluteFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || value[0] != '/')
        return {};
    return value;
}

bool isPrivate(const std::filesystem::path& folder) {
    return !folder.empty() && PrivateFolder::open(folder).has_value();
}

// True when a user other than the owner can add, rename or remove entries of the folder.
// Sticky: only an entry's owner can rename or remove it, and a name another user took first is
// passed over. A folder writable by the group of the user's own primary group counts as the
// user's.
bool othersCanChange(const struct stat& status) {
    if ((status.st_mode & S_ISVTX) != 0)
        return false;
    if ((status.st_mode & S_IWOTH) != 0)
        return true;
    return (status.st_mode & S_IWGRP) != 0 && status.st_gid != ::getgid();
}

// The folder "trasa-instance" in the cache folder, made when missing; when it is this user's
// directory but open to others (made by hand, or under another umask), it is closed. Nothing
// when the cache folder is not this user's or root's, or another user can change its entries.
// A link, a file or another user's folder stays as it is and fails the check.
std::filesystem::path ownFolderIn(const std::filesystem::path& cache) {
    if (cache.empty() || !cache.is_absolute())
        return {};
    std::error_code error;
    std::filesystem::create_directories(cache, error);
    // The cache folder itself may be a link (to another disk, say): what counts is the folder
    // it leads to, checked on the folder opened.
    const int parent = ::open(cache.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parent < 0)
        return {};
    struct stat status {};
    const bool trusted = ::fstat(parent, &status) == 0 && S_ISDIR(status.st_mode) &&
                         (status.st_uid == ::getuid() || status.st_uid == 0) && !othersCanChange(status);
    int fd = -1;
    if (trusted) {
        ::mkdirat(parent, kFolderName, 0700);
        fd = ::openat(parent, kFolderName, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    }
    ::close(parent);
    if (fd < 0)
        return {};
    if (::fstat(fd, &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == ::getuid() &&
        (status.st_mode & 077) != 0) {
        ::fchmod(fd, 0700);
    }
    ::close(fd);
    return cache / kFolderName;
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

std::filesystem::path defaultRuntimeFolder(const std::filesystem::path& databaseHome) {
    const std::filesystem::path runtime = absoluteFromEnvironment("XDG_RUNTIME_DIR");
    if (isPrivate(runtime))
        return runtime;
    const std::filesystem::path home = absoluteFromEnvironment("HOME");
    const std::filesystem::path caches[] = {
        absoluteFromEnvironment("XDG_CACHE_HOME"),
        home.empty() ? home : home / ".cache",
        databaseHome.empty() || !databaseHome.is_absolute() ? std::filesystem::path() : databaseHome / ".cache",
    };
    for (const std::filesystem::path& cache : caches) {
        const std::filesystem::path own = ownFolderIn(cache);
        if (isPrivate(own))
            return own;
    }
    return {};
}

}  // namespace platform::services
