#pragma once

#include <sys/mount.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "TempFolder.h"

namespace testing_support {

// A small ext4 file system of its own on a loop device, for tests that must read what the raw
// device holds. Only root can make one, and only where mkfs.ext4 and loop devices are; `ready()`
// says whether it could, `whyNot()` why not.
class ScratchExt4 {
public:
    explicit ScratchExt4(int mebibytes, const std::string& mountOptions = "defaults") {
        if (::geteuid() != 0) {
            whyNot_ = "needs root to mount a file system";
            return;
        }
        image_ = folder_ / "image";
        mountPoint_ = folder_ / "mnt";
        std::filesystem::create_directory(mountPoint_);
        writeFile(image_, "");
        std::filesystem::resize_file(image_, std::uintmax_t(mebibytes) << 20);
        if (!shell("mkfs.ext4 -q -F " + image_.string()) ||
            !shell("mount -o loop," + mountOptions + " " + image_.string() + " " +
                   mountPoint_.string())) {
            whyNot_ = "mkfs.ext4 or a loop mount is not available here";
            return;
        }
        mounted_ = true;
    }
    ~ScratchExt4() { unmount(); }
    ScratchExt4(const ScratchExt4&) = delete;
    ScratchExt4& operator=(const ScratchExt4&) = delete;

    bool ready() const { return mounted_; }
    const std::string& whyNot() const { return whyNot_; }
    const std::filesystem::path& mountPoint() const { return mountPoint_; }

    // Free blocks in bytes, as root sees them.
    std::int64_t freeBytes() const {
        struct statfs info {};
        ::statfs(mountPoint_.c_str(), &info);
        return static_cast<std::int64_t>(info.f_bfree) * static_cast<std::int64_t>(info.f_bsize);
    }

    void unmount() {
        if (mounted_) {
            ::umount(mountPoint_.c_str());
            mounted_ = false;
        }
    }

    // How many times `text` stands in the raw image, and how many of those in the journal's
    // blocks. Unmounts first, so that everything has reached the image.
    struct Found {
        int anywhere = 0;
        int inJournal = 0;
    };
    Found find(const std::string& text) {
        unmount();
        std::set<std::int64_t> journal;
        std::istringstream listed(output("debugfs -R 'blocks <8>' " + image_.string()));
        for (std::int64_t block = 0; listed >> block;) {
            journal.insert(block);
        }
        const std::int64_t blockSize =
            std::stoll(output("dumpe2fs -h " + image_.string() +
                              " 2>/dev/null | awk -F: '/^Block size/ { print $2 }'"));
        const std::string raw = readFile(image_);
        Found found;
        for (auto at = raw.find(text); at != std::string::npos; at = raw.find(text, at + 1)) {
            ++found.anywhere;
            found.inJournal += journal.count(static_cast<std::int64_t>(at) / blockSize) != 0;
        }
        return found;
    }

private:
    static bool shell(const std::string& command) {
        return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
    }
    std::string output(const std::string& command) const {
        const auto file = folder_ / "output";
        return std::system((command + " 2>/dev/null >" + file.string()).c_str()) == 0
                   ? readFile(file)
                   : std::string();
    }

    TempFolder folder_;
    std::filesystem::path image_;
    std::filesystem::path mountPoint_;
    bool mounted_ = false;
    std::string whyNot_;
};

}  // namespace testing_support
