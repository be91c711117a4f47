#pragma once
// How the connection search weighs a journey: one rank number over its duration o, transfers
// g, transfer penalty sum h, transfer shortfall l and walking minutes m (a minute of duration
// weighs 64, a walking minute 16, a minute of shortfall 128, a transfer 256, and the penalty
// counts once per minute of duration up to 128), and its class, the tolerance in minutes
// within which two journeys count as near.

#include <algorithm>
#include <cstdint>

namespace trasovnik {

inline constexpr std::int32_t kNoClass = 30000;  // a journey that rode no trip

inline std::int32_t rankOf(std::int32_t o, std::int32_t g, std::int32_t h, std::int32_t l,
                           std::int32_t m) {
    return 16 * (m + 4 * o + 8 * l + 16 * g) + h * std::min(o, 128) + 1;
}

inline std::int32_t classOf(std::int32_t duration) {
    return std::min(duration / 14, 12);
}

}  // namespace trasovnik
