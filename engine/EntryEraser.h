#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "FolderHandles.h"
#include "RunProgress.h"
#include "ShredPass.h"
#include "WorkList.h"

namespace fendry {

// What became of one entry of the work list.
enum class EntryResult : std::uint8_t { NotReached, Erased, ErasedAndVerified, NotErased };

// What erasing the entries of a work list came to.
struct EntriesErased {
    std::int64_t fileCount = 0;
    std::int64_t totalSize = 0;
    std::int64_t linkCount = 0;
    // Entries that were not erased or removed, with why, in work list order.
    std::vector<std::pair<std::size_t, PassFailure>> failures;
    std::size_t notReached = 0;  // entries the run never began on
    std::vector<EntryResult> results;  // one for each entry
    // The devices where a file was read back through the page cache, the file system having
    // refused to read past it.
    std::vector<dev_t> readThroughCache;
    bool stopped = false;
};

struct EntryEraserSetup {
    const WorkList& list;
    // Opens the entries' folders; used by one thread at a time.
    FolderHandles& handles;
    PassContext pass;
    std::int64_t passes = 1;
    // Each file is read back after its last pass, and left when it does not read as written.
    bool readBack = false;
    // Files in flight at once, each on a thread of its own.
    std::size_t filesInFlight = 1;
    RunProgress& progress;
    const std::atomic<bool>& stop;
    std::function<std::chrono::steady_clock::time_point()> now;
};

// Erases the entries of a work list, several files at a time, so that the device sees a queue
// of syncs instead of one at a time. Entries begin in work list order; each file's passes run
// one after another, each synced before the next begins, and its name is overwritten with its
// last pass: renamed to a random one. Where asked, the last pass writes bytes that can be made
// again, and the file is read back and compared before its name goes. Entries renamed in one folder are synced together, then
// removed and synced once more, and a file counts as erased only once that sync has succeeded. A
// later name of a hard-linked file is removed only after its first name was erased. A failure
// stops only the entry it happened to. Once `stop` is set no entry begins; what was already
// removed is synced and counted, and what was being overwritten stays.
EntriesErased eraseEntries(const EntryEraserSetup& setup);

}  // namespace fendry
