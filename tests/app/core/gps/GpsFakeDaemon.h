#pragma once
// gpsd fed by gpsfake from a short NMEA log, on a free loopback port, for the integration
// tests. The daemon runs in its own process group, ended by that group's id.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

namespace pelorvant::testing {

class GpsFakeDaemon {
public:
    explicit GpsFakeDaemon(const std::string& log) {
        port_ = freePort();
        if (port_ == 0)
            return;
        const std::string port = std::to_string(port_);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::setpgid(0, 0);
            ::execlp("gpsfake", "gpsfake", "-q", "-c", "0.2", "-P", port.c_str(), log.c_str(),
                     static_cast<char*>(nullptr));
            ::_exit(127);
        }
        if (pid_ > 0)
            ::setpgid(pid_, pid_);
    }
    ~GpsFakeDaemon() {
        if (pid_ > 0) {
            ::kill(-pid_, SIGTERM);
            int status = 0;
            ::waitpid(pid_, &status, 0);
        }
    }
    GpsFakeDaemon(const GpsFakeDaemon&) = delete;
    GpsFakeDaemon& operator=(const GpsFakeDaemon&) = delete;

    // Waits up to timeout for the daemon to accept connections on its port.
    bool waitUntilListening(std::chrono::milliseconds timeout) const {
        if (pid_ <= 0)
            return false;
        const auto end = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < end) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_)
                return false;
            if (canConnect())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }
    std::string port() const { return std::to_string(port_); }

private:
    static sockaddr_in loopback(int port) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return address;
    }
    static int freePort() {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address = loopback(0);
        socklen_t length = sizeof address;
        int port = 0;
        if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
            port = ntohs(address.sin_port);
        }
        ::close(fd);
        return port;
    }
    bool canConnect() const {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address = loopback(port_);
        const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        ::close(fd);
        return ok;
    }

    int port_ = 0;
    pid_t pid_ = -1;
};

}  // namespace pelorvant::testing
