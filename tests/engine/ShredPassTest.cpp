#include "ShredPass.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <fstream>
#include <functional>
#include <mutex>
#include <set>

#include "ScriptedOps.h"
#include "TempFolder.h"

using fendry::kChunkSize;
using fendry::PassTarget;
using fendry::shredPass;
using namespace testing_support;
using Call = ScriptedOps::Call;
using Step = fendry::PassFailure::Step;
namespace fs = std::filesystem;

namespace {

constexpr std::size_t MiB = kChunkSize;

// A temporary folder held open, as a run holds the folders it works in.
struct OpenFolder {
    TempFolder folder;
    int fd = ::open(folder.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ~OpenFolder() { ::close(fd); }

    fs::path operator/(const std::string& name) const { return folder / name; }
    // The entry as the walk found it.
    PassTarget target(const std::string& name) const {
        fendry::EntryInfo info;
        fendry::systemFileOps().statAt(fd, name, info);
        return {fd, name, fendry::Identity::of(info), 1};
    }
};

// Fresh random bytes over the whole length, in chunks of at most a mebibyte; short writes go on
// where they stopped.
TEST(ShredPass, WritesTheWholeLengthInChunksOfAtMostOneMebibyteOfFreshBytes) {
    struct Row {
        std::size_t size;
        std::vector<std::size_t> writes;  // as asked for
        std::size_t shortWrites = 0;      // the most a write takes, when it takes less
    };
    for (const Row& row : {Row{0, {}}, Row{MiB, {MiB}}, Row{MiB + 1, {MiB, 1}},
                           Row{5 * MiB / 2, {MiB, MiB, MiB / 2}}, Row{4096, {4096, 1096}, 3000}}) {
        SCOPED_TRACE(row.size);
        OpenFolder folder;
        writeFile(folder / "file", row.size, '\0');
        ScriptedOps ops;
        ops.maxBytesPerWrite = row.shortWrites;
        std::vector<std::size_t> randomRequests;
        const fendry::PassContext context{&ops, [&](std::span<std::byte> bytes) {
                                              randomRequests.push_back(bytes.size());
                                              return fendry::cryptoRandomBytes(bytes);
                                          }};

        ASSERT_TRUE(shredPass(folder.target("file"), context));
        EXPECT_EQ(ops.writeLengths, row.writes);
        EXPECT_EQ(randomRequests.size(), row.shortWrites ? 1 : row.writes.size());
        EXPECT_EQ(ops.count(Call::Sync), 1);  // the file only: folders are the run's to sync
        const std::string written = readFile(folder / "file");
        EXPECT_EQ(written.size(), row.size);
        EXPECT_EQ(written.find(std::string(64, '\0')), std::string::npos);
        ASSERT_TRUE(shredPass(folder.target("file"), context));
        EXPECT_TRUE(row.size == 0 || readFile(folder / "file") != written);  // each pass anew
    }
}

TEST(ShredPass, MakesTheNextChunkWhileWritingTheCurrentOneInTwoBuffersAtMost) {
    OpenFolder folder;
    writeFile(folder / "file", 5 * MiB, 'o');
    ScriptedOps ops;
    std::mutex mutex;
    std::condition_variable requested;
    std::vector<const std::byte*> buffers;  // one per request, in order
    const fendry::PassContext context{&ops, [&](std::span<std::byte> bytes) {
                                          {
                                              const std::lock_guard lock(mutex);
                                              buffers.push_back(bytes.data());
                                          }
                                          requested.notify_all();
                                          return fendry::cryptoRandomBytes(bytes);
                                      }};
    // Each write waits until the next chunk's bytes are being made. Were they made only after
    // the write, they never would be, and the wait gives up.
    bool overlapped = true;
    ops.before = [&](Call call, const std::string&) {
        if (call == Call::Write) {
            const std::size_t wanted = std::min<std::size_t>(ops.count(Call::Write) + 2, 5);
            std::unique_lock lock(mutex);
            overlapped = requested.wait_for(lock, std::chrono::seconds(30), [&] {
                return buffers.size() >= wanted;
            }) && overlapped;
        }
    };

    ASSERT_TRUE(shredPass(folder.target("file"), context));
    EXPECT_TRUE(overlapped);
    EXPECT_EQ(ops.writeLengths, std::vector<std::size_t>(5, MiB));
    ASSERT_EQ(buffers.size(), 5u);
    EXPECT_EQ(std::set<const std::byte*>(buffers.begin(), buffers.end()).size(), 2u);
    EXPECT_NE(readFile(folder / "file").substr(4 * MiB, 64), std::string(64, 'o'));
}

// Whatever step fails, the pass ends there and the file is as the step left it, never truncated;
// a descriptor that was opened is closed exactly once.
TEST(ShredPass, EachFailingStepEndsThePassAndLeavesTheFileAsTheStepLeftIt) {
    struct Row {
        Call call;  // the kind of call that fails with EIO; a write fails on chunk 2
        Step step;
        bool written;  // bytes reached the file before the failure
    };
    for (const Row& row :
         {Row{Call::StatAt, Step::Inspect, false}, Row{Call::Open, Step::Open, false},
          Row{Call::StatOpen, Step::Size, false}, Row{Call::Write, Step::Write, true},
          Row{Call::Sync, Step::Sync, true}, Row{Call::Close, Step::Close, true}}) {
        SCOPED_TRACE(static_cast<int>(row.step));
        OpenFolder folder;
        const std::string original(3 * MiB, 'o');
        writeFile(folder / "file", original);
        ScriptedOps ops;
        ops.failures[row.call] = {EIO, row.call == Call::Write ? 2 : 0};

        const auto result = shredPass(folder.target("file"), {&ops});

        ASSERT_FALSE(result);
        EXPECT_EQ(result.failure.step, row.step);
        EXPECT_EQ(result.failure.error, EIO);
        const std::string now = readFile(folder / "file");
        EXPECT_EQ(now.size(), original.size());
        EXPECT_EQ(now.substr(0, MiB) != original.substr(0, MiB), row.written);
        EXPECT_EQ(now.substr(MiB) != original.substr(MiB), row.written && row.call != Call::Write);
        EXPECT_EQ(ops.count(Call::Close), ops.count(Call::Open) - (row.call == Call::Open));
    }

    // Nor does a failing random source let other bytes through.
    OpenFolder folder;
    writeFile(folder / "file", 2 * MiB, 'o');
    ScriptedOps ops;
    int requests = 0;
    const auto result = shredPass(folder.target("file"),
                                  {&ops, [&](std::span<std::byte>) { return ++requests < 2; }});
    EXPECT_EQ(result.failure.step, Step::Random);
    EXPECT_EQ(ops.writeLengths.size(), 1u);
    EXPECT_EQ(readFile(folder / "file").substr(MiB), std::string(MiB, 'o'));
}

// A pass writes only the regular file it was given: not a special file, a folder or a link (not
// even one swapped in just before the open, with openat2 or without), not a file that took its
// name, and not one with names outside the run; a file that changes while it is written is left
// and reported.
TEST(ShredPass, WritesOnlyTheFileItWasGivenAndLeavesOneThatChanges) {
    struct Row {
        const char* what;
        const char* name;
        Call when;  // the change comes before the first such call, or with Call::List at once
        std::function<void(const fs::path& file)> change;
        Step step;
        bool opened;  // the file was opened for writing (never written with another inside)
        bool openat2 = true;
    };
    const auto linkSwapped = [](const fs::path& file) {
        fs::remove(file);
        fs::create_symlink("target", file);
    };
    const auto replaced = [](const fs::path& file) {
        fs::rename(file, file.string() + ".old");
        writeFile(file, 3 * MiB, 'n');
    };
    const auto linked = [](const fs::path& file) {
        fs::create_hard_link(file, file.string() + ".other");
    };
    const auto nothing = [](const fs::path&) {};
    const Row rows[] = {
        {"a FIFO", "fifo", Call::List, nothing, Step::NotRegularFile, false},
        {"a link", "link", Call::List, nothing, Step::NotRegularFile, false},
        {"a folder", "sub", Call::List, nothing, Step::NotRegularFile, false},
        {"a link swapped in", "file", Call::Open, linkSwapped, Step::Changed, false},
        {"a link swapped in, no openat2", "file", Call::Open, linkSwapped, Step::Changed, false,
         false},
        {"replaced before", "file", Call::List, replaced, Step::Changed, false},
        {"replaced as it is opened", "file", Call::Open, replaced, Step::Changed, true},
        {"linked as it is opened", "file", Call::Open, linked, Step::Changed, true},
        {"linked while written", "file", Call::Write, linked, Step::Changed, true},
        {"grown while written", "file", Call::Write,
         [](const fs::path& file) { std::ofstream(file, std::ios::app) << "more"; }, Step::Changed,
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        OpenFolder folder;
        writeFile(folder / "target", "keep");
        ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
        fs::create_symlink("target", folder / "link");
        fs::create_directory(folder / "sub");
        writeFile(folder / "file", 3 * MiB, 'o');
        const PassTarget target = folder.target(row.name);
        ScriptedOps ops(row.openat2);
        ops.before = [&, done = false](Call call, const std::string&) mutable {
            if (call == row.when && !done) {
                done = true;
                row.change(folder / row.name);
            }
        };
        if (row.when == Call::List) {
            row.change(folder / row.name);
        }

        const auto result = shredPass(target, {&ops});

        ASSERT_FALSE(result);
        EXPECT_EQ(result.failure.step, row.step);
        EXPECT_EQ(readFile(folder / "target"), "keep");
        EXPECT_TRUE(entryExists(folder / row.name));
        EXPECT_EQ(ops.countLogged([](const ScriptedOps::Logged& call) {
            return call.call == Call::Open && call.returned && call.error == 0;
        }),
                  row.opened ? 1 : 0);
        if (row.when != Call::Write) {
            EXPECT_EQ(ops.count(Call::Write), 0);
        }
    }
}

// Holes hold no data and stay holes; preallocated and zeroed ranges read as holes but keep
// their blocks, and what those held, so they are written. A pass stops between chunks when
// asked, the rest of the file not reached.
TEST(ShredPass, WritesEveryAllocatedExtentOnlyAndStopsWhenAsked) {
    OpenFolder folder;
    const auto file = folder / "sparse";
    writeFile(file, MiB, 'd');
    ASSERT_EQ(::truncate(file.c_str(), 64 * static_cast<off_t>(MiB)), 0);  // a 63 MiB hole
    ScriptedOps ops;
    ASSERT_TRUE(shredPass(folder.target("sparse"), {&ops}));
    EXPECT_EQ(ops.writeLengths, std::vector<std::size_t>{MiB});
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_size, 64 * static_cast<off_t>(MiB));
    EXPECT_LT(info.st_blocks * 512, 4 * static_cast<off_t>(MiB));

    writeFile(folder / "zeroed", 3 * MiB, 'o');
    const int fd = ::open((folder / "zeroed").c_str(), O_RDWR);
    const bool zeroed = ::fallocate(fd, FALLOC_FL_ZERO_RANGE, MiB, MiB) == 0 && ::fsync(fd) == 0;
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
    if (zeroed) {
        ScriptedOps preallocated;
        ASSERT_TRUE(shredPass(folder.target("zeroed"), {&preallocated}));
        EXPECT_EQ(preallocated.writeLengths, std::vector<std::size_t>(3, MiB));
    }

    writeFile(folder / "big", 4 * MiB, 'o');
    int chunks = 0;
    fendry::PassContext stopping{&ops};
    stopping.keepGoing = [&] { return ++chunks < 3; };
    const auto stopped = shredPass(folder.target("big"), stopping);
    EXPECT_EQ(stopped.failure.step, Step::Stopped);
    const std::string left = readFile(folder / "big");
    EXPECT_EQ(left.size(), 4 * MiB);
    EXPECT_NE(left.substr(0, MiB), std::string(MiB, 'o'));
    EXPECT_EQ(left.substr(2 * MiB), std::string(2 * MiB, 'o'));
}

TEST(Identity, AFileIsItselfOnlyWithItsDeviceInodeTypeAndBirth) {
    const fendry::Identity file{8, 12, S_IFREG, 1000};
    struct Case {
        fendry::Identity other;
        bool same;
    };
    for (const Case& c : {Case{{8, 12, S_IFREG, 1000}, true}, Case{{8, 12, S_IFREG, 0}, true},
                          Case{{9, 12, S_IFREG, 1000}, false}, Case{{8, 13, S_IFREG, 1000}, false},
                          Case{{8, 12, S_IFLNK, 1000}, false},     // a link on a freed inode number
                          Case{{8, 12, S_IFREG, 1001}, false}}) {  // a file written anew there
        EXPECT_EQ(file.matches(c.other), c.same) << c.other.inode << " " << c.other.birth;
    }
}

}  // namespace
