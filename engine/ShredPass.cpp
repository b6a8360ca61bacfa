#include "ShredPass.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

#include "RandomAhead.h"

namespace fendry {

namespace {

using Step = PassFailure::Step;

const char* typeName(mode_t type) {
    switch (type & S_IFMT) {
        case S_IFDIR: return "a folder";
        case S_IFLNK: return "a symbolic link";
        case S_IFIFO: return "a named pipe";
        case S_IFSOCK: return "a socket";
        case S_IFCHR: return "a character device";
        case S_IFBLK: return "a block device";
        default: return "a special file";
    }
}

// Writes all of `data` at `offset`, continuing after short writes.
PassResult writeFully(FileOps& ops, int fd, std::span<const std::byte> data, std::int64_t offset) {
    std::size_t done = 0;
    while (done < data.size()) {
        std::size_t written = 0;
        int error = ops.writeAt(fd, data.data() + done, data.size() - done,
                                offset + static_cast<std::int64_t>(done), written);
        if (error == 0 && written == 0) {
            error = EIO;  // no progress: stop rather than spin
        }
        if (error != 0) {
            return failedAt(Step::Write, error, offset + static_cast<std::int64_t>(done));
        }
        done += written;
    }
    return {};
}

// The chunks of a pass, extent by extent: holes are skipped, and no chunk is longer than
// kChunkSize or reaches past the size the pass started with.
class Chunks {
public:
    struct Chunk {
        std::int64_t offset;
        std::size_t length;
    };

    Chunks(FileOps& ops, int fd, std::int64_t size) : ops_(ops), fd_(fd), size_(size) {}

    std::optional<Chunk> next() {
        if (offset_ >= extentEnd_) {
            if (offset_ >= size_) {
                return std::nullopt;
            }
            std::int64_t start = offset_;
            std::int64_t end = size_;
            if (const int error = ops_.findData(fd_, offset_, start, end); error == ENXIO) {
                return std::nullopt;  // only a hole is left
            } else if (error != 0) {
                start = offset_;  // no extent map: the whole rest is data
                end = size_;
            }
            offset_ = start;
            extentEnd_ = std::min(end, size_);
            if (offset_ >= extentEnd_) {
                return std::nullopt;
            }
        }
        const Chunk chunk{offset_,
                          static_cast<std::size_t>(std::min(extentEnd_ - offset_, kChunkSize))};
        offset_ += static_cast<std::int64_t>(chunk.length);
        return chunk;
    }

private:
    FileOps& ops_;
    int fd_;
    std::int64_t size_;
    std::int64_t offset_ = 0;
    std::int64_t extentEnd_ = 0;
};

// Overwrites the data of [0, size) of the open file, extent by extent, then syncs it. The next
// chunk's bytes are made while the current one is written.
PassResult overwrite(const PassContext& context, int fd, std::int64_t size) {
    FileOps& ops = *context.ops;
    Chunks chunks(ops, fd, size);
    RandomAhead random(context.random);
    std::optional<Chunks::Chunk> chunk = chunks.next();
    if (chunk) {
        random.request(chunk->length);
    }
    std::int64_t writebackFrom = 0;
    while (chunk) {
        if (context.keepGoing && !context.keepGoing()) {
            return failedAt(Step::Stopped, 0, chunk->offset);
        }
        const auto bytes = random.take();
        if (!bytes) {
            return failedAt(Step::Random, 0, chunk->offset);
        }
        const std::optional<Chunks::Chunk> next = chunks.next();
        if (next) {
            random.request(next->length);
        }
        if (auto written = writeFully(ops, fd, *bytes, chunk->offset); !written) {
            return written;
        }
        const std::int64_t end = chunk->offset + static_cast<std::int64_t>(chunk->length);
        if (end - writebackFrom >= kWritebackInterval) {
            ops.startWriteback(fd, writebackFrom, end - writebackFrom);
            writebackFrom = end;
        }
        chunk = next;
    }
    if (const int error = ops.sync(fd); error != 0) {
        return failedAt(Step::Sync, error);
    }
    return {};
}

// Is the open file still the one the pass was meant for, at the size it started with?
PassResult checkOpened(const PassTarget& target, const struct stat& opened) {
    if (!S_ISREG(opened.st_mode) || opened.st_ino != target.inode ||
        opened.st_nlink > target.namesInRun) {
        return failedAt(Step::Changed);
    }
    return {};
}

}  // namespace

PassResult failedAt(Step step, int error, std::int64_t offset, mode_t type) {
    return PassResult::failed({step, error, offset, type});
}

PassResult shredPass(const PassTarget& target, std::int64_t passIndex, std::int64_t passes,
                     const PassContext& context) {
    FileOps& ops = *context.ops;

    // Refuse anything but the regular file expected before opening it: opening a device can
    // act on it, and a FIFO would block the run.
    struct stat entry {};
    if (const int error = ops.statAt(target.folder, target.name, entry); error != 0) {
        return failedAt(Step::Inspect, error);
    }
    if (!S_ISREG(entry.st_mode)) {
        return failedAt(Step::NotRegularFile, 0, 0, entry.st_mode);
    }
    if (entry.st_ino != target.inode) {
        return failedAt(Step::Changed);
    }

    int fd = -1;
    if (const int error = ops.openForWritingAt(target.folder, target.name, fd); error != 0) {
        return error == ELOOP ? failedAt(Step::Changed) : failedAt(Step::Open, error);
    }
    struct stat opened {};
    PassResult result;
    if (const int error = ops.statOpen(fd, opened); error != 0) {
        result = failedAt(Step::Size, error);
    } else if (result = checkOpened(target, opened); result) {
        result = overwrite(context, fd, static_cast<std::int64_t>(opened.st_size));
        struct stat after {};
        if (result && (ops.statOpen(fd, after) != 0 || after.st_size != opened.st_size ||
                       after.st_nlink > target.namesInRun)) {
            result = failedAt(Step::Changed);
        }
    }
    result.size = static_cast<std::int64_t>(opened.st_size);
    // A descriptor is released even when close fails, so it is closed exactly once.
    const int closeError = ops.close(fd);
    if (!result) {
        return result;
    }
    if (closeError != 0) {
        return failedAt(Step::Close, closeError);
    }
    if (passIndex != passes - 1) {
        return result;
    }
    PassResult removed = removeEntry(ops, target.folder, target.name, target.inode);
    removed.size = result.size;
    return removed;
}

PassResult removeEntry(FileOps& ops, int folder, const std::string& name, ino_t inode) {
    struct stat entry {};
    if (const int error = ops.statAt(folder, name, entry); error != 0) {
        return failedAt(Step::Inspect, error);
    }
    if (entry.st_ino != inode || S_ISDIR(entry.st_mode)) {
        return failedAt(Step::Changed);
    }
    if (const int error = ops.removeAt(folder, name, false); error != 0) {
        return failedAt(Step::Remove, error);
    }
    return {};
}

std::string describe(const PassFailure& failure) {
    const std::string reason = failure.error != 0 ? std::strerror(failure.error) : "";
    switch (failure.step) {
        case Step::Inspect: return "could not be read: " + reason;
        case Step::NotRegularFile:
            return std::string("is ") + typeName(failure.type) +
                   ", not a regular file, so it was not overwritten";
        case Step::Open: return "could not be opened for writing: " + reason;
        case Step::Size: return "its size could not be read: " + reason;
        case Step::Random: return "the random generator failed; nothing more was written";
        case Step::Write:
            return "writing failed at byte " + std::to_string(failure.offset) + ": " + reason;
        case Step::Sync: return "could not be synced to the device: " + reason;
        case Step::Close: return "could not be closed: " + reason;
        case Step::Remove: return "was overwritten but could not be removed: " + reason;
        case Step::SyncFolder:
            return "was removed, but the removal could not be synced to the device: " + reason;
        case Step::Changed: return "changed while it was being erased; it was left as it is";
        case Step::OtherNames:
            return "has " + std::to_string(failure.offset) +
                   " other name(s) outside what was chosen, which would lose their content; "
                   "it was left as it is";
        case Step::SharedWithFailed:
            return "shares its content with a file that could not be erased; it was left as it "
                   "is";
        case Step::Stopped:
            return "the run was stopped while it was being overwritten; it was left partly "
                   "overwritten";
        case Step::Unreadable:
            return "could not be read: " + reason + "; nothing inside it was erased";
        case Step::MountPoint: return "is where another file system is mounted; it was not entered";
        case Step::Unreachable: return "could not be reached: " + reason + "; it was left as it is";
        case Step::FolderKept: return "was not removed: it still holds items that were not erased";
        case Step::FolderAppeared:
            return "was not removed: entries appeared in it during the run and were left as "
                   "they are";
        case Step::FolderRemove: return "could not be removed: " + reason;
    }
    return reason;
}

}  // namespace fendry
