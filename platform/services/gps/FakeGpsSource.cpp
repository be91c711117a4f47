#include "platform/services/gps/FakeGpsSource.h"

#include "platform/core/Timer.h"

#include <chrono>
#include <utility>

namespace platform::services {

void FakeGpsSource::pushPosition(const GpsPosition& position) {
    std::lock_guard lock(mutex_);
    queue_.push_back({GpsEvent::Position, position});
    changed_.notify_all();
}

void FakeGpsSource::pushDeviceState() {
    std::lock_guard lock(mutex_);
    queue_.push_back({GpsEvent::DeviceState, {}});
    changed_.notify_all();
}

void FakeGpsSource::pushFailure() {
    std::lock_guard lock(mutex_);
    queue_.push_back({GpsEvent::Failure, {}});
    changed_.notify_all();
}

void FakeGpsSource::failOpen(std::string reason) {
    std::lock_guard lock(mutex_);
    openFailure_ = std::move(reason);
}

void FakeGpsSource::setAttached(bool attached) {
    std::lock_guard lock(mutex_);
    attached_ = attached;
}

bool FakeGpsSource::isOpen() const {
    std::lock_guard lock(mutex_);
    return open_;
}

int FakeGpsSource::openCount() const {
    std::lock_guard lock(mutex_);
    return openCount_;
}

bool FakeGpsSource::waiting() const {
    std::lock_guard lock(mutex_);
    return waiting_ && queue_.empty();
}

int FakeGpsSource::handedOut() const {
    std::lock_guard lock(mutex_);
    return handedOut_;
}

bool FakeGpsSource::open(std::string& error) {
    std::lock_guard lock(mutex_);
    if (!openFailure_.empty()) {
        error = std::exchange(openFailure_, {});
        return false;
    }
    if (!attached_) {
        error = "no receiver attached";
        return false;
    }
    open_ = true;
    interrupted_ = false;
    ++openCount_;
    return true;
}

GpsEvent FakeGpsSource::waitEvent(std::uint32_t timeoutMs) {
    const std::uint64_t deadline = getTickCount() + timeoutMs;
    std::unique_lock lock(mutex_);
    waiting_ = true;
    for (;;) {
        if (interrupted_) {
            interrupted_ = false;
            waiting_ = false;
            return GpsEvent::Stopped;
        }
        if (!queue_.empty()) {
            Item item = queue_.front();
            queue_.pop_front();
            waiting_ = false;
            ++handedOut_;
            if (item.event == GpsEvent::Position) {
                item.position.receivedTick = getTickCount();
                last_ = item.position;
            }
            return item.event;
        }
        if (getTickCount() >= deadline) {
            waiting_ = false;
            return GpsEvent::Timeout;
        }
        // The tick clock may be virtual and moved by another thread: look again shortly.
        changed_.wait_for(lock, std::chrono::milliseconds(1));
    }
}

std::optional<GpsPosition> FakeGpsSource::readPosition(std::uint32_t maxAgeMs) {
    std::lock_guard lock(mutex_);
    if (!last_ || getTickCount() - last_->receivedTick > maxAgeMs) {
        return std::nullopt;
    }
    return last_;
}

void FakeGpsSource::interrupt() {
    std::lock_guard lock(mutex_);
    interrupted_ = true;
    changed_.notify_all();
}

void FakeGpsSource::close() {
    std::lock_guard lock(mutex_);
    open_ = false;
}

}  // namespace platform::services
