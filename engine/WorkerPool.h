#pragma once

#include <cstddef>
#include <functional>
#include <thread>
#include <vector>

#include "BlockingQueue.h"

namespace fendry {

// A fixed number of threads that run the tasks handed to them, oldest first. The destructor
// lets every task handed in run to its end, then joins the threads.
class WorkerPool {
public:
    explicit WorkerPool(std::size_t threads);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    void submit(std::function<void()> task) { tasks_.push(std::move(task)); }

private:
    BlockingQueue<std::function<void()>> tasks_;
    std::vector<std::thread> threads_;
};

}  // namespace fendry
