#include "FolderRemoval.h"

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
    const auto order = deepestFirst();
    std::vector<FolderIndex> removed;
    for (std::size_t at = 0; at < order.size();) {
        const std::uint32_t depth = order[at].first;
        removed.clear();
        for (; at < order.size() && order[at].first == depth; ++at) {
            const FolderIndex folder = order[at].second;
            if (list_.folders[folder].mountRoot) {
                continue;  // what was chosen was what is mounted there, not the mount point
            }
            if (left_[folder]) {
                if (!reported_[folder]) {
                    fail(folder, Step::FolderKept);
                }
            } else if (remove(folder)) {
                removed.push_back(folder);
            }
        }
        syncParentsOf(removed);
    }
}

void FolderRemoval::fail(FolderIndex folder, Step step, int error) {
    failures_.push_back({list_.pathOfFolder(folder), {step, error, 0, 0}, true});
}

bool FolderRemoval::remove(FolderIndex folder) {
    const FolderRecord& record = list_.folders[folder];
    const FolderIndex parent = record.parent;
    const std::string name(list_.nameOf(record));
    // The folder gets its line, and the one above stays: it still holds this one.
    const auto keep = [&](const PassFailure& failure) {
        failures_.push_back({list_.pathOfFolder(folder), failure, true});
        leave(parent);
        return false;
    };
    int parentFd = -1;
    if (const int error = handles_.open(parent, parentFd); error != 0) {
        return keep(folderUnreachable(error).failure);
    }
    EntryInfo info;
    if (const int error = ops_.statAt(parentFd, name, info); error != 0) {
        // Removed by someone else: nothing is left to remove.
        return error == ENOENT ? false : keep({Step::FolderRemove, error});
    }
    if (!record.identity().matches(info)) {
        return keep({Step::Changed});
    }
    handles_.forget(folder);
    if (const int error = ops_.removeAt(parentFd, name, true); error != 0) {
        return keep(
            {error == ENOTEMPTY || error == EEXIST ? Step::FolderAppeared : Step::FolderRemove,
             error});
    }
    return true;
}

void FolderRemoval::syncParentsOf(std::vector<FolderIndex>& removed) {
    const auto parentOf = [this](FolderIndex folder) { return list_.folders[folder].parent; };
    std::stable_sort(removed.begin(), removed.end(),
                     [&](FolderIndex a, FolderIndex b) { return parentOf(a) < parentOf(b); });
    for (auto group = removed.begin(); group != removed.end();) {
        const FolderIndex parent = parentOf(*group);
        const auto end = std::find_if(
            group, removed.end(), [&](FolderIndex folder) { return parentOf(folder) != parent; });
        int fd = -1;
        int error = handles_.open(parent, fd);
        if (error == 0) {
            error = ops_.sync(fd);
        }
        if (error != 0) {
            for (auto folder = group; folder != end; ++folder) {
                fail(*folder, Step::SyncFolder, error);
            }
        }
        group = end;
    }
}

std::vector<std::pair<std::uint32_t, FolderIndex>> FolderRemoval::deepestFirst() const {
    const auto& folders = list_.folders;
    std::vector<std::uint32_t> depth(folders.size(), 0);
    std::vector<bool> known(folders.size(), false);
    std::vector<FolderIndex> climb;
    std::vector<std::pair<std::uint32_t, FolderIndex>> order;
    for (FolderIndex folder = 0; folder < folders.size(); ++folder) {
        if (!folders[folder].walked) {
            continue;
        }
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
        order.emplace_back(depth[folder], folder);
    }
    std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second > b.second;
    });
    return order;
}

}  // namespace fendry
