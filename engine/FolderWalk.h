#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace fendry {

// Identifies a directory entry independently of the path it was reached by: the folder that
// holds it (device and inode) and its name there.
struct EntryKey {
    dev_t folderDevice = 0;
    ino_t folderInode = 0;
    std::string name;

    bool operator==(const EntryKey&) const = default;
};

struct EntryKeyHash {
    std::size_t operator()(const EntryKey& key) const noexcept;
};

// Visits every entry below `folder` that is not itself a folder, depth first in the order the
// file system lists them, descending into sub-folders as they are met. Symbolic links are
// visited as entries and never followed; folders that cannot be read are skipped.
// Returns false when `folder` itself cannot be opened as a folder.
bool walkFolder(const std::filesystem::path& folder,
                const std::function<void(const std::filesystem::path&, const EntryKey&)>& visit);

// Removes the entry `path` names and, for a folder, everything inside it, without ever
// following a symbolic link (a link is removed as itself, even one swapped in meanwhile), then
// syncs the containing folder. Returns 0 or the errno of the first failure; it goes on past
// failures and removes as much as the file system permits.
int removeTree(const std::filesystem::path& path);

// `path` without trailing slashes (except for the root itself).
std::filesystem::path withoutTrailingSlash(const std::filesystem::path& path);

}  // namespace fendry
