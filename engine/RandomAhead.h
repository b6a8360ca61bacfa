#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <span>
#include <thread>
#include <vector>

#include "RandomSource.h"

namespace fendry {

// Random bytes for the chunks of one pass, made one chunk ahead: while the caller writes one
// chunk, the next is filled on a thread of its own, so that the generator and the device work
// at the same time. Two buffers at most; a pass of a single chunk fills it on the caller's
// thread and starts no thread at all. The source is called for one chunk at a time, in order.
class RandomAhead {
public:
    explicit RandomAhead(const RandomSource& random) : random_(random) {}
    ~RandomAhead();
    RandomAhead(const RandomAhead&) = delete;
    RandomAhead& operator=(const RandomAhead&) = delete;

    // Starts filling `length` bytes for the chunk after those already asked for. At most one
    // request may be outstanding beyond the chunk the caller holds.
    void request(std::size_t length);
    // Waits for the oldest request: its bytes, valid until the request after the next one, or
    // nothing when the source failed.
    std::optional<std::span<const std::byte>> take();

private:
    void fillLoop();

    const RandomSource& random_;
    std::vector<std::byte> buffers_[2];
    int nextBuffer_ = 0;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::span<std::byte> job_;  // the bytes being filled, or waiting to be
    bool asked_ = false;        // job_ waits for the helper thread
    bool done_ = false;         // job_ has been filled, or the source failed
    bool filled_ = false;       // the source succeeded for job_
    bool quit_ = false;
    std::thread helper_;
};

}  // namespace fendry
