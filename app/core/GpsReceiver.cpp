#include "app/core/GpsReceiver.h"

#include "app/core/PrivateMessages.h"

#include "platform/core/MessageLoop.h"
#include "platform/core/Timer.h"

#include <cmath>

namespace pelorvant {

using platform::services::GpsEvent;

cGpsReceiver::cGpsReceiver(std::unique_ptr<platform::services::GpsSource> source)
    : source_(std::move(source)) {}

cGpsReceiver::~cGpsReceiver() {
    close();
    joinThread();
}

cGpsReceiver::StartResult cGpsReceiver::start(platform::WindowHandle viewWindow,
                                              platform::WindowHandle progressWindow) {
    {
        std::lock_guard lock(lock_);
        headings_.clear();
        startTick_ = static_cast<std::int64_t>(platform::getTickCount());
        if (state_ > 0) {
            target_ = viewWindow;
            return StartResult::ShowViewNow;
        }
        target_ = progressWindow;
    }
    if (isOpen()) {
        return StartResult::WaitingForFix;
    }
    if (open() != kGpsOk) {
        // Without a device no message would ever come: the waiting view hears at once that
        // there is no signal instead of waiting until the user cancels.
        std::lock_guard lock(lock_);
        post(WM_GPS_STOPPED, 0, 0);
        return StartResult::OpenFailed;
    }
    return StartResult::WaitingForFix;
}

std::int32_t cGpsReceiver::open() {
    if (isOpen()) {
        return kGpsUnexpected;
    }
    // A poll thread that ended on its own is collected before a new one starts.
    joinThread();
    std::string error;
    if (!source_->open(error)) {
        return kGpsOpenFailed;
    }
    {
        std::lock_guard lock(lock_);
        deviceOpen_ = true;
    }
    thread_ = std::thread([this] { pollThreadProc(); });
    return kGpsOk;
}

std::int32_t cGpsReceiver::close() {
    const bool onPollThread = std::this_thread::get_id() == pollThreadId_.load();
    if (onPollThread) {
        std::lock_guard lock(lock_);
        if (!deviceOpen_)
            return kGpsUnexpected;
        closeDevice();
        return kGpsOk;
    }
    const bool wasOpen = isOpen();
    if (thread_.joinable()) {
        source_->interrupt();
        joinThread();
    }
    std::lock_guard lock(lock_);
    if (!wasOpen) {
        return kGpsUnexpected;
    }
    closeDevice();
    return kGpsOk;
}

void cGpsReceiver::closeDevice() {
    if (deviceOpen_) {
        source_->close();
        deviceOpen_ = false;
    }
    state_ = -1;
}

void cGpsReceiver::joinThread() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

int cGpsReceiver::getHeading() const {
    std::lock_guard lock(lock_);
    if (headings_.empty())
        return kGpsNoHeading;
    return static_cast<int>(headings_.front());
}

void cGpsReceiver::restartTimeout() {
    std::lock_guard lock(lock_);
    startTick_ = static_cast<std::int64_t>(platform::getTickCount());
}

void cGpsReceiver::detachWindow() {
    setTarget(platform::kNullWindow);
}

void cGpsReceiver::setTarget(platform::WindowHandle target) {
    std::lock_guard lock(lock_);
    target_ = target;
}

int cGpsReceiver::state() const {
    std::lock_guard lock(lock_);
    return state_;
}

bool cGpsReceiver::isOpen() const {
    std::lock_guard lock(lock_);
    return deviceOpen_;
}

std::optional<GpsPosition> cGpsReceiver::position() const {
    std::lock_guard lock(lock_);
    return position_;
}

std::deque<double> cGpsReceiver::headings() const {
    std::lock_guard lock(lock_);
    return headings_;
}

std::unique_ptr<GpsPosition> cGpsReceiver::takePosition(std::uintptr_t wParam) {
    return std::unique_ptr<GpsPosition>(reinterpret_cast<GpsPosition*>(wParam));
}

void cGpsReceiver::pollThreadProc() {
    pollThreadId_.store(std::this_thread::get_id());
    bool running = true;
    while (running) {
        switch (source_->waitEvent(kGpsWaitMs)) {
            case GpsEvent::Position:
                if (auto position = source_->readPosition(kGpsMaxPositionAgeMs)) {
                    running = onPosition(*position);
                }
                break;
            case GpsEvent::DeviceState:
                onDeviceState();
                break;
            case GpsEvent::Stopped:
                running = false;
                break;
            case GpsEvent::Timeout:
            case GpsEvent::Failure: {
                std::lock_guard lock(lock_);
                post(WM_GPS_STOPPED, 0, 0);
                closeDevice();
                running = false;
                break;
            }
        }
    }
    std::lock_guard lock(lock_);
    closeDevice();
}

// Called on the poll thread.
bool cGpsReceiver::onPosition(const GpsPosition& position) {
    std::lock_guard lock(lock_);
    const int previous = state_;
    state_ = 1;
    position_ = position;
    const auto now = static_cast<std::int64_t>(platform::getTickCount());
    lastFixTick_ = now;
    if (now - startTick_ > static_cast<std::int64_t>(kGpsSwitchOffMs)) {
        closeDevice();
        return false;
    }
    if (target_ == platform::kNullWindow) {
        return true;
    }
    if (position.validFix()) {
        headings_.push_front(position.heading);
        if (headings_.size() > kGpsHeadingHistory)
            headings_.pop_back();
        // The message carries its own copy: the stored position changes with the next fix.
        auto copy = std::make_unique<GpsPosition>(position);
        if (platform::postMessage(target_, WM_GPS_POSITION,
                                  reinterpret_cast<std::uintptr_t>(copy.get()), previous)) {
            copy.release();
        }
    } else {
        post(WM_GPS_NOFIX, 0, previous);
    }
    return true;
}

void cGpsReceiver::onDeviceState() {
    std::lock_guard lock(lock_);
    post(WM_GPS_DEVICESTATE, 0, 0);
    state_ = 0;
}

// Called with the lock held.
void cGpsReceiver::post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (target_ != platform::kNullWindow) {
        platform::postMessage(target_, message, wParam, lParam);
    }
}

}  // namespace pelorvant
