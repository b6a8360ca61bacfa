#include "FolderWalk.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "ShredPass.h"

namespace fendry {

namespace {

constexpr int kOpenFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// Calls `visit(name, isFolder)` for each entry of the open folder `fd`, which it takes over and
// closes. Returns false when the folder cannot be listed.
template <typename Visit>
bool forEachEntry(int fd, Visit&& visit) {
    DIR* dir = ::fdopendir(fd);
    if (dir == nullptr) {
        ::close(fd);
        return false;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) {
            continue;
        }
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            isFolder = ::fstatat(::dirfd(dir), name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
                       S_ISDIR(info.st_mode);
        }
        visit(::dirfd(dir), name, isFolder);
    }
    ::closedir(dir);
    return true;
}

void walkOpenFolder(
    int fd, const std::string& prefix,
    const std::function<void(const std::filesystem::path&, const EntryKey&)>& visit) {
    struct stat self {};
    if (::fstat(fd, &self) != 0) {
        ::close(fd);
        return;
    }
    forEachEntry(fd, [&](int parent, const char* name, bool isFolder) {
        if (isFolder) {
            const int child = ::openat(parent, name, kOpenFolderFlags);
            if (child >= 0) {
                walkOpenFolder(child, prefix + name + '/', visit);
            }
        } else {
            visit(std::filesystem::path(prefix + name), EntryKey{self.st_dev, self.st_ino, name});
        }
    });
}

int removeContents(int fd) {
    int firstError = 0;
    const auto keep = [&firstError](int error) {
        if (firstError == 0) {
            firstError = error;
        }
    };
    const bool listed = forEachEntry(fd, [&](int parent, const char* name, bool isFolder) {
        if (isFolder) {
            const int child = ::openat(parent, name, kOpenFolderFlags);
            if (child >= 0) {
                keep(removeContents(child));
            }
        }
        keep(::unlinkat(parent, name, isFolder ? AT_REMOVEDIR : 0) == 0 ? 0 : errno);
    });
    return listed ? firstError : EACCES;
}

}  // namespace

std::size_t EntryKeyHash::operator()(const EntryKey& key) const noexcept {
    std::size_t hash = std::hash<std::string>{}(key.name);
    hash ^= std::hash<std::uint64_t>{}(key.folderInode) + 0x9e3779b97f4a7c15ULL + (hash << 6);
    hash ^= std::hash<std::uint64_t>{}(key.folderDevice) + 0x9e3779b97f4a7c15ULL + (hash << 6);
    return hash;
}

std::filesystem::path withoutTrailingSlash(const std::filesystem::path& path) {
    std::string text = path.string();
    while (text.size() > 1 && text.back() == '/') {
        text.pop_back();
    }
    return text;
}

bool walkFolder(const std::filesystem::path& folder,
                const std::function<void(const std::filesystem::path&, const EntryKey&)>& visit) {
    // Opened by its own name without a trailing slash, so a link standing in its place is not
    // followed.
    const auto name = withoutTrailingSlash(folder);
    const int fd = ::open(name.c_str(), kOpenFolderFlags);
    if (fd < 0) {
        return false;
    }
    std::string prefix = name.string();
    if (prefix.back() != '/') {
        prefix += '/';
    }
    walkOpenFolder(fd, prefix, visit);
    return true;
}

int removeTree(const std::filesystem::path& path) {
    const auto name = withoutTrailingSlash(path);
    int error = 0;
    const int fd = ::open(name.c_str(), kOpenFolderFlags);
    if (fd >= 0) {
        error = removeContents(fd);
        if (::rmdir(name.c_str()) != 0 && error == 0) {
            error = errno;
        }
    } else if (errno == ENOTDIR || errno == ELOOP) {
        // Not a folder (any more): remove the entry itself.
        if (::unlink(name.c_str()) != 0) {
            error = errno;
        }
    } else {
        return errno;
    }
    const int syncError = systemFileOps().syncFolder(parentFolderOf(name));
    return error != 0 ? error : syncError;
}

}  // namespace fendry
