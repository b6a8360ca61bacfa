#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "FreeSpaceTarget.h"
#include "RandomSource.h"

namespace fendry {

// No write of a fill is larger than this; it holds two such buffers.
inline constexpr std::int64_t kFillChunkSize = 4 * 1'048'576;

// Where a wipe has got to.
struct WipeProgress {
    enum class Step { Fill, Inodes, Journal };
    Step step = Step::Fill;
    std::int64_t written = 0;  // bytes of the fill so far
    // What the fill expects to write, as the file system said at its start.
    std::int64_t planned = 0;
    double stepDone = 0;  // how far the inode or journal step is, from 0 to 1
};

// A step that failed; the wipe goes no further, and everything it made is let go.
struct WipeFailure {
    enum class Step {
        Changed,  // the folder is no longer on the file system that was inspected
        Create,
        Write,
        Sync,
        Random,
    };
    Step step = Step::Write;
    int error = 0;  // errno of the failing call; 0 where none applies

    bool operator==(const WipeFailure&) const = default;
};

// What a wipe did, and what it could not reach.
struct WipeResult {
    std::int64_t written = 0;   // random bytes written into free space and synced
    std::int64_t leftFree = 0;  // free space that was never written, as the fill ended
    // Of leftFree: kept for the administrator, out of reach without root.
    std::int64_t reservedForAdministrator = 0;
    // Of leftFree: beyond this user's disk quota.
    std::int64_t beyondQuota = 0;
    std::int64_t inodes = 0;  // free inodes taken, which overwrites what they held
    enum class Journal {
        None,        // the file system keeps no journal that we know of
        Zeroed,      // written home and zeroed on the device
        Wrapped,     // written through from end to end, so nothing older is left in it
        NotReached,  // it has one, and it was not overwritten
    };
    Journal journal = Journal::None;
    std::optional<WipeFailure> failure;
    bool stopped = false;
};

struct WipeContext {
    RandomSource random = cryptoRandomBytes;
    // Asked before every chunk, and between the smaller steps; false stops the wipe there, and
    // what it made is let go.
    std::function<bool()> keepGoing = nullptr;
    // Told on the wiping thread after every chunk and at every step.
    std::function<void(const WipeProgress&)> progress = nullptr;
    // The most free inodes taken at once (each holds a descriptor and a little kernel memory).
    std::int64_t inodeLimit = 65'536;
};

// Wipes the free space of `target`'s file system: fills it with random data in files that have
// no name, synced, until nothing more fits, and lets them go; takes free inodes, overwriting
// what deleted files left in them; then has the journal written through or zeroed, so that it
// holds no copy of older data or names. The files have no name, so a wipe that is killed, or a
// machine that loses power, leaves nothing behind: the space comes back by itself.
WipeResult wipeFreeSpace(const FreeSpaceTarget& target, const WipeContext& context);

}  // namespace fendry
