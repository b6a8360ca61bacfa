#include "FileOps.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace fendry {

namespace {

int errnoOf(int result) {
    return result == 0 ? 0 : errno;
}

}  // namespace

int FileOps::statEntry(const std::string& path, struct stat& info) {
    return errnoOf(::lstat(path.c_str(), &info));
}

int FileOps::openForWriting(const std::string& path, int& fd) {
    fd = ::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return errno;
    }
    // Non-blocking was only for the open; some file systems honour it for file writes too.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return 0;
}

int FileOps::statOpen(int fd, struct stat& info) {
    return errnoOf(::fstat(fd, &info));
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

int FileOps::removeEntry(const std::string& path) {
    return errnoOf(::unlink(path.c_str()));
}

int FileOps::syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    const int error = errnoOf(::fsync(fd));
    ::close(fd);
    return error;
}

FileOps& systemFileOps() {
    static FileOps ops;
    return ops;
}

}  // namespace fendry
