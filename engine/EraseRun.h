#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "EntryEraser.h"
#include "FolderWalk.h"
#include "PendingItems.h"
#include "ShredMethod.h"
#include "ShredPass.h"
#include "WorkList.h"

namespace fendry {

// What a finished run erased.
struct EraseStats {
    std::int64_t fileCount = 0;  // regular files that went through every pass and were removed
    std::int64_t totalSize = 0;  // their bytes, each read once before its first pass
    std::int64_t linkCount = 0;  // links and special files removed as entries, none followed

    bool operator==(const EraseStats&) const = default;
};

using RunClock = std::chrono::steady_clock;

// Everything the screen shows of a run. Changed on the main thread only.
struct RunState {
    bool isShredding = false;
    double shreddingProgress = 0.0;     // share of the run's passes done, by position
    std::int64_t currentFileIndex = 0;  // 0-based index in the work list of the entry shown: the
                                        // oldest still in progress
    std::int64_t currentPass = 0;       // 0-based pass being written of that entry; the one after
                                        // the last while the file is read back
    std::int64_t filesDone = 0;         // regular files whose work has ended
    std::optional<RunClock::time_point> startTime;
    std::optional<double> estimatedTimeRemaining;  // seconds; absent until a pass completes
    // The work list, shared read-only with the background work; empty until that work has
    // built it, since walking a large folder takes longer than the screen may stand still.
    std::shared_ptr<const WorkList> workList;
    std::int64_t totalFiles = 0;     // the regular files of the work list
    std::int64_t passesPerFile = 0;  // of the method the run started with
    ShredMethod method;              // the run started with
    EraseStats stats;
    // One line per item that was not erased or folder that was not removed, in the order met.
    std::vector<ItemFailure> failures;
    bool stopped = false;         // the run was stopped before its end
    std::int64_t notReached = 0;  // work list entries a stopped run never came to
    bool showCompletionAnimation = false;

    // What a record of the run needs beyond the summary: the items as chosen, where each one's
    // entries begin in the work list (one more at the end), what became of each entry, when the
    // run began and ended, and whether files were read back after their last pass (and where
    // that went through the page cache).
    std::shared_ptr<const PendingList> chosen;
    std::vector<std::size_t> firstEntryOfItem;
    std::vector<std::int64_t> bytesOfItem;  // as the walk found each item (see WalkResult)
    std::vector<EntryResult> results;
    bool readBack = false;
    std::vector<dev_t> readThroughCache;
    std::chrono::system_clock::time_point startedAt;
    std::chrono::system_clock::time_point endedAt;

    std::int64_t failedCount() const { return static_cast<std::int64_t>(failures.size()); }
    // Of those lines, the ones about files and links that were not erased, and about folders.
    std::int64_t filesNotErased() const { return failedCount() - foldersKept(); }
    std::int64_t foldersKept() const;
    bool readingBack() const { return currentPass >= passesPerFile; }
    // "Processing file N of M": one more than the files done, never past the last.
    std::int64_t currentFileNumber() const { return std::min(filesDone + 1, totalFiles); }
    // The name of the work item at `currentFileIndex`, if the work list is known and holds it.
    std::optional<std::string> currentFileName() const;
};

using Task = std::function<void()>;

// How a run reaches threads and the outside world; the defaults are the real file system and
// random source, and the front end supplies the two queues.
//
// Lifetime: the background work and the updates it posts call back into the EraseRun that
// started them. The owner of the EraseRun keeps it alive until the background work has ended
// and every posted update has run or been discarded with the queue (an application waits for
// its thread pool before it tears its objects down).
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
    // Files erased at once. Small files cost a sync or two each, mostly waiting for the device;
    // with many in flight the device sees a queue and the file system commits their syncs
    // together. Each in flight holds a thread and up to two chunk buffers.
    std::size_t filesInFlight = 16;
};

// Drives one erase run after another.
class EraseRun {
public:
    explicit EraseRun(RunEnvironment environment);

    const RunState& state() const { return state_; }
    // Called on the main thread after every change of the state.
    void setOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

    // Resets the run state and starts the background work over its own copy of the pending
    // entries; does nothing while a run is under way. With `readBack`, each file is read back
    // after its last pass and left when it does not read as written.
    void startShredding(PendingList snapshot, const ShredMethod& method, bool readBack = false);
    // Back to the empty screen: clears the result.
    void startAgain();
    // Asks a run under way to stop before its next chunk; the file being written stays where
    // it is, partly overwritten, and the run reports what it did. Whoever runs the background
    // work may wait for it.
    void stop();

private:
    struct Work;
    static void performShredding(Work& work, EraseRun* run);
    void updateProgress(double completed, double total);
    void finishShredding(RunState result);
    void changed();

    RunEnvironment environment_;
    RunState state_;
    std::function<void()> onChange_;
    std::shared_ptr<std::atomic<bool>> stopRequested_;
};

}  // namespace fendry
