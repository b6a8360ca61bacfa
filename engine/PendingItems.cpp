#include "PendingItems.h"

#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <sstream>

#include "FolderWalk.h"

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

// "\040" and the like in a mount point of /proc/self/mountinfo.
std::string unescapeMountPoint(const std::string& text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size()) {
            plain += static_cast<char>(std::stoi(text.substr(i + 1, 3), nullptr, 8));
            i += 3;
        } else {
            plain += text[i];
        }
    }
    return plain;
}

// The type of the file system mounted where the canonical path `real` lies.
std::string mountTypeOf(const std::string& real) {
    std::ifstream table("/proc/self/mountinfo");
    std::string line;
    std::size_t longest = 0;
    std::string type;
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string id, parent, device, root, point;
        fields >> id >> parent >> device >> root >> point;
        point = unescapeMountPoint(point);
        const auto separator = line.find(" - ");
        const bool holds = point == "/" || real == point || real.rfind(point + "/", 0) == 0;
        if (separator == std::string::npos || !holds || point.size() < longest) {
            continue;
        }
        longest = point.size();
        std::istringstream rest(line.substr(separator + 3));
        rest >> type;
    }
    return type;
}

bool onPseudoFileSystem(const std::filesystem::path& entry) {
    struct stat info {};
    const bool isDirectory = ::lstat(entry.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    // The folder itself for a folder; for anything else (a link above all) where it lies.
    const std::filesystem::path where =
        isDirectory ? entry : (entry.has_parent_path() ? entry.parent_path() : ".");
    struct statfs fs {};
    if (::statfs(where.c_str(), &fs) == 0 && isPseudoFileSystem(fs.f_type)) {
        return true;
    }
    // /dev is a devtmpfs, which statfs cannot tell from a tmpfs (such as /dev/shm, where files
    // of one's own may well lie): the kernel's mount table can.
    std::error_code error;
    const auto real = std::filesystem::weakly_canonical(std::filesystem::absolute(where), error);
    return !error && mountTypeOf(real.string()) == "devtmpfs";
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
    auto entry = pendingEntryFor(received);
    if (std::find(files.begin(), files.end(), entry) != files.end()) {
        return Intake::AlreadyPending;
    }
    files.push_back(std::move(entry));
    return Intake::Added;
}

std::int64_t countFiles(const std::filesystem::path& entry, const std::atomic<bool>* stop) {
    return isFolder(entry) ? countEntriesBelow(entry, systemFileOps(), stop) : 1;
}

}  // namespace fendry
