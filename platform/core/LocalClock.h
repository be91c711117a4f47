#pragma once
// Internal: local time as milliseconds counted from 1970-01-01 00:00 local time, and the
// anchor that ties it to virtual time.

#include "platform/core/LocalTime.h"

#include <cstdint>

namespace platform::detail {

std::int64_t systemLocalMs();
std::int64_t localMsOf(const SystemTime& time);
SystemTime systemTimeOf(std::int64_t localMs);

// From now on local time is `localMs` at virtual tick `tick` and moves with the virtual clock.
void anchorVirtualLocalTime(std::int64_t localMs, std::uint64_t tick);

}  // namespace platform::detail
