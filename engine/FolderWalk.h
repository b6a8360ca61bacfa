#pragma once

#include <atomic>
#include <filesystem>
#include <vector>

#include "FileOps.h"
#include "PendingItems.h"
#include "ShredPass.h"
#include "WorkList.h"

namespace fendry {

// Something the walk met and could not take into the work list, and why.
struct ItemFailure {
    std::filesystem::path item;
    PassFailure failure;
    bool folder = false;  // a folder that stays, rather than a file or link that was not erased
};

// What a walk found: the work list, what it could not go into or read, and the folders that
// hold something the run must leave (so that they are not removed either).
struct WalkResult {
    WorkList list;
    std::vector<ItemFailure> failures;
    struct KeptFolder {
        FolderIndex folder;
        bool reported;  // the folder itself has a line among the failures
    };
    std::vector<KeptFolder> foldersToKeep;
    // Where the entries of each pending item begin in the work list, and one more for the end:
    // an entry reached through two items is listed under the first.
    std::vector<std::size_t> firstEntryOfItem;
    // The bytes of each pending item's regular files as the walk found them: a file's own, a
    // folder's of every file below it (those listed under another item too), each file once.
    std::vector<std::int64_t> bytesOfItem;
    bool stopped = false;
};

// Walks the pending entries in order into a work list: a file stands for itself; a folder for
// every entry below it, each folder's own entries before those of its sub-folders. A pending
// item is reached only as it was chosen (its folder by a path with no link on it, and both
// still what they were then); everything below a pending folder is reached from the folder above
// it, without following a link and without entering a mount, of a folder or of a single file.
// A directory entry reached more than once (a file pending on its own and inside a pending
// folder, nested pending folders) is listed only where it is first reached. `stop` is checked
// once per folder.
WalkResult walkPendingItems(const PendingList& pending, FileOps& ops,
                            const std::atomic<bool>* stop = nullptr);

// The number of regular files a walk of the pending folder `folder` would list, without keeping
// them: what a screen shows before a run. 0 when it cannot be read or `stop` was set.
std::int64_t countEntriesBelow(const PendingItem& folder, FileOps& ops,
                               const std::atomic<bool>* stop = nullptr);

}  // namespace fendry
