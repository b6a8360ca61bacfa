#pragma once

#include <cstdint>
#include <vector>

#include "FileOps.h"
#include "ShredPass.h"
#include "WorkList.h"

namespace fendry {

// Open descriptors for the folders of a work list, a bounded number at a time, so that a tree
// of any depth needs no more. A folder that is not open is reached again from its parent (or
// from a child, through ".."), one level at a time and never through a link, and is used only
// when it is still the folder the walk found (same device and inode).
class FolderHandles {
public:
    static constexpr std::size_t kDefaultCapacity = 32;

    FolderHandles(const WorkList& list, FileOps& ops, std::size_t capacity = kDefaultCapacity);
    ~FolderHandles();
    FolderHandles(const FolderHandles&) = delete;
    FolderHandles& operator=(const FolderHandles&) = delete;

    // The open folder `folder`, valid until the next call; 0 or an errno. ESTALE means that
    // something else now stands where the folder was.
    int open(FolderIndex folder, int& fd);
    // Takes over `fd`, just opened and checked by the caller, as the folder `folder`.
    void keep(FolderIndex folder, int fd);
    // Closes the folder if it is open; for a folder about to be removed.
    void forget(FolderIndex folder);

private:
    struct Slot {
        FolderIndex folder = kNoFolder;
        int fd = -1;
        std::uint64_t lastUse = 0;
    };

    int cached(FolderIndex folder);
    int openOne(FolderIndex folder, int& fd);
    int checked(FolderIndex folder, int fd, int error, int& out);

    const WorkList& list_;
    FileOps& ops_;
    std::size_t capacity_;
    std::vector<Slot> slots_;
    std::uint64_t clock_ = 0;
};

// What a folder that cannot be opened again means for what is in it: replaced (by a link, say)
// or gone for another reason.
PassResult folderUnreachable(int error);

}  // namespace fendry
