#pragma once

#include <sys/stat.h>
#include <sys/vfs.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace fendry {

// Every system call that walking, erasing and removing make, behind one seam so that tests can
// make any step fail or change the tree at any step. Every call returns 0 on success or an
// errno value; nothing is thrown. Below a pending entry everything is reached relative to an
// open folder, so a folder swapped for a link is never followed.
class FileOps {
public:
    virtual ~FileOps() = default;

    // Opens the folder that a path names, as the user gave it (links on the way are theirs).
    virtual int openFolder(const std::string& path, int& fd);
    // Opens the folder `name` inside `folder`, refusing a link and anything that is not a
    // folder; with `sameFileSystem`, also a mount point of any file system (EXDEV).
    virtual int openFolderAt(int folder, const std::string& name, int& fd,
                             bool sameFileSystem = true);
    // Opens the folder that holds the open folder `folder` (its ".."); callers check that it is
    // the one they expect.
    virtual int openParent(int folder, int& fd);
    // Calls `visit` with each name in the open folder but "." and "..".
    virtual int listFolder(int folder, const std::function<void(const char* name)>& visit);
    // lstat relative to a folder: never follows a link.
    virtual int statAt(int folder, const std::string& name, struct stat& info);
    virtual int statOpen(int fd, struct stat& info);
    // Opens an existing entry for writing: no create, no truncate, never through a link, and
    // without blocking on a FIFO that has no reader.
    virtual int openForWritingAt(int folder, const std::string& name, int& fd);
    // The next data extent at or after `from`: [start, end). ENXIO when only a hole follows.
    virtual int findData(int fd, std::int64_t from, std::int64_t& start, std::int64_t& end);
    // Writes at `offset`; `written` may come back shorter than `length`.
    virtual int writeAt(int fd, const std::byte* data, std::size_t length, std::int64_t offset,
                        std::size_t& written);
    // Asks the kernel to start writing a range back now; advisory, so it reports nothing.
    virtual void startWriteback(int fd, std::int64_t offset, std::int64_t length);
    // fsync, for files and folders alike.
    virtual int sync(int fd);
    virtual int close(int fd);
    // A second descriptor for the same open file or folder, so that another thread can keep
    // using it after the first one is closed.
    virtual int duplicate(int fd, int& out);
    // Removes one entry of `folder`; a link is removed as itself.
    virtual int removeAt(int folder, const std::string& name, bool isFolder);
    virtual int statFileSystem(const std::string& path, struct statfs& info);
};

// The process-wide real file system.
FileOps& systemFileOps();

}  // namespace fendry
