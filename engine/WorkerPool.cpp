#include "WorkerPool.h"

#include <algorithm>

namespace fendry {

WorkerPool::WorkerPool(std::size_t threads) {
    threads_.reserve(std::max<std::size_t>(threads, 1));
    for (std::size_t i = 0; i < std::max<std::size_t>(threads, 1); ++i) {
        threads_.emplace_back([this] {
            while (auto task = tasks_.pop()) {
                (*task)();
            }
        });
    }
}

WorkerPool::~WorkerPool() {
    tasks_.close();
    for (auto& thread : threads_) {
        thread.join();
    }
}

}  // namespace fendry
