#include "FolderRemoval.h"

#include <linux/magic.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "NameWipe.h"

namespace fendry {

namespace {

using Step = PassFailure::Step;
using Renamed = std::vector<std::pair<FolderIndex, std::string>>;

// Names on a file system in memory never reach a device.
bool namesReachTheDevice(FileOps& ops, int fd) {
    struct statfs fs {};
    return ops.statFileSystem(fd, fs) != 0 ||
           (fs.f_type != TMPFS_MAGIC && fs.f_type != RAMFS_MAGIC);
}

}  // namespace

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
    Renamed renamed;
    for (std::size_t at = 0; at < order.size();) {
        const std::uint32_t depth = order[at].first;
        renamed.clear();
        for (; at < order.size() && order[at].first == depth; ++at) {
            const FolderIndex folder = order[at].second;
            if (list_.folders[folder].mountRoot) {
                continue;  // what was chosen was what is mounted there, not the mount point
            }
            if (left_[folder]) {
                if (!reported_[folder]) {
                    fail(folder, Step::FolderKept);
                }
            } else if (std::string name = renameAway(folder); !name.empty()) {
                renamed.emplace_back(folder, std::move(name));
            }
        }
        syncParentsOf(renamed, Step::Rename);
        writeHome(renamed);
        std::erase_if(renamed, [this](const auto& folder) {
            return !remove(folder.first, folder.second);
        });
        syncParentsOf(renamed, Step::SyncFolder);
    }
}

void FolderRemoval::fail(FolderIndex folder, Step step, int error) {
    failures_.push_back({list_.pathOfFolder(folder), {step, error, 0, 0}, true});
}

std::string FolderRemoval::renameAway(FolderIndex folder) {
    const FolderRecord& record = list_.folders[folder];
    const FolderIndex parent = record.parent;
    const std::string name(list_.nameOf(record));
    // The folder gets its line, and the one above stays: it still holds this one.
    const auto keep = [&](const PassFailure& failure) {
        failures_.push_back({list_.pathOfFolder(folder), failure, true});
        leave(parent);
        return std::string();
    };
    int parentFd = -1;
    if (const int error = handles_.open(parent, parentFd); error != 0) {
        return keep(folderUnreachable(error).failure);
    }
    std::string renamed;
    if (const PassResult done =
            fendry::renameAway(ops_, parentFd, name, record.identity(), renamed);
        !done) {
        // Removed by someone else: nothing is left to remove.
        return done.failure.step == Step::NotFound ? std::string() : keep(done.failure);
    }
    return renamed;
}

bool FolderRemoval::remove(FolderIndex folder, const std::string& name) {
    const FolderRecord& record = list_.folders[folder];
    const FolderIndex parent = record.parent;
    // A folder that stays gets its own name back and a line, and the one above stays too.
    const auto keep = [&](const PassFailure& failure) {
        if (failure.step != Step::Changed) {
            giveNameBack(folder, name);
        }
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

void FolderRemoval::syncParentsOf(Renamed& folders, Step step) {
    const auto parentOf = [this](const auto& folder) { return list_.folders[folder.first].parent; };
    std::stable_sort(folders.begin(), folders.end(),
                     [&](const auto& a, const auto& b) { return parentOf(a) < parentOf(b); });
    Renamed synced;
    for (auto group = folders.begin(); group != folders.end();) {
        const FolderIndex parent = parentOf(*group);
        const auto end = std::find_if(
            group, folders.end(), [&](const auto& folder) { return parentOf(folder) != parent; });
        int fd = -1;
        int error = handles_.open(parent, fd);
        if (error == 0) {
            error = ops_.sync(fd);
        }
        for (auto folder = group; folder != end; ++folder) {
            if (error == 0) {
                synced.push_back(*folder);
            } else {
                if (step == Step::Rename) {
                    giveNameBack(folder->first, folder->second);
                }
                fail(folder->first, step, error);
                leave(parent);
            }
        }
        group = end;
    }
    folders = std::move(synced);
}

void FolderRemoval::giveNameBack(FolderIndex folder, const std::string& renamed) {
    const FolderRecord& record = list_.folders[folder];
    int parentFd = -1;
    if (handles_.open(record.parent, parentFd) == 0) {
        ops_.renameAt(parentFd, renamed, std::string(list_.nameOf(record)));
    }
}

void FolderRemoval::writeHome(const Renamed& folders) {
    std::vector<dev_t> written;  // once for each file system
    for (const auto& [folder, name] : folders) {
        const FolderIndex parent = list_.folders[folder].parent;
        const dev_t device = list_.folders[parent].device;
        int fd = -1;
        if (std::find(written.begin(), written.end(), device) == written.end() &&
            handles_.open(parent, fd) == 0 && namesReachTheDevice(ops_, fd)) {
            ops_.syncFileSystem(fd);
            written.push_back(device);
        }
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
