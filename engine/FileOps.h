#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace fendry {

// The system calls that erasing makes, behind one seam so that tests can make any step fail.
// Every call returns 0 on success or an errno value; nothing is thrown.
class FileOps {
public:
    virtual ~FileOps() = default;

    // lstat: never follows a symbolic link.
    virtual int statEntry(const std::string& path, struct stat& info);
    // Opens an existing entry for writing: no create, no truncate, never through a link, and
    // without blocking on a FIFO that has no reader.
    virtual int openForWriting(const std::string& path, int& fd);
    virtual int statOpen(int fd, struct stat& info);
    // Writes at `offset`; `written` may come back shorter than `length`.
    virtual int writeAt(int fd, const std::byte* data, std::size_t length, std::int64_t offset,
                        std::size_t& written);
    // Asks the kernel to start writing a range back now; advisory, so it reports nothing.
    virtual void startWriteback(int fd, std::int64_t offset, std::int64_t length);
    virtual int sync(int fd);
    virtual int close(int fd);
    // Removes one directory entry; a symbolic link is removed as itself.
    virtual int removeEntry(const std::string& path);
    // Makes a removal in `folder` durable.
    virtual int syncFolder(const std::string& folder);
};

// The process-wide real file system.
FileOps& systemFileOps();

}  // namespace fendry
