#include "EraseRun.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>

#include "EntryEraser.h"
#include "FolderHandles.h"
#include "FolderRemoval.h"
#include "RunProgress.h"

namespace fendry {

namespace {

// A run mostly waits for the device; when its threads do want a CPU (the walk, and every file
// in flight when its syncs return at once), the window's main and render threads and the
// display server should get it first. The run works on a thread of its own, whose workers
// inherit its priority, because an unprivileged thread cannot raise its priority again.
void yieldToTheWindow() {
    const auto self = static_cast<id_t>(::gettid());
    errno = 0;
    const int nice = ::getpriority(PRIO_PROCESS, self);
    if (errno == 0) {
        ::setpriority(PRIO_PROCESS, self, std::min(nice + 10, 19));
    }
}

}  // namespace

// What the background work owns for its whole duration.
struct EraseRun::Work {
    std::shared_ptr<const PendingList> snapshot;
    bool readBack = false;
    // The previous run's list, let go here rather than on the main thread.
    std::shared_ptr<const WorkList> previousList;
    std::int64_t passes = 1;
    PassContext pass;
    std::function<void(Task)> postToMain;
    std::function<RunClock::time_point()> now;
    std::chrono::milliseconds progressInterval{0};
    std::size_t filesInFlight = 1;
    std::shared_ptr<std::atomic<bool>> stopRequested;
};

EraseRun::EraseRun(RunEnvironment environment) : environment_(std::move(environment)) {}

void EraseRun::changed() {
    if (onChange_) {
        onChange_();
    }
}

std::int64_t RunState::foldersKept() const {
    return std::count_if(failures.begin(), failures.end(),
                         [](const ItemFailure& failure) { return failure.folder; });
}

std::optional<std::string> RunState::currentFileName() const {
    if (!workList || currentFileIndex < 0 ||
        currentFileIndex >= static_cast<std::int64_t>(workList->entries.size())) {
        return std::nullopt;
    }
    return std::string(
        workList->nameOf(workList->entries[static_cast<std::size_t>(currentFileIndex)]));
}

void EraseRun::startShredding(PendingList snapshot, const ShredMethod& method, bool readBack) {
    if (state_.isShredding) {
        return;
    }
    state_.isShredding = true;
    state_.shreddingProgress = 0.0;
    state_.currentFileIndex = 0;
    state_.currentPass = 0;
    state_.filesDone = 0;
    state_.startTime = environment_.now();
    state_.estimatedTimeRemaining.reset();
    state_.failures.clear();
    state_.stopped = false;
    state_.notReached = 0;
    state_.passesPerFile = method.passes;
    state_.method = method;
    state_.readBack = readBack;
    state_.startedAt = std::chrono::system_clock::now();

    auto work = std::make_shared<Work>();
    work->snapshot = std::make_shared<const PendingList>(std::move(snapshot));
    work->readBack = readBack;
    work->previousList = std::move(state_.workList);
    work->passes = method.passes;
    work->pass = environment_.pass;
    work->postToMain = environment_.postToMain;
    work->now = environment_.now;
    work->progressInterval = environment_.progressInterval;
    work->filesInFlight = environment_.filesInFlight;
    stopRequested_ = std::make_shared<std::atomic<bool>>(false);
    work->stopRequested = stopRequested_;

    state_.workList.reset();
    state_.totalFiles = 0;
    changed();

    environment_.runInBackground([work, this] {
        std::thread([&] {
            yieldToTheWindow();
            performShredding(*work, this);
        }).join();
    });
}

void EraseRun::performShredding(Work& work, EraseRun* run) {
    work.previousList.reset();
    FileOps& ops = *work.pass.ops;
    const std::atomic<bool>& stopRequested = *work.stopRequested;
    WalkResult walked = walkPendingItems(*work.snapshot, ops, &stopRequested);
    const auto list = std::make_shared<const WorkList>(std::move(walked.list));
    const auto& entries = list->entries;
    const double totalPasses = static_cast<double>(entries.size()) *
                               static_cast<double>(work.passes + (work.readBack ? 1 : 0));
    const auto files = std::count_if(entries.begin(), entries.end(), [](const WorkEntry& entry) {
        return entry.kind == WorkEntry::Kind::RegularFile;
    });
    work.postToMain([run, list, files] {
        run->state_.workList = list;
        run->state_.totalFiles = files;
        run->changed();
    });

    RunState result;
    result.failures = std::move(walked.failures);
    result.chosen = work.snapshot;
    result.firstEntryOfItem = std::move(walked.firstEntryOfItem);
    result.bytesOfItem = std::move(walked.bytesOfItem);
    FolderHandles handles(*list, ops);
    FolderRemoval removal(*list, ops, handles, result.failures);
    for (const auto& kept : walked.foldersToKeep) {
        removal.leave(kept.folder, kept.reported);
    }

    RunProgress progress(
        [&work, run, totalPasses](const Reached& reached,
                                  std::shared_ptr<std::atomic<bool>> inQueue) {
            work.postToMain([run, reached, totalPasses, inQueue] {
                *inQueue = false;
                RunState& state = run->state_;
                state.currentFileIndex = reached.index;
                state.currentPass = reached.pass;
                state.filesDone = reached.filesDone;
                if (reached.completedPasses) {
                    run->updateProgress(static_cast<double>(*reached.completedPasses), totalPasses);
                } else {
                    run->changed();
                }
            });
        },
        work.progressInterval, work.now, work.passes, work.readBack);
    PassContext pass = work.pass;
    pass.keepGoing = [&] {
        progress.sendIfDue();
        return !stopRequested;
    };

    EntriesErased erased;
    if (walked.stopped) {
        erased.stopped = true;
        erased.notReached = entries.size();
        erased.results.assign(entries.size(), EntryResult::NotReached);
    } else {
        erased = eraseEntries({*list, handles, pass, work.passes, work.readBack,
                               work.filesInFlight, progress, stopRequested, work.now});
    }
    progress.flush();
    result.stats = {erased.fileCount, erased.totalSize, erased.linkCount};
    result.results = std::move(erased.results);
    result.readThroughCache = std::move(erased.readThroughCache);
    for (const auto& [entry, failure] : erased.failures) {
        result.failures.push_back({list->pathOf(entry), failure});
        removal.leave(entries[entry].folder);
    }

    if (erased.stopped) {
        // What was not reached stays, and so do the folders that hold it.
        result.stopped = true;
        result.notReached = static_cast<std::int64_t>(erased.notReached);
    } else {
        removal.run();
    }

    work.postToMain(
        [run, result = std::move(result)]() mutable { run->finishShredding(std::move(result)); });
}

void EraseRun::updateProgress(double completed, double total) {
    state_.shreddingProgress = completed / total;
    if (state_.startTime) {
        const double elapsed =
            std::chrono::duration<double>(environment_.now() - *state_.startTime).count();
        if (state_.shreddingProgress > 0) {
            state_.estimatedTimeRemaining = elapsed / state_.shreddingProgress - elapsed;
        }
    }
    changed();
}

void EraseRun::finishShredding(RunState result) {
    state_.stats = result.stats;
    state_.failures = std::move(result.failures);
    state_.stopped = result.stopped;
    state_.notReached = result.notReached;
    state_.chosen = std::move(result.chosen);
    state_.firstEntryOfItem = std::move(result.firstEntryOfItem);
    state_.bytesOfItem = std::move(result.bytesOfItem);
    state_.results = std::move(result.results);
    state_.readThroughCache = std::move(result.readThroughCache);
    state_.endedAt = std::chrono::system_clock::now();
    state_.isShredding = false;
    state_.showCompletionAnimation = true;
    changed();
}

void EraseRun::stop() {
    if (stopRequested_) {
        *stopRequested_ = true;
    }
}

void EraseRun::startAgain() {
    state_.stats = {};
    state_.failures.clear();
    state_.stopped = false;
    state_.notReached = 0;
    state_.showCompletionAnimation = false;
    changed();
}

}  // namespace fendry
