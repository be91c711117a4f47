#pragma once
// Internal: the window records and the table that maps handles to them.

#include "platform/core/Types.h"
#include "platform/core/Window.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace platform::detail {

class ThreadQueue;

struct WindowRecord {
    std::shared_ptr<ThreadQueue> owner;
    std::mutex procMutex;
    std::shared_ptr<const WindowProc> proc;  // guarded by procMutex; a call holds its own copy
    std::atomic<std::uintptr_t> userData{0};
    // Set (by the owner thread, under owner->mutex) when the window is being destroyed: from
    // then on nothing more is delivered to it.
    std::atomic<bool> dying{false};
    int depth = 0;              // calls of the procedure running now; owner thread only
    bool freeWhenIdle = false;  // destroyed inside its procedure; owner thread only
};

class HandleTable {
public:
    static HandleTable& instance();

    // A new handle for record; kNullWindow when the table is full.
    WindowHandle add(std::shared_ptr<WindowRecord> record);
    // The record of a handle, also while it is being destroyed; null for a stale handle.
    std::shared_ptr<WindowRecord> find(WindowHandle handle) const;
    // The record of a handle that is not being destroyed.
    std::shared_ptr<WindowRecord> findLive(WindowHandle handle) const;
    // Frees the handle's slot; the handle and every copy of it become stale.
    void remove(WindowHandle handle);

private:
    struct Slot {
        std::uintptr_t generation = 1;
        std::shared_ptr<WindowRecord> record;
    };
    mutable std::mutex mutex_;
    std::vector<Slot> slots_;
    std::vector<std::uintptr_t> free_;
};

}  // namespace platform::detail
