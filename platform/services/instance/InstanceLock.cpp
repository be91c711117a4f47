#include "platform/services/instance/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform::services {

std::unique_ptr<InstanceLock> InstanceLock::tryAcquire(const std::filesystem::path& lockFile) {
    // Close-on-exec: a program started from here (a restart) must not inherit the lock.
    int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return nullptr;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<InstanceLock>(new InstanceLock(fd));
}

InstanceLock::~InstanceLock() { ::close(fd_); }

}  // namespace platform::services
