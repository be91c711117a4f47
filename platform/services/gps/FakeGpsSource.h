#pragma once
// The test double of the position source: tests queue positions, device-state changes and
// failures; waitEvent hands them out in order and times out on the tick clock (a virtual
// clock moves it), so time-outs are tested without waiting.

#include "platform/services/gps/GpsSource.h"

#include <condition_variable>
#include <deque>
#include <mutex>

namespace platform::services {

class FakeGpsSource final : public GpsSource {
public:
    // Queue events for the poll thread (any thread).
    void pushPosition(const GpsPosition& position);
    void pushDeviceState();
    void pushFailure();
    // The next open fails with this reason.
    void failOpen(std::string reason);
    // Detached, every open fails as where no receiver is plugged in; attached (the start)
    // opens succeed again.
    void setAttached(bool attached);

    bool isOpen() const;
    int openCount() const;
    // True once the poll thread waits in waitEvent with nothing queued.
    bool waiting() const;
    // How many queued events waitEvent has handed out so far.
    int handedOut() const;

    bool open(std::string& error) override;
    GpsEvent waitEvent(std::uint32_t timeoutMs) override;
    std::optional<GpsPosition> readPosition(std::uint32_t maxAgeMs) override;
    void interrupt() override;
    void close() override;

private:
    struct Item {
        GpsEvent event;
        GpsPosition position;
    };
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Item> queue_;
    std::optional<GpsPosition> last_;
    std::string openFailure_;
    bool open_ = false;
    bool interrupted_ = false;
    bool waiting_ = false;
    bool attached_ = true;
    int openCount_ = 0;
    int handedOut_ = 0;
};

}  // namespace platform::services
