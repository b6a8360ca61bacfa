#include "FreeSpaceWipe.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <set>
#include <vector>

#include "Ext4Journal.h"
#include "RandomAhead.h"

namespace fendry {

namespace {

using Step = WipeProgress::Step;
using Journal = WipeResult::Journal;

// How much a fill writes before it asks the kernel to write it back; it waits for the range
// before that, so that the device always has work and no more than two ranges are dirty.
constexpr std::int64_t kWritebackRange = 32 * 1'048'576;
// A round of the journal churn is repeated until at least this share of the journal has been
// logged, by our own count of the blocks it must have logged.
constexpr double kJournalMargin = 1.1;
// ext4's smallest inode; more of them share a block than of any larger size, so it gives the
// fewest distinct blocks a set of inodes can lie in.
constexpr std::int64_t kSmallestInode = 128;

// Descriptors that the inode step leaves for the rest of the process.
constexpr std::int64_t kDescriptorsLeft = 256;

std::int64_t openDescriptors() {
    std::error_code error;
    std::int64_t count = 0;
    for (std::filesystem::directory_iterator it("/proc/self/fd", error), end; !error && it != end;
         it.increment(error)) {
        ++count;
    }
    return count;
}

// The descriptors of files without a name; letting them go gives their space back.
class NamelessFiles {
public:
    NamelessFiles() = default;
    ~NamelessFiles() { release(); }
    NamelessFiles(const NamelessFiles&) = delete;
    NamelessFiles& operator=(const NamelessFiles&) = delete;

    // Makes one more in `folder`: its descriptor, or -1 with errno set.
    int make(int folder) {
        const int fd = ::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (fd >= 0) {
            fds_.push_back(fd);
        }
        return fd;
    }
    // Swaps the writable descriptor `fd` for a read-only one to the same file. ext4 keeps the
    // blocks it set aside for a file's next writes (its preallocation) until the file has no
    // writer left; they count as used, so a fill would never write them. False when the file
    // cannot be opened again; `fd` then stays.
    bool seal(int fd) {
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        const int readOnly = ::open(self.c_str(), O_RDONLY | O_CLOEXEC);
        if (readOnly < 0) {
            return false;
        }
        std::replace(fds_.begin(), fds_.end(), fd, readOnly);
        ::close(fd);
        return true;
    }
    const std::vector<int>& fds() const { return fds_; }
    void release() {
        for (const int fd : fds_) {
            ::close(fd);
        }
        fds_.clear();
    }

private:
    std::vector<int> fds_;
};

// Lets this process hold more descriptors while it lives: the soft limit up to the hard one.
class MoreDescriptors {
public:
    MoreDescriptors() {
        if (::getrlimit(RLIMIT_NOFILE, &before_) == 0 && before_.rlim_cur < before_.rlim_max) {
            rlimit raised = before_;
            raised.rlim_cur = raised.rlim_max;
            raised_ = ::setrlimit(RLIMIT_NOFILE, &raised) == 0;
        }
    }
    ~MoreDescriptors() {
        if (raised_) {
            ::setrlimit(RLIMIT_NOFILE, &before_);
        }
    }
    MoreDescriptors(const MoreDescriptors&) = delete;
    MoreDescriptors& operator=(const MoreDescriptors&) = delete;

private:
    rlimit before_{};
    bool raised_ = false;
};

class Wipe {
public:
    Wipe(const FreeSpaceTarget& target, const WipeContext& context, int folder)
        : target_(target), context_(context), folder_(folder) {}

    WipeResult run() {
        struct statfs at {};
        if (::fstatfs(folder_, &at) == 0) {
            progress_.planned =
                static_cast<std::int64_t>(target_.privileged ? at.f_bfree : at.f_bavail) *
                static_cast<std::int64_t>(at.f_bsize);
        }
        deviceName_ = blockDeviceName(target_.deviceNumber);
        fill();
        if (!result_.failure && !result_.stopped) {
            takeInodes();
        }
        if (!result_.failure && !result_.stopped) {
            overwriteJournal();
        }
        inodes_.release();
        return result_;
    }

private:
    bool keepGoing() {
        if (context_.keepGoing && !context_.keepGoing()) {
            result_.stopped = true;
        }
        return !result_.stopped;
    }
    void tell(Step step, double done = 0) {
        progress_.step = step;
        progress_.stepDone = done;
        progress_.written = result_.written;
        if (context_.progress) {
            context_.progress(progress_);
        }
    }
    void fail(WipeFailure::Step step, int error) { result_.failure = WipeFailure{step, error}; }

    enum class Stop { Reached, Full, Quota, TooBig, Failed, Stopped };

    // Fills the free space. The bulk goes in one stream, as fast as the device takes it; then
    // each file is sealed, which frees what ext4 or XFS set aside for its next writes, and the
    // rest is allocated exactly (fallocate sets nothing aside) and overwritten, until nothing
    // more fits. On ext4, run as root, the clusters it keeps back for itself come last.
    void fill() {
        tell(Step::Fill);
        NamelessFiles files;
        RandomAhead random(context_.random);
        random.request(static_cast<std::size_t>(kFillChunkSize));
        random_ = &random;
        bool quota = false;
        std::unique_ptr<Ext4ReserveLowered> reserve;
        Stop stop = Stop::TooBig;
        while (stop == Stop::TooBig) {  // a file can only grow so large
            const int fd = files.make(folder_);
            if (fd < 0) {
                fail(WipeFailure::Step::Create, errno);
                stop = Stop::Failed;
                break;
            }
            std::int64_t offset = 0;
            stop = writeRandom(fd, offset, std::nullopt);
            if (stop != Stop::Failed && !syncFile(fd)) {
                stop = Stop::Failed;
            }
            files.seal(fd);
        }
        quota = stop == Stop::Quota;
        bool allocates = true;  // the file system knows fallocate
        while (stop == Stop::Full || stop == Stop::Quota || stop == Stop::Reached) {
            const std::int64_t before = result_.written;
            const std::int64_t room = roomLeft();
            if (room >= target_.blockSize) {
                const int fd = files.make(folder_);
                if (fd < 0) {
                    break;  // nothing more fits, not even an inode
                }
                if (allocates) {
                    stop = fillExactly(fd, room, allocates);
                }
                if (!allocates) {
                    stop = fillByShrinkingWrites(fd);
                }
                if (stop != Stop::Failed && !syncFile(fd)) {
                    stop = Stop::Failed;
                }
                files.seal(fd);
                quota = quota || stop == Stop::Quota;
            }
            if (result_.written > before) {
                continue;
            }
            if (!reserve && target_.privileged && target_.magic == EXT4_SUPER_MAGIC &&
                deviceName_) {
                reserve = std::make_unique<Ext4ReserveLowered>(*deviceName_);
                if (reserve->lowered()) {
                    continue;
                }
            }
            break;
        }
        random_ = nullptr;
        // The blocks the file system took for the files' own metadata (their extent trees)
        // were free blocks too, and reach them only when written home, which letting the files
        // go first would cancel.
        if (stop != Stop::Failed && stop != Stop::Stopped && ::syncfs(folder_) != 0) {
            fail(WipeFailure::Step::Sync, errno);
        }
        account(quota);
        reserve.reset();
        // The fill is over: the space goes back before anything else is done.
        files.release();
    }

    // The free space this process may still write, as the file system counts it.
    std::int64_t roomLeft() {
        struct statfs now {};
        if (::fstatfs(folder_, &now) != 0) {
            return 0;
        }
        const std::uint64_t blocks = target_.privileged ? now.f_bfree : now.f_bavail;
        return static_cast<std::int64_t>(blocks) * static_cast<std::int64_t>(now.f_bsize);
    }

    // Allocates up to `room` bytes of the empty file `fd`, fewer while that does not fit, and
    // overwrites all it got. `allocates` turns false when the file system has no fallocate.
    Stop fillExactly(int fd, std::int64_t room, bool& allocates) {
        std::int64_t length = room / target_.blockSize * target_.blockSize;
        bool quota = false;
        while (length >= target_.blockSize) {
            if (::fallocate(fd, 0, 0, length) == 0) {
                std::int64_t offset = 0;
                return writeRandom(fd, offset, length);
            }
            const int error = errno;
            // What a failed call allocated would stay unwritten: let it go first.
            if (::ftruncate(fd, 0) != 0) {
                fail(WipeFailure::Step::Write, errno);
                return Stop::Failed;
            }
            if (error == EOPNOTSUPP) {
                allocates = false;
                return Stop::Full;
            }
            if (error != ENOSPC && error != EDQUOT) {
                fail(WipeFailure::Step::Write, error);
                return Stop::Failed;
            }
            quota = quota || error == EDQUOT;
            length = length / 2 / target_.blockSize * target_.blockSize;
        }
        return quota ? Stop::Quota : Stop::Full;
    }

    // Without fallocate: writes that halve at every refusal, down to a block.
    Stop fillByShrinkingWrites(int fd) {
        std::int64_t offset = 0;
        std::int64_t chunk = kFillChunkSize;
        Stop stop = Stop::Full;
        while (chunk >= target_.blockSize) {
            stop = writeRandom(fd, offset, offset + chunk);
            if (stop == Stop::Reached) {
                continue;
            }
            if (stop != Stop::Full && stop != Stop::Quota) {
                return stop;
            }
            chunk /= 4;
        }
        return stop;
    }

    // Writes random bytes from `offset` on, up to `end` or else until the file system stops it,
    // asking the kernel to write back as it goes.
    Stop writeRandom(int fd, std::int64_t& offset, std::optional<std::int64_t> end) {
        std::int64_t writebackFrom = offset;
        while (!end || offset < *end) {
            if (pending_.empty()) {
                if (!keepGoing()) {
                    return Stop::Stopped;
                }
                const auto bytes = random_->take();
                if (!bytes) {
                    fail(WipeFailure::Step::Random, 0);
                    return Stop::Failed;
                }
                pending_ = *bytes;
                random_->request(static_cast<std::size_t>(kFillChunkSize));
            }
            const std::size_t length = static_cast<std::size_t>(
                end ? std::min<std::int64_t>(static_cast<std::int64_t>(pending_.size()),
                                             *end - offset)
                    : static_cast<std::int64_t>(pending_.size()));
            const ssize_t written = ::pwrite(fd, pending_.data(), length, offset);
            if (written > 0) {
                pending_ = pending_.subspan(static_cast<std::size_t>(written));
                offset += written;
                result_.written += written;
                if (offset - writebackFrom >= kWritebackRange) {
                    writeBack(fd, writebackFrom, offset);
                    writebackFrom = offset;
                }
                tell(Step::Fill);
                continue;
            }
            const int error = written == 0 ? ENOSPC : errno;
            switch (error) {
                case EINTR: continue;
                case ENOSPC: return Stop::Full;
                case EDQUOT: return Stop::Quota;
                case EFBIG: return Stop::TooBig;
                default: fail(WipeFailure::Step::Write, error); return Stop::Failed;
            }
        }
        return Stop::Reached;
    }

    // Starts writing back [from, to) and waits for what was written before `from`, which the
    // previous call started; the bytes written back then leave the page cache, which a fill
    // would otherwise take over for nothing. With data=journal, where every block goes
    // through the journal first, asking made the fill slower than leaving it to the kernel.
    void writeBack(int fd, std::int64_t from, std::int64_t to) {
        if (target_.journalsData) {
            return;
        }
        ::sync_file_range(fd, from, to - from, SYNC_FILE_RANGE_WRITE);
        if (from > 0) {
            const std::int64_t earlier = std::max<std::int64_t>(0, from - kWritebackRange);
            ::sync_file_range(
                fd, earlier, from - earlier,
                SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER);
            ::posix_fadvise(fd, 0, from, POSIX_FADV_DONTNEED);
        }
    }

    bool syncFile(int fd) {
        if (::fdatasync(fd) != 0) {
            fail(WipeFailure::Step::Sync, errno);
            return false;
        }
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        return true;
    }

    // What the fill left free, and why it could not write it.
    void account(bool quota) {
        struct statfs after {};
        if (::fstatfs(folder_, &after) != 0) {
            return;
        }
        const auto bytes = [&](std::uint64_t blocks) {
            return static_cast<std::int64_t>(blocks) * static_cast<std::int64_t>(after.f_bsize);
        };
        result_.leftFree = bytes(after.f_bfree);
        if (!target_.privileged) {
            result_.reservedForAdministrator =
                bytes(after.f_bfree - std::min(after.f_bfree, after.f_bavail));
        }
        if (quota && !result_.failure && !result_.stopped) {
            result_.beyondQuota = bytes(after.f_bavail);
        }
    }

    // Takes free inodes, as many as it may hold at once: the kernel clears an inode that it
    // hands out, which overwrites the extended attributes and inline data a deleted file left
    // there. Inodes are handed out from the folder's group on, lowest free first, so the ones
    // a deleted file freed nearby go first.
    void takeInodes() {
        tell(Step::Inodes);
        rlimit limit{};
        ::getrlimit(RLIMIT_NOFILE, &limit);
        // Other threads of the process must still be able to open files meanwhile.
        const std::int64_t room =
            static_cast<std::int64_t>(std::min<rlim_t>(limit.rlim_cur, 1 << 30)) -
            openDescriptors() - kDescriptorsLeft;
        const std::int64_t wanted =
            std::min({context_.inodeLimit, target_.freeInodes, std::max<std::int64_t>(room, 0)});
        for (std::int64_t i = 0; i < wanted; ++i) {
            if (i % 1024 == 0) {
                if (!keepGoing()) {
                    return;
                }
                tell(Step::Inodes, static_cast<double>(i) / static_cast<double>(wanted));
            }
            if (inodes_.make(folder_) < 0) {
                break;  // none left, or no more descriptors: what was taken stands
            }
        }
        if (::syncfs(folder_) != 0) {
            fail(WipeFailure::Step::Sync, errno);
            return;
        }
        result_.inodes = static_cast<std::int64_t>(inodes_.fds().size());
    }

    void overwriteJournal() {
        const std::optional<std::int64_t> blocks =
            deviceName_ ? journalBlocks(*deviceName_) : std::nullopt;
        if (!blocks) {
            // ext2 has none; an ext3 or ext4 without one listed may keep it elsewhere, and XFS
            // keeps a log we cannot write through.
            const bool hasOne = target_.magic == XFS_SUPER_MAGIC ||
                                (target_.magic == EXT4_SUPER_MAGIC && target_.type != "ext2");
            result_.journal = hasOne ? Journal::NotReached : Journal::None;
            return;
        }
        tell(Step::Journal);
        if (target_.privileged && zeroJournal(folder_) == 0) {
            result_.journal = Journal::Zeroed;
            return;
        }
        result_.journal = churnJournal(*blocks) ? Journal::Wrapped : Journal::NotReached;
    }

    // Logs at least the whole journal's worth of blocks: every round changes each inode taken
    // and commits, which logs every inode table block that holds one of them.
    bool churnJournal(std::int64_t journalBlocks) {
        if (inodes_.fds().empty() && inodes_.make(folder_) < 0) {
            return false;
        }
        const std::int64_t perBlock = std::max<std::int64_t>(target_.blockSize / kSmallestInode, 1);
        std::set<std::int64_t> tableBlocks;
        for (const int fd : inodes_.fds()) {
            struct stat info {};
            if (::fstat(fd, &info) == 0) {
                tableBlocks.insert(static_cast<std::int64_t>(info.st_ino - 1) / perBlock);
            }
        }
        const auto perRound =
            std::max<std::int64_t>(static_cast<std::int64_t>(tableBlocks.size()), 1);
        const auto rounds =
            static_cast<std::int64_t>(static_cast<double>(journalBlocks) * kJournalMargin /
                                      static_cast<double>(perRound)) +
            1;
        for (std::int64_t round = 0; round < rounds; ++round) {
            if (!keepGoing()) {
                return false;
            }
            tell(Step::Journal, static_cast<double>(round) / static_cast<double>(rounds));
            const mode_t mode = round % 2 == 0 ? 0400 : 0600;
            for (const int fd : inodes_.fds()) {
                ::fchmod(fd, mode);
            }
            if (::fsync(inodes_.fds().front()) != 0) {
                fail(WipeFailure::Step::Sync, errno);
                return false;
            }
        }
        return true;
    }

    const FreeSpaceTarget& target_;
    const WipeContext& context_;
    const int folder_;
    std::optional<std::string> deviceName_;
    WipeProgress progress_;
    WipeResult result_;
    NamelessFiles inodes_;
    RandomAhead* random_ = nullptr;       // while filling; one chunk is always asked for ahead
    std::span<const std::byte> pending_;  // random bytes taken and not yet written
};

}  // namespace

WipeResult wipeFreeSpace(const FreeSpaceTarget& target, const WipeContext& context) {
    WipeResult refused;
    const int folder = ::open(target.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) {
        refused.failure = WipeFailure{WipeFailure::Step::Create, errno};
        return refused;
    }
    // Only the file system the user was told about and agreed to.
    struct stat info {};
    if (::fstat(folder, &info) != 0 || info.st_dev != target.deviceNumber) {
        ::close(folder);
        refused.failure = WipeFailure{WipeFailure::Step::Changed, 0};
        return refused;
    }
    const MoreDescriptors descriptors;
    WipeResult result = Wipe(target, context, folder).run();
    ::close(folder);
    return result;
}

}  // namespace fendry
