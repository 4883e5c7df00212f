#include "app/WorkAhead.h"

namespace drossel {

int BatchThreads(int asked) {
    if (asked > 0) return asked;
    const unsigned cores = std::thread::hardware_concurrency();
    return cores > 0 ? static_cast<int>(cores) : 1;
}

WorkAhead::WorkAhead(int threads) {
    if (threads <= 1) return;
    workers_.reserve(static_cast<std::size_t>(threads));
    for (int i = 0; i < threads; ++i) workers_.emplace_back([this] { Work(); });
}

WorkAhead::~WorkAhead() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        queue_.clear();  // their futures report a broken promise, and nobody takes them
    }
    wake_.notify_all();
    for (std::thread& worker : workers_) worker.join();
}

void WorkAhead::Push(std::function<void()> job) {
    {
        const std::lock_guard lock(mutex_);
        queue_.push_back(std::move(job));
    }
    wake_.notify_one();
}

void WorkAhead::Work() {
    while (true) {
        std::function<void()> job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (queue_.empty()) return;
            job = std::move(queue_.front());
            queue_.pop_front();
        }
        job();
    }
}

}  // namespace drossel
