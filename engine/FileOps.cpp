#include "FileOps.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/fiemap.h>
#include <linux/fs.h>
#include <linux/openat2.h>
#include <sys/ioctl.h>
#include <sys/sysmacros.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace fendry {

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
constexpr int kWriteFlags = O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
constexpr int kEntryFlags = O_PATH | O_NOFOLLOW | O_CLOEXEC;
// One name below an open folder: no link, no "..", no magic link, and by default no mount.
constexpr std::uint64_t kOneNameBelow =
    RESOLVE_BENEATH | RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS;

int errnoOf(int result) {
    return result == 0 ? 0 : errno;
}

int openResult(long fd, int& out) {
    out = static_cast<int>(fd);
    return fd < 0 ? errno : 0;
}

// openat2, or ENOSYS where the kernel has none.
long openat2(int folder, const char* name, int flags, std::uint64_t resolve) {
    open_how how{};
    how.flags = static_cast<std::uint64_t>(flags);
    how.resolve = resolve;
    return ::syscall(SYS_openat2, folder, name, &how, sizeof how);
}

int statxOf(int folder, const char* name, int flags, EntryInfo& info) {
    struct statx found {};
    if (::statx(folder, name, flags | AT_SYMLINK_NOFOLLOW | AT_STATX_SYNC_AS_STAT,
                STATX_BASIC_STATS | STATX_BTIME | STATX_MNT_ID, &found) != 0) {
        return errno;
    }
    info.type = found.stx_mode & S_IFMT;
    info.device = makedev(found.stx_dev_major, found.stx_dev_minor);
    info.inode = found.stx_ino;
    info.links = found.stx_nlink;
    info.size = static_cast<std::int64_t>(found.stx_size);
    info.birth = (found.stx_mask & STATX_BTIME) != 0
                     ? found.stx_btime.tv_sec * 1'000'000'000LL + found.stx_btime.tv_nsec
                     : 0;
    info.mountId = (found.stx_mask & STATX_MNT_ID) != 0 ? found.stx_mnt_id : 0;
    info.mountRoot = (found.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) != 0 &&
                     (found.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
    return 0;
}

// lseek's view: unwritten extents read as holes there, so it serves only where FIEMAP is
// missing (tmpfs, say), whose file systems have no unwritten extents to miss.
int findDataBySeeking(int fd, std::int64_t from, std::int64_t& start, std::int64_t& end) {
    const off_t data = ::lseek(fd, from, SEEK_DATA);
    if (data < 0) {
        return errno;
    }
    const off_t hole = ::lseek(fd, data, SEEK_HOLE);
    if (hole < 0) {
        return errno;
    }
    start = data;
    end = hole;
    return 0;
}

}  // namespace

int FileOps::sameMountAs(int folder, int fd) {
    EntryInfo above;
    EntryInfo below;
    if (const int error = statxOf(folder, "", AT_EMPTY_PATH, above); error != 0) {
        return error;
    }
    if (const int error = statxOf(fd, "", AT_EMPTY_PATH, below); error != 0) {
        return error;
    }
    // Kernels without mount ids (before 5.8) tell at least another file system apart.
    const bool same = above.mountId != 0 && below.mountId != 0
                          ? above.mountId == below.mountId && !below.mountRoot
                          : above.device == below.device;
    return same ? 0 : EXDEV;
}

int FileOps::openFolder(const std::string& path, int& fd) {
    if (useOpenat2_) {
        const long result = openat2(AT_FDCWD, path.c_str(), kFolderFlags,
                                    RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS);
        if (result >= 0 || errno != ENOSYS) {
            return openResult(result, fd);
        }
    }
    // One name at a time from the root, none of them a link.
    if (path.empty() || path.front() != '/') {
        return EINVAL;
    }
    int at = -1;
    if (const int error = openResult(::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC), at)) {
        return error;
    }
    std::size_t start = 1;
    while (start < path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        const std::string name = path.substr(start, end - start);
        start = end + 1;
        if (name.empty() || name == ".") {
            continue;
        }
        const bool last = path.find_first_not_of('/', end) == std::string::npos;
        int next = -1;
        const int error = openResult(
            ::openat(at, name.c_str(), last ? kFolderFlags : O_PATH | O_DIRECTORY | O_NOFOLLOW |
                                                                  O_CLOEXEC),
            next);
        ::close(at);
        if (error != 0) {
            return error;
        }
        at = next;
    }
    if (path.find_first_not_of('/') == std::string::npos) {  // the root itself
        ::close(at);
        return openResult(::open("/", kFolderFlags), fd);
    }
    fd = at;
    return 0;
}

int FileOps::openFolderAt(int folder, const std::string& name, int& fd, bool sameMount) {
    if (useOpenat2_) {
        const long result = openat2(folder, name.c_str(), kFolderFlags,
                                    kOneNameBelow | (sameMount ? RESOLVE_NO_XDEV : 0));
        if (result >= 0 || errno != ENOSYS) {
            return openResult(result, fd);
        }
    }
    if (name.find('/') != std::string::npos || name == "..") {
        return EXDEV;
    }
    if (const int error = openResult(::openat(folder, name.c_str(), kFolderFlags), fd)) {
        return error;
    }
    if (const int error = sameMount ? sameMountAs(folder, fd) : 0; error != 0) {
        ::close(fd);
        fd = -1;
        return error;
    }
    return 0;
}

int FileOps::openParent(int folder, int& fd) {
    return openResult(::openat(folder, "..", kFolderFlags), fd);
}

int FileOps::listFolder(int folder, const std::function<void(const char*)>& visit) {
    // The stream gets a descriptor of its own, so that the caller's stays open.
    int own = -1;
    if (const int error = openResult(::openat(folder, ".", kFolderFlags), own)) {
        return error;
    }
    DIR* dir = ::fdopendir(own);
    if (dir == nullptr) {
        const int error = errno;
        ::close(own);
        return error;
    }
    int error = 0;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (entry == nullptr) {
            error = errno;
            break;
        }
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0) {
            visit(name);
        }
    }
    ::closedir(dir);
    return error;
}

int FileOps::statAt(int folder, const std::string& name, EntryInfo& info) {
    return statxOf(folder, name.c_str(), 0, info);
}

int FileOps::statOpen(int fd, EntryInfo& info) {
    return statxOf(fd, "", AT_EMPTY_PATH, info);
}

// An existing entry of `folder` that is not a link, not below another name and not on another
// mount, opened with `flags`.
int FileOps::openFileAt(int folder, const std::string& name, int flags, int& fd) {
    if (useOpenat2_) {
        const long result = openat2(folder, name.c_str(), flags, kOneNameBelow | RESOLVE_NO_XDEV);
        if (result >= 0 || errno != ENOSYS) {
            return openResult(result, fd);
        }
    }
    if (name.find('/') != std::string::npos) {
        return EXDEV;
    }
    if (const int error = openResult(::openat(folder, name.c_str(), flags), fd)) {
        return error;
    }
    if (const int error = sameMountAs(folder, fd); error != 0) {
        ::close(fd);
        fd = -1;
        return error;
    }
    return 0;
}

int FileOps::openForWritingAt(int folder, const std::string& name, int& fd) {
    const int error = openFileAt(folder, name, kWriteFlags, fd);
    if (error == 0) {
        // Non-blocking was only for the open; some file systems honour it for file writes too.
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    }
    return error;
}

int FileOps::openForReadingAt(int folder, const std::string& name, int& fd, bool direct) {
    return openFileAt(folder, name,
                      O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY |
                          (direct ? O_DIRECT : 0),
                      fd);
}

int FileOps::readAt(int fd, std::byte* data, std::size_t length, std::int64_t offset,
                    std::size_t& got) {
    for (;;) {
        const ssize_t result = ::pread(fd, data, length, static_cast<off_t>(offset));
        if (result >= 0) {
            got = static_cast<std::size_t>(result);
            return 0;
        }
        if (errno != EINTR) {
            got = 0;
            return errno;
        }
    }
}

void FileOps::dropCached(int fd) {
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
}

int FileOps::openEntryAt(int folder, const std::string& name, int& fd) {
    if (name.find('/') != std::string::npos) {
        return EXDEV;
    }
    if (const int error = openResult(::openat(folder, name.c_str(), kEntryFlags), fd)) {
        return error;
    }
    if (const int error = sameMountAs(folder, fd); error != 0) {
        ::close(fd);
        fd = -1;
        return error;
    }
    return 0;
}

int FileOps::findData(int fd, std::int64_t from, std::int64_t& start, std::int64_t& end) {
    // The map is followed by room for the one extent asked for.
    alignas(fiemap) std::byte buffer[sizeof(fiemap) + sizeof(fiemap_extent)]{};
    auto* map = reinterpret_cast<fiemap*>(buffer);
    map->fm_start = static_cast<std::uint64_t>(from);
    map->fm_length = FIEMAP_MAX_OFFSET - static_cast<std::uint64_t>(from);
    map->fm_extent_count = 1;
    if (::ioctl(fd, FS_IOC_FIEMAP, map) != 0) {
        return findDataBySeeking(fd, from, start, end);
    }
    if (map->fm_mapped_extents == 0) {
        return ENXIO;
    }
    const fiemap_extent& extent = map->fm_extents[0];
    start = std::max(from, static_cast<std::int64_t>(extent.fe_logical));
    end = static_cast<std::int64_t>(extent.fe_logical + extent.fe_length);
    return 0;
}

int FileOps::writeAt(int fd, const std::byte* data, std::size_t length, std::int64_t offset,
                     std::size_t& written) {
    for (;;) {
        const ssize_t result = ::pwrite(fd, data, length, static_cast<off_t>(offset));
        if (result >= 0) {
            written = static_cast<std::size_t>(result);
            return 0;
        }
        if (errno != EINTR) {
            written = 0;
            return errno;
        }
    }
}

void FileOps::startWriteback(int fd, std::int64_t offset, std::int64_t length) {
    ::sync_file_range(fd, offset, length, SYNC_FILE_RANGE_WRITE);
}

int FileOps::sync(int fd) {
    return errnoOf(::fsync(fd));
}

int FileOps::close(int fd) {
    // Linux releases the descriptor even when close reports an error, so it is never retried.
    return errnoOf(::close(fd));
}

int FileOps::duplicate(int fd, int& out) {
    return openResult(::fcntl(fd, F_DUPFD_CLOEXEC, 0), out);
}

int FileOps::removeAt(int folder, const std::string& name, bool isFolder) {
    return errnoOf(::unlinkat(folder, name.c_str(), isFolder ? AT_REMOVEDIR : 0));
}

int FileOps::renameAt(int folder, const std::string& from, const std::string& to) {
    return errnoOf(::renameat2(folder, from.c_str(), folder, to.c_str(), RENAME_NOREPLACE));
}

int FileOps::statFileSystem(int fd, struct statfs& info) {
    return errnoOf(::fstatfs(fd, &info));
}

int FileOps::syncFileSystem(int fd) {
    return errnoOf(::syncfs(fd));
}

FileOps& systemFileOps() {
    static FileOps ops;
    return ops;
}

}  // namespace fendry
