#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "PendingItems.h"
#include "ShredMethod.h"
#include "ShredPass.h"

namespace fendry {

// What a finished run erased.
struct EraseStats {
    std::int64_t fileCount = 0;  // work items that went through every pass and were removed
    std::int64_t totalSize = 0;  // their bytes, each read once before its first pass

    bool operator==(const EraseStats&) const = default;
};

// A work item that was not erased, and why.
struct ItemFailure {
    std::filesystem::path item;
    PassFailure failure;
};

using RunClock = std::chrono::steady_clock;

// Everything the screen shows of a run. Changed on the main thread only.
struct RunState {
    bool isShredding = false;
    double shreddingProgress = 0.0;     // share of the run's passes done, by position
    std::int64_t currentFileIndex = 0;  // 0-based index in the work list
    std::int64_t currentPass = 0;       // 0-based pass being written
    std::optional<RunClock::time_point> startTime;
    std::optional<double> estimatedTimeRemaining;  // seconds; absent until a pass completes
    // The work list, shared with the background work; empty until that work has built it,
    // since expanding a large folder takes longer than the screen may stand still.
    std::shared_ptr<const std::vector<std::filesystem::path>> filesToProcess;
    std::int64_t totalFiles = 0;
    std::int64_t passesPerFile = 0;  // of the method the run started with
    EraseStats stats;
    std::int64_t failedCount = 0;
    std::vector<ItemFailure> failures;  // one per failed work item, in work-list order
    bool showCompletionAnimation = false;

    // The work item at `currentFileIndex`, if the work list is known and holds it.
    const std::filesystem::path* currentFile() const;
};

using Task = std::function<void()>;

// How a run reaches threads and the outside world; the defaults are the real file system and
// random source, and the front end supplies the two queues.
struct RunEnvironment {
    // Runs the whole erase as one work item away from the main thread.
    std::function<void(Task)> runInBackground;
    // Queues an update onto the main thread; updates must run in the order queued.
    std::function<void(Task)> postToMain;
    std::function<RunClock::time_point()> now = RunClock::now;
    PassContext pass;
    // Shortest time between two progress updates; 0 reports every file and pass. A screen
    // cannot show more than its refresh rate, and a flood of updates would starve it.
    std::chrono::milliseconds progressInterval{0};
};

// Drives one erase run after another over the pending list it is given.
class EraseRun {
public:
    EraseRun(PendingList& files, RunEnvironment environment);

    const RunState& state() const { return state_; }
    // Called on the main thread after every change of the state.
    void setOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

    // Resets the run state, builds the work list from the pending entries and starts the
    // background work. The pending list itself is not changed by a run.
    void startShredding(const ShredMethod& method);
    void updateProgress(double completed, double total);
    void finishShredding(std::int64_t erased, std::int64_t bytes, std::int64_t failed,
                         std::vector<ItemFailure> failures);
    // Back to the empty screen: clears the pending list and the result.
    void startAgain();
    // Asks a run under way to end after the pass it is writing, without reporting anything
    // more; for an application that is quitting. Whoever runs the background work waits for it.
    void stop();

private:
    struct Work;
    static void performShredding(Work& work, EraseRun* run);
    void changed();

    PendingList& files_;
    RunEnvironment environment_;
    RunState state_;
    std::function<void()> onChange_;
    std::shared_ptr<std::atomic<bool>> stopRequested_;
};

}  // namespace fendry
