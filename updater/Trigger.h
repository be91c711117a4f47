#pragma once
// The device event that started the updater, from its command line.
#include <cstdint>
#include <optional>
#include <string_view>

namespace obnovnik {

enum class Trigger {
    SerialCable,  // "AppRunAtRs232Detect"
    SyncEnded,    // "AppRunAfterSync"
    UsbNetwork,   // "AppRunAfterRndisFnDetected"
};

// The trigger whose word is the whole command line (compared exactly); nothing otherwise.
std::optional<Trigger> triggerOfCommandLine(std::string_view commandLine);

// The kind kept in the last digit of the stamp: 1 for the serial cable, 2 for the others.
inline constexpr std::int64_t kCableKind = 1;
inline constexpr std::int64_t kOtherKind = 2;
std::int64_t triggerKind(Trigger trigger);

}  // namespace obnovnik
