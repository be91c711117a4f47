#include "app/program/life/OrderlyEndOnSignals.h"

#include "platform/core/MessageIds.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Window.h"

#include <atomic>
#include <cerrno>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace pelorvant {
namespace {

constexpr int kSignals[3] = {SIGTERM, SIGINT, SIGHUP};
constexpr std::uint32_t kEndBySignal = platform::WM_USER + 1;

// The write end of the pipe the handler wakes the watcher with; -1 while no object lives.
std::atomic<int> gWake = -1;

void onSignal(int) {
    const int saved = errno;
    const int fd = gWake.load();
    const char byte = 1;
    if (fd >= 0)
        (void)!::write(fd, &byte, 1);
    errno = saved;
}

}  // namespace

OrderlyEndOnSignals::OrderlyEndOnSignals() {
    if (::pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0 || ::pipe2(stop_, O_CLOEXEC) != 0)
        return;
    window_ = platform::createWindow([](platform::WindowHandle, std::uint32_t message,
                                        std::uintptr_t, std::intptr_t) -> platform::MsgResult {
        if (message == kEndBySignal)
            platform::postQuitMessage(0);
        return 0;
    });
    gWake.store(wake_[1]);
    watcher_ = std::thread([this] { watch(); });
    for (int i = 0; i < 3; ++i) {
        struct sigaction now {};
        if (::sigaction(kSignals[i], nullptr, &now) != 0 || now.sa_handler == SIG_IGN)
            continue;
        struct sigaction handler {};
        handler.sa_handler = onSignal;
        sigemptyset(&handler.sa_mask);
        handler.sa_flags = SA_RESTART;
        installed_[i] = ::sigaction(kSignals[i], &handler, &previous_[i]) == 0;
    }
}

OrderlyEndOnSignals::~OrderlyEndOnSignals() {
    for (int i = 0; i < 3; ++i) {
        if (installed_[i])
            ::sigaction(kSignals[i], &previous_[i], nullptr);
    }
    gWake.store(-1);
    if (watcher_.joinable()) {
        const char byte = 1;
        while (::write(stop_[1], &byte, 1) < 0 && errno == EINTR) {
        }
        watcher_.join();
    }
    platform::destroyWindow(window_);
    for (int fd : {wake_[0], wake_[1], stop_[0], stop_[1]}) {
        if (fd >= 0)
            ::close(fd);
    }
}

void OrderlyEndOnSignals::watch() {
    for (;;) {
        pollfd fds[2] = {{wake_[0], POLLIN, 0}, {stop_[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if ((fds[1].revents & POLLIN) != 0)
            return;
        char bytes[16];
        while (::read(wake_[0], bytes, sizeof bytes) > 0) {
        }
        platform::postMessage(window_, kEndBySignal);
    }
}

}  // namespace pelorvant
