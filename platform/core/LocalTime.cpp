#include "platform/core/LocalTime.h"

#include "platform/core/LocalClock.h"
#include "platform/core/TickSource.h"

#include <chrono>
#include <ctime>
#include <mutex>

namespace platform {
namespace detail {
namespace {

struct Anchor {
    std::mutex mutex;
    std::int64_t localMs = 0;
    std::uint64_t tick = 0;
};

Anchor& anchor() {
    static Anchor a;
    return a;
}

constexpr std::int64_t kMsPerDay = 86'400'000;

}  // namespace

std::int64_t systemLocalMs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    return (static_cast<std::int64_t>(now.tv_sec) + local.tm_gmtoff) * 1000 +
           now.tv_nsec / 1'000'000;
}

std::int64_t localMsOf(const SystemTime& t) {
    using namespace std::chrono;
    const sys_days days{year{t.year} / month{static_cast<unsigned>(t.month)} /
                        day{static_cast<unsigned>(t.day)}};
    return static_cast<std::int64_t>(days.time_since_epoch().count()) * kMsPerDay +
           ((t.hour * 60 + t.minute) * 60 + t.second) * std::int64_t{1000} + t.milliseconds;
}

SystemTime systemTimeOf(std::int64_t localMs) {
    using namespace std::chrono;
    const sys_days days{floor<std::chrono::days>(milliseconds{localMs})};
    const year_month_day ymd{days};
    std::int64_t rest =
        localMs - static_cast<std::int64_t>(days.time_since_epoch().count()) * kMsPerDay;
    SystemTime t;
    t.year = static_cast<int>(ymd.year());
    t.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    t.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    t.dayOfWeek = static_cast<int>(weekday{days}.c_encoding());
    t.milliseconds = static_cast<int>(rest % 1000);
    rest /= 1000;
    t.second = static_cast<int>(rest % 60);
    rest /= 60;
    t.minute = static_cast<int>(rest % 60);
    t.hour = static_cast<int>(rest / 60);
    return t;
}

void anchorVirtualLocalTime(std::int64_t localMs, std::uint64_t tick) {
    std::lock_guard lock(anchor().mutex);
    anchor().localMs = localMs;
    anchor().tick = tick;
}

}  // namespace detail

SystemTime getLocalTime() {
    if (!detail::virtualTime()) {
        return detail::systemTimeOf(detail::systemLocalMs());
    }
    detail::Anchor& a = detail::anchor();
    std::lock_guard lock(a.mutex);
    const std::uint64_t now = detail::tickNow();
    const std::int64_t since = now >= a.tick ? static_cast<std::int64_t>(now - a.tick) : 0;
    return detail::systemTimeOf(a.localMs + since);
}

}  // namespace platform
