#include "FolderWalk.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "FolderHandles.h"

namespace fendry {

namespace {

using Step = PassFailure::Step;

struct Identity {
    dev_t device;
    ino_t inode;
    bool operator==(const Identity&) const = default;
};

struct IdentityHash {
    std::size_t operator()(const Identity& id) const noexcept {
        return std::hash<std::uint64_t>{}(id.inode * 0x9e3779b97f4a7c15ULL ^ id.device);
    }
};

// A pending file, by the folder that holds it and its name.
struct PendingFileKey {
    FolderIndex folder;
    std::string name;
    bool operator==(const PendingFileKey&) const = default;
};

struct PendingFileKeyHash {
    std::size_t operator()(const PendingFileKey& key) const noexcept {
        return std::hash<std::string>{}(key.name) ^
               (std::size_t{key.folder} * 0x9e3779b97f4a7c15ULL);
    }
};

Identity identityOf(const struct stat& info) {
    return {info.st_dev, info.st_ino};
}

class Walker {
public:
    Walker(FileOps& ops, const std::atomic<bool>* stop, bool countOnly = false)
        : ops_(ops), stop_(stop), countOnly_(countOnly) {}

    // Entries met; with `countOnly`, the only thing kept of them.
    std::int64_t counted() const { return counted_; }

    WalkResult run(const PendingList& pending) {
        std::vector<FolderIndex> bases;
        for (const auto& entry : pending) {
            bases.push_back(openBase(entry));
        }
        for (std::size_t i = 0; i < pending.size() && !result_.stopped; ++i) {
            if (bases[i] == kNoFolder) {
                continue;
            }
            const std::string name = withoutTrailingSlash(pending[i]).filename().string();
            if (isFolder(pending[i])) {
                walkPendingFolder(pending[i], bases[i], name);
            } else {
                listPendingFile(pending[i], bases[i], name);
            }
        }
        for (const auto& [id, link] : hardLinks_) {
            list().hardLinks.push_back({link.first, {link.links, link.names}});
        }
        std::sort(list().hardLinks.begin(), list().hardLinks.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        return std::move(result_);
    }

private:
    WorkList& list() { return result_.list; }

    void fail(const std::filesystem::path& item, Step step, int error = 0, mode_t type = 0) {
        result_.failures.push_back({item, {step, error, 0, type}});
    }
    void keep(FolderIndex folder, bool reported = false) {
        result_.foldersToKeep.push_back({folder, reported});
    }
    std::filesystem::path pathIn(FolderIndex folder, std::string_view name) {
        return list().pathOfFolder(folder) / std::string(name);
    }

    FolderIndex recordFolder(const struct stat& info, FolderRecord record) {
        record.device = info.st_dev;
        record.inode = info.st_ino;
        const auto index = static_cast<FolderIndex>(list().folders.size());
        list().folders.push_back(record);
        folderIds_.emplace(identityOf(info), index);
        return index;
    }

    // The folder holding `entry`, opened by the path the user gave; kNoFolder when it cannot be.
    FolderIndex openBase(const std::filesystem::path& entry) {
        const std::filesystem::path bare = withoutTrailingSlash(entry);
        const std::string path = bare.has_parent_path() ? bare.parent_path().string() : ".";
        auto found = basesByPath_.find(path);
        if (found == basesByPath_.end()) {
            found = basesByPath_.emplace(path, openBaseAt(path)).first;
        }
        if (found->second.second != 0) {
            fail(entry, Step::Unreachable, found->second.second);
            return kNoFolder;
        }
        if (!isFolder(entry)) {
            const FolderIndex base = found->second.first;
            pendingFiles_.emplace(PendingFileKey{base, bare.filename().string()}, false);
            foldersWithPendingFiles_.insert(base);
        }
        return found->second.first;
    }

    std::pair<FolderIndex, int> openBaseAt(const std::string& path) {
        int fd = -1;
        if (const int error = ops_.openFolder(path, fd); error != 0) {
            return {kNoFolder, error};
        }
        struct stat info {};
        if (const int error = ops_.statOpen(fd, info); error != 0) {
            ops_.close(fd);
            return {kNoFolder, error};
        }
        if (const auto known = folderIds_.find(identityOf(info)); known != folderIds_.end()) {
            ops_.close(fd);  // the same folder by another path
            return {known->second, 0};
        }
        FolderRecord record;
        record.basePath = static_cast<std::uint32_t>(list().basePaths.size());
        list().basePaths.push_back(path);
        const FolderIndex index = recordFolder(info, record);
        handles_.keep(index, fd);
        return {index, 0};
    }

    void listPendingFile(const std::filesystem::path& entry, FolderIndex base,
                         const std::string& name) {
        bool& listed = pendingFiles_.at({base, name});
        if (listed) {
            return;  // reached inside a pending folder before
        }
        int fd = -1;
        if (const int error = handles_.open(base, fd); error != 0) {
            fail(entry, Step::Unreachable, error);
            return;
        }
        struct stat info {};
        if (const int error = ops_.statAt(fd, name, info); error != 0) {
            fail(entry, Step::Inspect, error);
            return;
        }
        if (S_ISDIR(info.st_mode)) {
            fail(entry, Step::NotRegularFile, 0, info.st_mode);
            return;
        }
        addEntry(base, name, info);
        listed = true;
    }

    void walkPendingFolder(const std::filesystem::path& entry, FolderIndex base,
                           const std::string& name) {
        // The chosen folder itself may be a mount point (a USB stick, say): it is what the user
        // asked for. Below it, no other file system is entered.
        const FolderIndex folder = enter(base, list().addName(name), entry, false);
        if (folder != kNoFolder) {
            list().folders[folder].pendingRoot = true;
            walkBelow(folder);
        }
    }

    // Opens the sub-folder `name` of `parent` and records it; kNoFolder when it cannot be
    // entered or was walked before.
    FolderIndex enter(FolderIndex parent, NameRef name, const std::filesystem::path& shownAs,
                      bool sameFileSystem) {
        const std::string bareName(list().nameOf(name));
        // The item gets its line, and the folder above stays: something in it was not erased.
        const auto refuse = [&](Step step, int error = 0) {
            fail(shownAs, step, error);
            keep(parent);
            return kNoFolder;
        };
        int parentFd = -1;
        if (const int error = handles_.open(parent, parentFd); error != 0) {
            return refuse(Step::Unreachable, error);
        }
        int fd = -1;
        switch (const int error = ops_.openFolderAt(parentFd, bareName, fd, sameFileSystem)) {
            case 0: break;
            case ENOENT: return kNoFolder;  // gone meanwhile: nothing to erase
            case EXDEV: return refuse(Step::MountPoint);
            case ELOOP:
            case ENOTDIR: return refuse(Step::Changed);
            default: return refuse(Step::Unreadable, error);
        }
        struct stat info {};
        if (const int error = ops_.statOpen(fd, info); error != 0) {
            ops_.close(fd);
            return refuse(Step::Unreadable, error);
        }
        if (const auto known = folderIds_.find(identityOf(info)); known != folderIds_.end()) {
            ops_.close(fd);
            FolderRecord& record = list().folders[known->second];
            // Hang it where it was met now, so that it is removed before this folder.
            const bool walkedBefore = record.walked;
            record.parent = parent;
            record.name = name;
            record.walked = true;
            return walkedBefore ? kNoFolder : known->second;
        }
        FolderRecord record;
        record.parent = parent;
        record.name = name;
        record.walked = true;
        const FolderIndex index = recordFolder(info, record);
        handles_.keep(index, fd);
        return index;
    }

    void walkBelow(FolderIndex root) {
        struct Todo {
            FolderIndex parent;
            NameRef name;
        };
        std::vector<Todo> todo;
        std::vector<NameRef> subfolders;
        FolderIndex next = root;
        for (;;) {
            if (stop_ != nullptr && *stop_) {
                result_.stopped = true;
                return;
            }
            if (next != kNoFolder) {
                subfolders.clear();
                listFolder(next, subfolders);
                for (auto sub = subfolders.rbegin(); sub != subfolders.rend(); ++sub) {
                    todo.push_back({next, *sub});
                }
            }
            if (todo.empty()) {
                return;
            }
            const Todo step = todo.back();
            todo.pop_back();
            next =
                enter(step.parent, step.name, pathIn(step.parent, list().nameOf(step.name)), true);
        }
    }

    void listFolder(FolderIndex folder, std::vector<NameRef>& subfolders) {
        int fd = -1;
        if (const int error = handles_.open(folder, fd); error != 0) {
            fail(list().pathOfFolder(folder), Step::Unreachable, error);
            keep(folder, true);
            return;
        }
        const bool holdsPendingFiles = foldersWithPendingFiles_.count(folder) > 0;
        const int error = ops_.listFolder(fd, [&](const char* name) {
            struct stat info {};
            if (const int statError = ops_.statAt(fd, name, info); statError != 0) {
                if (statError != ENOENT) {  // an entry that is gone needs no erasing
                    fail(pathIn(folder, name), Step::Inspect, statError);
                    keep(folder);
                }
                return;
            }
            if (S_ISDIR(info.st_mode)) {
                subfolders.push_back(list().addName(name));
                return;
            }
            if (holdsPendingFiles) {
                if (auto found = pendingFiles_.find({folder, name}); found != pendingFiles_.end()) {
                    if (found->second) {
                        return;  // pending on its own, and listed there already
                    }
                    found->second = true;
                }
            }
            addEntry(folder, name, info);
        });
        if (error != 0) {
            fail(list().pathOfFolder(folder), Step::Unreadable, error);
            keep(folder, true);
        }
    }

    void addEntry(FolderIndex folder, std::string_view name, const struct stat& info) {
        ++counted_;
        if (countOnly_) {
            return;
        }
        const NameRef ref = list().addName(name);
        WorkEntry entry;
        entry.nameOffset = ref.offset;
        entry.nameLength = ref.length;
        entry.inode = info.st_ino;
        entry.folder = folder;
        entry.kind =
            S_ISREG(info.st_mode) ? WorkEntry::Kind::RegularFile : WorkEntry::Kind::LinkOrSpecial;
        const std::size_t position = list().entries.size();
        list().entries.push_back(entry);
        if (S_ISREG(info.st_mode) && info.st_nlink > 1) {
            const auto [link, first] = hardLinks_.try_emplace(
                identityOf(info),
                HardLinkSeen{position, static_cast<std::uint32_t>(info.st_nlink)});
            ++link->second.names;
            if (!first) {
                list().laterNames.push_back({position, link->second.first});
            }
        }
    }

    struct HardLinkSeen {
        std::size_t first;
        std::uint32_t links;
        std::uint32_t names = 0;
    };

    FileOps& ops_;
    const std::atomic<bool>* stop_;
    bool countOnly_;
    std::int64_t counted_ = 0;
    WalkResult result_;
    FolderHandles handles_{result_.list, ops_};
    std::unordered_map<Identity, FolderIndex, IdentityHash> folderIds_;
    std::unordered_map<std::string, std::pair<FolderIndex, int>> basesByPath_;
    // Pending files by folder and name, and whether they have been listed yet.
    std::unordered_map<PendingFileKey, bool, PendingFileKeyHash> pendingFiles_;
    std::unordered_set<FolderIndex> foldersWithPendingFiles_;
    std::unordered_map<Identity, HardLinkSeen, IdentityHash> hardLinks_;
};

}  // namespace

WalkResult walkPendingItems(const PendingList& pending, FileOps& ops,
                            const std::atomic<bool>* stop) {
    return Walker(ops, stop).run(pending);
}

std::int64_t countEntriesBelow(const std::filesystem::path& folder, FileOps& ops,
                               const std::atomic<bool>* stop) {
    Walker walker(ops, stop, true);
    return walker.run({folder}).stopped ? 0 : walker.counted();
}

}  // namespace fendry
