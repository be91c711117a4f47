#pragma once
// A worker thread that runs one piece of work (a download or an update check) and is joined
// when its holder goes, so a job never outlives what it reports to.
#include <functional>
#include <thread>

namespace pelorvant {

class WorkerThread {
public:
    WorkerThread() = default;
    explicit WorkerThread(std::function<void()> work) : thread_(std::move(work)) {}
    WorkerThread(WorkerThread&&) = default;
    WorkerThread& operator=(WorkerThread&& other) {
        join();
        thread_ = std::move(other.thread_);
        return *this;
    }
    ~WorkerThread() { join(); }

    bool running() const { return thread_.joinable(); }
    void join() {
        if (thread_.joinable()) thread_.join();
    }

private:
    std::thread thread_;
};

}  // namespace pelorvant
