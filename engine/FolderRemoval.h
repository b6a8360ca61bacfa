#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "FileOps.h"
#include "FolderHandles.h"
#include "FolderWalk.h"
#include "WorkList.h"

namespace fendry {

// Removes, deepest first, the walked folders that the run left empty, their names overwritten
// first, and none of the names they held left in their blocks. A folder that holds anything
// the run did not erase stays, and so does every folder above it; each gets a line.
class FolderRemoval {
public:
    FolderRemoval(const WorkList& list, FileOps& ops, FolderHandles& handles,
                  std::vector<ItemFailure>& failures);

    // Something below `folder` stays; with `reported`, the folder has a line already.
    void leave(FolderIndex folder, bool reported = false);

    // One depth at a time: renames each folder to remove, syncs each folder that held one, has
    // the file system write the folders' blocks home (the file system clears a removed entry in
    // its folder's block, but a journal keeps that block to itself until it writes it home, and
    // removing the folder frees the block first: its home copy would keep the names), removes
    // them, and syncs the folders that held them, before any folder above is removed.
    void run();

private:
    void fail(FolderIndex folder, PassFailure::Step step, int error = 0);
    // The folder renamed: its new name; empty when it stays.
    std::string renameAway(FolderIndex folder);
    bool remove(FolderIndex folder, const std::string& name);
    // A folder that stays after all is found under its own name again.
    void giveNameBack(FolderIndex folder, const std::string& renamed);
    // Syncs the folders holding `folders` once each; those whose sync failed are dropped.
    void syncParentsOf(std::vector<std::pair<FolderIndex, std::string>>& folders,
                       PassFailure::Step step);
    void writeHome(const std::vector<std::pair<FolderIndex, std::string>>& folders);
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
