#include "FolderRemoval.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <string>

namespace fendry {

using Step = PassFailure::Step;

FolderRemoval::FolderRemoval(const WorkList& list, FileOps& ops, FolderHandles& handles,
                             std::vector<ItemFailure>& failures)
    : list_(list),
      ops_(ops),
      handles_(handles),
      failures_(failures),
      left_(list.folders.size()),
      reported_(list.folders.size()) {}

void FolderRemoval::leave(FolderIndex folder, bool reported) {
    if (reported) {
        reported_[folder] = true;
    }
    while (folder != kNoFolder && !left_[folder]) {
        left_[folder] = true;
        folder = list_.folders[folder].parent;
    }
}

void FolderRemoval::run() {
    for (const FolderIndex folder : deepestFirst()) {
        if (left_[folder]) {
            if (!reported_[folder]) {
                fail(folder, Step::FolderKept);
            }
            continue;
        }
        remove(folder);
    }
}

void FolderRemoval::fail(FolderIndex folder, Step step, int error) {
    failures_.push_back({list_.pathOfFolder(folder), {step, error, 0, 0}});
}

void FolderRemoval::remove(FolderIndex folder) {
    const FolderRecord& record = list_.folders[folder];
    const FolderIndex parent = record.parent;
    const std::string name(list_.nameOf(record));
    int parentFd = -1;
    if (const int error = handles_.open(parent, parentFd); error != 0) {
        failures_.push_back({list_.pathOfFolder(folder), folderUnreachable(error).failure});
        leave(parent);
        return;
    }
    struct stat info {};
    if (const int error = ops_.statAt(parentFd, name, info); error != 0) {
        if (error != ENOENT) {  // removed by someone else: nothing is left to remove
            fail(folder, Step::FolderRemove, error);
            leave(parent);
        }
        return;
    }
    if (info.st_dev != record.device || info.st_ino != record.inode) {
        fail(folder, Step::Changed);
        leave(parent);
        return;
    }
    handles_.forget(folder);
    if (const int error = ops_.removeAt(parentFd, name, true); error != 0) {
        fail(folder,
             error == ENOTEMPTY || error == EEXIST ? Step::FolderAppeared : Step::FolderRemove,
             error);
        leave(parent);
        return;
    }
    if (const int error = ops_.sync(parentFd); error != 0) {
        fail(folder, Step::SyncFolder, error);
    }
}

std::vector<FolderIndex> FolderRemoval::deepestFirst() const {
    const auto& folders = list_.folders;
    std::vector<std::uint32_t> depth(folders.size(), 0);
    std::vector<bool> known(folders.size(), false);
    std::vector<FolderIndex> climb;
    std::vector<FolderIndex> order;
    for (FolderIndex folder = 0; folder < folders.size(); ++folder) {
        if (!folders[folder].walked) {
            continue;
        }
        order.push_back(folder);
        // Parents may come after their children in the table (nested pending folders).
        climb.clear();
        for (FolderIndex at = folder; at != kNoFolder && !known[at] && folders[at].walked;
             at = folders[at].parent) {
            climb.push_back(at);
        }
        for (auto at = climb.rbegin(); at != climb.rend(); ++at) {
            const FolderIndex parent = folders[*at].parent;
            depth[*at] = parent != kNoFolder && known[parent] ? depth[parent] + 1 : 0;
            known[*at] = true;
        }
    }
    std::stable_sort(order.begin(), order.end(), [&depth](FolderIndex a, FolderIndex b) {
        return depth[a] != depth[b] ? depth[a] > depth[b] : a > b;
    });
    return order;
}

}  // namespace fendry
