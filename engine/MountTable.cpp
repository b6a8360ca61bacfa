#include "MountTable.h"

#include <sys/sysmacros.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace fendry {

namespace {

// A mount point or source as /proc/self/mountinfo writes it, with its octal escapes undone.
std::string unescaped(const std::string& field) {
    const auto octal = [](char c) { return c >= '0' && c <= '7'; };
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && octal(field[i + 1]) &&
            octal(field[i + 2]) && octal(field[i + 3])) {
            text += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                      (field[i + 3] - '0'));
            i += 3;
        } else {
            text += field[i];
        }
    }
    return text;
}

bool isBelow(const std::string& path, const std::string& mountPoint) {
    if (mountPoint == "/") {
        return true;
    }
    return path.compare(0, mountPoint.size(), mountPoint) == 0 &&
           (path.size() == mountPoint.size() || path[mountPoint.size()] == '/');
}

}  // namespace

std::vector<Mount> readMounts() {
    std::vector<Mount> mounts;
    std::ifstream in("/proc/self/mountinfo");
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string id, parent, numbers, root, point, options, field;
        if (!(fields >> id >> parent >> numbers >> root >> point >> options)) {
            continue;
        }
        while (fields >> field && field != "-") {
        }
        Mount mount;
        mount.id = std::strtoull(id.c_str(), nullptr, 10);
        std::string superOptions;
        if (!(fields >> mount.type >> mount.source)) {
            continue;
        }
        fields >> superOptions;
        if (std::sscanf(numbers.c_str(), "%u:%u", &mount.major, &mount.minor) != 2) {
            continue;
        }
        mount.mountPoint = unescaped(point);
        mount.source = unescaped(mount.source);
        mount.options = options + "," + superOptions;
        mounts.push_back(std::move(mount));
    }
    return mounts;
}

const Mount* mountOf(const std::vector<Mount>& mounts, dev_t device,
                     const std::filesystem::path& folder) {
    std::error_code error;
    const std::string where = std::filesystem::canonical(folder, error).native();
    const Mount* best = nullptr;
    const auto nearer = [&](const Mount& mount) {
        return !where.empty() && isBelow(where, mount.mountPoint) &&
               (best == nullptr || mount.mountPoint.size() >= best->mountPoint.size());
    };
    for (const Mount& mount : mounts) {
        if (mount.major == ::major(device) && mount.minor == ::minor(device) &&
            (best == nullptr || nearer(mount))) {
            best = &mount;
        }
    }
    if (best != nullptr) {
        return best;
    }
    for (const Mount& mount : mounts) {
        if (nearer(mount)) {
            best = &mount;
        }
    }
    return best;
}

bool hasOption(const std::string& options, const std::string& option) {
    std::istringstream list(options);
    std::string item;
    while (std::getline(list, item, ',')) {
        if (item == option) {
            return true;
        }
    }
    return false;
}

bool isNetworkType(const std::string& type) {
    static const char* const kNames[] = {"nfs",   "nfs4", "cifs",  "smb3",      "smbfs",
                                         "ceph",  "9p",   "afs",   "glusterfs", "lustre",
                                         "ncpfs", "coda", "davfs", "ocfs2",     "gfs2"};
    return std::find(std::begin(kNames), std::end(kNames), type) != std::end(kNames);
}

}  // namespace fendry
