#pragma once
// Whether a device event leads to an update check: never twice within 30 seconds, not again
// for the connection a serial cable has started, at most once a day.
#include "app/core/ActualizeValue.h"
#include "updater/LocalTime.h"
#include "updater/Trigger.h"

#include <cstdint>
#include <optional>

namespace obnovnik {

// Seconds after a recorded trigger in which every further event is ignored.
inline constexpr std::int64_t kDeadTimeSeconds = 30;

// The new stamp to record when the event leads to a check; nothing when it is to be ignored.
//
// A stamp or a day that lies in the future (the clock was set back since it was written) is
// stale and blocks nothing; otherwise it would block every check until the clock caught up.
// A cable trigger silences the synchronisation and network events of the same day only (the
// connection it started); a later day's network event is not swallowed by an old cable.
std::optional<std::int64_t> stampForEvent(const pelorvant::ActualizeValue& state, Trigger trigger,
                                          const LocalTime& now);

}  // namespace obnovnik
