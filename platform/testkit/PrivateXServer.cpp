#include "platform/testkit/PrivateXServer.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace platform::testkit {

PrivateXServer::PrivateXServer() {
    if (std::system("command -v Xvfb >/dev/null 2>&1") != 0) {
        return;
    }
    for (int n = 140 + static_cast<int>(getpid() % 50); n < 240 && pid_ <= 0; n += 7) {
        const std::string socket = "/tmp/.X11-unix/X" + std::to_string(n);
        if (std::filesystem::exists(socket) ||
            std::filesystem::exists("/tmp/.X" + std::to_string(n) + "-lock")) {
            continue;
        }
        const std::string display = ":" + std::to_string(n);
        pid_ = fork();
        if (pid_ == 0) {
            std::freopen("/dev/null", "w", stderr);
            execlp("Xvfb", "Xvfb", display.c_str(), "-screen", "0", "800x800x24", "-nolisten",
                   "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int i = 0; i < 100 && !std::filesystem::exists(socket); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
        }
        if (std::filesystem::exists(socket)) {
            display_ = display;
        } else {
            stop();
        }
    }
}

PrivateXServer::~PrivateXServer() {
    stop();
}

void PrivateXServer::stop() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    pid_ = -1;
}

}  // namespace platform::testkit
