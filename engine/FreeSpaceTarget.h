#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>

namespace fendry {

// The file system whose free space a wipe writes, as found from a folder on it.
struct FreeSpaceTarget {
    std::filesystem::path folder;  // where the wipe makes its nameless files
    std::string mountPoint;
    std::string device;  // what is mounted there: "/dev/sda2"
    std::string type;    // as mounted: "ext4"
    std::uint64_t magic = 0;
    dev_t deviceNumber = 0;
    std::int64_t blockSize = 0;
    // What the fill expects to write: the free space this process may fill.
    std::int64_t freeBytes = 0;
    // Free, but kept for the administrator: out of reach unless run as root.
    std::int64_t reservedBytes = 0;
    std::int64_t freeInodes = 0;
    // ext4 mounted with data=journal, which writes every block twice, through the journal.
    bool journalsData = false;
    // Run as root: reaches the administrator's reserve, and on ext4 what the file system keeps
    // back for itself, and may have the journal emptied at once.
    bool privileged = false;
};

// Why the free space under a folder cannot be wiped.
struct WipeRefusal {
    enum class Kind {
        Unreadable,       // the folder cannot be opened; `error` says why
        NotFolder,        // it names something else
        Pseudo,           // /proc, /sys, /dev and their like hold no data
        InMemory,         // tmpfs, ramfs: filling it fills the memory, and nothing stays on a disk
        ReadOnly,         // mounted read-only
        Network,          // its free space is on a server; `type` names it
        Fuse,             // a program stands between the data and the disk; `type` names it
        Layered,          // an overlay: its writes land on another file system
        NoNamelessFiles,  // cannot make a file without a name (O_TMPFILE); `type` names it
        NotWritable,      // may not make files there, nor at the file system's root; `error`
    };
    Kind kind = Kind::Unreadable;
    std::string type;
    int error = 0;

    bool operator==(const WipeRefusal&) const = default;
};

// Why a file system with this statfs type, mount type and read-only flag cannot be wiped, if
// it cannot.
std::optional<WipeRefusal> wipeRefusalFor(std::uint64_t magic, const std::string& type,
                                          bool readOnly);

// Looks at the file system under `folder` (links on the way to it are the user's) and whether
// a wipe can make its nameless files there; the test file it may make has no name and goes at
// once. Nothing else is written.
std::variant<FreeSpaceTarget, WipeRefusal> inspectFreeSpace(const std::filesystem::path& folder);

// The shortest and longest a fill of `bytes` is likely to take, in seconds, on a spinning disk
// or on other storage (unknown counts as other).
struct TimeRange {
    double shortest = 0;
    double longest = 0;
};
TimeRange fillTimeRange(std::int64_t bytes, std::optional<bool> rotational);

}  // namespace fendry
