#include "FolderWalk.h"

#include <algorithm>
#include <cerrno>
#include <numeric>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "FolderHandles.h"

namespace fendry {

namespace {

using Step = PassFailure::Step;

struct IdentityKey {
    dev_t device;
    ino_t inode;
    bool operator==(const IdentityKey&) const = default;
};

struct IdentityHash {
    std::size_t operator()(const IdentityKey& id) const noexcept {
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

IdentityKey keyOf(const EntryInfo& info) {
    return {info.device, info.inode};
}

// What an open that refuses links says when a link, or no folder, stands where a folder was.
bool replaced(int error) {
    return error == ELOOP || error == ENOTDIR;
}

class Walker {
public:
    Walker(FileOps& ops, const std::atomic<bool>* stop, bool countOnly = false)
        : ops_(ops), stop_(stop), countOnly_(countOnly) {}

    // Regular files met; with `countOnly`, the only thing kept of what was met.
    std::int64_t counted() const { return counted_; }

    WalkResult run(const PendingList& pending) {
        std::vector<FolderIndex> bases;
        for (const auto& item : pending) {
            bases.push_back(openBase(item));
        }
        std::vector<FolderIndex> walkedFolderOf(pending.size(), kNoFolder);
        for (std::size_t i = 0; i < pending.size(); ++i) {
            result_.firstEntryOfItem.push_back(list().entries.size());
            if (bases[i] == kNoFolder || result_.stopped) {
                continue;
            }
            if (isFolder(pending[i].path)) {
                walkedFolderOf[i] = walkPendingFolder(pending[i], bases[i]);
            } else {
                listPendingFile(pending[i], bases[i]);
            }
        }
        result_.firstEntryOfItem.push_back(list().entries.size());
        const std::vector<std::int64_t> bytesBelow = bytesBelowEachFolder();
        for (std::size_t i = 0; i < pending.size(); ++i) {
            std::int64_t bytes = 0;
            if (walkedFolderOf[i] != kNoFolder) {
                bytes = bytesBelow[walkedFolderOf[i]];
            } else if (bases[i] != kNoFolder && !isFolder(pending[i].path)) {
                bytes = pendingFiles_.at({bases[i], bareNameOf(pending[i])}).bytes;
            }
            result_.bytesOfItem.push_back(bytes);
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

    void fail(const std::filesystem::path& item, const PassFailure& failure, bool folder) {
        result_.failures.push_back({item, failure, folder});
    }
    void fail(const std::filesystem::path& item, Step step, int error = 0, bool folder = false) {
        fail(item, {step, error, 0, 0}, folder);
    }
    void keep(FolderIndex folder, bool reported = false) {
        result_.foldersToKeep.push_back({folder, reported});
    }
    std::filesystem::path pathIn(FolderIndex folder, std::string_view name) {
        return list().pathOfFolder(folder) / std::string(name);
    }

    FolderIndex recordFolder(const EntryInfo& info, FolderRecord record) {
        record.device = info.device;
        record.inode = info.inode;
        record.birth = info.birth;
        record.mountId = info.mountId;
        const auto index = static_cast<FolderIndex>(list().folders.size());
        list().folders.push_back(record);
        folderIds_.emplace(keyOf(info), index);
        bytesIn_.push_back(0);
        return index;
    }

    // Each folder's bytes with those of every folder below it, as the folders hang at the end.
    std::vector<std::int64_t> bytesBelowEachFolder() const {
        const auto& folders = result_.list.folders;
        // Depths by climbing once: each climb stops at a folder whose depth is known.
        constexpr std::uint32_t kUnknown = UINT32_MAX;
        std::vector<std::uint32_t> depth(folders.size(), kUnknown);
        std::vector<FolderIndex> climbed;
        for (FolderIndex folder = 0; folder < folders.size(); ++folder) {
            FolderIndex at = folder;
            while (at != kNoFolder && depth[at] == kUnknown && climbed.size() <= folders.size()) {
                climbed.push_back(at);
                at = folders[at].parent;
            }
            std::uint32_t below = at == kNoFolder || depth[at] == kUnknown ? 0 : depth[at] + 1;
            for (auto it = climbed.rbegin(); it != climbed.rend(); ++it) {
                depth[*it] = below++;
            }
            climbed.clear();
        }
        std::vector<FolderIndex> deepestFirst(folders.size());
        std::iota(deepestFirst.begin(), deepestFirst.end(), FolderIndex{0});
        std::sort(deepestFirst.begin(), deepestFirst.end(),
                  [&](FolderIndex a, FolderIndex b) { return depth[a] > depth[b]; });
        std::vector<std::int64_t> bytes = bytesIn_;
        for (const FolderIndex folder : deepestFirst) {
            if (folders[folder].parent != kNoFolder) {
                bytes[folders[folder].parent] += bytes[folder];
            }
        }
        return bytes;
    }

    // The folder holding a pending item, reached as it was chosen; kNoFolder when it cannot be.
    FolderIndex openBase(const PendingItem& item) {
        const ChosenPlace& chosen = item.chosen;
        if (chosen.folder.empty()) {
            fail(item.path, chosen.error == ENOENT ? Step::NotFound : Step::Unreachable,
                 chosen.error, isFolder(item.path));
            return kNoFolder;
        }
        auto found = basesByPath_.find(chosen.folder);
        if (found == basesByPath_.end()) {
            const std::filesystem::path bare = withoutTrailingSlash(item.path);
            const std::string shown = bare.has_parent_path() ? bare.parent_path().string() : ".";
            found = basesByPath_.emplace(chosen.folder, openBaseAt(chosen, shown)).first;
        }
        const auto& [index, failure] = found->second;
        if (index == kNoFolder) {
            fail(item.path, failure, isFolder(item.path));
            return kNoFolder;
        }
        if (!isFolder(item.path)) {
            pendingFiles_.emplace(PendingFileKey{index, bareNameOf(item)}, PendingFileSeen{});
            foldersWithPendingFiles_.insert(index);
        }
        return index;
    }

    static std::string bareNameOf(const PendingItem& item) {
        return withoutTrailingSlash(item.path).filename().string();
    }

    std::pair<FolderIndex, PassFailure> openBaseAt(const ChosenPlace& chosen,
                                                   const std::string& shown) {
        const auto refuse = [](Step step, int error = 0) {
            return std::pair{kNoFolder, PassFailure{step, error, 0, 0}};
        };
        int fd = -1;
        if (const int error = ops_.openFolder(chosen.folder, fd); error != 0) {
            return error == ENOENT  ? refuse(Step::NotFound)
                   : replaced(error) ? refuse(Step::ChangedSinceChosen)
                                     : refuse(Step::Unreachable, error);
        }
        EntryInfo info;
        Step refused = Step::Inspect;
        int error = ops_.statOpen(fd, info);
        if (error == 0 && !chosen.folderIdentity.matches(info)) {
            refused = Step::ChangedSinceChosen;
        } else if (error == 0 && onPseudoFileSystem(ops_, fd)) {
            refused = Step::SystemFileSystem;
        } else if (error == 0) {
            if (const auto known = folderIds_.find(keyOf(info)); known != folderIds_.end()) {
                ops_.close(fd);  // the same folder by another path
                return {known->second, {}};
            }
            FolderRecord record;
            record.base = static_cast<std::uint32_t>(list().bases.size());
            list().bases.push_back({shown, chosen.folder});
            const FolderIndex index = recordFolder(info, record);
            handles_.keep(index, fd);
            return {index, {}};
        }
        ops_.close(fd);
        return refuse(refused, error);
    }

    // The entry of a pending item in its base, if it is still the one chosen.
    std::optional<EntryInfo> chosenEntry(const PendingItem& item, FolderIndex base) {
        const bool folder = isFolder(item.path);
        int fd = -1;
        if (const int error = handles_.open(base, fd); error != 0) {
            fail(item.path, folderUnreachable(error).failure, folder);
            return std::nullopt;
        }
        EntryInfo info;
        if (const int error = ops_.statAt(fd, bareNameOf(item), info); error != 0) {
            fail(item.path, error == ENOENT ? Step::NotFound : Step::Inspect, error, folder);
            return std::nullopt;
        }
        if (!item.chosen.item || !item.chosen.item->matches(info)) {
            fail(item.path, Step::ChangedSinceChosen, 0, folder);
            return std::nullopt;
        }
        return info;
    }

    void listPendingFile(const PendingItem& item, FolderIndex base) {
        PendingFileSeen& seen = pendingFiles_.at({base, bareNameOf(item)});
        if (seen.listed) {
            return;  // reached inside a pending folder before
        }
        const auto info = chosenEntry(item, base);
        if (!info) {
            return;
        }
        if (isMountPoint(*info, list().folders[base])) {
            fail(item.path, Step::MountPoint);
            return;
        }
        addEntry(base, bareNameOf(item), *info);
        seen = {true, info->isRegular() ? info->size : 0};
    }

    // The folder walked for the item: walked now, or before, inside another pending folder.
    FolderIndex walkPendingFolder(const PendingItem& item, FolderIndex base) {
        const auto info = chosenEntry(item, base);
        if (!info) {
            return kNoFolder;
        }
        // The chosen folder itself may be a mount point (a USB stick, say): it is what the user
        // asked for. Below it, no other file system is entered.
        const FolderIndex folder =
            enter(base, list().addName(bareNameOf(item)), &item, Identity::of(*info));
        if (folder != kNoFolder) {
            list().folders[folder].pendingRoot = true;
            list().folders[folder].mountRoot = info->mountRoot;
            walkBelow(folder);
        }
        const auto known = folderIds_.find(keyOf(*info));
        return known != folderIds_.end() && list().folders[known->second].walked ? known->second
                                                                                 : kNoFolder;
    }

    // Opens the sub-folder `name` of `parent` and records it; kNoFolder when it cannot be
    // entered or was walked before. `chosen` is the pending item when the folder is one, which
    // must still be the folder `expected`.
    FolderIndex enter(FolderIndex parent, NameRef name, const PendingItem* chosen = nullptr,
                      std::optional<Identity> expected = std::nullopt) {
        const std::string bareName(list().nameOf(name));
        // The folder gets its line, and the folder above stays: something in it was not erased.
        const auto refuse = [&](Step step, int error = 0) {
            fail(chosen ? chosen->path : pathIn(parent, bareName), step, error, true);
            keep(parent);
            return kNoFolder;
        };
        int parentFd = -1;
        if (const int error = handles_.open(parent, parentFd); error != 0) {
            return refuse(Step::Unreachable, error);
        }
        int fd = -1;
        switch (const int error = ops_.openFolderAt(parentFd, bareName, fd, chosen == nullptr)) {
            case 0: break;
            case ENOENT:
                // Gone meanwhile: nothing below a pending folder to erase; a pending one is missed.
                return chosen ? refuse(Step::NotFound) : kNoFolder;
            case EXDEV: return refuse(Step::MountPoint);
            case ELOOP:
            case ENOTDIR: return refuse(chosen ? Step::ChangedSinceChosen : Step::Changed);
            default: return refuse(Step::Unreadable, error);
        }
        EntryInfo info;
        if (const int error = ops_.statOpen(fd, info); error != 0) {
            ops_.close(fd);
            return refuse(Step::Unreadable, error);
        }
        if (expected && !expected->matches(info)) {
            ops_.close(fd);
            return refuse(Step::ChangedSinceChosen);
        }
        if (chosen && onPseudoFileSystem(ops_, fd)) {
            ops_.close(fd);
            return refuse(Step::SystemFileSystem);
        }
        if (const auto known = folderIds_.find(keyOf(info)); known != folderIds_.end()) {
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
            next = enter(step.parent, step.name);
        }
    }

    // Another file system, or a bind mount of this one (of a folder or of a single file), is
    // mounted on the entry: what is there lies outside the folder, whatever its name says.
    static bool isMountPoint(const EntryInfo& info, const FolderRecord& folder) {
        if (info.mountRoot || info.device != folder.device) {
            return true;
        }
        return info.mountId != 0 && folder.mountId != 0 && info.mountId != folder.mountId;
    }

    void listFolder(FolderIndex folder, std::vector<NameRef>& subfolders) {
        int fd = -1;
        if (const int error = handles_.open(folder, fd); error != 0) {
            fail(list().pathOfFolder(folder), Step::Unreachable, error, true);
            keep(folder, true);
            return;
        }
        const bool holdsPendingFiles = foldersWithPendingFiles_.count(folder) > 0;
        const int error = ops_.listFolder(fd, [&](const char* name) {
            EntryInfo info;
            if (const int statError = ops_.statAt(fd, name, info); statError != 0) {
                if (statError != ENOENT) {  // an entry that is gone needs no erasing
                    fail(pathIn(folder, name), Step::Inspect, statError);
                    keep(folder);
                }
                return;
            }
            if (isMountPoint(info, list().folders[folder])) {
                fail(pathIn(folder, name), Step::MountPoint, 0, info.isFolder());
                keep(folder);
                return;
            }
            if (info.isFolder()) {
                subfolders.push_back(list().addName(name));
                return;
            }
            if (holdsPendingFiles) {
                if (auto found = pendingFiles_.find({folder, name}); found != pendingFiles_.end()) {
                    if (found->second.listed) {
                        return;  // pending on its own, and listed there already
                    }
                    found->second = {true, info.isRegular() ? info.size : 0};
                }
            }
            addEntry(folder, name, info);
        });
        if (error != 0) {
            fail(list().pathOfFolder(folder), Step::Unreadable, error, true);
            keep(folder, true);
        }
    }

    void addEntry(FolderIndex folder, std::string_view name, const EntryInfo& info) {
        if (countOnly_) {
            counted_ += info.isRegular() ? 1 : 0;
            return;
        }
        const NameRef ref = list().addName(name);
        WorkEntry entry;
        entry.nameOffset = ref.offset;
        entry.nameLength = ref.length;
        entry.inode = info.inode;
        entry.birth = info.birth;
        entry.type = static_cast<std::uint8_t>(info.type >> 12);
        entry.folder = folder;
        entry.kind =
            info.isRegular() ? WorkEntry::Kind::RegularFile : WorkEntry::Kind::LinkOrSpecial;
        const std::size_t position = list().entries.size();
        list().entries.push_back(entry);
        bool laterName = false;
        if (info.isRegular() && info.links > 1) {
            const auto [link, first] = hardLinks_.try_emplace(
                keyOf(info), HardLinkSeen{position, static_cast<std::uint32_t>(info.links)});
            ++link->second.names;
            if (!first) {
                list().laterNames.push_back({position, link->second.first});
                laterName = true;
            }
        }
        if (info.isRegular() && !laterName) {
            bytesIn_[folder] += info.size;
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
    std::unordered_map<IdentityKey, FolderIndex, IdentityHash> folderIds_;
    // Bases by their real path: the folder, or why it could not be reached.
    std::unordered_map<std::string, std::pair<FolderIndex, PassFailure>> basesByPath_;
    // Pending files by folder and name: whether they have been listed yet, and their bytes then.
    struct PendingFileSeen {
        bool listed = false;
        std::int64_t bytes = 0;
    };
    std::unordered_map<PendingFileKey, PendingFileSeen, PendingFileKeyHash> pendingFiles_;
    std::vector<std::int64_t> bytesIn_;  // of the regular files directly in each folder
    std::unordered_set<FolderIndex> foldersWithPendingFiles_;
    std::unordered_map<IdentityKey, HardLinkSeen, IdentityHash> hardLinks_;
};

}  // namespace

WalkResult walkPendingItems(const PendingList& pending, FileOps& ops,
                            const std::atomic<bool>* stop) {
    return Walker(ops, stop).run(pending);
}

std::int64_t countEntriesBelow(const PendingItem& folder, FileOps& ops,
                               const std::atomic<bool>* stop) {
    Walker walker(ops, stop, true);
    return walker.run({folder}).stopped ? 0 : walker.counted();
}

}  // namespace fendry
