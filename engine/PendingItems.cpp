#include "PendingItems.h"

#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>

#include "FolderWalk.h"
#include "MountTable.h"

namespace fendry {

namespace {

// File systems whose entries are the kernel's, not data: erasing there is never meant.
constexpr std::array<long, 16> kPseudoFileSystems{PROC_SUPER_MAGIC,
                                                  SYSFS_MAGIC,
                                                  DEVPTS_SUPER_MAGIC,
                                                  DEBUGFS_MAGIC,
                                                  TRACEFS_MAGIC,
                                                  SECURITYFS_MAGIC,
                                                  CGROUP_SUPER_MAGIC,
                                                  CGROUP2_SUPER_MAGIC,
                                                  BPF_FS_MAGIC,
                                                  PSTOREFS_MAGIC,
                                                  EFIVARFS_MAGIC,
                                                  0x62656570 /* configfs */,
                                                  0x65735543 /* fusectl */,
                                                  0x19800202 /* mqueue */,
                                                  0x42494e4d /* binfmt_misc */,
                                                  NSFS_MAGIC};

// /dev is a devtmpfs, which statfs cannot tell from a tmpfs (such as /dev/shm, where files of
// one's own may well lie): the kernel's mount table can.
bool isDevtmpfs(const Mount* mount) {
    return mount != nullptr && mount->type == "devtmpfs";
}

bool onPseudoFileSystem(const std::filesystem::path& entry) {
    struct stat info {};
    const bool isDirectory = ::lstat(entry.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    // The folder itself for a folder; for anything else (a link above all) where it lies.
    const std::filesystem::path where =
        isDirectory ? entry : (entry.has_parent_path() ? entry.parent_path() : ".");
    struct statfs fs {};
    struct stat folder {};
    if (::statfs(where.c_str(), &fs) != 0 || ::stat(where.c_str(), &folder) != 0) {
        return false;  // nothing there to erase, and the run looks again
    }
    if (isPseudoFileSystem(fs.f_type)) {
        return true;
    }
    const auto mounts = readMounts();
    return fs.f_type == TMPFS_MAGIC && isDevtmpfs(mountOf(mounts, folder.st_dev, where));
}

// Where the item lies, without a link on the way, and what stands there now.
ChosenPlace placeOf(const std::filesystem::path& entry) {
    ChosenPlace place;
    const std::filesystem::path bare = withoutTrailingSlash(entry);
    const std::filesystem::path folder = bare.has_parent_path() ? bare.parent_path() : ".";
    char* real = ::realpath(folder.c_str(), nullptr);
    if (real == nullptr) {
        place.error = errno;
        return place;
    }
    place.folder = real;
    std::free(real);
    FileOps& ops = systemFileOps();
    int fd = -1;
    if ((place.error = ops.openFolder(place.folder, fd)) != 0) {
        place.folder.clear();
        return place;
    }
    EntryInfo info;
    if ((place.error = ops.statOpen(fd, info)) == 0) {
        place.folderIdentity = Identity::of(info);
        if (ops.statAt(fd, bare.filename().string(), info) == 0) {
            place.item = Identity::of(info);
        }
    } else {
        place.folder.clear();
    }
    ops.close(fd);
    return place;
}

}  // namespace

bool isPseudoFileSystem(long magic) {
    return std::find(kPseudoFileSystems.begin(), kPseudoFileSystems.end(), magic) !=
           kPseudoFileSystems.end();
}

bool isFolder(const std::filesystem::path& entry) {
    return !entry.empty() && !entry.has_filename();
}

std::filesystem::path withoutTrailingSlash(const std::filesystem::path& path) {
    std::string text = path.string();
    while (text.size() > 1 && text.back() == '/') {
        text.pop_back();
    }
    return text;
}

std::filesystem::path pendingEntryFor(const std::filesystem::path& received) {
    const std::string text = received.string();
    std::string normal = !text.empty() && text.front() == '/' ? "/" : "";
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('/', start), text.size());
        const std::string part = text.substr(start, end - start);
        if (!part.empty() && part != ".") {
            if (!normal.empty() && normal.back() != '/') {
                normal += '/';
            }
            normal += part;
        }
        start = end + 1;
    }
    std::filesystem::path entry = normal.empty() ? std::string(".") : normal;
    struct stat info {};
    if (::lstat(entry.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && entry.has_filename()) {
        entry += "/";
    }
    return entry;
}

PendingItem chooseItem(const std::filesystem::path& received) {
    PendingItem item;
    item.path = pendingEntryFor(received);
    item.chosen = placeOf(item.path);
    return item;
}

bool onPseudoFileSystem(FileOps& ops, int fd) {
    struct statfs fs {};
    EntryInfo info;
    if (ops.statFileSystem(fd, fs) != 0 || ops.statOpen(fd, info) != 0) {
        return true;  // what cannot be told apart is not erased
    }
    if (isPseudoFileSystem(fs.f_type)) {
        return true;
    }
    if (fs.f_type != TMPFS_MAGIC || info.mountId == 0) {
        return false;
    }
    const auto mounts = readMounts();
    const auto mount = std::find_if(mounts.begin(), mounts.end(),
                                    [&](const Mount& m) { return m.id == info.mountId; });
    return isDevtmpfs(mount != mounts.end() ? &*mount : nullptr);
}

std::optional<std::string> refusalOf(const std::filesystem::path& received) {
    if (received.empty()) {
        return "an empty path names nothing";
    }
    const std::filesystem::path entry = pendingEntryFor(received);
    if (entry == "/") {
        return "it is the root folder";
    }
    const std::filesystem::path last = withoutTrailingSlash(received).filename();
    if (last == "." || last == "..") {
        return "a path ending in \".\" or \"..\" names a folder above or around the one meant";
    }
    if (onPseudoFileSystem(withoutTrailingSlash(entry))) {
        return "it belongs to the system (a pseudo file system such as /proc, /sys or /dev)";
    }
    return std::nullopt;
}

Intake addPendingItem(PendingList& files, const std::filesystem::path& received) {
    if (refusalOf(received)) {
        return Intake::Refused;
    }
    const auto entry = pendingEntryFor(received);
    if (std::any_of(files.begin(), files.end(),
                    [&](const PendingItem& item) { return item.path == entry; })) {
        return Intake::AlreadyPending;
    }
    files.push_back(chooseItem(entry));
    return Intake::Added;
}

std::int64_t countFiles(const std::filesystem::path& entry, const std::atomic<bool>* stop) {
    if (isFolder(entry)) {
        return countEntriesBelow(chooseItem(entry), systemFileOps(), stop);
    }
    struct stat info {};
    return ::lstat(entry.c_str(), &info) == 0 && S_ISREG(info.st_mode) ? 1 : 0;
}

}  // namespace fendry
