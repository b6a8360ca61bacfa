#pragma once

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <string>

#include "FileOps.h"
#include "RandomSource.h"

namespace fendry {

class Keystream;

// No write is larger than this, and no pass holds a larger buffer.
inline constexpr std::int64_t kChunkSize = 1'048'576;
// How much a pass writes before it asks the kernel to start writing back: flushing then
// overlaps generating instead of all happening at the final sync.
inline constexpr std::int64_t kWritebackInterval = 16 * kChunkSize;

// Why an item was not erased (or a folder not removed); the item stays where it is.
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
        Rename,            // its name could not be overwritten before its removal
        SyncFolder,
        NotFound,          // nothing stands where the item was chosen or found
        ChangedSinceChosen,  // something else stands where the item was chosen
        SystemFileSystem,  // what was opened lies on a pseudo file system
        Changed,           // replaced, resized or given another name while the run went on
        ReadBack,          // the file could not be read back after its last pass
        ReadBackMismatch,  // the file did not read back as written (offset: the first byte)
        NameTaken,         // another file took its name just before removal and was removed
        OtherNames,        // a hard link whose other names are not part of the run
        SharedWithFailed,  // another name of a file whose erasing failed
        Stopped,           // the run was stopped while this item was being overwritten
        Unreadable,        // a folder whose entries could not be listed
        MountPoint,        // another file system is mounted here
        Unreachable,       // a folder that could not be opened again
        FolderKept,        // a folder left because something inside it was left
        FolderAppeared,    // a folder left because entries appeared in it during the run
        FolderRemove,      // a folder that could not be removed
    };
    Step step = Step::Open;
    int error = 0;            // errno of the failing call; 0 where none applies
    std::int64_t offset = 0;  // Write: the byte that could not be written; OtherNames: how many
    mode_t type = 0;          // for NotRegularFile: what the entry is instead
};

struct PassResult {
    bool succeeded = true;
    PassFailure failure;    // meaningful only when !succeeded
    std::int64_t size = 0;  // the file's size when the pass opened it

    static PassResult failed(PassFailure failure) { return {false, failure}; }
    explicit operator bool() const { return succeeded; }
};

PassResult failedAt(PassFailure::Step step, int error = 0, std::int64_t offset = 0,
                    mode_t type = 0);

// The file operations and random source that every pass of a run uses. Passes over several
// files may run at once, so each of these may be called from several threads at a time; within
// one pass, `random` may be called on a helper thread, one chunk after another.
struct PassContext {
    FileOps* ops = &systemFileOps();
    RandomSource random = cryptoRandomBytes;
    // Asked before every chunk is written; false stops the pass there. Also the run's chance to
    // send a progress update that is due.
    std::function<bool()> keepGoing = nullptr;
};

// The one regular file a pass may touch: the entry `name` of the open folder `folder`, as long
// as it is still the file `identity` with no more than `namesInRun` names.
struct PassTarget {
    int folder = -1;
    std::string name;
    Identity identity;
    nlink_t namesInRun = 1;
};

// One overwrite pass: opens the file without creating, truncating, following a link or entering
// a mount, overwrites every allocated extent of its current length (holes hold no data) from
// offset 0 with fresh random bytes in chunks of at most kChunkSize, syncs and closes it. A file
// that is not the one expected, or whose size changes while it is written, is left in place and
// reported as changed.
PassResult shredPass(const PassTarget& target, const PassContext& context);

// Reads the file back after a pass that wrote `written` and was synced, from the device past
// the page cache (or, where the file system refuses that, through it once the cache has let go
// of the file: `throughCache` says so), and compares it with the same bytes made again. The
// extents read are the ones the pass wrote, in the same order.
PassResult readBack(const PassTarget& target, Keystream& written, const PassContext& context,
                    bool& throughCache);

// Removes the entry `name` of `folder` (a link as itself), holding it while it checks that it is
// still `identity` and, once removed, that it was what went. The caller syncs the folder before
// it counts the removal as done.
PassResult removeEntry(FileOps& ops, int folder, const std::string& name,
                       const Identity& identity);

}  // namespace fendry
