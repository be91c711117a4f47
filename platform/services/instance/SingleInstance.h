#pragma once
// One running instance of a program per user. The first start claims the instance and serves
// later starts; a later start finds the running instance, asks it to come to the front and
// may hand it a request, each step waited for with a bound.
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

namespace platform::services {

struct InstanceTimeouts {
    // How long a later start waits for each answer of the running instance, and how long the
    // running instance waits for the next request of a later start.
    std::chrono::milliseconds answer{30000};
};

// What the running instance does for a later start. Called on the service's own thread, one
// request at a time.
class InstanceRequests {
public:
    virtual ~InstanceRequests() = default;
    // The title of the instance's main window (UTF-8); empty while it has none.
    virtual std::string title() = 0;
    // Brings the main window to the front and shows it.
    virtual void raise() = 0;
    // Handles the update request a later start hands over; returns when it has been handled.
    virtual void handOver() = 0;
};

// A running instance found by a later start.
class RunningInstance {
public:
    virtual ~RunningInstance() = default;
    // The title of its main window as it answered when found.
    virtual const std::string& title() const = 0;
    // False when the instance did not confirm within the answer time.
    virtual bool raise() = 0;
    virtual bool handOver() = 0;
};

class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    // Makes this process the running instance unless another process is; true when this
    // process holds the claim (also on a repeated call). Never waits. The claim lasts as long
    // as this object.
    virtual bool claim() = 0;
    // The running instance of the same program of this user, or nothing when none answers
    // within `limit` (at most the answer time). The caller owns the result.
    virtual std::unique_ptr<RunningInstance> find(std::chrono::milliseconds limit) = 0;
    // The same, waiting the whole answer time.
    std::unique_ptr<RunningInstance> find() { return find(std::chrono::milliseconds::max()); }
    // Starts answering later starts through `requests` until this object is destroyed; false
    // without the claim or when the meeting place is taken. Destroy this object after the
    // windows that the requests send to, so a request in progress is released.
    virtual bool serve(InstanceRequests& requests) = 0;
};

// The instance service of the program at programPath: an exclusive flock on the lock file and
// a Unix socket file, both in runtimeFolder (see InstanceName.h), which must be a private
// folder of this user (PrivateFolder.h, checked here); a found instance must run as this user
// and run programPath. Nothing when the folder is not private. The caller owns the result.
std::unique_ptr<SingleInstance> makeSingleInstance(const std::filesystem::path& programPath,
                                                   const std::filesystem::path& runtimeFolder,
                                                   InstanceTimeouts timeouts = {});

// For a user without any private folder: every claim succeeds, nothing is ever found, serving
// does nothing. The caller owns the result.
std::unique_ptr<SingleInstance> makeUnguardedInstance();

}  // namespace platform::services
