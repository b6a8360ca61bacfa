#include "PendingItems.h"

#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "FolderWalk.h"
#include "ShredPass.h"

namespace fendry {

bool isFolder(const std::filesystem::path& entry) {
    return !entry.empty() && !entry.has_filename();
}

bool isApplicationBundle(const std::filesystem::path& entry) {
    return isFolder(entry) && entry.parent_path().extension() == ".app";
}

std::filesystem::path pendingEntryFor(const std::filesystem::path& received) {
    auto entry = withoutTrailingSlash(received);
    struct stat info {};
    if (::lstat(entry.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && entry.has_filename()) {
        entry += "/";
    }
    return entry;
}

bool addPendingItem(PendingList& files, const std::filesystem::path& received) {
    auto entry = pendingEntryFor(received);
    if (std::find(files.begin(), files.end(), entry) != files.end()) {
        return false;
    }
    files.push_back(std::move(entry));
    return true;
}

std::int64_t countFiles(const std::filesystem::path& entry) {
    if (!isFolder(entry)) {
        return 1;
    }
    std::int64_t count = 0;
    walkFolder(entry, [&count](const std::filesystem::path&, const EntryKey&) { ++count; });
    return count;
}

std::vector<std::filesystem::path> expandPendingItems(const PendingList& snapshot) {
    std::vector<std::filesystem::path> work;
    std::unordered_set<EntryKey, EntryKeyHash> reached;
    // Folders holding pending files, looked up once each.
    std::unordered_map<std::string, std::pair<dev_t, ino_t>> folderIds;

    const auto keyOf = [&folderIds](const std::filesystem::path& item) {
        const auto bare = withoutTrailingSlash(item);
        const std::string folder = parentFolderOf(bare);
        auto found = folderIds.find(folder);
        if (found == folderIds.end()) {
            struct stat info {};
            // The folder itself may be reached through links; what counts is where it is.
            const bool known = ::stat(folder.c_str(), &info) == 0;
            found = folderIds
                        .emplace(folder, known ? std::pair{info.st_dev, info.st_ino}
                                               : std::pair<dev_t, ino_t>{0, 0})
                        .first;
        }
        return EntryKey{found->second.first, found->second.second, bare.filename().string()};
    };
    const auto append = [&](const std::filesystem::path& item, const EntryKey& key) {
        if (key.folderInode == 0 || reached.insert(key).second) {
            work.push_back(item);
        }
    };

    for (const auto& entry : snapshot) {
        if (!isFolder(entry) || isApplicationBundle(entry)) {
            append(entry, keyOf(entry));
        } else {
            walkFolder(entry, append);
        }
    }
    return work;
}

}  // namespace fendry
