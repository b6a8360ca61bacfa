#include "RunRecord.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <map>
#include <unordered_map>
#include <unordered_set>

namespace fendry {

namespace {

using Kind = ItemRecord::Kind;
using Result = ItemRecord::Result;

Kind kindOf(const PendingItem& item) {
    if (!item.chosen.item) {
        return Kind::Missing;
    }
    switch (item.chosen.item->type & S_IFMT) {
        case S_IFREG: return Kind::File;
        case S_IFDIR: return Kind::Folder;
        case S_IFLNK: return Kind::Link;
        default: return Kind::Special;
    }
}

std::string hostName() {
    char name[HOST_NAME_MAX + 1] = {};
    return ::gethostname(name, sizeof name - 1) == 0 ? std::string(name) : std::string();
}

// The user the run ran as; the number where the account has no name.
std::string userName() {
    const uid_t uid = ::geteuid();
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found) {
        return found->pw_name;
    }
    return std::to_string(uid);
}

std::string bare(const std::filesystem::path& path) {
    return withoutTrailingSlash(path).native();
}

// A record is read elsewhere and later: a path given relative to the working folder is written
// out whole, as it is (links and ".." as they were given).
std::filesystem::path whole(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute;
}

std::string bareName(const PendingItem& item) {
    return withoutTrailingSlash(item.path).filename().native();
}

struct FolderKey {
    dev_t device;
    ino_t inode;
    bool operator==(const FolderKey&) const = default;
};

struct FolderKeyHash {
    std::size_t operator()(const FolderKey& key) const noexcept {
        return std::hash<std::uint64_t>{}(key.inode * 0x9e3779b97f4a7c15ULL ^ key.device);
    }
};

// Which chosen items each entry of the work list belongs to: a folder item owns everything
// below the folder it was walked as, however the walk reached it (an entry met through two
// items is listed under the first only); a file item owns the entry of its folder and name.
class Owners {
public:
    Owners(const WorkList& list, const PendingList& chosen) : list_(list) {
        std::unordered_map<FolderKey, FolderIndex, FolderKeyHash> byIdentity;
        for (FolderIndex folder = 0; folder < list.folders.size(); ++folder) {
            byIdentity.emplace(FolderKey{list.folders[folder].device, list.folders[folder].inode},
                               folder);
        }
        folderOfItem.assign(chosen.size(), kNoFolder);
        for (std::size_t i = 0; i < chosen.size(); ++i) {
            const auto& place = chosen[i].chosen;
            if (!place.item) {
                continue;
            }
            if (kindOf(chosen[i]) == Kind::Folder) {
                const auto found = byIdentity.find({place.item->device, place.item->inode});
                if (found != byIdentity.end() && list.folders[found->second].walked) {
                    itemsAt_[found->second].push_back(i);
                    folderOfItem[i] = found->second;
                }
            } else {
                const auto found =
                    byIdentity.find({place.folderIdentity.device, place.folderIdentity.inode});
                if (found != byIdentity.end()) {
                    fileItems_[{found->second, bareName(chosen[i])}].push_back(i);
                }
            }
        }
        nearest_.assign(list.folders.size(), kUnknown);
    }

    // Calls `own(item, asFile)` for each item that owns the entry.
    template <typename Own>
    void forEachOwner(std::size_t entry, Own own) {
        const FolderIndex folder = list_.entries[entry].folder;
        for (FolderIndex at = nearestOwned(folder); at != kNoFolder;
             at = list_.folders[at].parent == kNoFolder ? kNoFolder
                                                        : nearestOwned(list_.folders[at].parent)) {
            for (const std::size_t item : itemsAt_[at]) {
                own(item, false);
            }
        }
        if (!fileItems_.empty()) {
            const auto found =
                fileItems_.find({folder, std::string(list_.nameOf(list_.entries[entry]))});
            if (found != fileItems_.end()) {
                for (const std::size_t item : found->second) {
                    own(item, true);
                }
            }
        }
    }

    std::vector<FolderIndex> folderOfItem;  // the folder a folder item was walked as

private:
    static constexpr FolderIndex kUnknown = kNoFolder - 1;

    // The nearest folder at or above `folder` that a folder item was walked as.
    FolderIndex nearestOwned(FolderIndex folder) {
        std::vector<FolderIndex> climbed;
        FolderIndex at = folder;
        while (at != kNoFolder && nearest_[at] == kUnknown && !itemsAt_.contains(at) &&
               climbed.size() <= list_.folders.size()) {
            climbed.push_back(at);
            at = list_.folders[at].parent;
        }
        const FolderIndex found = at == kNoFolder            ? kNoFolder
                                  : itemsAt_.contains(at)    ? at
                                  : nearest_[at] == kUnknown ? kNoFolder
                                                             : nearest_[at];
        for (const FolderIndex below : climbed) {
            nearest_[below] = found;
        }
        return found;
    }

    const WorkList& list_;
    std::unordered_map<FolderIndex, std::vector<std::size_t>> itemsAt_;
    std::map<std::pair<FolderIndex, std::string>, std::vector<std::size_t>> fileItems_;
    std::vector<FolderIndex> nearest_;
};

void count(ItemRecord& item, const WorkEntry& entry, EntryResult result) {
    const bool file = entry.kind == WorkEntry::Kind::RegularFile;
    switch (result) {
        case EntryResult::ErasedAndVerified: ++item.filesVerified; [[fallthrough]];
        case EntryResult::Erased: ++(file ? item.filesErased : item.linksRemoved); break;
        case EntryResult::NotErased: ++item.notErased; break;
        case EntryResult::NotReached: ++item.notReached; break;
    }
}

// The file systems the run wrote to or removed from, each with a path on it that is still
// there: the folder holding an item, or a chosen folder that is a mount and stays.
std::vector<FileSystemRecord> fileSystemsOf(const RunState& state, const PendingList& chosen,
                                            const StorageProbe& probe) {
    std::vector<dev_t> devices;
    std::unordered_set<dev_t> seen;
    if (state.workList) {
        const WorkList& list = *state.workList;
        for (const auto& folder : list.folders) {
            if (folder.walked && seen.insert(folder.device).second) {
                devices.push_back(folder.device);
            }
        }
        for (const auto& entry : list.entries) {
            if (const dev_t device = list.folders[entry.folder].device;
                seen.insert(device).second) {
                devices.push_back(device);
            }
        }
    }
    std::vector<FileSystemRecord> records;
    for (const dev_t device : devices) {
        FileSystemRecord record;
        record.device = device;
        for (const auto& item : chosen) {
            if (record.facts) {
                break;
            }
            const auto& place = item.chosen;
            if (place.folder.empty()) {
                continue;
            }
            if (place.folderIdentity.device == device) {
                record.facts = probe.factsOf(place.folder);
            } else if (place.item && place.item->device == device && kindOf(item) == Kind::Folder) {
                record.facts = probe.factsOf(std::filesystem::path(place.folder) / bareName(item));
            }
        }
        if (record.facts) {
            record.cautions = cautionsFor(*record.facts);
        }
        record.readThroughCache =
            std::find(state.readThroughCache.begin(), state.readThroughCache.end(), device) !=
            state.readThroughCache.end();
        records.push_back(std::move(record));
    }
    return records;
}

}  // namespace

RunRecord recordOf(const RunState& state, const StorageProbe& probe) {
    RunRecord record;
    record.host = hostName();
    record.user = userName();
    record.startedAt = state.startedAt;
    record.endedAt = state.endedAt;
    record.method = state.method;
    record.verify = state.readBack;
    record.stats = state.stats;
    record.filesNotErased = state.filesNotErased();
    record.foldersKept = state.foldersKept();
    record.notReached = state.notReached;
    record.stopped = state.stopped;
    record.failures = state.failures;
    for (auto& line : record.failures) {
        line.item = whole(line.item);
    }
    record.outcome = state.stopped             ? RunRecord::Outcome::Stopped
                     : state.failedCount() > 0 ? RunRecord::Outcome::ErasedWithIssues
                                               : RunRecord::Outcome::Erased;

    const PendingList none;
    const PendingList& chosen = state.chosen ? *state.chosen : none;
    auto& items = record.items;
    items.resize(chosen.size());
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        items[i].path = whole(chosen[i].path);
        items[i].kind = kindOf(chosen[i]);
        items[i].size = i < state.bytesOfItem.size() ? state.bytesOfItem[i] : 0;
    }

    // Where each item's entries were: the folder it was walked as, or its own entry.
    std::vector<FolderIndex> folderOfItem(chosen.size(), kNoFolder);
    constexpr std::size_t kNoEntry = SIZE_MAX;
    std::vector<std::size_t> entryOfItem(chosen.size(), kNoEntry);
    if (state.workList) {
        const WorkList& list = *state.workList;
        Owners owners(list, chosen);
        for (std::size_t e = 0; e < list.entries.size(); ++e) {
            const WorkEntry& entry = list.entries[e];
            const EntryResult result =
                e < state.results.size() ? state.results[e] : EntryResult::NotReached;
            // A later name of a file counts under its first name, as in the summary.
            const bool laterName = list.firstNameOf(e).has_value();
            owners.forEachOwner(e, [&](std::size_t item, bool asFile) {
                if (asFile) {
                    entryOfItem[item] = e;
                }
                if (asFile || !laterName) {
                    count(items[item], entry, result);
                }
            });
        }
        folderOfItem = owners.folderOfItem;
    }

    // The summary's line about each item itself, found by the path the run gave it.
    std::unordered_map<std::string, std::size_t> lineAt;
    for (std::size_t line = 0; line < state.failures.size(); ++line) {
        lineAt.try_emplace(bare(state.failures[line].item), line);
    }
    std::unordered_map<std::string, std::vector<std::size_t>> folderItemsAt;
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        std::string path = bare(chosen[i].path);
        if (folderOfItem[i] != kNoFolder) {
            path = bare(state.workList->pathOfFolder(folderOfItem[i]));
        } else if (entryOfItem[i] != kNoEntry) {
            path = bare(state.workList->pathOf(entryOfItem[i]));
        }
        auto found = lineAt.find(path);
        if (found == lineAt.end()) {
            found = lineAt.find(bare(chosen[i].path));
        }
        if (found != lineAt.end()) {
            items[i].failure = found->second;
        }
        if (items[i].kind == Kind::Folder) {
            folderItemsAt[path].push_back(i);
        }
    }
    // Lines about what lies inside a folder item, some of which no entry stands for (a folder
    // below that could not be read, a mount that was not entered).
    std::vector<std::int64_t> linesInside(chosen.size(), 0);
    if (!folderItemsAt.empty()) {
        for (const auto& line : state.failures) {
            std::filesystem::path at = withoutTrailingSlash(line.item);
            while (at.has_relative_path() && at.has_parent_path() && at.parent_path() != at) {
                at = at.parent_path();
                if (const auto found = folderItemsAt.find(at.native());
                    found != folderItemsAt.end()) {
                    for (const std::size_t i : found->second) {
                        ++linesInside[i];
                    }
                }
            }
        }
    }

    for (std::size_t i = 0; i < chosen.size(); ++i) {
        ItemRecord& item = items[i];
        const bool folder = item.kind == Kind::Folder;
        const bool found = folder ? folderOfItem[i] != kNoFolder : entryOfItem[i] != kNoEntry;
        const bool done = item.filesErased + item.linksRemoved > 0;
        // A stopped run removes no folder.
        const bool stoppedBeforeRemoval = folder && found && state.stopped;
        const bool troubled = item.failure || item.notErased > 0 || linesInside[i] > 0;
        if (!found && !item.failure) {
            item.result = state.stopped ? Result::NotReached : Result::Left;
        } else if (!troubled && item.notReached == 0 && !stoppedBeforeRemoval) {
            const bool verified =
                state.readBack && item.filesErased > 0 && item.filesVerified == item.filesErased;
            item.result = verified ? Result::ErasedAndVerified : Result::Erased;
        } else if (done && folder) {
            item.result = Result::PartlyErased;
        } else if (done && !troubled) {
            item.result = Result::Erased;
        } else {
            item.result = !troubled && item.notReached > 0 ? Result::NotReached : Result::Left;
        }
        item.stoppedBeforeRemoval = stoppedBeforeRemoval && !item.failure;
    }

    record.fileSystems = fileSystemsOf(state, chosen, probe);
    return record;
}

}  // namespace fendry
