#pragma once
// The running instance's side: listens on the instance's socket file on its own thread and
// answers the requests of later starts of the same user through InstanceRequests.
#include "platform/services/instance/PrivateFolder.h"
#include "platform/services/instance/SingleInstance.h"

#include <memory>
#include <string>
#include <thread>

namespace platform::services {

class InstanceServer {
public:
    // Listening on the socket file `name` in `folder` (a file left there by an instance that
    // ended is replaced; only the holder of the instance's lock may start one), or nothing when
    // it cannot be bound. The caller owns the server and keeps the folder open while it runs;
    // destroying it stops the thread (after the request in progress, if any) and removes the
    // socket file.
    static std::unique_ptr<InstanceServer> start(const PrivateFolder& folder,
                                                 const std::string& name,
                                                 InstanceRequests& requests,
                                                 InstanceTimeouts timeouts);
    ~InstanceServer();
    InstanceServer(const InstanceServer&) = delete;
    InstanceServer& operator=(const InstanceServer&) = delete;

private:
    InstanceServer(int listenFd, std::string socketPath, int stopRead, int stopWrite,
                   InstanceRequests& requests, InstanceTimeouts timeouts);
    void run();
    void serveClient(int clientFd);

    int listenFd_;
    std::string socketPath_;
    int stopRead_;
    int stopWrite_;
    InstanceRequests& requests_;
    InstanceTimeouts timeouts_;
    std::thread thread_;
};

// A stream socket listening on the socket file `name` in `folder` (replacing what is there),
// close-on-exec and non-blocking; -1 on failure.
int listenOnSocketFile(const PrivateFolder& folder, const std::string& name);
// A stream socket connected to the socket file `name` in `folder`, close-on-exec and
// non-blocking; -1 when that is no socket of this user or nobody listens on it.
int connectToSocketFile(const PrivateFolder& folder, const std::string& name);

}  // namespace platform::services
