#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace fendry {

// One line of the kernel's mount table.
struct Mount {
    std::uint64_t id = 0;  // as statx's STATX_MNT_ID gives it
    unsigned major = 0;
    unsigned minor = 0;
    std::string mountPoint;
    std::string type;     // "ext4", "fuse.sshfs", "nfs4"
    std::string source;   // what is mounted: "/dev/sda2", "server:/export"
    std::string options;  // the mount's and the file system's, comma separated
};

// The mounts this process sees (/proc/self/mountinfo), in the kernel's order.
std::vector<Mount> readMounts();

// The mount a file or folder with device number `device` is on: the one with those device
// numbers (nearest to `folder` when a file system is mounted in several places), or else the
// nearest mount point above `folder`, as for the inner subvolumes of btrfs, whose device
// numbers are their own. Null when none fits.
const Mount* mountOf(const std::vector<Mount>& mounts, dev_t device,
                     const std::filesystem::path& folder);

// Whether the comma-separated `options` hold `option` as one of their items.
bool hasOption(const std::string& options, const std::string& option);

// Whether a mount type names a file system whose data lives on a server.
bool isNetworkType(const std::string& type);

}  // namespace fendry
