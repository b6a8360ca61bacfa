#include "EntryEraser.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>

#include "Keystream.h"
#include "NameWipe.h"

namespace fendry {

namespace {

using Step = PassFailure::Step;
using Clock = std::chrono::steady_clock;

// Removals from one folder wait for one sync together until this many wait, or the oldest has
// waited this long (slow, large files), or no more can join them.
constexpr std::size_t kRemovalsPerSync = 512;
constexpr std::chrono::milliseconds kLongestSyncWait{1000};

// A descriptor of one folder, shared by the workers busy in it and by the removals awaiting its
// sync; the last one to let go closes it.
class SharedFolder {
public:
    SharedFolder(FileOps& ops, FolderIndex index, int fd) : ops_(ops), index_(index), fd_(fd) {}
    ~SharedFolder() { ops_.close(fd_); }
    SharedFolder(const SharedFolder&) = delete;
    SharedFolder& operator=(const SharedFolder&) = delete;

    FolderIndex index() const { return index_; }
    int fd() const { return fd_; }

private:
    FileOps& ops_;
    FolderIndex index_;
    int fd_;
};

enum class What : std::uint8_t { File, LinkOrSpecial, LaterName };

// An entry renamed away in its folder, waiting for the sync of its new name, its removal and
// the sync of that.
struct Removal {
    std::size_t entry = 0;
    What what = What::File;
    std::int64_t size = 0;  // a file's, read before its first pass
    std::string name;       // the random name it has now
    bool verified = false;  // it read back as written
};

// One entry that a worker erases or removes.
struct Task {
    std::size_t entry = 0;
    What what = What::File;
    nlink_t names = 1;
    std::shared_ptr<SharedFolder> folder;
};

struct Outcome {
    enum class Kind : std::uint8_t { Renamed, Failed, NotBegun };
    Kind kind = Kind::Renamed;
    PassFailure failure;    // Failed
    std::int64_t size = 0;  // Renamed
    std::string renamed;    // Renamed: its random name
    bool verified = false;  // Renamed: it read back as written
    bool throughCache = false;  // it was read back through the page cache
};

// The workers take the entries in order from one shared state, each erasing its file on its own
// and coming back only to take the next entry and to say how it went; the state is kept under
// one lock, which no one holds while a file is written or synced.
class Eraser {
public:
    explicit Eraser(const EntryEraserSetup& setup)
        : setup_(setup), list_(setup.list), ops_(*setup.pass.ops) {}

    EntriesErased run();

private:
    using Lock = std::unique_lock<std::mutex>;

    struct Batch {
        std::shared_ptr<SharedFolder> folder;
        std::vector<Removal> removals;
        Clock::time_point since;
    };

    void work();
    std::optional<Task> prepare(std::size_t entry, Lock& lock);
    Outcome erase(const Task& task);
    void finish(const Task& task, const Outcome& outcome, Lock& lock);
    void endBeginning(Lock& lock);
    std::shared_ptr<SharedFolder> folderOf(FolderIndex folder, int& error, Lock& lock);
    bool firstNameErased(std::size_t first, Lock& lock);
    void syncBatch(FolderIndex folder, Lock& lock);
    bool settled(FolderIndex folder) const;
    void leftFolder(FolderIndex folder);
    void count(const Removal& removal);
    void fail(std::size_t entry, const PassFailure& failure);
    void settle(std::size_t entry, bool erased);

    const EntryEraserSetup& setup_;
    const WorkList& list_;
    FileOps& ops_;

    std::mutex mutex_;
    std::condition_variable firstNameKnown_;  // a hard-linked file's first name was settled or
                                              // is waiting for its folder's sync
    std::size_t next_ = 0;                    // the next entry to begin
    bool beginning_ = true;                   // entries may still begin
    std::size_t filesInFlight_ = 0;
    std::size_t syncsInFlight_ = 0;
    std::unordered_map<FolderIndex, std::size_t> filesInFolder_;  // in flight, per folder
    std::unordered_map<FolderIndex, Batch> batches_;
    std::shared_ptr<SharedFolder> current_;             // the folder of the entry begun last
    std::unordered_map<std::size_t, bool> firstNames_;  // of hard-linked files: erased or not
    EntriesErased result_;
};

EntriesErased Eraser::run() {
    result_.results.assign(list_.entries.size(), EntryResult::NotReached);
    std::vector<std::thread> workers;
    for (std::size_t i = 0; i < std::max<std::size_t>(setup_.filesInFlight, 1); ++i) {
        workers.emplace_back([this] { work(); });
    }
    for (auto& worker : workers) {
        worker.join();
    }
    Lock lock(mutex_);
    while (!batches_.empty()) {  // none should be left; a removal is never left uncounted
        syncBatch(batches_.begin()->first, lock);
    }
    result_.notReached += list_.entries.size() - next_;
    std::stable_sort(result_.failures.begin(), result_.failures.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return std::move(result_);
}

void Eraser::work() {
    Lock lock(mutex_);
    while (beginning_) {
        if (setup_.stop || next_ == list_.entries.size()) {
            endBeginning(lock);
            return;
        }
        const std::size_t entry = next_++;
        setup_.progress.began(entry);
        if (const std::optional<Task> task = prepare(entry, lock)) {
            lock.unlock();
            const Outcome outcome = erase(*task);
            lock.lock();
            finish(*task, outcome, lock);
        }
        setup_.progress.ended(entry, list_.entries[entry].kind == WorkEntry::Kind::RegularFile);
    }
}

// What erasing `entry` takes, or nothing when it cannot begin (and has its line already).
std::optional<Task> Eraser::prepare(std::size_t entry, Lock& lock) {
    const auto refuse = [&](const PassFailure& failure) {
        fail(entry, failure);
        setup_.progress.failed(setup_.passes);
        return std::nullopt;
    };
    const WorkEntry& record = list_.entries[entry];
    Task task;
    task.entry = entry;
    int error = 0;
    task.folder = folderOf(record.folder, error, lock);
    if (!task.folder) {
        return refuse(folderUnreachable(error).failure);
    }
    task.what = record.kind == WorkEntry::Kind::LinkOrSpecial ? What::LinkOrSpecial : What::File;
    if (task.what == What::File) {
        if (const auto first = list_.firstNameOf(entry)) {
            const bool firstErased = firstNameErased(*first, lock);
            if (setup_.stop) {  // stopped while this entry waited for its first name
                result_.stopped = true;
                ++result_.notReached;
                return std::nullopt;
            }
            if (!firstErased) {
                return refuse(failedAt(Step::SharedWithFailed).failure);
            }
            task.what = What::LaterName;
        } else if (const auto* link = list_.hardLinkAt(entry)) {
            if (link->namesInRun < link->links) {
                return refuse(
                    failedAt(Step::OtherNames, 0, link->links - link->namesInRun).failure);
            }
            task.names = link->namesInRun;
        }
    }
    ++filesInFlight_;
    ++filesInFolder_[record.folder];
    return task;
}

// Every pass of one file, then its name overwritten; or the name of a link or a later name
// overwritten. Without the lock.
Outcome Eraser::erase(const Task& task) {
    Outcome outcome;
    const auto fail = [&](const PassFailure& failure, std::int64_t passesLeft) {
        setup_.progress.failed(passesLeft);
        outcome.kind = Outcome::Kind::Failed;
        outcome.failure = failure;
        return outcome;
    };
    if (setup_.stop) {
        outcome.kind = Outcome::Kind::NotBegun;
        return outcome;
    }
    const WorkEntry& record = list_.entries[task.entry];
    const std::string name(list_.nameOf(record));
    const std::int64_t passes = setup_.passes;
    const int fd = task.folder->fd();
    const Identity identity = record.identity(list_.folders[record.folder].device);
    if (task.what != What::File) {
        if (const auto renamed = renameAway(ops_, fd, name, identity, outcome.renamed); !renamed) {
            return fail(renamed.failure, passes);
        }
        setup_.progress.doneWithoutPasses(task.entry);
        return outcome;
    }
    const PassTarget target{fd, name, identity, task.names};
    for (std::int64_t pass = 0; pass < passes; ++pass) {
        if (pass > 0) {
            setup_.progress.passBegan(task.entry, pass);
        }
        const bool last = pass == passes - 1;
        // The last pass of a file to be read back writes bytes that can be made again.
        std::optional<Keystream> keystream;
        PassContext context = setup_.pass;
        if (last && setup_.readBack) {
            keystream.emplace();
            context.random = [&keystream](std::span<std::byte> bytes) {
                return keystream->keyed() && keystream->next(bytes);
            };
        }
        PassResult done =
            pass > 0 && setup_.stop ? failedAt(Step::Stopped) : shredPass(target, context);
        if (pass == 0) {
            outcome.size = done.size;
        }
        if (done && keystream) {
            setup_.progress.passDone();
            setup_.progress.readBackBegan(task.entry);
            done = readBack(target, *keystream, context, outcome.throughCache);
            outcome.verified = done.succeeded;
            if (!done) {
                // Stopped while it was read back, it was overwritten all the same.
                return fail(done.failure.step == Step::Stopped
                                ? failedAt(Step::ReadBack, ECANCELED).failure
                                : done.failure,
                            1);
            }
        }
        // The name goes with the last pass.
        if (done && last) {
            done = renameAway(ops_, fd, name, identity, outcome.renamed);
        }
        if (!done) {
            if (pass == 0 && done.failure.step == Step::Stopped && done.failure.offset == 0) {
                outcome.kind = Outcome::Kind::NotBegun;  // stopped before its first byte
                return outcome;
            }
            // Read back already counted its pass; otherwise this pass and those after it are
            // left unwritten, and the reading back too.
            return fail(done.failure,
                        outcome.verified ? 1 : passes - pass + (setup_.readBack ? 1 : 0));
        }
        setup_.progress.passDone();
    }
    return outcome;
}

void Eraser::finish(const Task& task, const Outcome& outcome, Lock& lock) {
    --filesInFlight_;
    const FolderIndex folder = list_.entries[task.entry].folder;
    leftFolder(folder);
    switch (outcome.kind) {
        case Outcome::Kind::Renamed: {
            Batch& batch = batches_[folder];
            const auto now = setup_.now();
            if (batch.removals.empty()) {
                batch.folder = task.folder;
                batch.since = now;
            }
            batch.removals.push_back(
                {task.entry, task.what, outcome.size, outcome.renamed, outcome.verified});
            if (outcome.throughCache) {
                const dev_t device = list_.folders[folder].device;
                auto& devices = result_.readThroughCache;
                if (std::find(devices.begin(), devices.end(), device) == devices.end()) {
                    devices.push_back(device);
                }
            }
            if (list_.hardLinkAt(task.entry) != nullptr) {
                firstNameKnown_.notify_all();  // a later name may want it synced now
            }
            if (batch.removals.size() >= kRemovalsPerSync ||
                now - batch.since >= kLongestSyncWait) {
                syncBatch(folder, lock);
                return;
            }
            break;
        }
        case Outcome::Kind::Failed:
            result_.stopped = result_.stopped || outcome.failure.step == Step::Stopped;
            fail(task.entry, outcome.failure);
            break;
        case Outcome::Kind::NotBegun:
            result_.stopped = true;
            ++result_.notReached;
            settle(task.entry, false);
            break;
    }
    if (settled(folder)) {
        syncBatch(folder, lock);
    }
}

// No entry begins any more: every batch that no file in flight can join is synced now; the
// others are synced by whoever finishes the last file of their folder.
void Eraser::endBeginning(Lock& lock) {
    beginning_ = false;
    result_.stopped = result_.stopped || next_ < list_.entries.size();
    current_.reset();
    for (;;) {
        const auto idle = std::find_if(batches_.begin(), batches_.end(),
                                       [this](const auto& batch) { return settled(batch.first); });
        if (idle == batches_.end()) {
            return;
        }
        syncBatch(idle->first, lock);
    }
}

std::shared_ptr<SharedFolder> Eraser::folderOf(FolderIndex folder, int& error, Lock& lock) {
    if (current_ && current_->index() == folder) {
        return current_;
    }
    // The handles are used under the lock only; workers get a descriptor of their own.
    int fd = -1;
    if ((error = setup_.handles.open(folder, fd)) != 0) {
        return nullptr;
    }
    int own = -1;
    if ((error = ops_.duplicate(fd, own)) != 0) {
        return nullptr;
    }
    auto opened = std::make_shared<SharedFolder>(ops_, folder, own);
    if (const auto previous = std::exchange(current_, opened);
        previous && settled(previous->index())) {
        syncBatch(previous->index(), lock);
    }
    return opened;
}

// Whether the first name of a hard-linked file was erased, waiting for it if it is in flight.
bool Eraser::firstNameErased(std::size_t first, Lock& lock) {
    const FolderIndex folder = list_.entries[first].folder;
    for (;;) {
        if (const auto known = firstNames_.find(first); known != firstNames_.end()) {
            return known->second;
        }
        // Its removal may be waiting for the sync of its folder.
        if (const auto batch = batches_.find(folder); batch != batches_.end()) {
            const auto& removals = batch->second.removals;
            if (std::any_of(removals.begin(), removals.end(),
                            [first](const Removal& removal) { return removal.entry == first; })) {
                syncBatch(folder, lock);
                continue;
            }
        }
        if (filesInFlight_ + syncsInFlight_ == 0) {
            return false;  // nothing under way could settle it
        }
        firstNameKnown_.wait(lock);
    }
}

// Syncs the folder once for the new names of the entries waiting in it, removes them, syncs it
// once more, then counts them; the lock is let go meanwhile.
void Eraser::syncBatch(FolderIndex folder, Lock& lock) {
    const auto found = batches_.find(folder);
    if (found == batches_.end()) {
        return;
    }
    Batch batch = std::move(found->second);
    batches_.erase(found);
    ++syncsInFlight_;
    lock.unlock();
    const int fd = batch.folder->fd();
    const int renamesSynced = ops_.sync(fd);
    std::vector<PassResult> removed;
    for (const Removal& removal : batch.removals) {
        const WorkEntry& record = list_.entries[removal.entry];
        removed.push_back(renamesSynced != 0
                              ? failedAt(Step::Rename, renamesSynced)
                              : removeEntry(ops_, fd, removal.name,
                                            record.identity(list_.folders[record.folder].device)));
        // What stays is found under its own name again, unless something else took its place.
        const Step step = removed.back().failure.step;
        if (!removed.back() && step != Step::Changed && step != Step::NameTaken) {
            ops_.renameAt(fd, removal.name, std::string(list_.nameOf(record)));
        }
    }
    const int removalsSynced = renamesSynced == 0 ? ops_.sync(fd) : renamesSynced;
    batch.folder.reset();
    lock.lock();
    --syncsInFlight_;
    for (std::size_t i = 0; i < batch.removals.size(); ++i) {
        const Removal& removal = batch.removals[i];
        if (!removed[i]) {
            fail(removal.entry, removed[i].failure);
        } else if (removalsSynced != 0) {
            fail(removal.entry, failedAt(Step::SyncFolder, removalsSynced).failure);
        } else {
            count(removal);
        }
    }
}

// No more removals can join the folder's batch for now: no file of it is in flight, and the
// next entry to begin is in another folder.
bool Eraser::settled(FolderIndex folder) const {
    return filesInFolder_.count(folder) == 0 && !(current_ && current_->index() == folder);
}

void Eraser::leftFolder(FolderIndex folder) {
    const auto found = filesInFolder_.find(folder);
    if (--found->second == 0) {
        filesInFolder_.erase(found);
    }
}

void Eraser::count(const Removal& removal) {
    result_.results[removal.entry] =
        removal.verified ? EntryResult::ErasedAndVerified : EntryResult::Erased;
    switch (removal.what) {
        case What::File:
            ++result_.fileCount;
            result_.totalSize += removal.size;
            break;
        case What::LinkOrSpecial: ++result_.linkCount; break;
        case What::LaterName: break;  // the file was counted under its first name
    }
    settle(removal.entry, true);
}

void Eraser::fail(std::size_t entry, const PassFailure& failure) {
    result_.results[entry] = EntryResult::NotErased;
    result_.failures.emplace_back(entry, failure);
    settle(entry, false);
}

void Eraser::settle(std::size_t entry, bool erased) {
    if (list_.hardLinkAt(entry) != nullptr) {
        firstNames_[entry] = erased;
        firstNameKnown_.notify_all();
    }
}

}  // namespace

EntriesErased eraseEntries(const EntryEraserSetup& setup) {
    return Eraser(setup).run();
}

}  // namespace fendry
