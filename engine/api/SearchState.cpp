#include "engine/api/SearchState.h"

#include <atomic>

namespace trasovnik::api {

namespace {
std::atomic<std::int32_t> gCurrentSet{-1};
}

std::int32_t currentSet() {
    return gCurrentSet.load(std::memory_order_acquire);
}

void setCurrentSet(std::int32_t setIndex) {
    gCurrentSet.store(setIndex, std::memory_order_release);
}

}  // namespace trasovnik::api
