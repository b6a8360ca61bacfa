#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "FileOps.h"

namespace fendry {

// Where a chosen item lies and what it was when it was chosen, so that a run much later erases
// that item and nothing that has taken its place since: the folder holding it, by a path with
// no link on it (the links the user's path went through are resolved once, at the choice), and
// the identities of that folder and of the item.
struct ChosenPlace {
    std::string folder;  // absolute; empty when it could not be found
    int error = 0;       // why not, then
    Identity folderIdentity;
    std::optional<Identity> item;  // absent when nothing stood there

    bool operator==(const ChosenPlace&) const = default;
};

// One entry of the pending list: its path as shown, and what was chosen.
struct PendingItem {
    std::filesystem::path path;  // ends with "/" for a folder
    ChosenPlace chosen;

    bool operator==(const PendingItem&) const = default;
};

// The ordered, duplicate-free list of files and folders waiting to be erased.
using PendingList = std::vector<PendingItem>;

// A pending entry stands for a folder when its path ends with "/"; the file system is not asked.
bool isFolder(const std::filesystem::path& entry);

// Whether a file system of this type (statfs's f_type) holds the kernel's entries, not data:
// /proc, /sys, /dev/pts and their like. /dev itself is a devtmpfs, which only its mount type
// tells from a tmpfs.
bool isPseudoFileSystem(long magic);

// `path` without trailing slashes (except for the root itself).
std::filesystem::path withoutTrailingSlash(const std::filesystem::path& path);

// The form in which a received path enters the list: written without "." components and
// repeated slashes (links are not resolved, so ".." stays), and ending with "/" when it names a
// real directory (a symbolic link to a folder does not).
std::filesystem::path pendingEntryFor(const std::filesystem::path& received);

// The pending entry for `received`, with what stands there now.
PendingItem chooseItem(const std::filesystem::path& received);

// Why a received path may never be erased, if it may not: the root, a path whose last
// component is "." or "..", or anything on a pseudo file system (/proc, /sys, /dev, ...).
std::optional<std::string> refusalOf(const std::filesystem::path& received);

// Whether the open `fd` lies on a pseudo file system (/proc, /sys, /dev, ...): checked again on
// what a run actually opened, whatever the path said at the choice.
bool onPseudoFileSystem(FileOps& ops, int fd);

enum class Intake { Added, AlreadyPending, Refused };

// The one intake rule: appends the entry for `received` unless it is refused or an equal one is
// pending already.
Intake addPendingItem(PendingList& files, const std::filesystem::path& received);

// The regular files a run would overwrite for the entry: 1 or 0 for an entry that is not a
// folder; for a folder, those below it as a run would reach them (0 when it cannot be read, or
// when `stop` is set meanwhile). Links and special files hold no data and are not counted.
std::int64_t countFiles(const std::filesystem::path& entry,
                        const std::atomic<bool>* stop = nullptr);

}  // namespace fendry
