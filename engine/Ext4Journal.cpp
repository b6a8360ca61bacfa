#include "Ext4Journal.h"

#include <sys/ioctl.h>
#include <sys/sysmacros.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace fendry {

namespace {

// From the kernel's fs/ext4/ext4.h; no uapi header carries it.
constexpr unsigned long kCheckpoint = _IOW('f', 43, std::uint32_t);
constexpr std::uint32_t kCheckpointZeroOut = 0x2;

// The blocks a fast-commit area may add beyond what jbd2 counts for transactions.
constexpr std::int64_t kFastCommitBlocks = 256;

bool writeText(const std::string& file, const std::string& text) {
    std::ofstream out(file);
    out << text;
    out.flush();
    return static_cast<bool>(out);
}

}  // namespace

std::optional<std::string> blockDeviceName(dev_t device) {
    std::error_code error;
    const auto target = std::filesystem::read_symlink(
        "/sys/dev/block/" + std::to_string(::major(device)) + ":" + std::to_string(::minor(device)),
        error);
    if (error || target.filename().empty()) {
        return std::nullopt;
    }
    return target.filename().string();
}

std::optional<std::int64_t> journalBlocksFromInfo(const std::string& firstLine) {
    // "12 transactions (3 requested), each up to 2730 blocks"
    const auto at = firstLine.find("each up to ");
    long long largest = 0;
    if (at == std::string::npos ||
        std::sscanf(firstLine.c_str() + at, "each up to %lld blocks", &largest) != 1 ||
        largest <= 0) {
        return std::nullopt;
    }
    return 3 * (largest + 1) + kFastCommitBlocks;
}

std::optional<std::int64_t> journalBlocks(const std::string& deviceName) {
    std::ifstream info("/proc/fs/jbd2/" + deviceName + "-8/info");
    std::string line;
    if (!std::getline(info, line)) {
        return std::nullopt;
    }
    return journalBlocksFromInfo(line);
}

int zeroJournal(int fd) {
    std::uint32_t flags = kCheckpointZeroOut;
    return ::ioctl(fd, kCheckpoint, &flags) == 0 ? 0 : errno;
}

Ext4ReserveLowered::Ext4ReserveLowered(const std::string& deviceName)
    : file_("/sys/fs/ext4/" + deviceName + "/reserved_clusters") {
    std::ifstream in(file_);
    std::string value;
    if (!(in >> value) || value == "0") {
        return;
    }
    if (writeText(file_, "0")) {
        previous_ = value;
    }
}

Ext4ReserveLowered::~Ext4ReserveLowered() {
    if (previous_) {
        writeText(file_, *previous_);
    }
}

}  // namespace fendry
