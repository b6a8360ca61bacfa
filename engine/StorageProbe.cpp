#include "StorageProbe.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "FolderWalk.h"
#include "MountTable.h"

namespace fendry {

namespace {

// Not in <linux/magic.h>: these file systems live outside the kernel tree or came later.
constexpr std::uint64_t kZfsMagic = 0x2FC12FC1;
constexpr std::uint64_t kBcachefsMagic = 0xCA451A4E;

// struct xfs_fsop_geom from the kernel's xfs_fs.h, for the one flag we read.
struct XfsGeometry {
    std::uint32_t blocksize, rtextsize, agblocks, agcount, logblocks, sectsize, inodesize, imaxpct;
    std::uint64_t datablocks, rtblocks, rtextents, logstart;
    unsigned char uuid[16];
    std::uint32_t sunit, swidth;
    std::int32_t version;
    std::uint32_t flags, logsectsize, rtsectsize, dirblocksize, logsunit, sick, checked;
    std::uint64_t reserved[17];
};
static_assert(sizeof(XfsGeometry) == 256);
constexpr std::uint32_t kXfsReflink = 1u << 20;

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Asks XFS itself; needs a descriptor that can take an ioctl, so the folder is opened.
std::optional<bool> xfsSharesBlocks(const std::filesystem::path& folder) {
    const Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0) {
        return std::nullopt;
    }
    XfsGeometry geometry{};
    if (::ioctl(fd.get(), _IOR('X', 126, XfsGeometry), &geometry) == 0) {
        return (geometry.flags & kXfsReflink) != 0;
    }
    // Kernels before 5.1 know only the shorter, older form, whose flags sit at the same place.
    if (::ioctl(fd.get(), _IOR('X', 124, unsigned char[112]), &geometry) == 0) {
        return (geometry.flags & kXfsReflink) != 0;
    }
    return std::nullopt;
}

std::optional<bool> readFlag(const std::string& file) {
    std::ifstream in(file);
    int value = 0;
    if (in >> value) {
        return value != 0;
    }
    return std::nullopt;
}

// A partition has no queue of its own; its disk, one level up, has.
std::optional<bool> rotationalOf(dev_t block) {
    const std::string base =
        "/sys/dev/block/" + std::to_string(::major(block)) + ":" + std::to_string(::minor(block));
    if (const auto own = readFlag(base + "/queue/rotational")) {
        return own;
    }
    return readFlag(base + "/../queue/rotational");
}


}  // namespace

std::optional<StorageFacts> StorageProbe::factsOf(const std::filesystem::path& item) const {
    const std::filesystem::path bare = withoutTrailingSlash(item);
    // O_PATH with O_NOFOLLOW looks at the entry itself, a link included, without opening it.
    const Descriptor fd(::open(bare.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    struct statfs fileSystem {};
    struct stat info {};
    if (fd.get() < 0 || ::fstatfs(fd.get(), &fileSystem) != 0 || ::fstat(fd.get(), &info) != 0) {
        return std::nullopt;
    }
    const std::filesystem::path folder = S_ISDIR(info.st_mode) ? bare : bare.parent_path();

    StorageFacts facts;
    facts.fileSystemMagic = static_cast<std::uint64_t>(fileSystem.f_type);
    if (facts.fileSystemMagic == XFS_SUPER_MAGIC) {
        facts.sharesBlocks = xfsSharesBlocks(folder);
    }
    const std::vector<Mount> mounts = readMounts();
    if (const Mount* mount = mountOf(mounts, info.st_dev, folder)) {
        facts.fileSystemType = mount->type;
        facts.mountOptions = mount->options;
        facts.mountPoint = mount->mountPoint;
        facts.source = mount->source;
        dev_t block = ::makedev(mount->major, mount->minor);
        struct stat source {};
        if (mount->major == 0 && ::stat(mount->source.c_str(), &source) == 0 &&
            S_ISBLK(source.st_mode)) {
            block = source.st_rdev;  // btrfs and others report a device number of their own
        }
        if (::major(block) != 0) {
            facts.rotational = rotationalOf(block);
        }
    }
    return facts;
}

std::vector<StorageCaution> cautionsFor(const StorageFacts& facts) {
    using Kind = StorageCaution::Kind;
    const std::string& type = facts.fileSystemType;
    const auto named = [&type](const char* fallback) { return type.empty() ? fallback : type; };
    std::vector<StorageCaution> cautions;
    switch (facts.fileSystemMagic) {
        case BTRFS_SUPER_MAGIC: cautions.push_back({Kind::CopyOnWrite, "btrfs"}); break;
        case kZfsMagic: cautions.push_back({Kind::CopyOnWrite, "ZFS"}); break;
        case kBcachefsMagic: cautions.push_back({Kind::CopyOnWrite, "bcachefs"}); break;
        case XFS_SUPER_MAGIC:
            // Reflinks are the default since 2019; an XFS that cannot be asked is taken to have
            // them.
            if (facts.sharesBlocks.value_or(true)) {
                cautions.push_back({Kind::CopyOnWrite, "XFS with reflinks"});
            }
            break;
        case NFS_SUPER_MAGIC: cautions.push_back({Kind::Network, named("nfs")}); break;
        case SMB_SUPER_MAGIC:
        case CIFS_SUPER_MAGIC:
        case SMB2_SUPER_MAGIC: cautions.push_back({Kind::Network, named("cifs")}); break;
        case CEPH_SUPER_MAGIC: cautions.push_back({Kind::Network, "ceph"}); break;
        case AFS_SUPER_MAGIC:
        case AFS_FS_MAGIC: cautions.push_back({Kind::Network, "afs"}); break;
        case CODA_SUPER_MAGIC: cautions.push_back({Kind::Network, "coda"}); break;
        case V9FS_MAGIC: cautions.push_back({Kind::Network, "9p"}); break;
        case NCP_SUPER_MAGIC: cautions.push_back({Kind::Network, "ncpfs"}); break;
        case FUSE_SUPER_MAGIC:
            cautions.push_back(
                {Kind::Fuse, type.rfind("fuse.", 0) == 0 ? type.substr(5) : named("fuse")});
            break;
        case EXT4_SUPER_MAGIC:
            if (hasOption(facts.mountOptions, "data=journal")) {
                cautions.push_back({Kind::DataJournal, named("ext4")});
            }
            break;
        default:
            if (isNetworkType(type)) {
                cautions.push_back({Kind::Network, type});
            }
            break;
    }
    if (facts.rotational == false) {
        cautions.push_back({Kind::SolidState, {}});
    }
    return cautions;
}

}  // namespace fendry
