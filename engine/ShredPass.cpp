#include "ShredPass.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace fendry {

namespace {

using Step = PassFailure::Step;

PassResult fail(Step step, int error = 0, std::int64_t offset = 0, mode_t type = 0) {
    return PassResult::failed({step, error, offset, type});
}

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
            return fail(Step::Write, error, offset + static_cast<std::int64_t>(done));
        }
        done += written;
    }
    return PassResult::success();
}

// Overwrites [0, size) of the open file, then syncs it.
PassResult overwrite(FileOps& ops, const RandomSource& random, int fd, std::int64_t size) {
    std::vector<std::byte> buffer(static_cast<std::size_t>(std::min(size, kChunkSize)));
    std::int64_t offset = 0;
    std::int64_t writebackFrom = 0;
    while (offset < size) {
        const auto chunk = static_cast<std::size_t>(std::min(size - offset, kChunkSize));
        const std::span<std::byte> bytes(buffer.data(), chunk);
        if (!random(bytes)) {
            return fail(Step::Random, 0, offset);
        }
        if (auto written = writeFully(ops, fd, bytes, offset); !written) {
            return written;
        }
        offset += static_cast<std::int64_t>(chunk);
        if (offset - writebackFrom >= kWritebackInterval) {
            ops.startWriteback(fd, writebackFrom, offset - writebackFrom);
            writebackFrom = offset;
        }
    }
    if (const int error = ops.sync(fd); error != 0) {
        return fail(Step::Sync, error);
    }
    return PassResult::success();
}

}  // namespace

std::string parentFolderOf(const std::filesystem::path& path) {
    const auto parent = path.parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

PassResult shredPass(const std::filesystem::path& path, std::int64_t passIndex, std::int64_t passes,
                     const PassContext& context) {
    FileOps& ops = *context.ops;
    const std::string name = path.string();

    // Refuse anything but a regular file before opening it: opening a device can act on it,
    // and a FIFO would block the run.
    struct stat entry {};
    if (const int error = ops.statEntry(name, entry); error != 0) {
        return fail(Step::Inspect, error);
    }
    if (!S_ISREG(entry.st_mode)) {
        return fail(Step::NotRegularFile, 0, 0, entry.st_mode);
    }

    int fd = -1;
    if (const int error = ops.openForWriting(name, fd); error != 0) {
        return fail(error == ELOOP ? Step::NotRegularFile : Step::Open, error, 0,
                    error == ELOOP ? S_IFLNK : 0);
    }
    // The size of what was opened, in case the entry changed since it was inspected.
    struct stat opened {};
    PassResult result;
    if (const int error = ops.statOpen(fd, opened); error != 0) {
        result = fail(Step::Size, error);
    } else if (!S_ISREG(opened.st_mode)) {
        result = fail(Step::NotRegularFile, 0, 0, opened.st_mode);
    } else {
        result = overwrite(ops, context.random, fd, static_cast<std::int64_t>(opened.st_size));
    }
    // A descriptor is released even when close fails, so it is closed exactly once.
    const int closeError = ops.close(fd);
    if (!result) {
        return result;
    }
    if (closeError != 0) {
        return fail(Step::Close, closeError);
    }

    return passIndex == passes - 1 ? removeDurably(path, ops) : PassResult::success();
}

PassResult removeDurably(const std::filesystem::path& path, FileOps& ops) {
    if (const int error = ops.removeEntry(path.string()); error != 0) {
        return fail(Step::Remove, error);
    }
    if (const int error = ops.syncFolder(parentFolderOf(path)); error != 0) {
        return fail(Step::SyncFolder, error);
    }
    return PassResult::success();
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
    }
    return reason;
}

}  // namespace fendry
