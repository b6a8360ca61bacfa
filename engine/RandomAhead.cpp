#include "RandomAhead.h"

namespace fendry {

RandomAhead::~RandomAhead() {
    if (helper_.joinable()) {
        {
            const std::lock_guard lock(mutex_);
            quit_ = true;
        }
        changed_.notify_all();
        helper_.join();  // a fill under way ends first: the source never sees a freed buffer
    }
}

void RandomAhead::request(std::size_t length) {
    std::vector<std::byte>& buffer = buffers_[nextBuffer_];
    nextBuffer_ ^= 1;
    if (buffer.size() < length) {
        buffer.resize(length);
    }
    const std::span<std::byte> bytes(buffer.data(), length);
    if (!helper_.joinable() && !done_) {
        // The first chunk: nothing is being written yet that it could overlap with.
        job_ = bytes;
        filled_ = random_(bytes);
        done_ = true;
        return;
    }
    if (!helper_.joinable()) {
        helper_ = std::thread([this] { fillLoop(); });
    }
    {
        const std::lock_guard lock(mutex_);
        job_ = bytes;
        asked_ = true;
        done_ = false;
    }
    changed_.notify_all();
}

std::optional<std::span<const std::byte>> RandomAhead::take() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return done_; });
    if (!filled_) {
        return std::nullopt;
    }
    return std::span<const std::byte>(job_);
}

void RandomAhead::fillLoop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return asked_ || quit_; });
        if (!asked_) {
            return;
        }
        asked_ = false;
        const std::span<std::byte> bytes = job_;
        lock.unlock();
        const bool filled = random_(bytes);
        lock.lock();
        filled_ = filled;
        done_ = true;
        changed_.notify_all();
    }
}

}  // namespace fendry
