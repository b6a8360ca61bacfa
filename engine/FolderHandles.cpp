#include "FolderHandles.h"

#include <algorithm>
#include <cerrno>

namespace fendry {

FolderHandles::FolderHandles(const WorkList& list, FileOps& ops, std::size_t capacity)
    : list_(list), ops_(ops), capacity_(std::max<std::size_t>(capacity, 2)) {}

FolderHandles::~FolderHandles() {
    for (const Slot& slot : slots_) {
        ops_.close(slot.fd);
    }
}

int FolderHandles::cached(FolderIndex folder) {
    for (Slot& slot : slots_) {
        if (slot.folder == folder) {
            slot.lastUse = ++clock_;
            return slot.fd;
        }
    }
    return -1;
}

void FolderHandles::keep(FolderIndex folder, int fd) {
    if (slots_.size() >= capacity_) {
        auto oldest = std::min_element(slots_.begin(), slots_.end(),
                                       [](auto& a, auto& b) { return a.lastUse < b.lastUse; });
        ops_.close(oldest->fd);
        slots_.erase(oldest);
    }
    slots_.push_back({folder, fd, ++clock_});
}

void FolderHandles::forget(FolderIndex folder) {
    const auto found = std::find_if(slots_.begin(), slots_.end(),
                                    [folder](const Slot& slot) { return slot.folder == folder; });
    if (found != slots_.end()) {
        ops_.close(found->fd);
        slots_.erase(found);
    }
}

int FolderHandles::checked(FolderIndex folder, int fd, int error, int& out) {
    if (error != 0) {
        return error;
    }
    EntryInfo info;
    const FolderRecord& record = list_.folders[folder];
    if (const int statError = ops_.statOpen(fd, info); statError != 0) {
        ops_.close(fd);
        return statError;
    }
    if (!record.identity().matches(info)) {
        ops_.close(fd);
        return ESTALE;
    }
    keep(folder, fd);
    out = fd;
    return 0;
}

// Opens `folder` from an open neighbour: its parent, or one of its children through "..".
int FolderHandles::openOne(FolderIndex folder, int& fd) {
    const FolderRecord& record = list_.folders[folder];
    if (record.parent == kNoFolder) {
        int opened = -1;
        const int error = ops_.openFolder(list_.bases[record.base].real, opened);
        return checked(folder, opened, error, fd);
    }
    if (const int parent = cached(record.parent); parent >= 0) {
        int opened = -1;
        const int error = ops_.openFolderAt(parent, std::string(list_.nameOf(record)), opened,
                                            !record.pendingRoot);
        return checked(folder, opened, error, fd);
    }
    return ENOENT;  // no open neighbour
}

int FolderHandles::open(FolderIndex folder, int& fd) {
    if (const int found = cached(folder); found >= 0) {
        fd = found;
        return 0;
    }
    // Going back up after a deep subtree: the child just left is usually still open.
    for (const Slot& slot : slots_) {
        if (list_.folders[slot.folder].parent == folder) {
            int opened = -1;
            const int error = ops_.openParent(slot.fd, opened);
            if (checked(folder, opened, error, fd) == 0) {
                return 0;
            }
        }
    }
    // Otherwise down from the nearest folder that is open, or from the base.
    std::vector<FolderIndex> chain{folder};
    while (list_.folders[chain.back()].parent != kNoFolder &&
           cached(list_.folders[chain.back()].parent) < 0) {
        chain.push_back(list_.folders[chain.back()].parent);
    }
    for (auto step = chain.rbegin(); step != chain.rend(); ++step) {
        if (const int error = openOne(*step, fd); error != 0) {
            return error;
        }
    }
    return 0;
}

PassResult folderUnreachable(int error) {
    const bool replaced = error == ESTALE || error == ELOOP || error == ENOTDIR;
    return replaced ? failedAt(PassFailure::Step::Changed)
                    : failedAt(PassFailure::Step::Unreachable, error);
}

}  // namespace fendry
