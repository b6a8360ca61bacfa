#pragma once

#include <sys/stat.h>
#include <sys/vfs.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace fendry {

// What the engine knows of a directory entry, read with statx and never through a link.
struct EntryInfo {
    mode_t type = 0;  // the S_IFMT bits
    dev_t device = 0;
    ino_t inode = 0;
    nlink_t links = 0;
    std::int64_t size = 0;
    std::int64_t birth = 0;     // nanoseconds since the epoch; 0 where the file system keeps none
    std::uint64_t mountId = 0;  // 0 where the kernel does not say
    bool mountRoot = false;     // the root of a mount, bind mounts of single files included

    bool isFolder() const { return S_ISDIR(type); }
    bool isRegular() const { return S_ISREG(type); }
};

// What tells one file apart from another that later takes its place: the device and inode
// number, which a file system hands out again as soon as they are free, and the type and birth,
// which a new file does not share.
struct Identity {
    dev_t device = 0;
    ino_t inode = 0;
    mode_t type = 0;
    std::int64_t birth = 0;

    static Identity of(const EntryInfo& info) {
        return {info.device, info.inode, info.type, info.birth};
    }
    // Births compare only where both are known.
    bool matches(const Identity& other) const {
        return device == other.device && inode == other.inode && type == other.type &&
               (birth == 0 || other.birth == 0 || birth == other.birth);
    }
    bool matches(const EntryInfo& info) const { return matches(of(info)); }
    bool operator==(const Identity&) const = default;
};

// Every system call that walking, erasing and removing make, behind one seam so that tests can
// make any step fail or change the tree at any step. Every call returns 0 on success or an
// errno value; nothing is thrown. Below a pending entry everything is reached relative to an
// open folder, one name at a time, never through a link and never across a mount.
class FileOps {
public:
    // Without openat2 (kernels before 5.6, or a test that plays one), the same rules hold
    // through openat and checks of the mount ids.
    explicit FileOps(bool useOpenat2 = true) : useOpenat2_(useOpenat2) {}
    virtual ~FileOps() = default;

    // Opens the folder that an absolute path names without following any link on the way.
    virtual int openFolder(const std::string& path, int& fd);
    // Opens the folder `name` inside `folder`, refusing a link and anything that is not a
    // folder; with `sameMount`, also the root of any other mount (EXDEV).
    virtual int openFolderAt(int folder, const std::string& name, int& fd, bool sameMount = true);
    // Opens the folder that holds the open folder `folder` (its ".."); callers check that it is
    // the one they expect.
    virtual int openParent(int folder, int& fd);
    // Calls `visit` with each name in the open folder but "." and "..".
    virtual int listFolder(int folder, const std::function<void(const char* name)>& visit);
    virtual int statAt(int folder, const std::string& name, EntryInfo& info);
    virtual int statOpen(int fd, EntryInfo& info);
    // Opens an existing entry of `folder` for writing: no create, no truncate, never through a
    // link or into another mount, and without blocking on a FIFO that has no reader.
    virtual int openForWritingAt(int folder, const std::string& name, int& fd);
    // Opens an existing regular file of `folder` for reading, as openForWritingAt does; with
    // `direct`, past the page cache, from the device (O_DIRECT), which some file systems refuse
    // (EINVAL).
    virtual int openForReadingAt(int folder, const std::string& name, int& fd, bool direct);
    // Reads at `offset` into `data`; `got` is 0 at the end of the file.
    virtual int readAt(int fd, std::byte* data, std::size_t length, std::int64_t offset,
                       std::size_t& got);
    // Lets the page cache drop what it holds of a synced file, so that reading it again asks the
    // device.
    virtual void dropCached(int fd);
    // A handle on the entry itself, whatever it is (a link as the link), that reads and writes
    // nothing: to see its link count fall once it is removed.
    virtual int openEntryAt(int folder, const std::string& name, int& fd);
    // The next allocated extent at or after `from`: [start, end). Unwritten (preallocated)
    // extents count, since their blocks still hold what was there; only true holes do not.
    // ENXIO when only a hole follows.
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
    // Renames the entry `from` of `folder` to `to`, which must not exist (EEXIST).
    virtual int renameAt(int folder, const std::string& from, const std::string& to);
    virtual int statFileSystem(int fd, struct statfs& info);
    // Writes everything of the file system holding `fd` to its device, the journal's copies of
    // its metadata to their home blocks included (syncfs).
    virtual int syncFileSystem(int fd);

private:
    // 0 when the open `fd` lies on the same mount as the open `folder`, else EXDEV.
    static int sameMountAs(int folder, int fd);
    int openFileAt(int folder, const std::string& name, int flags, int& fd);

    bool useOpenat2_;
};

// The process-wide real file system.
FileOps& systemFileOps();

}  // namespace fendry
