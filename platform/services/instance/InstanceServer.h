#pragma once
// The running instance's side: listens on the abstract socket on its own thread and answers
// the requests of later starts of the same user through InstanceRequests.
#include "platform/services/instance/SingleInstance.h"

#include <memory>
#include <string>
#include <thread>

namespace platform::services {

class InstanceServer {
public:
    // Listening, or nothing when the socket name is taken or cannot be bound. The caller owns
    // the server; destroying it stops the thread (after the request in progress, if any).
    static std::unique_ptr<InstanceServer> start(const std::string& socketName, InstanceRequests& requests,
                                                 InstanceTimeouts timeouts);
    ~InstanceServer();
    InstanceServer(const InstanceServer&) = delete;
    InstanceServer& operator=(const InstanceServer&) = delete;

private:
    InstanceServer(int listenFd, int stopRead, int stopWrite, InstanceRequests& requests, InstanceTimeouts timeouts);
    void run();
    void serveClient(int clientFd);

    int listenFd_;
    int stopRead_;
    int stopWrite_;
    InstanceRequests& requests_;
    InstanceTimeouts timeouts_;
    std::thread thread_;
};

// A stream socket bound to or connected to an abstract name, close-on-exec and non-blocking;
// -1 on failure.
int listenOnAbstractName(const std::string& name);
int connectToAbstractName(const std::string& name);

}  // namespace platform::services
