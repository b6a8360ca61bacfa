#include "ShredPass.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "Keystream.h"
#include "RandomAhead.h"

namespace fendry {

namespace {

using Step = PassFailure::Step;

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
PassResult checkOpened(const PassTarget& target, const EntryInfo& opened) {
    if (!opened.isRegular() || !target.identity.matches(opened) ||
        opened.links > target.namesInRun) {
        return failedAt(Step::Changed);
    }
    return {};
}

// What an open that refuses links and mounts says when the entry is no longer what was found.
PassResult openFailed(int error) {
    switch (error) {
        case ELOOP: return failedAt(Step::Changed);
        case EXDEV: return failedAt(Step::MountPoint);
        case ENOENT: return failedAt(Step::NotFound);
        default: return failedAt(Step::Open, error);
    }
}

// Removes the entry `name`, held open as `fd`, once more checked to be `identity`; then makes
// sure that what went was the entry held: between the check and the removal another file may
// have taken the name, and then the entry held keeps all its names while the other is gone.
PassResult removeHeld(FileOps& ops, int folder, const std::string& name, const Identity& identity,
                      int fd) {
    EntryInfo named;
    if (const int error = ops.statAt(folder, name, named); error != 0) {
        return failedAt(error == ENOENT ? Step::NotFound : Step::Inspect, error);
    }
    EntryInfo held;
    if (const int error = ops.statOpen(fd, held); error != 0) {
        return failedAt(Step::Inspect, error);
    }
    if (!identity.matches(named) || !identity.matches(held)) {
        return failedAt(Step::Changed);
    }
    if (const int error = ops.removeAt(folder, name, false); error != 0) {
        return failedAt(Step::Remove, error);
    }
    EntryInfo after;
    if (ops.statOpen(fd, after) != 0 || after.links >= held.links) {
        return failedAt(Step::NameTaken);
    }
    return {};
}

}  // namespace

PassResult failedAt(Step step, int error, std::int64_t offset, mode_t type) {
    return PassResult::failed({step, error, offset, type});
}

PassResult shredPass(const PassTarget& target, const PassContext& context) {
    FileOps& ops = *context.ops;

    // Refuse anything but the regular file expected before opening it: opening a device can
    // act on it, and a FIFO would block the run.
    EntryInfo entry;
    if (const int error = ops.statAt(target.folder, target.name, entry); error != 0) {
        return failedAt(error == ENOENT ? Step::NotFound : Step::Inspect, error);
    }
    if (!entry.isRegular()) {
        return failedAt(Step::NotRegularFile, 0, 0, entry.type);
    }
    if (!target.identity.matches(entry)) {
        return failedAt(Step::Changed);
    }

    int fd = -1;
    if (const int error = ops.openForWritingAt(target.folder, target.name, fd); error != 0) {
        return openFailed(error);
    }
    EntryInfo opened;
    PassResult result;
    if (const int error = ops.statOpen(fd, opened); error != 0) {
        result = failedAt(Step::Size, error);
    } else if (result = checkOpened(target, opened); result) {
        result = overwrite(context, fd, opened.size);
        EntryInfo after;
        if (result && (ops.statOpen(fd, after) != 0 || after.size != opened.size ||
                       after.links > target.namesInRun)) {
            result = failedAt(Step::Changed);
        }
    }
    result.size = opened.size;
    // A descriptor is released even when close fails, so it is closed exactly once.
    const int closeError = ops.close(fd);
    if (!result) {
        return result;
    }
    if (closeError != 0) {
        return failedAt(Step::Close, closeError);
    }
    return result;
}

PassResult readBack(const PassTarget& target, Keystream& written, const PassContext& context,
                    bool& throughCache) {
    FileOps& ops = *context.ops;
    constexpr std::int64_t kAlign = 4096;  // O_DIRECT wants offsets, sizes and memory aligned
    int fd = -1;
    throughCache = false;
    int error = ops.openForReadingAt(target.folder, target.name, fd, true);
    if (error == EINVAL) {
        throughCache = true;
        error = ops.openForReadingAt(target.folder, target.name, fd, false);
    }
    if (error != 0) {
        const PassResult failed = openFailed(error);
        return failed.failure.step == Step::Open ? failedAt(Step::ReadBack, error) : failed;
    }
    EntryInfo info;
    PassResult result;
    if ((error = ops.statOpen(fd, info)) != 0) {
        result = failedAt(Step::ReadBack, error);
    } else if (result = checkOpened(target, info); result && !written.restart()) {
        result = failedAt(Step::Random);
    }
    if (throughCache) {
        ops.dropCached(fd);
    }
    const std::unique_ptr<std::byte, decltype(&std::free)> read(
        static_cast<std::byte*>(std::aligned_alloc(kAlign, kChunkSize + 2 * kAlign)), &std::free);
    std::vector<std::byte> expected(kChunkSize);
    Chunks chunks(ops, fd, info.size);
    for (auto chunk = chunks.next(); result && chunk; chunk = chunks.next()) {
        if (context.keepGoing && !context.keepGoing()) {
            result = failedAt(Step::Stopped, 0, chunk->offset);
            break;
        }
        const std::span<std::byte> wanted(expected.data(), chunk->length);
        if (!read || !written.next(wanted)) {
            result = failedAt(Step::Random, 0, chunk->offset);
            break;
        }
        const std::int64_t start = chunk->offset / kAlign * kAlign;
        const auto skip = static_cast<std::size_t>(chunk->offset - start);
        const std::size_t end = skip + chunk->length;
        const std::size_t length = (end + kAlign - 1) / kAlign * kAlign;
        std::size_t done = 0;
        while (done < end) {
            std::size_t got = 0;
            if ((error = ops.readAt(fd, read.get() + done, length - done,
                                    start + static_cast<std::int64_t>(done), got)) != 0) {
                result = failedAt(Step::ReadBack, error);
                break;
            }
            if (got == 0) {
                break;  // shorter than written
            }
            done += got;
        }
        if (!result) {
            break;
        }
        const std::byte* shown = read.get() + skip;
        const std::size_t same = std::min(done, end) > skip ? std::min(done, end) - skip : 0;
        const auto differs =
            std::mismatch(wanted.begin(), wanted.begin() + static_cast<std::ptrdiff_t>(same),
                          shown);
        const auto at = static_cast<std::int64_t>(differs.first - wanted.begin());
        if (at < static_cast<std::int64_t>(chunk->length)) {
            result = failedAt(Step::ReadBackMismatch, 0, chunk->offset + at);
        }
    }
    ops.close(fd);
    return result;
}

PassResult removeEntry(FileOps& ops, int folder, const std::string& name,
                       const Identity& identity) {
    int fd = -1;
    if (const int error = ops.openEntryAt(folder, name, fd); error != 0) {
        return openFailed(error);
    }
    PassResult removed = removeHeld(ops, folder, name, identity, fd);
    ops.close(fd);
    return removed;
}

}  // namespace fendry
