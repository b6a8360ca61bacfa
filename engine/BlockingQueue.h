#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

namespace fendry {

// A first-in, first-out queue that threads hand values through; `pop` waits for a value.
template <typename Value>
class BlockingQueue {
public:
    void push(Value value) {
        {
            const std::lock_guard lock(mutex_);
            values_.push_back(std::move(value));
        }
        ready_.notify_one();
    }

    // The oldest value; empty once the queue is closed and drained.
    std::optional<Value> pop() {
        std::unique_lock lock(mutex_);
        ready_.wait(lock, [this] { return !values_.empty() || closed_; });
        if (values_.empty()) {
            return std::nullopt;
        }
        Value value = std::move(values_.front());
        values_.pop_front();
        return value;
    }

    // Wakes every waiter once the values left have been taken.
    void close() {
        {
            const std::lock_guard lock(mutex_);
            closed_ = true;
        }
        ready_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<Value> values_;
    bool closed_ = false;
};

}  // namespace fendry
