#pragma once

#include <sys/types.h>

#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FileOps.h"

namespace fendry {

using FolderIndex = std::uint32_t;
inline constexpr FolderIndex kNoFolder = UINT32_MAX;

// A name kept in the work list's one block of names.
struct NameRef {
    std::uint64_t offset = 0;
    std::uint16_t length = 0;
};

// A folder that the run reaches: either the folder holding a pending entry, opened by its path
// (a base), or a folder below a pending folder, reached from its parent by name. Its identity
// tells it apart from whatever may be put in its place later.
struct FolderRecord {
    FolderIndex parent = kNoFolder;  // kNoFolder for a base that was not also walked
    NameRef name;                    // its name in `parent`
    dev_t device = 0;
    ino_t inode = 0;
    std::int64_t birth = 0;
    std::uint64_t mountId = 0;
    std::uint32_t base = UINT32_MAX;  // index into bases for a base
    bool walked = false;              // a pending folder or below one: removed at the end
    bool pendingRoot = false;         // a pending folder itself, which may be a mount's root
    bool mountRoot = false;           // a pending folder that is a mount's root: emptied, kept

    Identity identity() const { return {device, inode, S_IFDIR, birth}; }
};

// One directory entry to erase (a regular file) or to remove as itself (a link or a special
// file). Folders are not entries: they are removed at the end once empty.
struct WorkEntry {
    enum class Kind : std::uint8_t { RegularFile, LinkOrSpecial };

    std::uint64_t nameOffset = 0;
    ino_t inode = 0;
    std::int64_t birth = 0;
    FolderIndex folder = 0;
    std::uint16_t nameLength = 0;
    Kind kind = Kind::RegularFile;
    std::uint8_t type = 0;  // the S_IFMT bits, shifted down to fit

    // Entries lie on their folder's device: a mount inside a folder is never listed.
    Identity identity(dev_t device) const {
        return {device, inode, static_cast<mode_t>(mode_t{type} << 12), birth};
    }
};

// The run's work list, compact enough for millions of entries: a table of folders and one of
// entries that name their folder by index, with every name stored once in blocks of names.
// Nothing is ever moved as it grows (no doubling of one large buffer), so the peak stays near
// what is held. Built once, then only read, from any thread.
class WorkList {
public:
    std::vector<FolderRecord> folders;
    std::deque<WorkEntry> entries;
    // The folders holding pending entries: as the user's path named them, and as reached.
    struct Base {
        std::string shown;
        std::string real;  // absolute, with no link on it
    };
    std::vector<Base> bases;

    // Regular files with more than one name: how many names the file has, and how many of them
    // the run reaches. Indexed by the position in `entries` of its first name in the run.
    struct HardLink {
        std::uint32_t links = 0;
        std::uint32_t namesInRun = 0;
    };
    std::vector<std::pair<std::size_t, HardLink>> hardLinks;  // sorted by entry position
    // For an entry that is a later name of a file reached before: that first entry's position.
    std::vector<std::pair<std::size_t, std::size_t>> laterNames;  // sorted by entry position

    NameRef addName(std::string_view name);
    std::string_view nameOf(NameRef name) const;
    std::string_view nameOf(const WorkEntry& entry) const {
        return nameOf(NameRef{entry.nameOffset, entry.nameLength});
    }
    std::string_view nameOf(const FolderRecord& folder) const { return nameOf(folder.name); }

    // Paths are built on demand, for the few items the screen or a failure line names.
    std::filesystem::path pathOfFolder(FolderIndex folder) const;  // ends with "/"
    std::filesystem::path pathOf(std::size_t entry) const;

    const HardLink* hardLinkAt(std::size_t entry) const;
    // The first name in the run of the file that `entry` is a later name of, if it is one.
    std::optional<std::size_t> firstNameOf(std::size_t entry) const;

private:
    static constexpr std::uint64_t kNameBlockBits = 20;
    static constexpr std::uint64_t kNameBlockSize = std::uint64_t{1} << kNameBlockBits;

    // The folder's path with a trailing "/", or "" for the current folder.
    std::string prefixOf(FolderIndex folder) const;

    std::vector<std::unique_ptr<char[]>> nameBlocks_;
    std::uint64_t usedInLastBlock_ = kNameBlockSize;
};

}  // namespace fendry
