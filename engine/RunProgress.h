#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

namespace fendry {

// Where a run has got to, handed to the main thread whole so that every shown combination of
// file, pass and progress is one the run really reached.
struct Reached {
    std::int64_t index = 0;     // the oldest work list entry still in progress (or the last one
                                // to end, when none is)
    std::int64_t pass = 0;      // the pass being written of that entry
    std::int64_t filesDone = 0;  // regular files whose work has ended, erased or not
    std::optional<std::int64_t> completedPasses;  // absent until the first pass completes
};

// The progress of a run whose files may be erased several at a time, in steps (each pass, and
// reading a file back where it is), kept as the latest point
// and sent on to the main thread: every point when there is no interval; otherwise at most one
// update waits in the queue at a time, no more often than the interval, and the last point is
// always delivered. Any thread may call it.
//
// Completed passes only grow. A pass counts once its bytes are synced. An entry that takes no
// passes (a link, a later name of a file) counts as all of them once removed. The passes that a
// failed entry will never write count at the next completion after the failure, so that, as when
// counting by position, the progress does not move at a failure and stays short of the end when
// the last entry fails.
class RunProgress {
public:
    using Post = std::function<void(const Reached&, std::shared_ptr<std::atomic<bool>> inQueue)>;
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // Each file takes `passes` passes, and one step more when it is read back afterwards.
    RunProgress(Post post, std::chrono::milliseconds interval, Clock now, std::int64_t passes,
                bool readBack = false);

    // The entry at `index` is in progress now; entries begin in work list order.
    void began(std::size_t index);
    // The work on the entry has ended, whatever came of it; `file` when it is a regular file.
    void ended(std::size_t index, bool file);
    void passBegan(std::size_t index, std::int64_t pass);
    // The entry is being read back: shown as the pass after its last.
    void readBackBegan(std::size_t index) { passBegan(index, passes_); }
    void passDone();
    // The entry needed no passes and is done.
    void doneWithoutPasses(std::size_t index);
    // An entry failed with `passesLeft` of its passes unwritten.
    void failed(std::int64_t passesLeft);

    // Sends the latest point if it is due; cheap to call for every chunk.
    void sendIfDue();
    // Sends the latest point if it has not been sent.
    void flush();

private:
    void changed();
    void complete(std::int64_t passes);
    void send();
    void showOldest();

    const Post post_;
    const std::chrono::milliseconds interval_;
    const Clock now_;
    const std::int64_t passes_;
    const std::int64_t steps_;  // of each file: its passes, and reading it back

    std::mutex mutex_;
    Reached latest_;
    std::map<std::size_t, std::int64_t> inProgress_;  // entry: the pass being written
    std::int64_t unwrittenOfFailed_ = 0;
    bool unsent_ = false;
    std::optional<std::chrono::steady_clock::time_point> lastSent_;
    std::shared_ptr<std::atomic<bool>> inQueue_ = std::make_shared<std::atomic<bool>>(false);
};

}  // namespace fendry
