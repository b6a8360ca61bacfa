#include "FileOps.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace fendry {

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

int errnoOf(int result) {
    return result == 0 ? 0 : errno;
}

int openResult(int fd, int& out) {
    out = fd;
    return fd < 0 ? errno : 0;
}

}  // namespace

int FileOps::openFolder(const std::string& path, int& fd) {
    return openResult(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC), fd);
}

int FileOps::openFolderAt(int folder, const std::string& name, int& fd, bool sameFileSystem) {
    open_how how{};
    how.flags = kFolderFlags;
    how.resolve = RESOLVE_BENEATH | RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS |
                  (sameFileSystem ? RESOLVE_NO_XDEV : 0);
    const long result = ::syscall(SYS_openat2, folder, name.c_str(), &how, sizeof how);
    if (result >= 0 || errno != ENOSYS) {
        return openResult(static_cast<int>(result), fd);
    }
    // Kernels before 5.6: no link is followed, and a mount point shows as another device.
    if (const int error = openResult(::openat(folder, name.c_str(), kFolderFlags), fd)) {
        return error;
    }
    if (!sameFileSystem) {
        return 0;
    }
    struct stat parent {};
    struct stat child {};
    if (::fstat(folder, &parent) != 0 || ::fstat(fd, &child) != 0 ||
        parent.st_dev != child.st_dev) {
        ::close(fd);
        fd = -1;
        return EXDEV;
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

int FileOps::statAt(int folder, const std::string& name, struct stat& info) {
    return errnoOf(::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW));
}

int FileOps::statOpen(int fd, struct stat& info) {
    return errnoOf(::fstat(fd, &info));
}

int FileOps::openForWritingAt(int folder, const std::string& name, int& fd) {
    const int flags = O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
    if (const int error = openResult(::openat(folder, name.c_str(), flags), fd)) {
        return error;
    }
    // Non-blocking was only for the open; some file systems honour it for file writes too.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return 0;
}

int FileOps::findData(int fd, std::int64_t from, std::int64_t& start, std::int64_t& end) {
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

int FileOps::statFileSystem(const std::string& path, struct statfs& info) {
    return errnoOf(::statfs(path.c_str(), &info));
}

FileOps& systemFileOps() {
    static FileOps ops;
    return ops;
}

}  // namespace fendry
