#include "EraseRun.h"

#include <sys/stat.h>

#include <memory>

#include "FolderWalk.h"

namespace fendry {

// What the background work owns for its whole duration.
struct EraseRun::Work {
    PendingList snapshot;
    // The previous run's list, let go here rather than on the main thread.
    std::shared_ptr<const std::vector<std::filesystem::path>> previousItems;
    std::int64_t passes = 1;
    PassContext pass;
    std::function<void(Task)> postToMain;
    std::chrono::milliseconds progressInterval{0};
    std::shared_ptr<std::atomic<bool>> stopRequested;
};

namespace {

// Where the background work has got to, handed to the main thread whole so that every shown
// combination of file, pass and progress is one the run really reached.
struct Reached {
    std::int64_t index = 0;
    std::int64_t pass = 0;
    std::optional<std::int64_t> completedPasses;  // absent until the first pass completes
};

}  // namespace

EraseRun::EraseRun(PendingList& files, RunEnvironment environment)
    : files_(files), environment_(std::move(environment)) {}

void EraseRun::changed() {
    if (onChange_) {
        onChange_();
    }
}

void EraseRun::startShredding(const ShredMethod& method) {
    state_.isShredding = true;
    state_.shreddingProgress = 0.0;
    state_.currentFileIndex = 0;
    state_.currentPass = 0;
    state_.startTime = environment_.now();
    state_.estimatedTimeRemaining.reset();
    state_.failedCount = 0;
    state_.failures.clear();
    state_.passesPerFile = method.passes;

    // Desktop Linux grants no per-item sandbox access, so there is nothing to claim or give
    // back around the run.
    auto work = std::make_shared<Work>();
    work->snapshot = files_;
    work->previousItems = std::move(state_.filesToProcess);
    work->passes = method.passes;
    work->pass = environment_.pass;
    work->postToMain = environment_.postToMain;
    work->progressInterval = environment_.progressInterval;
    stopRequested_ = std::make_shared<std::atomic<bool>>(false);
    work->stopRequested = stopRequested_;

    state_.filesToProcess.reset();
    state_.totalFiles = 0;
    changed();

    environment_.runInBackground([work, this] { performShredding(*work, this); });
}

const std::filesystem::path* RunState::currentFile() const {
    if (!filesToProcess || currentFileIndex < 0 ||
        currentFileIndex >= static_cast<std::int64_t>(filesToProcess->size())) {
        return nullptr;
    }
    return &(*filesToProcess)[static_cast<std::size_t>(currentFileIndex)];
}

void EraseRun::performShredding(Work& work, EraseRun* run) {
    work.previousItems.reset();
    const auto itemList = std::make_shared<const std::vector<std::filesystem::path>>(
        work.snapshot.empty() ? std::vector<std::filesystem::path>{}
                              : expandPendingItems(work.snapshot));
    const auto& items = *itemList;
    const double totalPasses =
        static_cast<double>(items.size()) * static_cast<double>(work.passes);
    work.postToMain([run, itemList] {
        run->state_.filesToProcess = itemList;
        run->state_.totalFiles = static_cast<std::int64_t>(itemList->size());
        run->changed();
    });

    FileOps& ops = *work.pass.ops;
    const std::int64_t P = work.passes;
    std::int64_t erased = 0;
    std::int64_t bytes = 0;
    std::vector<ItemFailure> failures;

    Reached reached;
    bool unsent = false;
    std::optional<RunClock::time_point> lastSent;
    const auto send = [&] {
        work.postToMain([run, reached, total = totalPasses] {
            RunState& state = run->state_;
            state.currentFileIndex = reached.index;
            state.currentPass = reached.pass;
            if (reached.completedPasses) {
                run->updateProgress(static_cast<double>(*reached.completedPasses), total);
            } else {
                run->changed();
            }
        });
        unsent = false;
    };
    const auto report = [&] {
        unsent = true;
        if (work.progressInterval.count() == 0) {
            send();
            return;
        }
        const auto now = RunClock::now();
        if (!lastSent || now - *lastSent >= work.progressInterval) {
            lastSent = now;
            send();
        }
    };
    const auto progress = [&](std::int64_t completed) {
        reached.completedPasses = completed;
        report();
    };

    for (std::size_t index = 0; index < items.size(); ++index) {
        if (*work.stopRequested) {
            return;
        }
        const auto& item = items[index];
        const auto i = static_cast<std::int64_t>(index);
        reached.index = i;
        reached.pass = 0;
        report();

        struct stat info {};
        const bool inspected = ops.statEntry(item.string(), info) == 0;
        if (inspected && S_ISLNK(info.st_mode)) {
            // A link is removed as itself; what it points to is never written or removed.
            if (const PassResult removed = removeDurably(item, ops); !removed) {
                failures.push_back({item, removed.failure});
                continue;
            }
            ++erased;
            progress(i * P + P);
            continue;
        }
        const std::int64_t size =
            inspected && S_ISREG(info.st_mode) ? static_cast<std::int64_t>(info.st_size) : 0;

        bool allPasses = true;
        for (std::int64_t p = 0; p < P; ++p) {
            if (p > 0) {
                if (*work.stopRequested) {
                    return;
                }
                reached.pass = p;
                report();
            }
            const PassResult result = shredPass(item, p, P, work.pass);
            if (!result) {
                failures.push_back({item, result.failure});
                allPasses = false;
                break;
            }
            progress(i * P + p + 1);
        }
        if (allPasses) {
            ++erased;
            bytes += size;
        }
    }

    if (unsent) {
        send();
    }

    for (const auto& entry : work.snapshot) {
        if (isFolder(entry)) {
            removeTree(entry);  // errors are ignored: what could be erased was counted above
        }
    }

    const auto failed = static_cast<std::int64_t>(failures.size());
    work.postToMain([run, erased, bytes, failed, failures = std::move(failures)]() mutable {
        run->finishShredding(erased, bytes, failed, std::move(failures));
    });
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

void EraseRun::finishShredding(std::int64_t erased, std::int64_t bytes, std::int64_t failed,
                               std::vector<ItemFailure> failures) {
    state_.stats = {erased, bytes};
    state_.failedCount = failed;
    state_.failures = std::move(failures);
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
    files_.clear();
    state_.stats = {};
    state_.failedCount = 0;
    state_.failures.clear();
    state_.showCompletionAnimation = false;
    changed();
}

}  // namespace fendry
