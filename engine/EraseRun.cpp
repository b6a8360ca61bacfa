#include "EraseRun.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

#include "FolderHandles.h"

namespace fendry {

namespace {

using Step = PassFailure::Step;

// A folder that cannot be opened again: replaced (by a link, say) or gone for another reason.
PassResult unreachable(int error) {
    const bool replaced = error == ESTALE || error == ELOOP || error == ENOTDIR;
    return replaced ? failedAt(Step::Changed) : failedAt(Step::Unreachable, error);
}

// Where the background work has got to, handed to the main thread whole so that every shown
// combination of file, pass and progress is one the run really reached.
struct Reached {
    std::int64_t index = 0;
    std::int64_t pass = 0;
    std::optional<std::int64_t> completedPasses;  // absent until the first pass completes
};

// Hands the latest point to the main thread: every point when there is no interval; otherwise
// at most one update waits in the queue at a time, no more often than the interval, and the
// last point is always delivered.
class ProgressSender {
public:
    using Post = std::function<void(const Reached&, std::shared_ptr<std::atomic<bool>>)>;

    ProgressSender(Post post, std::chrono::milliseconds interval,
                   std::function<RunClock::time_point()> now)
        : post_(std::move(post)), interval_(interval), now_(std::move(now)) {}

    void update(const Reached& reached) {
        latest_ = reached;
        unsent_ = true;
        sendIfDue();
    }
    void sendIfDue() {
        if (!unsent_) {
            return;
        }
        if (interval_.count() > 0) {
            if (*inQueue_) {
                return;
            }
            const auto now = now_();
            if (lastSent_ && now - *lastSent_ < interval_) {
                return;
            }
            lastSent_ = now;
        }
        send();
    }
    void flush() {
        if (unsent_) {
            send();
        }
    }

private:
    void send() {
        *inQueue_ = true;
        post_(latest_, inQueue_);
        unsent_ = false;
    }

    Post post_;
    std::chrono::milliseconds interval_;
    std::function<RunClock::time_point()> now_;
    Reached latest_;
    bool unsent_ = false;
    std::optional<RunClock::time_point> lastSent_;
    std::shared_ptr<std::atomic<bool>> inQueue_ = std::make_shared<std::atomic<bool>>(false);
};

// Removes, deepest first, the walked folders that the run left empty. A folder that holds
// anything the run did not erase stays, and so does every folder above it; each gets a line.
class FolderRemoval {
public:
    FolderRemoval(const WorkList& list, FileOps& ops, FolderHandles& handles,
                  std::vector<ItemFailure>& failures)
        : list_(list),
          ops_(ops),
          handles_(handles),
          failures_(failures),
          left_(list.folders.size()),
          reported_(list.folders.size()) {}

    // Something below `folder` stays; with `reported`, the folder has a line already.
    void leave(FolderIndex folder, bool reported = false) {
        if (reported) {
            reported_[folder] = true;
        }
        while (folder != kNoFolder && !left_[folder]) {
            left_[folder] = true;
            folder = list_.folders[folder].parent;
        }
    }

    void run() {
        for (const FolderIndex folder : deepestFirst()) {
            if (left_[folder]) {
                if (!reported_[folder]) {
                    fail(folder, Step::FolderKept);
                }
                continue;
            }
            remove(folder);
        }
    }

private:
    void fail(FolderIndex folder, Step step, int error = 0) {
        failures_.push_back({list_.pathOfFolder(folder), {step, error, 0, 0}});
    }

    void remove(FolderIndex folder) {
        const FolderRecord& record = list_.folders[folder];
        const FolderIndex parent = record.parent;
        const std::string name(list_.nameOf(record));
        int parentFd = -1;
        if (const int error = handles_.open(parent, parentFd); error != 0) {
            failures_.push_back({list_.pathOfFolder(folder), unreachable(error).failure});
            leave(parent);
            return;
        }
        struct stat info {};
        if (const int error = ops_.statAt(parentFd, name, info); error != 0) {
            if (error != ENOENT) {  // removed by someone else: nothing is left to remove
                fail(folder, Step::FolderRemove, error);
                leave(parent);
            }
            return;
        }
        if (info.st_dev != record.device || info.st_ino != record.inode) {
            fail(folder, Step::Changed);
            leave(parent);
            return;
        }
        handles_.forget(folder);
        if (const int error = ops_.removeAt(parentFd, name, true); error != 0) {
            fail(folder,
                 error == ENOTEMPTY || error == EEXIST ? Step::FolderAppeared : Step::FolderRemove,
                 error);
            leave(parent);
            return;
        }
        if (const int error = ops_.sync(parentFd); error != 0) {
            fail(folder, Step::SyncFolder, error);
        }
    }

    // Walked folders ordered so that every folder comes before the one holding it.
    std::vector<FolderIndex> deepestFirst() const {
        const auto& folders = list_.folders;
        std::vector<std::uint32_t> depth(folders.size(), 0);
        std::vector<bool> known(folders.size(), false);
        std::vector<FolderIndex> climb;
        std::vector<FolderIndex> order;
        for (FolderIndex folder = 0; folder < folders.size(); ++folder) {
            if (!folders[folder].walked) {
                continue;
            }
            order.push_back(folder);
            // Parents may come after their children in the table (nested pending folders).
            climb.clear();
            for (FolderIndex at = folder; at != kNoFolder && !known[at] && folders[at].walked;
                 at = folders[at].parent) {
                climb.push_back(at);
            }
            for (auto at = climb.rbegin(); at != climb.rend(); ++at) {
                const FolderIndex parent = folders[*at].parent;
                depth[*at] = parent != kNoFolder && known[parent] ? depth[parent] + 1 : 0;
                known[*at] = true;
            }
        }
        std::stable_sort(order.begin(), order.end(), [&depth](FolderIndex a, FolderIndex b) {
            return depth[a] != depth[b] ? depth[a] > depth[b] : a > b;
        });
        return order;
    }

    const WorkList& list_;
    FileOps& ops_;
    FolderHandles& handles_;
    std::vector<ItemFailure>& failures_;
    std::vector<bool> left_;
    std::vector<bool> reported_;
};

}  // namespace

// What the background work owns for its whole duration.
struct EraseRun::Work {
    PendingList snapshot;
    // The previous run's list, let go here rather than on the main thread.
    std::shared_ptr<const WorkList> previousList;
    std::int64_t passes = 1;
    PassContext pass;
    std::function<void(Task)> postToMain;
    std::function<RunClock::time_point()> now;
    std::chrono::milliseconds progressInterval{0};
    std::shared_ptr<std::atomic<bool>> stopRequested;
};

EraseRun::EraseRun(RunEnvironment environment) : environment_(std::move(environment)) {}

void EraseRun::changed() {
    if (onChange_) {
        onChange_();
    }
}

std::optional<std::string> RunState::currentFileName() const {
    if (!workList || currentFileIndex < 0 ||
        currentFileIndex >= static_cast<std::int64_t>(workList->entries.size())) {
        return std::nullopt;
    }
    return std::string(
        workList->nameOf(workList->entries[static_cast<std::size_t>(currentFileIndex)]));
}

void EraseRun::startShredding(PendingList snapshot, const ShredMethod& method) {
    if (state_.isShredding) {
        return;
    }
    state_.isShredding = true;
    state_.shreddingProgress = 0.0;
    state_.currentFileIndex = 0;
    state_.currentPass = 0;
    state_.startTime = environment_.now();
    state_.estimatedTimeRemaining.reset();
    state_.failures.clear();
    state_.stopped = false;
    state_.notReached = 0;
    state_.passesPerFile = method.passes;

    auto work = std::make_shared<Work>();
    work->snapshot = std::move(snapshot);
    work->previousList = std::move(state_.workList);
    work->passes = method.passes;
    work->pass = environment_.pass;
    work->postToMain = environment_.postToMain;
    work->now = environment_.now;
    work->progressInterval = environment_.progressInterval;
    stopRequested_ = std::make_shared<std::atomic<bool>>(false);
    work->stopRequested = stopRequested_;

    state_.workList.reset();
    state_.totalFiles = 0;
    changed();

    environment_.runInBackground([work, this] { performShredding(*work, this); });
}

void EraseRun::performShredding(Work& work, EraseRun* run) {
    work.previousList.reset();
    FileOps& ops = *work.pass.ops;
    const std::atomic<bool>& stopRequested = *work.stopRequested;
    WalkResult walked = walkPendingItems(work.snapshot, ops, &stopRequested);
    const auto list = std::make_shared<const WorkList>(std::move(walked.list));
    const auto& entries = list->entries;
    const std::int64_t P = work.passes;
    const double totalPasses = static_cast<double>(entries.size()) * static_cast<double>(P);
    work.postToMain([run, list] {
        run->state_.workList = list;
        run->state_.totalFiles = static_cast<std::int64_t>(list->entries.size());
        run->changed();
    });

    RunState result;
    result.failures = std::move(walked.failures);
    FolderHandles handles(*list, ops);
    FolderRemoval removal(*list, ops, handles, result.failures);
    for (const auto& kept : walked.foldersToKeep) {
        removal.leave(kept.folder, kept.reported);
    }
    const auto failItem = [&](std::size_t i, const PassResult& failed) {
        result.failures.push_back({list->pathOf(i), failed.failure});
        removal.leave(entries[i].folder);
    };

    ProgressSender progress(
        [&work, run, totalPasses](const Reached& reached,
                                  std::shared_ptr<std::atomic<bool>> inQueue) {
            work.postToMain([run, reached, totalPasses, inQueue] {
                *inQueue = false;
                RunState& state = run->state_;
                state.currentFileIndex = reached.index;
                state.currentPass = reached.pass;
                if (reached.completedPasses) {
                    run->updateProgress(static_cast<double>(*reached.completedPasses), totalPasses);
                } else {
                    run->changed();
                }
            });
        },
        work.progressInterval, work.now);
    PassContext pass = work.pass;
    pass.keepGoing = [&] {
        progress.sendIfDue();
        return !stopRequested;
    };

    Reached reached;
    std::vector<bool> erased(entries.size(), false);  // read for the later names of hard links
    bool stopped = walked.stopped;
    std::size_t begun = 0;  // entries whose erasing began
    for (std::size_t i = 0; i < entries.size() && !stopped; ++i) {
        if (stopRequested) {
            stopped = true;
            break;
        }
        begun = i + 1;
        const auto index = static_cast<std::int64_t>(i);
        reached.index = index;
        reached.pass = 0;
        progress.update(reached);
        // A link, a special file or a later name of a file erased before takes no passes.
        const auto doneWithoutPasses = [&] {
            reached.pass = P - 1;
            reached.completedPasses = index * P + P;
            progress.update(reached);
        };

        const WorkEntry& entry = entries[i];
        const std::string name(list->nameOf(entry));
        int folder = -1;
        if (const int error = handles.open(entry.folder, folder); error != 0) {
            failItem(i, unreachable(error));
            continue;
        }
        if (entry.kind == WorkEntry::Kind::LinkOrSpecial) {
            if (const auto removed = removeEntryDurably(ops, folder, name, entry.inode); !removed) {
                failItem(i, removed);
                continue;
            }
            ++result.stats.linkCount;
            doneWithoutPasses();
            continue;
        }
        if (const auto first = list->firstNameOf(i)) {
            if (!erased[*first]) {
                failItem(i, failedAt(Step::SharedWithFailed));
                continue;
            }
            if (const auto removed = removeEntryDurably(ops, folder, name, entry.inode); !removed) {
                failItem(i, removed);
                continue;
            }
            doneWithoutPasses();
            continue;
        }
        PassTarget target{folder, name, entry.inode, 1};
        if (const auto* link = list->hardLinkAt(i)) {
            if (link->namesInRun < link->links) {
                failItem(i, failedAt(Step::OtherNames, 0, link->links - link->namesInRun));
                continue;
            }
            target.namesInRun = link->namesInRun;
        }

        std::int64_t size = 0;
        bool allPasses = true;
        for (std::int64_t p = 0; p < P; ++p) {
            if (p > 0) {
                reached.pass = p;
                progress.update(reached);
            }
            const PassResult done =
                stopRequested ? failedAt(Step::Stopped) : shredPass(target, p, P, pass);
            if (p == 0) {
                size = done.size;
            }
            if (!done) {
                stopped = done.failure.step == Step::Stopped;
                failItem(i, done);
                allPasses = false;
                break;
            }
            reached.completedPasses = index * P + p + 1;
            progress.update(reached);
        }
        if (allPasses) {
            erased[i] = true;
            ++result.stats.fileCount;
            result.stats.totalSize += size;
        }
    }
    progress.flush();

    if (stopped) {
        // What was not reached stays, and so do the folders that hold it.
        result.stopped = true;
        result.notReached = static_cast<std::int64_t>(entries.size() - begun);
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
