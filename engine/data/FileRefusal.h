#pragma once
// What a set load, or the check of a file before it is installed, reports when the engine
// cannot read a timetable file whole: the file's fault, told to the caller as a load status
// instead of a failure of the export, so that a damaged file never takes the program down.

#include <cstdint>

#include "engine/data/EngineException.h"

namespace trasovnik {

// Load statuses of a refused file (besides -2 cancelled and -7 another source).
inline constexpr std::int32_t kLoadOutOfMemory = -3;  // the file needs more memory than there is
inline constexpr std::int32_t kLoadDamaged = -4;      // unreadable, cut short, not decompressible
inline constexpr std::int32_t kLoadTooNew = -5;       // a newer format version
inline constexpr std::int32_t kLoadTooOld = -6;       // an old, incompatible format version

// The load status for an engine code raised while one file was read.
std::int32_t refusalStatus(EngineCode code) noexcept;

}  // namespace trasovnik
