#pragma once
// Work done ahead of its turn: a batch walks the table in order, and while it
// writes one resource's files, the resources after it are converted on worker
// threads. Results are taken in the order the work was handed in, so what a
// batch writes and says does not depend on the number of threads.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace drossel {

// The number of threads a batch uses when the person gives none (0): one per
// core the machine has.
int BatchThreads(int asked);

class WorkAhead {
public:
    // `threads` workers; with 1 or fewer, none: work runs on the caller's thread
    // when its result is taken.
    explicit WorkAhead(int threads);
    // Work not yet started is dropped; work running is waited for.
    ~WorkAhead();
    WorkAhead(const WorkAhead&) = delete;
    WorkAhead& operator=(const WorkAhead&) = delete;

    // How many pieces of work may wait for their turn besides the one being
    // taken: enough to keep every worker busy, few enough that their results
    // (pictures of up to hundreds of megabytes) stay few.
    std::size_t Ahead() const { return 2 * workers_.size(); }

    template <typename Result>
    std::future<Result> Submit(std::function<Result()> work) {
        if (workers_.empty()) return std::async(std::launch::deferred, std::move(work));
        auto task = std::make_shared<std::packaged_task<Result()>>(std::move(work));
        std::future<Result> result = task->get_future();
        Push([task] { (*task)(); });
        return result;
    }

private:
    void Push(std::function<void()> job);
    void Work();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> queue_;
    bool stopping_ = false;
    std::vector<std::thread> workers_;
};

}  // namespace drossel
