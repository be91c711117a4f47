#include "platform/services/instance/LineSocket.h"

#include <cerrno>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform::services {
namespace {

constexpr std::size_t kMaxLine = 4096;

using Clock = std::chrono::steady_clock;

int remainingMs(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left <= 0 ? 0 : static_cast<int>(left);
}

// Waits until fd is ready for `events`; false on time-out, error or a readable stopFd.
bool waitFor(int fd, short events, Clock::time_point deadline, int stopFd) {
    for (;;) {
        pollfd fds[2] = {{fd, events, 0}, {stopFd, POLLIN, 0}};
        int count = ::poll(fds, stopFd >= 0 ? 2 : 1, remainingMs(deadline));
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return false;
        if (stopFd >= 0 && (fds[1].revents & POLLIN) != 0) return false;
        return (fds[0].revents & (events | POLLHUP | POLLERR)) != 0;
    }
}

}  // namespace

LineSocket::~LineSocket() {
    if (fd_ >= 0) ::close(fd_);
}

bool LineSocket::writeLine(std::string_view text, std::chrono::milliseconds limit) {
    if (fd_ < 0) return false;
    std::string line(text);
    line += '\n';
    const auto deadline = Clock::now() + limit;
    std::size_t sent = 0;
    while (sent < line.size()) {
        if (!waitFor(fd_, POLLOUT, deadline, -1)) return false;
        ssize_t n = ::send(fd_, line.data() + sent, line.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN) continue;
            return false;
        }
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

std::optional<std::string> LineSocket::readLine(std::chrono::milliseconds limit, int stopFd) {
    if (fd_ < 0) return std::nullopt;
    const auto deadline = Clock::now() + limit;
    for (;;) {
        std::size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            std::string line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            return line;
        }
        if (pending_.size() > kMaxLine) return std::nullopt;
        if (!waitFor(fd_, POLLIN, deadline, stopFd)) return std::nullopt;
        char buffer[512];
        ssize_t n = ::recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (n <= 0) return std::nullopt;
        pending_.append(buffer, static_cast<std::size_t>(n));
    }
}

}  // namespace platform::services
