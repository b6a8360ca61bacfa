#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "FileOps.h"
#include "RandomSource.h"

namespace fendry {

// No write is larger than this, and no pass holds a larger buffer.
inline constexpr std::int64_t kChunkSize = 1'048'576;
// How much a pass writes before it asks the kernel to start writing back: flushing then
// overlaps generating instead of all happening at the final sync.
inline constexpr std::int64_t kWritebackInterval = 16 * kChunkSize;

// Where a pass stopped, and why; the item stays where it is.
struct PassFailure {
    enum class Step {
        Inspect,
        NotRegularFile,
        Open,
        Size,
        Random,
        Write,
        Sync,
        Close,
        Remove,
        SyncFolder
    };
    Step step = Step::Open;
    int error = 0;            // errno of the failing call; 0 where none applies
    std::int64_t offset = 0;  // for Write: the byte offset that could not be written
    mode_t type = 0;          // for NotRegularFile: what the entry is instead
};

struct PassResult {
    bool succeeded = true;
    PassFailure failure;  // meaningful only when !succeeded

    static PassResult success() { return {}; }
    static PassResult failed(PassFailure failure) { return {false, failure}; }
    explicit operator bool() const { return succeeded; }
};

// A user-readable sentence for the command line: the step that failed and the system's reason.
std::string describe(const PassFailure& failure);

// The file operations and random source that every pass of a run uses.
struct PassContext {
    FileOps* ops = &systemFileOps();
    RandomSource random = cryptoRandomBytes;
};

// One overwrite pass over one regular file: opens it without creating, truncating or following
// a link, overwrites its whole current length from offset 0 with fresh random bytes in chunks of
// at most kChunkSize, syncs and closes it; the pass whose index is passes - 1 then removes the
// file and syncs its folder. Nothing is renamed, truncated or resized. Special files (FIFOs,
// sockets, devices), folders and links are refused without being opened.
PassResult shredPass(const std::filesystem::path& path, std::int64_t passIndex, std::int64_t passes,
                     const PassContext& context = {});

// Removes the entry `path` names (a link as itself) and syncs its folder so that the removal
// survives a crash.
PassResult removeDurably(const std::filesystem::path& path, FileOps& ops);

// The folder whose entry `path` names, for syncing after a removal.
std::string parentFolderOf(const std::filesystem::path& path);

}  // namespace fendry
