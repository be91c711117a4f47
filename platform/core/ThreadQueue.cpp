#include "platform/core/ThreadQueue.h"

#include "platform/core/HandleTable.h"
#include "platform/core/Thread.h"

#include <atomic>
#include <utility>

namespace platform::detail {
namespace {

std::atomic<ThreadId> gNextThreadId{1};
thread_local ThreadId tThreadId = 0;

// The list of all queues, for virtual time and for looking a thread's queue up by id. Never
// destroyed, so that threads ending during process exit can still use it.
struct QueueList {
    std::mutex mutex;
    std::vector<std::weak_ptr<ThreadQueue>> queues;
};

QueueList& queueList() {
    static QueueList* list = new QueueList;
    return *list;
}

// Ends a thread's queue: senders still waiting are released with 0, everything queued is
// dropped and the thread's windows are freed. Their procedures receive nothing more: the
// thread that would run them is gone.
void endQueue(ThreadQueue& queue) {
    std::deque<std::shared_ptr<SentMessage>> waiting;
    std::vector<WindowHandle> windows;
    {
        std::lock_guard lock(queue.mutex);
        queue.ended = true;
        waiting.swap(queue.sent);
        windows.swap(queue.windows);
        queue.posted.clear();
        queue.timers.clear();
        queue.ticks.clear();
    }
    for (auto& sent : waiting) {
        completeSent(*sent, 0);
    }
    HandleTable& table = HandleTable::instance();
    for (WindowHandle handle : windows) {
        std::shared_ptr<WindowRecord> window = table.find(handle);
        if (!window) {
            continue;
        }
        window->dying = true;
        table.remove(handle);
        std::shared_ptr<const WindowProc> proc;
        {
            std::lock_guard lock(window->procMutex);
            proc.swap(window->proc);
        }
    }
}

struct QueueHolder {
    std::shared_ptr<ThreadQueue> queue;
    ~QueueHolder() {
        if (queue) {
            endQueue(*queue);
        }
    }
};

thread_local QueueHolder tQueue;

}  // namespace

ThreadId allocateThreadId() {
    return gNextThreadId.fetch_add(1, std::memory_order_relaxed);
}

void adoptThreadId(ThreadId id) {
    tThreadId = id;
}

std::shared_ptr<ThreadQueue> currentQueue() {
    if (!tQueue.queue) {
        if (tThreadId == 0) {
            tThreadId = allocateThreadId();
        }
        auto queue = std::make_shared<ThreadQueue>(tThreadId);
        QueueList& list = queueList();
        std::lock_guard lock(list.mutex);
        std::erase_if(list.queues, [](const auto& weak) { return weak.expired(); });
        list.queues.push_back(queue);
        tQueue.queue = std::move(queue);
    }
    return tQueue.queue;
}

std::vector<std::shared_ptr<ThreadQueue>> allQueues() {
    std::vector<std::shared_ptr<ThreadQueue>> result;
    QueueList& list = queueList();
    std::lock_guard lock(list.mutex);
    for (const auto& weak : list.queues) {
        if (auto queue = weak.lock()) {
            result.push_back(std::move(queue));
        }
    }
    return result;
}

std::shared_ptr<ThreadQueue> findQueue(ThreadId id) {
    for (auto& queue : allQueues()) {
        if (queue->threadId == id) {
            return queue;
        }
    }
    return nullptr;
}

void completeSent(SentMessage& sent, MsgResult result) {
    {
        std::lock_guard lock(sent.sender->mutex);
        sent.result = result;
        sent.done = true;
    }
    sent.sender->wake.notify_all();
}

}  // namespace platform::detail

namespace platform {

ThreadId currentThreadId() {
    if (detail::tThreadId == 0) {
        detail::tThreadId = detail::allocateThreadId();
    }
    return detail::tThreadId;
}

}  // namespace platform
