#pragma once
// The mark of the running instance: an exclusive flock on the instance's lock file. The kernel
// drops the lock when its holder ends in any way, so a crashed instance never blocks a start;
// the file itself may stay and means nothing.
#include "platform/services/instance/PrivateFolder.h"

#include <memory>
#include <string>

namespace platform::services {

class InstanceLock {
public:
    // The lock on the file `name` in `folder`, or nothing when another open file description
    // holds it or the file cannot be made (or is no plain file of this user). Never waits. The
    // caller owns the returned lock; it is released when destroyed.
    static std::unique_ptr<InstanceLock> tryAcquire(const PrivateFolder& folder,
                                                    const std::string& name);

    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

private:
    explicit InstanceLock(int fd) : fd_(fd) {}
    int fd_;
};

}  // namespace platform::services
