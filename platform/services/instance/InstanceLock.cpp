#include "platform/services/instance/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::services {

std::unique_ptr<InstanceLock> InstanceLock::tryAcquire(const PrivateFolder& folder,
                                                       const std::string& name) {
    // Close-on-exec: a program started from here (a restart) must not inherit the lock.
    int fd = ::openat(folder.fd(), name.c_str(),
                      O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    if (fd < 0) return nullptr;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != ::getuid() ||
        ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<InstanceLock>(new InstanceLock(fd));
}

InstanceLock::~InstanceLock() { ::close(fd_); }

}  // namespace platform::services
