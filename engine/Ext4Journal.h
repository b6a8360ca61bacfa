#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>

namespace fendry {

// What a wipe needs of ext4 beyond what every file system offers: its journal, which keeps
// copies of recent metadata (names among them) and, with data=journal, of file data; and the
// clusters it keeps back from everyone.

// The kernel's name for the block device `device` ("sda2", "loop0", "dm-1"), as in
// /proc/fs/jbd2 and /sys/fs/ext4; absent when sysfs does not know it.
std::optional<std::string> blockDeviceName(dev_t device);

// How many blocks the journal inside the file system on `deviceName` spans, from
// /proc/fs/jbd2, where jbd2 gives its largest transaction, a third of the journal; absent when
// there is none (ext2, an external journal, another file system).
std::optional<std::int64_t> journalBlocks(const std::string& deviceName);
// The same, from the first line of /proc/fs/jbd2/<name>-8/info.
std::optional<std::int64_t> journalBlocksFromInfo(const std::string& firstLine);

// Writes everything in the journal of the file system that `fd` is on to its home and zeroes
// the journal's blocks on the device (Linux 5.13 and later, CAP_SYS_ADMIN): 0 or the errno.
int zeroJournal(int fd);

// While it lives, lets a privileged process fill the clusters that ext4 keeps back for its own
// metadata (reserved_clusters in /sys/fs/ext4/<name>/), so that no free block is out of a fill's
// reach; the old value comes back when it goes.
class Ext4ReserveLowered {
public:
    explicit Ext4ReserveLowered(const std::string& deviceName);
    ~Ext4ReserveLowered();
    Ext4ReserveLowered(const Ext4ReserveLowered&) = delete;
    Ext4ReserveLowered& operator=(const Ext4ReserveLowered&) = delete;

    // Whether the reserve was lowered.
    bool lowered() const { return previous_.has_value(); }

private:
    std::string file_;
    std::optional<std::string> previous_;
};

}  // namespace fendry
