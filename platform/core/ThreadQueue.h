#pragma once
// Internal: the message queue of one thread, and the process-wide list of queues.

#include "platform/core/MessageLoop.h"
#include "platform/core/Types.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

namespace platform::detail {

class ThreadQueue;

// A message sent from another thread, waiting for its owner thread to handle it. The sender
// blocks until `done`.
struct SentMessage {
    WindowHandle window = kNullWindow;
    std::uint32_t message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    std::shared_ptr<ThreadQueue> sender;
    MsgResult result = 0;  // guarded by sender->mutex
    bool done = false;     // guarded by sender->mutex
};

struct TimerEntry {
    WindowHandle window = kNullWindow;
    std::uintptr_t id = 0;
    std::uint64_t interval = 0;
    std::uint64_t due = 0;
    std::uint64_t order = 0;  // when it was set; breaks ties between timers due together
    bool queued = false;      // a WM_TIMER of it waits in `ticks`
};

// A timer that came due and waits to be retrieved as WM_TIMER.
struct TimerTick {
    WindowHandle window = kNullWindow;
    std::uintptr_t id = 0;
    std::uint64_t due = 0;
};

class ThreadQueue {
public:
    explicit ThreadQueue(ThreadId id) : threadId(id) {}

    const ThreadId threadId;
    std::mutex mutex;
    // Notified whenever something arrives that the thread may be waiting for.
    std::condition_variable wake;

    // Everything below is guarded by mutex.
    std::deque<std::shared_ptr<SentMessage>> sent;
    std::deque<Message> posted;
    std::vector<TimerEntry> timers;
    std::deque<TimerTick> ticks;
    std::vector<WindowHandle> windows;  // windows this thread owns
    std::uint64_t nextTimerOrder = 0;
    bool quitPending = false;
    int quitCode = 0;
    bool ended = false;  // the thread has finished; nothing is delivered any more
};

// The calling thread's queue, made on first use and ended when the thread ends.
std::shared_ptr<ThreadQueue> currentQueue();

// The queue of a thread, or null when it has none.
std::shared_ptr<ThreadQueue> findQueue(ThreadId id);

// Every queue still in use.
std::vector<std::shared_ptr<ThreadQueue>> allQueues();

// Releases the sender of `sent` with `result`.
void completeSent(SentMessage& sent, MsgResult result);

// Thread ids: one is allocated by the creator of a thread and adopted by the thread itself.
ThreadId allocateThreadId();
void adoptThreadId(ThreadId id);

}  // namespace platform::detail
