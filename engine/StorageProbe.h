#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace fendry {

// What the storage under an item is, as far as overwriting in place is concerned.
struct StorageFacts {
    std::uint64_t fileSystemMagic = 0;  // statfs's f_type
    std::string fileSystemType;         // as mounted: "ext4", "fuse.sshfs", "nfs4"; may be empty
    std::string mountOptions;           // the mount's and the file system's, comma separated
    std::optional<bool> rotational;     // of the block device beneath; absent when none is known
    std::optional<bool> sharesBlocks;   // XFS: whether files may share blocks (reflinks)
    std::string mountPoint = {};        // where it is mounted; empty when no mount was found
    std::string source = {};            // what is mounted there: "/dev/sda2", "server:/export"
};

// Looks at the storage an item lives on without opening, following or changing the item.
class StorageProbe {
public:
    virtual ~StorageProbe() = default;
    // Absent when the item cannot be looked at (gone, or a folder on its path is unreadable).
    virtual std::optional<StorageFacts> factsOf(const std::filesystem::path& item) const;
};

// A kind of storage where overwriting in place cannot reach every copy of the data, and the
// name the user knows it by.
struct StorageCaution {
    enum class Kind { CopyOnWrite, Network, Fuse, SolidState, DataJournal };
    Kind kind = Kind::CopyOnWrite;
    std::string name;  // "btrfs", "nfs4", "sshfs", "ext4"; empty for SolidState

    auto operator<=>(const StorageCaution&) const = default;
};

// Every caution that applies to storage with these facts; none for a plain local disk.
std::vector<StorageCaution> cautionsFor(const StorageFacts& facts);

// What a sentence of caution is about: erasing items by overwriting them in place, or wiping
// the free space, which reaches the journal's copies of data that overwriting in place leaves.
enum class CautionFor { Overwriting, WipingFreeSpace };

}  // namespace fendry
