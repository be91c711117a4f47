#include "updater/UpdaterRules.h"

namespace obnovnik {

std::optional<std::int64_t> stampForEvent(const pelorvant::ActualizeValue& state, Trigger trigger,
                                          const LocalTime& now) {
    const std::int64_t nowSeconds = secondsSince2004(now);
    const std::int32_t today = dayNumberOf(now);
    const std::int64_t lastSeconds = state.stamp / 10;
    const bool stampStale = lastSeconds > nowSeconds;

    if (!stampStale && nowSeconds < lastSeconds + kDeadTimeSeconds) return std::nullopt;
    if (trigger != Trigger::SerialCable && state.stamp % 10 == kCableKind && !stampStale &&
        lastSeconds / 86400 == nowSeconds / 86400)
        return std::nullopt;
    if (state.day == today) return std::nullopt;
    return nowSeconds * 10 + triggerKind(trigger);
}

}  // namespace obnovnik
