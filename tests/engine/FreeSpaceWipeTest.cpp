// Wiping free space: which file systems are refused, and on a real ext4 image, that nothing of
// removed files is left on the raw device and that the space comes back. (What fendry-cli
// refuses, and a wipe stopped or killed halfway, are in the command line's tests.)

#include <gtest/gtest.h>
#include <linux/magic.h>
#include <unistd.h>

#include <fstream>

#include "FreeSpaceWipe.h"
#include "ScratchExt4.h"
#include "TempFolder.h"

using fendry::FreeSpaceTarget;
using fendry::WipeRefusal;
using Kind = fendry::WipeRefusal::Kind;
using testing_support::ScratchExt4;
using testing_support::writeFile;
namespace fs = std::filesystem;

namespace {

TEST(FreeSpaceRefusal, FileSystemsWhereAWipeCannotWork) {
    struct Row {
        std::uint64_t magic;
        const char* type;
        bool readOnly;
        std::optional<WipeRefusal> refusal;
    };
    const Row rows[] = {
        {PROC_SUPER_MAGIC, "proc", false, WipeRefusal{Kind::Pseudo, "proc", 0}},
        {TMPFS_MAGIC, "devtmpfs", false, WipeRefusal{Kind::Pseudo, "devtmpfs", 0}},
        {TMPFS_MAGIC, "tmpfs", false, WipeRefusal{Kind::InMemory, "tmpfs", 0}},
        {NFS_SUPER_MAGIC, "nfs4", false, WipeRefusal{Kind::Network, "nfs4", 0}},
        {CIFS_SUPER_MAGIC, "cifs", false, WipeRefusal{Kind::Network, "cifs", 0}},
        {V9FS_MAGIC, "9p", false, WipeRefusal{Kind::Network, "9p", 0}},
        {FUSE_SUPER_MAGIC, "fuse.sshfs", false, WipeRefusal{Kind::Fuse, "sshfs", 0}},
        {FUSE_SUPER_MAGIC, "fuseblk", false, WipeRefusal{Kind::Fuse, "fuseblk", 0}},
        {OVERLAYFS_SUPER_MAGIC, "overlay", false, WipeRefusal{Kind::Layered, "overlay", 0}},
        {EXT4_SUPER_MAGIC, "ext4", true, WipeRefusal{Kind::ReadOnly, "ext4", 0}},
        {EXT4_SUPER_MAGIC, "ext4", false, std::nullopt},
        {BTRFS_SUPER_MAGIC, "btrfs", false, std::nullopt},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(fendry::wipeRefusalFor(row.magic, row.type, row.readOnly), row.refusal)
            << row.type << (row.readOnly ? " ro" : "");
    }
}

// 40 files with secret names and contents, in a folder that is then removed (or, with
// `keepFolder`, emptied), as a plain rm would leave them.
void leaveRemovedFiles(const fs::path& where, bool keepFolder) {
    std::string body;
    while (body.size() < 8192) {
        body += "MARKERTEXT";
    }
    for (int i = 0; i < 40; ++i) {
        writeFile(where / "secret" / ("SECRETNAME_" + std::to_string(1000 + i) + ".txt"), body);
    }
    ::sync();
    for (const auto& entry : fs::directory_iterator(where / "secret")) {
        fs::remove(entry.path());
    }
    if (!keepFolder) {
        fs::remove(where / "secret");
    }
    ::sync();
}

FreeSpaceTarget targetOf(const fs::path& folder) {
    auto inspected = fendry::inspectFreeSpace(folder);
    EXPECT_TRUE(std::holds_alternative<FreeSpaceTarget>(inspected));
    return std::get<FreeSpaceTarget>(inspected);
}

std::string reservedClusters(const FreeSpaceTarget& target) {
    std::ifstream in("/sys/fs/ext4/" + fs::path(target.device).filename().string() +
                     "/reserved_clusters");
    std::string value;
    in >> value;
    return value;
}

TEST(FreeSpaceWipe, LeavesNoNameAndNoContentOfRemovedFilesOnTheDevice) {
    struct Row {
        const char* mountOptions;
        bool keepFolder;
        bool privileged;  // false: as a user, who must write the journal through
    };
    for (const Row& row : {Row{"defaults", false, true}, Row{"data=journal", true, true},
                           Row{"defaults", true, false}}) {
        ScratchExt4 disk(32, row.mountOptions);
        if (!disk.ready()) {
            GTEST_SKIP() << disk.whyNot();
        }
        leaveRemovedFiles(disk.mountPoint(), row.keepFolder);
        const std::int64_t freeBefore = disk.freeBytes();
        FreeSpaceTarget target = targetOf(disk.mountPoint());
        target.privileged = row.privileged;
        const std::string reserve = reservedClusters(target);

        // Few inodes, so that taking them does not write the journal through on its own.
        fendry::WipeContext context;
        context.inodeLimit = 64;
        const fendry::WipeResult result = fendry::wipeFreeSpace(target, context);

        SCOPED_TRACE(std::string(row.mountOptions) + (row.privileged ? "" : ", as a user"));
        EXPECT_FALSE(result.failure);
        EXPECT_FALSE(result.stopped);
        EXPECT_EQ(result.inodes, 64);
        EXPECT_EQ(result.journal, row.privileged ? fendry::WipeResult::Journal::Zeroed
                                                 : fendry::WipeResult::Journal::Wrapped);
        EXPECT_EQ(disk.freeBytes(), freeBefore);
        EXPECT_EQ(reservedClusters(target), reserve);
        const auto names = disk.find("SECRETNAME");
        const auto contents = disk.find("MARKERTEXT");
        EXPECT_EQ(names.inJournal, 0);
        EXPECT_EQ(contents.inJournal, 0);
        if (row.privileged) {  // a user leaves what is kept for root and ext4 itself
            EXPECT_EQ(result.leftFree, 0);
            EXPECT_EQ(names.anywhere, 0);
            EXPECT_EQ(contents.anywhere, 0);
        }
    }
}

}  // namespace
