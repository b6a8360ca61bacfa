#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace fendry {

// The ordered, duplicate-free list of files and folders waiting to be erased.
using PendingList = std::vector<std::filesystem::path>;

// A pending entry stands for a folder when its path ends with "/"; the file system is not asked.
bool isFolder(const std::filesystem::path& entry);

// A folder entry whose name has the extension "app": erased as one item, never walked.
bool isApplicationBundle(const std::filesystem::path& entry);

// The form in which a received path enters the list: a real directory ends with "/", anything
// else (a symbolic link to a folder included) does not.
std::filesystem::path pendingEntryFor(const std::filesystem::path& received);

// The one intake rule: appends the entry for `received` unless an equal one is pending already.
// Returns whether it was appended.
bool addPendingItem(PendingList& files, const std::filesystem::path& received);

// 1 for an entry that is not a folder; for a folder, the entries below it that are not folders
// (0 when it cannot be read).
std::int64_t countFiles(const std::filesystem::path& entry);

// The run's work list: the pending entries in order, each folder replaced by the files below it
// in walk order. A directory entry reached more than once (a file pending on its own and inside
// a pending folder, nested pending folders) is listed only where it is first reached.
std::vector<std::filesystem::path> expandPendingItems(const PendingList& snapshot);

}  // namespace fendry
