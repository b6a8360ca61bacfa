#include "FreeSpaceTarget.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "MountTable.h"
#include "PendingItems.h"

namespace fendry {

namespace {

using Kind = WipeRefusal::Kind;

bool isNetworkMagic(std::uint64_t magic) {
    static constexpr std::uint64_t kMagics[] = {
        NFS_SUPER_MAGIC, SMB_SUPER_MAGIC, CIFS_SUPER_MAGIC, SMB2_SUPER_MAGIC, CEPH_SUPER_MAGIC,
        AFS_SUPER_MAGIC, AFS_FS_MAGIC,    CODA_SUPER_MAGIC, V9FS_MAGIC,       NCP_SUPER_MAGIC};
    return std::find(std::begin(kMagics), std::end(kMagics), magic) != std::end(kMagics);
}

// A file without a name in `folder`, made and let go at once; 0 or the errno of the attempt.
int tryNamelessFile(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0) {
        return errno;
    }
    ::close(fd);
    return 0;
}

bool cannotBeNameless(int error) {
    // EISDIR: kernels without O_TMPFILE read it as a plain open of the folder for writing.
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

}  // namespace

std::optional<WipeRefusal> wipeRefusalFor(std::uint64_t magic, const std::string& type,
                                          bool readOnly) {
    if (isPseudoFileSystem(static_cast<long>(magic)) || type == "devtmpfs") {
        return WipeRefusal{Kind::Pseudo, type, 0};
    }
    if (magic == TMPFS_MAGIC || magic == RAMFS_MAGIC) {
        return WipeRefusal{Kind::InMemory, type, 0};
    }
    if (isNetworkMagic(magic) || isNetworkType(type)) {
        return WipeRefusal{Kind::Network, type, 0};
    }
    if (magic == FUSE_SUPER_MAGIC || type.rfind("fuse", 0) == 0) {
        return WipeRefusal{Kind::Fuse, type.rfind("fuse.", 0) == 0 ? type.substr(5) : type, 0};
    }
    if (magic == OVERLAYFS_SUPER_MAGIC) {
        return WipeRefusal{Kind::Layered, type, 0};
    }
    if (readOnly) {
        return WipeRefusal{Kind::ReadOnly, type, 0};
    }
    return std::nullopt;
}

std::variant<FreeSpaceTarget, WipeRefusal> inspectFreeSpace(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOTDIR) {
            return WipeRefusal{Kind::NotFolder, {}, 0};
        }
        return WipeRefusal{Kind::Unreadable, {}, error};
    }
    struct stat info {};
    struct statfs fileSystem {};
    struct statvfs flags {};
    const bool looked =
        ::fstat(fd, &info) == 0 && ::fstatfs(fd, &fileSystem) == 0 && ::fstatvfs(fd, &flags) == 0;
    const int error = errno;
    ::close(fd);
    if (!looked) {
        return WipeRefusal{Kind::Unreadable, {}, error};
    }

    FreeSpaceTarget target;
    target.magic = static_cast<std::uint64_t>(fileSystem.f_type);
    target.deviceNumber = info.st_dev;
    const std::vector<Mount> mounts = readMounts();
    const Mount* mount = mountOf(mounts, info.st_dev, folder);
    if (mount != nullptr) {
        target.mountPoint = mount->mountPoint;
        target.device = mount->source;
        target.type = mount->type;
        target.journalsData = hasOption(mount->options, "data=journal");
    }
    if (auto refusal = wipeRefusalFor(target.magic, target.type, (flags.f_flag & ST_RDONLY) != 0)) {
        return *refusal;
    }

    // The folder given, or else the file system's root, where the administrator may have
    // left room for everyone (as in /tmp).
    target.folder = folder;
    if (const int denied = tryNamelessFile(folder); denied != 0) {
        if (cannotBeNameless(denied)) {
            return WipeRefusal{Kind::NoNamelessFiles, target.type, 0};
        }
        const int atRoot = target.mountPoint.empty() ? denied : tryNamelessFile(target.mountPoint);
        if (atRoot != 0) {
            return WipeRefusal{Kind::NotWritable, target.type,
                               cannotBeNameless(atRoot) ? denied : atRoot};
        }
        target.folder = target.mountPoint;
    }

    target.privileged = ::geteuid() == 0;
    target.blockSize = static_cast<std::int64_t>(fileSystem.f_bsize);
    const auto bytes = [&](std::uint64_t blocks) {
        return static_cast<std::int64_t>(blocks) * target.blockSize;
    };
    target.freeBytes = bytes(target.privileged ? fileSystem.f_bfree : fileSystem.f_bavail);
    target.reservedBytes =
        target.privileged
            ? 0
            : bytes(fileSystem.f_bfree - std::min(fileSystem.f_bfree, fileSystem.f_bavail));
    target.freeInodes = static_cast<std::int64_t>(fileSystem.f_ffree);
    return target;
}

TimeRange fillTimeRange(std::int64_t bytes, std::optional<bool> rotational) {
    // What such storage writes, one long stream, from a slow USB-attached or busy one to a fast
    // one; the progress then tells the real pace.
    const double fastest = rotational == true ? 200e6 : 1000e6;
    const double slowest = rotational == true ? 80e6 : 100e6;
    return {static_cast<double>(bytes) / fastest, static_cast<double>(bytes) / slowest};
}

}  // namespace fendry
