#include "EntryEraser.h"

#include <algorithm>
#include <memory>
#include <string>
#include <unordered_map>

#include "BlockingQueue.h"
#include "WorkerPool.h"

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

// An entry removed from its folder whose removal is not synced yet.
struct Removal {
    std::size_t entry = 0;
    What what = What::File;
    std::int64_t size = 0;  // a file's, read before its first pass
};

// What a worker hands back to the thread that hands out the entries.
struct Report {
    enum class Kind : std::uint8_t { Removed, Failed, NotBegun, Synced };
    Kind kind = Kind::Removed;
    std::shared_ptr<SharedFolder> folder;  // where the entry was; not for Synced
    Removal removal;                       // the entry, for every kind but Synced
    PassFailure failure;                   // Failed
    std::vector<Removal> synced;           // Synced: the removals the sync was for
    int error = 0;                         // Synced
};

class Eraser {
public:
    explicit Eraser(const EntryEraserSetup& setup)
        : setup_(setup),
          list_(setup.list),
          ops_(*setup.pass.ops),
          inFlightLimit_(std::max<std::size_t>(setup.filesInFlight, 1)),
          pool_(inFlightLimit_) {}

    EntriesErased run();

private:
    struct Batch {
        std::shared_ptr<SharedFolder> folder;
        std::vector<Removal> removals;
        Clock::time_point since;
    };

    void begin(std::size_t entry);
    std::shared_ptr<SharedFolder> folderOf(FolderIndex folder, int& error);
    Report work(std::size_t entry, What what, nlink_t names, std::shared_ptr<SharedFolder> folder);
    void handle(Report report);
    void sync(FolderIndex folder);
    void syncIfSettled(FolderIndex folder);
    bool settled(FolderIndex folder) const;
    void leftFolder(FolderIndex folder);
    bool firstNameErased(std::size_t first);
    void count(const Removal& removal);
    void fail(std::size_t entry, const PassFailure& failure);
    void settle(std::size_t entry, bool erased);

    const EntryEraserSetup& setup_;
    const WorkList& list_;
    FileOps& ops_;
    const std::size_t inFlightLimit_;
    BlockingQueue<Report> reports_;
    std::size_t filesInFlight_ = 0;
    std::size_t syncsInFlight_ = 0;
    std::unordered_map<FolderIndex, std::size_t> filesInFolder_;  // in flight, per folder
    std::unordered_map<FolderIndex, Batch> batches_;
    std::shared_ptr<SharedFolder> current_;             // the folder of the entry begun last
    std::unordered_map<std::size_t, bool> firstNames_;  // of hard-linked files: erased or not
    EntriesErased result_;
    WorkerPool pool_;  // last, so that its threads end before anything they use goes
};

EntriesErased Eraser::run() {
    const std::size_t total = list_.entries.size();
    std::size_t begun = 0;
    for (; begun < total; ++begun) {
        while (filesInFlight_ >= inFlightLimit_) {
            handle(*reports_.pop());
        }
        if (setup_.stop) {
            result_.stopped = true;
            break;
        }
        setup_.progress.began(begun);
        begin(begun);
    }
    result_.notReached += total - begun;
    // Nothing more joins a batch: each is synced once its folder has no file in flight.
    if (const auto last = std::exchange(current_, nullptr)) {
        syncIfSettled(last->index());
    }
    while (filesInFlight_ + syncsInFlight_ > 0) {
        handle(*reports_.pop());
    }
    std::stable_sort(result_.failures.begin(), result_.failures.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return std::move(result_);
}

void Eraser::begin(std::size_t entry) {
    const auto refuse = [&](const PassFailure& failure) {
        fail(entry, failure);
        setup_.progress.failed(setup_.passes);
    };
    const WorkEntry& record = list_.entries[entry];
    int error = 0;
    std::shared_ptr<SharedFolder> folder = folderOf(record.folder, error);
    if (!folder) {
        refuse(folderUnreachable(error).failure);
        return;
    }
    What what = record.kind == WorkEntry::Kind::LinkOrSpecial ? What::LinkOrSpecial : What::File;
    nlink_t names = 1;
    if (what == What::File) {
        if (const auto first = list_.firstNameOf(entry)) {
            const bool firstErased = firstNameErased(*first);
            if (setup_.stop) {  // stopped while this entry waited for its first name
                result_.stopped = true;
                ++result_.notReached;
                return;
            }
            if (!firstErased) {
                refuse(failedAt(Step::SharedWithFailed).failure);
                return;
            }
            what = What::LaterName;
        } else if (const auto* link = list_.hardLinkAt(entry)) {
            if (link->namesInRun < link->links) {
                refuse(failedAt(Step::OtherNames, 0, link->links - link->namesInRun).failure);
                return;
            }
            names = link->namesInRun;
        }
    }
    ++filesInFlight_;
    ++filesInFolder_[folder->index()];
    pool_.submit([this, entry, what, names, folder = std::move(folder)]() mutable {
        reports_.push(work(entry, what, names, std::move(folder)));
    });
}

std::shared_ptr<SharedFolder> Eraser::folderOf(FolderIndex folder, int& error) {
    if (current_ && current_->index() == folder) {
        return current_;
    }
    // The handles are for this thread alone; workers get a descriptor of their own.
    int fd = -1;
    if ((error = setup_.handles.open(folder, fd)) != 0) {
        return nullptr;
    }
    int own = -1;
    if ((error = ops_.duplicate(fd, own)) != 0) {
        return nullptr;
    }
    const auto previous =
        std::exchange(current_, std::make_shared<SharedFolder>(ops_, folder, own));
    if (previous) {
        syncIfSettled(previous->index());
    }
    return current_;
}

// On a worker: every pass of one file, or the removal of a link or a later name.
Report Eraser::work(std::size_t entry, What what, nlink_t names,
                    std::shared_ptr<SharedFolder> folder) {
    Report report;
    report.folder = std::move(folder);
    report.removal = {entry, what, 0};
    const auto fail = [&](const PassFailure& failure, std::int64_t passesLeft) {
        setup_.progress.failed(passesLeft);
        report.kind = Report::Kind::Failed;
        report.failure = failure;
        return report;
    };
    if (setup_.stop) {
        report.kind = Report::Kind::NotBegun;
        return report;
    }
    const WorkEntry& record = list_.entries[entry];
    const std::string name(list_.nameOf(record));
    const std::int64_t passes = setup_.passes;
    const int fd = report.folder->fd();
    if (what != What::File) {
        if (const auto removed = removeEntry(ops_, fd, name, record.inode); !removed) {
            return fail(removed.failure, passes);
        }
        setup_.progress.doneWithoutPasses(entry);
        return report;
    }
    const PassTarget target{fd, name, record.inode, names};
    for (std::int64_t pass = 0; pass < passes; ++pass) {
        if (pass > 0) {
            setup_.progress.passBegan(entry, pass);
        }
        const PassResult done = pass > 0 && setup_.stop
                                    ? failedAt(Step::Stopped)
                                    : shredPass(target, pass, passes, setup_.pass);
        if (pass == 0) {
            report.removal.size = done.size;
        }
        if (!done) {
            if (pass == 0 && done.failure.step == Step::Stopped && done.failure.offset == 0) {
                report.kind = Report::Kind::NotBegun;  // stopped before its first byte
                return report;
            }
            return fail(done.failure, passes - pass);
        }
        setup_.progress.passDone();
    }
    return report;
}

void Eraser::handle(Report report) {
    if (report.kind == Report::Kind::Synced) {
        --syncsInFlight_;
        for (const Removal& removal : report.synced) {
            if (report.error == 0) {
                count(removal);
            } else {
                fail(removal.entry, failedAt(Step::SyncFolder, report.error).failure);
            }
        }
        return;
    }
    --filesInFlight_;
    const FolderIndex folder = report.folder->index();
    leftFolder(folder);
    switch (report.kind) {
        case Report::Kind::Removed: {
            Batch& batch = batches_[folder];
            const auto now = setup_.now();
            if (batch.removals.empty()) {
                batch.folder = std::move(report.folder);
                batch.since = now;
            }
            batch.removals.push_back(report.removal);
            if (batch.removals.size() >= kRemovalsPerSync ||
                now - batch.since >= kLongestSyncWait || settled(folder)) {
                sync(folder);
            }
            return;
        }
        case Report::Kind::Failed:
            result_.stopped = result_.stopped || report.failure.step == Step::Stopped;
            fail(report.removal.entry, report.failure);
            break;
        case Report::Kind::NotBegun:
            result_.stopped = true;
            ++result_.notReached;
            settle(report.removal.entry, false);
            break;
        case Report::Kind::Synced: break;
    }
    syncIfSettled(folder);
}

// Hands the removals waiting in `folder` to a worker to sync.
void Eraser::sync(FolderIndex folder) {
    const auto found = batches_.find(folder);
    if (found == batches_.end()) {
        return;
    }
    auto batch = std::make_shared<Batch>(std::move(found->second));
    batches_.erase(found);
    ++syncsInFlight_;
    pool_.submit([this, batch] {
        Report report;
        report.kind = Report::Kind::Synced;
        report.error = ops_.sync(batch->folder->fd());
        report.synced = std::move(batch->removals);
        batch->folder.reset();
        reports_.push(std::move(report));
    });
}

void Eraser::syncIfSettled(FolderIndex folder) {
    if (settled(folder)) {
        sync(folder);
    }
}

// No more removals can join the folder's batch for now: no file of it is in flight, and the
// next entry will be in another folder.
bool Eraser::settled(FolderIndex folder) const {
    return filesInFolder_.count(folder) == 0 && !(current_ && current_->index() == folder);
}

void Eraser::leftFolder(FolderIndex folder) {
    const auto found = filesInFolder_.find(folder);
    if (--found->second == 0) {
        filesInFolder_.erase(found);
    }
}

// Whether the first name of a hard-linked file was erased, waiting for it if it is in flight.
bool Eraser::firstNameErased(std::size_t first) {
    for (;;) {
        if (const auto known = firstNames_.find(first); known != firstNames_.end()) {
            return known->second;
        }
        // Its removal may be waiting for the sync of its folder.
        const FolderIndex folder = list_.entries[first].folder;
        if (const auto batch = batches_.find(folder); batch != batches_.end()) {
            const auto& removals = batch->second.removals;
            if (std::any_of(removals.begin(), removals.end(),
                            [first](const Removal& removal) { return removal.entry == first; })) {
                sync(folder);
            }
        }
        if (filesInFlight_ + syncsInFlight_ == 0) {
            return false;
        }
        handle(*reports_.pop());
    }
}

void Eraser::count(const Removal& removal) {
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
    result_.failures.emplace_back(entry, failure);
    settle(entry, false);
}

void Eraser::settle(std::size_t entry, bool erased) {
    if (list_.hardLinkAt(entry) != nullptr) {
        firstNames_[entry] = erased;
    }
}

}  // namespace

EntriesErased eraseEntries(const EntryEraserSetup& setup) {
    return Eraser(setup).run();
}

}  // namespace fendry
