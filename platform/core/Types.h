#pragma once
// Basic value types of the platform layer: window handles, message results, thread ids.

#include <cstdint>

namespace platform {

// An opaque, pointer-sized name of a window. It packs a slot of the handle table and that
// slot's generation, so a handle of a destroyed window never names a later window. The value
// 0 (kNullWindow) names no window. Handles are plain values: copying, comparing and passing
// them across a C boundary is safe, and using a stale one is harmless.
enum class WindowHandle : std::uintptr_t {};

inline constexpr WindowHandle kNullWindow{};

// What a window procedure returns; a send returns it to the sender.
using MsgResult = std::intptr_t;

// A thread's id in this layer: small, never 0 and never reused within the process.
using ThreadId = std::uint64_t;

// A time-out that never expires.
inline constexpr std::uint32_t kInfinite = 0xFFFFFFFFu;

}  // namespace platform
