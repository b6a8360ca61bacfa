#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "FileOps.h"
#include "FolderHandles.h"
#include "FolderWalk.h"
#include "WorkList.h"

namespace fendry {

// Removes, deepest first, the walked folders that the run left empty. A folder that holds
// anything the run did not erase stays, and so does every folder above it; each gets a line.
class FolderRemoval {
public:
    FolderRemoval(const WorkList& list, FileOps& ops, FolderHandles& handles,
                  std::vector<ItemFailure>& failures);

    // Something below `folder` stays; with `reported`, the folder has a line already.
    void leave(FolderIndex folder, bool reported = false);

    // Removes one depth at a time, then syncs each folder that held a removed one once, before
    // any folder above is removed.
    void run();

private:
    void fail(FolderIndex folder, PassFailure::Step step, int error = 0);
    bool remove(FolderIndex folder);
    void syncParentsOf(std::vector<FolderIndex>& removed);
    // Walked folders with their depth, every folder before the one holding it.
    std::vector<std::pair<std::uint32_t, FolderIndex>> deepestFirst() const;

    const WorkList& list_;
    FileOps& ops_;
    FolderHandles& handles_;
    std::vector<ItemFailure>& failures_;
    std::vector<bool> left_;
    std::vector<bool> reported_;
};

}  // namespace fendry
