#include "platform/services/instance/InstanceServer.h"

#include "platform/services/instance/InstanceProtocol.h"
#include "platform/services/instance/LineSocket.h"
#include "platform/services/instance/PeerCheck.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform::services {
namespace {

namespace protocol = instance_protocol;

bool fileAddress(const std::string& path, sockaddr_un& address, socklen_t& size) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() + 1 > sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.data(), path.size());
    size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size() + 1);
    return true;
}

// A title travels on one line.
std::string oneLine(std::string text) {
    for (char& c : text) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    return text;
}

}  // namespace

int listenOnSocketFile(const PrivateFolder& folder, const std::string& name) {
    sockaddr_un address;
    socklen_t size = 0;
    if (!fileAddress(folder.socketPath(name), address, size))
        return -1;
    // What is left there is the socket of an instance that has ended.
    if (::unlinkat(folder.fd(), name.c_str(), 0) != 0 && errno != ENOENT)
        return -1;
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return -1;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 || ::listen(fd, 8) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

int connectToSocketFile(const PrivateFolder& folder, const std::string& name) {
    struct stat status {};
    if (::fstatat(folder.fd(), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISSOCK(status.st_mode) || status.st_uid != ::getuid()) {
        return -1;
    }
    sockaddr_un address;
    socklen_t size = 0;
    if (!fileAddress(folder.socketPath(name), address, size))
        return -1;
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return -1;
    // A local connect completes at once or fails (nobody listens, or the queue is full).
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), size) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::unique_ptr<InstanceServer> InstanceServer::start(const PrivateFolder& folder,
                                                      const std::string& name,
                                                      InstanceRequests& requests,
                                                      InstanceTimeouts timeouts) {
    int listenFd = listenOnSocketFile(folder, name);
    if (listenFd < 0) return nullptr;
    int stop[2];
    if (::pipe2(stop, O_CLOEXEC) != 0) {
        ::close(listenFd);
        return nullptr;
    }
    return std::unique_ptr<InstanceServer>(new InstanceServer(
        listenFd, folder.socketPath(name), stop[0], stop[1], requests, timeouts));
}

InstanceServer::InstanceServer(int listenFd, std::string socketPath, int stopRead, int stopWrite,
                               InstanceRequests& requests, InstanceTimeouts timeouts)
    : listenFd_(listenFd),
      socketPath_(std::move(socketPath)),
      stopRead_(stopRead),
      stopWrite_(stopWrite),
      requests_(requests),
      timeouts_(timeouts) {
    thread_ = std::thread([this] { run(); });
}

InstanceServer::~InstanceServer() {
    char byte = 0;
    while (::write(stopWrite_, &byte, 1) < 0 && errno == EINTR) {
    }
    thread_.join();
    ::unlink(socketPath_.c_str());
    ::close(listenFd_);
    ::close(stopRead_);
    ::close(stopWrite_);
}

void InstanceServer::run() {
    for (;;) {
        pollfd fds[2] = {{listenFd_, POLLIN, 0}, {stopRead_, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if ((fds[1].revents & POLLIN) != 0) return;
        int clientFd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (clientFd < 0) continue;
        serveClient(clientFd);
    }
}

void InstanceServer::serveClient(int clientFd) {
    LineSocket client(clientFd);
    // Only this user's processes may raise the window or hand over a request.
    if (!peerIsSameUser(clientFd)) return;
    for (;;) {
        // A client that says nothing is dropped after the answer time; stopping ends the wait.
        std::optional<std::string> request = client.readLine(timeouts_.answer, stopRead_);
        if (!request) return;
        std::string answer;
        if (*request == protocol::kTitle) {
            answer = std::string(protocol::kTitle) + " " + oneLine(requests_.title());
        } else if (*request == protocol::kRaise) {
            requests_.raise();
            answer = protocol::kDone;
        } else if (*request == protocol::kHandOver) {
            requests_.handOver();
            answer = protocol::kDone;
        } else {
            answer = protocol::kUnknown;
        }
        if (!client.writeLine(answer, timeouts_.answer)) return;
    }
}

}  // namespace platform::services
