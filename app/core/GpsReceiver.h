#pragma once
// The program's one GPS receiver: a poll thread reads positions from the position source and
// posts them to the window that waits for them (WM_GPS_POSITION, WM_GPS_NOFIX,
// WM_GPS_DEVICESTATE, WM_GPS_STOPPED). The device goes off by itself ten minutes after the
// last start request, and when nothing arrives for ten seconds.
//
// Start, stop and detach run on the user-interface thread; the poll thread only writes the
// state under the lock and posts. Stopping wakes the poll thread and joins it; the poll thread
// may also close the receiver itself.

#include "platform/core/Types.h"
#include "platform/services/gps/GpsSource.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace pelorvant {

using platform::services::GpsPosition;

inline constexpr std::int32_t kGpsOk = 0;
inline constexpr std::int32_t kGpsUnexpected = static_cast<std::int32_t>(0x8000FFFF);
inline constexpr std::int32_t kGpsOpenFailed = static_cast<std::int32_t>(0x80004005);
inline constexpr int kGpsNoHeading = -999999;
inline constexpr std::uint32_t kGpsWaitMs = 10000;
inline constexpr std::uint32_t kGpsMaxPositionAgeMs = 3000;
inline constexpr std::uint64_t kGpsSwitchOffMs = 600000;
inline constexpr std::size_t kGpsHeadingHistory = 10;

class cGpsReceiver {
public:
    // The receiver owns the source. Closed, no target, state -1, no headings.
    explicit cGpsReceiver(std::unique_ptr<platform::services::GpsSource> source);
    // Stops a running poll thread.
    ~cGpsReceiver();
    cGpsReceiver(const cGpsReceiver&) = delete;
    cGpsReceiver& operator=(const cGpsReceiver&) = delete;

    enum class StartResult {
        ShowViewNow,    // a fix is known (position()): the caller shows its view at once
        WaitingForFix,  // the device is open; messages go to the progress window
        OpenFailed,  // nothing to wait for: WM_GPS_STOPPED has been posted to the progress window
    };
    // A view asks for positions: empties the heading history and restarts the ten minutes.
    // With a known fix the view's window becomes the target; otherwise the progress window
    // does and the device is opened.
    StartResult start(platform::WindowHandle viewWindow, platform::WindowHandle progressWindow);

    // kGpsOk, kGpsUnexpected when already open, kGpsOpenFailed when the source cannot be reached.
    std::int32_t open();
    // Wakes and joins the poll thread (not when called on it), closes the device, state -1.
    // kGpsUnexpected when not open.
    std::int32_t close();
    std::int32_t stop() { return close(); }

    // The newest heading in whole degrees, kGpsNoHeading when none is recorded.
    int getHeading() const;
    void restartTimeout();
    void detachWindow();
    void setTarget(platform::WindowHandle target);

    // -1 closed, 0 device state changed since the last position, 1 a position received.
    int state() const;
    bool isOpen() const;
    // A copy of the last position received, if any.
    std::optional<GpsPosition> position() const;
    // The headings recorded, newest first.
    std::deque<double> headings() const;

    // Takes ownership of the position carried by a WM_GPS_POSITION's wParam (a copy made for
    // that message alone; the receiving window frees it through the returned pointer).
    static std::unique_ptr<GpsPosition> takePosition(std::uintptr_t wParam);

private:
    void pollThreadProc();
    // Both return false when the poll thread is to end.
    bool onPosition(const GpsPosition& position);
    void onDeviceState();
    void post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
    void closeDevice();
    void joinThread();

    std::unique_ptr<platform::services::GpsSource> source_;
    mutable std::mutex lock_;
    std::thread thread_;
    std::atomic<std::thread::id> pollThreadId_;
    bool deviceOpen_ = false;
    std::int64_t lastFixTick_ = -1;
    std::int64_t startTick_ = -1;
    std::optional<GpsPosition> position_;
    platform::WindowHandle target_ = platform::kNullWindow;
    int state_ = -1;
    std::deque<double> headings_;
};

}  // namespace pelorvant
