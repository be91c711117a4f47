#include "platform/core/HandleTable.h"

namespace platform::detail {
namespace {

// A handle holds the slot index in its low half and the slot's generation (never 0) in its
// high half, so no live handle is 0.
constexpr unsigned kIndexBits = sizeof(std::uintptr_t) * 4;
constexpr std::uintptr_t kIndexMask = (std::uintptr_t{1} << kIndexBits) - 1;
constexpr std::uintptr_t kLastGeneration = kIndexMask;

WindowHandle makeHandle(std::uintptr_t index, std::uintptr_t generation) {
    return static_cast<WindowHandle>((generation << kIndexBits) | index);
}

}  // namespace

HandleTable& HandleTable::instance() {
    // Never destroyed: threads that end during process exit still free their windows here.
    static HandleTable* table = new HandleTable;
    return *table;
}

WindowHandle HandleTable::add(std::shared_ptr<WindowRecord> record) {
    std::lock_guard lock(mutex_);
    std::uintptr_t index;
    if (!free_.empty()) {
        index = free_.back();
        free_.pop_back();
    } else {
        if (slots_.size() > kIndexMask) {
            return kNullWindow;
        }
        index = slots_.size();
        slots_.emplace_back();
    }
    Slot& slot = slots_[index];
    slot.record = std::move(record);
    return makeHandle(index, slot.generation);
}

std::shared_ptr<WindowRecord> HandleTable::find(WindowHandle handle) const {
    const auto bits = static_cast<std::uintptr_t>(handle);
    const std::uintptr_t index = bits & kIndexMask;
    const std::uintptr_t generation = bits >> kIndexBits;
    std::lock_guard lock(mutex_);
    if (generation == 0 || index >= slots_.size() || slots_[index].generation != generation) {
        return nullptr;
    }
    return slots_[index].record;
}

std::shared_ptr<WindowRecord> HandleTable::findLive(WindowHandle handle) const {
    auto record = find(handle);
    if (record && record->dying) {
        return nullptr;
    }
    return record;
}

void HandleTable::remove(WindowHandle handle) {
    const auto bits = static_cast<std::uintptr_t>(handle);
    const std::uintptr_t index = bits & kIndexMask;
    const std::uintptr_t generation = bits >> kIndexBits;
    std::shared_ptr<WindowRecord> released;
    {
        std::lock_guard lock(mutex_);
        if (generation == 0 || index >= slots_.size() || slots_[index].generation != generation ||
            !slots_[index].record) {
            return;
        }
        Slot& slot = slots_[index];
        released = std::move(slot.record);
        // A slot whose generations are used up is retired, so an old handle can never come
        // to name a new window.
        if (slot.generation != kLastGeneration) {
            ++slot.generation;
            free_.push_back(index);
        }
    }
    // The record is released outside the lock: its procedure may own anything.
}

}  // namespace platform::detail
