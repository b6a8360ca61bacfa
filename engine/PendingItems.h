#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace fendry {

// The ordered, duplicate-free list of files and folders waiting to be erased.
using PendingList = std::vector<std::filesystem::path>;

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

// Why a received path may never be erased, if it may not: the root, a path whose last
// component is "." or "..", or anything on a pseudo file system (/proc, /sys, /dev, ...).
std::optional<std::string> refusalOf(const std::filesystem::path& received);

enum class Intake { Added, AlreadyPending, Refused };

// The one intake rule: appends the entry for `received` unless it is refused or an equal one is
// pending already.
Intake addPendingItem(PendingList& files, const std::filesystem::path& received);

// 1 for an entry that is not a folder; for a folder, the entries below it that are not folders,
// as a run would reach them (0 when it cannot be read, or when `stop` is set meanwhile).
std::int64_t countFiles(const std::filesystem::path& entry,
                        const std::atomic<bool>* stop = nullptr);

}  // namespace fendry
