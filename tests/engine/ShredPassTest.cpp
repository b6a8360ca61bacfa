#include "ShredPass.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fcntl.h>
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
using fendry::PassFailure;
using fendry::PassTarget;
using fendry::shredPass;
using testing_support::entryExists;
using testing_support::readFile;
using testing_support::ScriptedOps;
using testing_support::TempFolder;
using testing_support::writeFile;
using Call = ScriptedOps::Call;
using Step = PassFailure::Step;

namespace {

constexpr std::size_t MiB = kChunkSize;

// A temporary folder held open, as a run holds the folders it works in.
struct OpenFolder {
    TempFolder folder;
    int fd = ::open(folder.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ~OpenFolder() { ::close(fd); }

    std::filesystem::path operator/(const std::string& name) const { return folder / name; }
    // The entry as the walk found it.
    PassTarget target(const std::string& name) const {
        fendry::EntryInfo info;
        fendry::systemFileOps().statAt(fd, name, info);
        return {fd, name, fendry::Identity::of(info), 1};
    }
};

TEST(ShredPass, WritesTheWholeLengthInChunksOfAtMostOneMebibyteOfFreshBytes) {
    const std::vector<std::pair<std::size_t, std::vector<std::size_t>>> cases{
        {0, {}}, {MiB, {MiB}}, {MiB + 1, {MiB, 1}}, {5 * MiB / 2, {MiB, MiB, MiB / 2}}};
    for (const auto& [size, writes] : cases) {
        OpenFolder folder;
        const auto file = folder / "file";
        writeFile(file, size, '\0');
        ScriptedOps ops;
        std::vector<std::size_t> randomRequests;
        const fendry::PassContext context{&ops, [&](std::span<std::byte> bytes) {
                                              randomRequests.push_back(bytes.size());
                                              return fendry::cryptoRandomBytes(bytes);
                                          }};

        ASSERT_TRUE(shredPass(folder.target("file"), context)) << size;
        EXPECT_EQ(ops.writeLengths, writes) << size;
        EXPECT_EQ(randomRequests, writes) << size;
        EXPECT_EQ(ops.count(Call::Sync), 1);
        EXPECT_EQ(readFile(file).size(), size);
        EXPECT_EQ(readFile(file).find(std::string(64, '\0')), std::string::npos);
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
        if (call != Call::Write) {
            return;
        }
        const std::size_t wanted = std::min<std::size_t>(ops.count(Call::Write) + 2, 5);
        std::unique_lock lock(mutex);
        overlapped = requested.wait_for(lock, std::chrono::seconds(30), [&] {
            return buffers.size() >= wanted;
        }) && overlapped;
    };

    ASSERT_TRUE(shredPass(folder.target("file"), context));
    EXPECT_TRUE(overlapped);
    EXPECT_EQ(ops.writeLengths, std::vector<std::size_t>(5, MiB));
    ASSERT_EQ(buffers.size(), 5u);
    EXPECT_EQ(std::set<const std::byte*>(buffers.begin(), buffers.end()).size(), 2u);
    EXPECT_NE(readFile(folder / "file").substr(4 * MiB, 64), std::string(64, 'o'));
}

TEST(ShredPass, EachPassWritesNewBytesOverTheSizeItReadsAndRemovesNothing) {
    OpenFolder folder;
    const auto file = folder / "file";
    writeFile(file, 4096, 'a');
    const PassTarget target = folder.target("file");
    ScriptedOps ops;
    ops.maxBytesPerWrite = 3000;  // short writes continue where they stopped

    ASSERT_TRUE(shredPass(target, {&ops}));
    const std::string first = readFile(file);
    writeFile(file, first + "grown");  // between passes: the next pass takes the new size
    ASSERT_TRUE(shredPass(target, {&ops}));
    const std::string second = readFile(file);
    EXPECT_EQ(ops.writeLengths, (std::vector<std::size_t>{4096, 1096, 4101, 1101}));
    EXPECT_EQ(second.size(), 4101u);
    EXPECT_NE(first.substr(0, 64), std::string(64, 'a'));
    EXPECT_NE(first.substr(0, 4096), second.substr(0, 4096));
    EXPECT_EQ(ops.count(Call::Remove) + ops.count(Call::Rename), 0);
    EXPECT_EQ(ops.count(Call::Sync), 2);  // the file only: folders are the run's to sync
}

struct FailureCase {
    const char* name;
    Call call;  // the kind of call that fails with EIO
    Step step;
    bool written;  // bytes reached the file before the failure
};

void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.name;
}

class ShredPassFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(ShredPassFailures, EachFailingStepEndsThePassAndLeavesTheFileAsTheStepLeftIt) {
    const auto& c = GetParam();
    OpenFolder folder;
    const auto file = folder / "file";
    const std::string original(3 * MiB, 'o');
    writeFile(file, original);
    ScriptedOps ops;
    ops.failures[c.call] = {EIO, c.call == Call::Write ? 2 : 0};  // a write fails on chunk 2

    const auto result = shredPass(folder.target("file"), {&ops});

    ASSERT_FALSE(result);
    EXPECT_EQ(result.failure.step, c.step);
    EXPECT_EQ(result.failure.error, EIO);
    ASSERT_TRUE(entryExists(file));
    const std::string now = readFile(file);
    EXPECT_EQ(now.size(), original.size());  // never truncated
    EXPECT_EQ(now.substr(0, MiB) != original.substr(0, MiB), c.written);
    EXPECT_EQ(now.substr(MiB) != original.substr(MiB), c.written && c.call != Call::Write);
    // Whatever failed, a descriptor that was opened is closed exactly once.
    EXPECT_EQ(ops.count(Call::Close), ops.count(Call::Open) - (c.call == Call::Open ? 1 : 0));
}

INSTANTIATE_TEST_SUITE_P(Steps, ShredPassFailures,
                         ::testing::Values(FailureCase{"inspect", Call::StatAt, Step::Inspect,
                                                       false},
                                           FailureCase{"open", Call::Open, Step::Open, false},
                                           FailureCase{"size", Call::StatOpen, Step::Size, false},
                                           FailureCase{"write", Call::Write, Step::Write, true},
                                           FailureCase{"sync", Call::Sync, Step::Sync, true},
                                           FailureCase{"close", Call::Close, Step::Close, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ShredPass, AFailingRandomSourceStopsThePassWithoutWritingOtherBytes) {
    OpenFolder folder;
    const auto file = folder / "file";
    writeFile(file, 2 * MiB, 'o');
    ScriptedOps ops;
    int requests = 0;
    const auto result = shredPass(folder.target("file"),
                                  {&ops, [&](std::span<std::byte>) { return ++requests < 2; }});
    ASSERT_FALSE(result);
    EXPECT_EQ(result.failure.step, Step::Random);
    EXPECT_EQ(ops.writeLengths.size(), 1u);
    EXPECT_EQ(readFile(file).substr(MiB), std::string(MiB, 'o'));
}

TEST(ShredPass, NeverOpensSpecialFilesFoldersOrLinksNorWritesThroughALinkSwappedIn) {
    OpenFolder folder;
    const auto target = folder / "target";
    writeFile(target, "keep");
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink(target, folder / "link");
    std::filesystem::create_directory(folder / "sub");
    for (const char* name : {"fifo", "link", "sub"}) {
        ScriptedOps ops;
        const auto result = shredPass(folder.target(name), {&ops});
        ASSERT_FALSE(result) << name;
        EXPECT_EQ(result.failure.step, Step::NotRegularFile);
        EXPECT_EQ(ops.count(Call::Open), 0) << name;
        EXPECT_TRUE(entryExists(folder / name));
    }

    // Swapped for a link after it was inspected as the file expected: the open itself refuses
    // the link, with openat2 and without it.
    for (const bool openat2 : {true, false}) {
        writeFile(folder / "file", "soon a link");
        ScriptedOps swapping(openat2);
        swapping.before = [&](Call call, const std::string&) {
            if (call == Call::Open) {
                std::filesystem::remove(folder / "file");
                std::filesystem::create_symlink(target, folder / "file");
            }
        };
        const auto result = shredPass(folder.target("file"), {&swapping});
        ASSERT_FALSE(result) << openat2;
        EXPECT_EQ(result.failure.step, Step::Changed) << openat2;
        EXPECT_EQ(readFile(target), "keep") << openat2;
        EXPECT_EQ(swapping.countLogged([](const ScriptedOps::Logged& call) {
            return call.call == Call::Open && call.returned && call.error == 0;
        }), 0) << openat2;
        std::filesystem::remove(folder / "file");
    }
}

TEST(ShredPass, AFileReplacedResizedOrGivenANewNameIsLeftAndReportedAsChanged) {
    struct Case {
        const char* what;
        std::function<void(const std::filesystem::path&)> change;  // while the pass writes
    };
    const std::vector<Case> cases{
        {"replaced",
         [](const auto& file) {
             std::filesystem::rename(file, file.string() + ".old");
             writeFile(file, 3 * MiB, 'n');
         }},
        {"grown", [](const auto& file) { std::ofstream(file, std::ios::app) << "more"; }},
        {"linked",
         [](const auto& file) {
             std::filesystem::create_hard_link(file, file.string() + ".other");
         }},
        {"linked before it is opened",
         [](const auto& file) {
             std::filesystem::create_hard_link(file, file.string() + ".other");
         }},
    };
    for (const auto& c : cases) {
        OpenFolder folder;
        const auto file = folder / "file";
        writeFile(file, 3 * MiB, 'o');
        const PassTarget target = folder.target("file");
        ScriptedOps ops;
        const Call when = std::string(c.what) == "linked before it is opened" ? Call::Open
                                                                                : Call::Write;
        ops.before = [&](Call call, const std::string&) {
            // Before the file is opened, or while its second chunk is written.
            if (call == when && ops.count(when) == (when == Call::Open ? 0 : 1)) {
                c.change(file);
            }
        };
        // "replaced" changes the entry before the pass opens it: the pass sees another file.
        if (std::string(c.what) == "replaced") {
            c.change(file);
        }
        const auto result = shredPass(target, {&ops});
        ASSERT_FALSE(result) << c.what;
        EXPECT_EQ(result.failure.step, Step::Changed) << c.what;
        EXPECT_TRUE(entryExists(file)) << c.what;
        if (std::string(c.what) == "replaced") {
            EXPECT_EQ(readFile(file), std::string(3 * MiB, 'n'));  // the newcomer is untouched
        }
        if (when == Call::Open || std::string(c.what) == "replaced") {
            EXPECT_EQ(ops.count(Call::Write), 0) << c.what;  // its other name keeps its content
        }
    }
}

TEST(ShredPass, WritesOnlyTheDataExtentsOfASparseFileAndStopsWhenAsked) {
    OpenFolder folder;
    const auto file = folder / "sparse";
    {
        std::ofstream out(file, std::ios::binary);
        out << std::string(MiB, 'd');
    }
    ASSERT_EQ(::truncate(file.c_str(), 64 * static_cast<off_t>(MiB)), 0);  // a 63 MiB hole
    ScriptedOps ops;
    ASSERT_TRUE(shredPass(folder.target("sparse"), {&ops}));
    EXPECT_EQ(ops.writeLengths, std::vector<std::size_t>{MiB});
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_size, 64 * static_cast<off_t>(MiB));
    EXPECT_LT(info.st_blocks * 512, 4 * static_cast<off_t>(MiB));  // the hole stays a hole

    // Preallocated and zeroed ranges read as holes but keep their blocks, and what those held.
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
    ASSERT_FALSE(stopped);
    EXPECT_EQ(stopped.failure.step, Step::Stopped);
    const std::string left = readFile(folder / "big");
    EXPECT_EQ(left.size(), 4 * MiB);
    EXPECT_NE(left.substr(0, MiB), std::string(MiB, 'o'));
    EXPECT_EQ(left.substr(2 * MiB), std::string(2 * MiB, 'o'));  // the rest was not reached
}


TEST(Identity, AFileIsItselfOnlyWithItsDeviceInodeTypeAndBirth) {
    const fendry::Identity file{8, 12, S_IFREG, 1000};
    struct Case {
        fendry::Identity other;
        bool same;
    };
    for (const Case& c : {Case{{8, 12, S_IFREG, 1000}, true}, Case{{8, 12, S_IFREG, 0}, true},
                          Case{{9, 12, S_IFREG, 1000}, false}, Case{{8, 13, S_IFREG, 1000}, false},
                          Case{{8, 12, S_IFLNK, 1000}, false},  // a link on a freed inode number
                          Case{{8, 12, S_IFREG, 1001}, false}}) {  // a file written anew there
        EXPECT_EQ(file.matches(c.other), c.same) << c.other.inode << " " << c.other.birth;
    }
}

}  // namespace
