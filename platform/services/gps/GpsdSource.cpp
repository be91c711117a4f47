// The position source on gpsd: a libgps client in JSON watch mode. The poll thread waits in
// poll() on the gpsd socket and on a wake-up pipe, so interrupt ends a wait at once without
// closing anything the thread still uses.

#include "platform/services/gps/GpsSource.h"

#include "platform/core/Timer.h"

#include <gps.h>
#include <poll.h>
#include <unistd.h>

#include <fcntl.h>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <mutex>

namespace platform::services {
namespace {

class GpsdSource final : public GpsSource {
public:
    explicit GpsdSource(GpsdAddress address) : address_(std::move(address)) {
        if (::pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) {
            wake_[0] = wake_[1] = -1;
        }
    }
    ~GpsdSource() override {
        close();
        for (int fd : wake_) {
            if (fd >= 0)
                ::close(fd);
        }
    }

    bool open(std::string& error) override {
        if (open_) {
            error = "already open";
            return false;
        }
        std::memset(&data_, 0, sizeof data_);
        if (gps_open(address_.host.c_str(), address_.port.c_str(), &data_) != 0) {
            error = "gpsd at " + address_.host + ":" + address_.port + ": " + gps_errstr(errno);
            return false;
        }
        if (gps_stream(&data_, WATCH_ENABLE | WATCH_JSON, nullptr) != 0) {
            error = "gpsd refused the watch";
            gps_close(&data_);
            return false;
        }
        open_ = true;
        return true;
    }

    GpsEvent waitEvent(std::uint32_t timeoutMs) override {
        if (!open_)
            return GpsEvent::Failure;
        const std::uint64_t deadline = getTickCount() + timeoutMs;
        for (;;) {
            if (takeWake())
                return GpsEvent::Stopped;
            const std::uint64_t now = getTickCount();
            if (now >= deadline)
                return GpsEvent::Timeout;
            // What libgps has buffered already is read without waiting on the socket.
            if (!gps_waiting(&data_, 0)) {
                pollfd fds[2] = {{data_.gps_fd, POLLIN, 0}, {wake_[0], POLLIN, 0}};
                const int ready = ::poll(fds, 2, static_cast<int>(deadline - now));
                if (ready < 0 && errno != EINTR)
                    return GpsEvent::Failure;
                if (ready <= 0 || (fds[0].revents & POLLIN) == 0) {
                    if ((fds[0].revents & (POLLERR | POLLHUP)) != 0)
                        return GpsEvent::Failure;
                    continue;
                }
            }
            data_.set = 0;
            if (gps_read(&data_, nullptr, 0) < 0)
                return GpsEvent::Failure;
            if ((data_.set & DEVICE_SET) != 0)
                return GpsEvent::DeviceState;
            if ((data_.set & (LATLON_SET | MODE_SET)) != 0) {
                storePosition();
                return GpsEvent::Position;
            }
        }
    }

    std::optional<GpsPosition> readPosition(std::uint32_t maxAgeMs) override {
        std::lock_guard lock(mutex_);
        if (!last_ || getTickCount() - last_->receivedTick > maxAgeMs)
            return std::nullopt;
        return last_;
    }

    void interrupt() override {
        if (wake_[1] >= 0) {
            const char byte = 1;
            [[maybe_unused]] const auto written = ::write(wake_[1], &byte, 1);
        }
    }

    void close() override {
        if (!open_)
            return;
        gps_stream(&data_, WATCH_DISABLE, nullptr);
        gps_close(&data_);
        open_ = false;
        takeWake();
    }

private:
    // True when a wake-up byte was waiting (all are drained).
    bool takeWake() {
        bool woken = false;
        char buffer[16];
        while (wake_[0] >= 0 && ::read(wake_[0], buffer, sizeof buffer) > 0)
            woken = true;
        return woken;
    }

    void storePosition() {
        GpsPosition p;
        const int mode = data_.fix.mode;
        const bool fix = mode >= MODE_2D && std::isfinite(data_.fix.latitude) &&
                         std::isfinite(data_.fix.longitude);
        p.fixType = fix ? mode : 0;
        p.fixQuality = fix ? 1 : 0;
        p.latitude = fix ? data_.fix.latitude : 0.0;
        p.longitude = fix ? data_.fix.longitude : 0.0;
        // A report without a course (a receiver standing still, a sentence that carries none)
        // says nothing of the direction: it is no heading of 0, which is north.
        p.heading = fix && std::isfinite(data_.fix.track) ? data_.fix.track : kNoHeading;
        p.receivedTick = getTickCount();
        std::lock_guard lock(mutex_);
        last_ = p;
    }

    GpsdAddress address_;
    gps_data_t data_{};
    bool open_ = false;
    int wake_[2] = {-1, -1};
    std::mutex mutex_;
    std::optional<GpsPosition> last_;
};

}  // namespace

std::unique_ptr<GpsSource> makeGpsdSource(const GpsdAddress& address) {
    return std::make_unique<GpsdSource>(address);
}

}  // namespace platform::services
