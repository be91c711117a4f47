#pragma once
// The shared updater record "Actualize" that the program and the updater both read and write:
// "<program path>|<flags>|<stamp>|<day>". Flags bit 0: run on device events and hand an update
// request to a running program; bit 1: also start the program when it is not running. Stamp:
// seconds since 1 January 2004 00:00 local time × 10 + the trigger kind (1 serial cable, 2 end
// of synchronisation or USB network). Day: the day number of the last successful update check.
#include <cstdint>
#include <string>
#include <string_view>

namespace pelorvant {

inline constexpr std::string_view kProgramRegistryKey = "SOFTWARE\\Pelorvant";
inline constexpr std::string_view kActualizeValueName = "Actualize";
// Readers take at most this many bytes of the value.
inline constexpr std::size_t kActualizeMaxBytes = 520;

struct ActualizeValue {
    std::string programPath;
    bool enabled = false;         // flags bit 0
    bool startsProgram = false;   // flags bit 1
    std::int64_t stamp = 0;
    std::int32_t day = 0;
};

// The record only when the text splits at "|" into exactly four parts; otherwise every field
// keeps its default (empty path, zeros). Numbers are read as decimal like the C library does
// (leading white space, sign, digits; anything else ends the number).
ActualizeValue parseActualize(std::string_view text);

// "<path>|<flags>|<stamp>|<day>" with flags = enabled + 2 × startsProgram.
std::string formatActualize(const ActualizeValue& value);

}  // namespace pelorvant
