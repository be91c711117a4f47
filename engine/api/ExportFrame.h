#pragma once
// The frame every exported function runs in. The body runs inside one guarded region; an
// engine failure or any other exception ends it, releases the reserve block (once: the pointer
// is cleared) and becomes ENGINE_OUT_OF_MEMORY for the out-of-memory code or std::bad_alloc,
// ENGINE_ERROR for everything else. Normal completion is ENGINE_OK. No exception ever leaves
// an export.

#include <cstdint>
#include <utility>

#include "engine/api/trasovnik.h"

namespace trasovnik {

class cJizdniRadyGlobal;

namespace api {

// The 4096-byte block held from the first successful engine creation until the first failure
// of any export. Nothing writes into it; its release gives a failing caller some room.
inline constexpr std::size_t kReserveBytes = 4096;
// Allocates the block when none is held (ENGINE_EXC_OUT_OF_MEMORY when it cannot be had).
void holdReserve();
bool reserveHeld() noexcept;

// The status of the exception being handled, with the reserve block released. Call only
// inside a catch block.
std::int32_t failedExport() noexcept;

template <class Body>
std::int32_t guarded(Body&& body) noexcept {
    try {
        std::forward<Body>(body)();
        return ENGINE_OK;
    } catch (...) {
        return failedExport();
    }
}

// The engine made by api_vytvorJizdniRadyGlobal; ENGINE_EXC_BAD_ARGUMENT before it exists.
cJizdniRadyGlobal& engine();

}  // namespace api
}  // namespace trasovnik
