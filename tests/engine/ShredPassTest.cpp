#include "ShredPass.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>

#include "ScriptedOps.h"
#include "TempFolder.h"

using fendry::kChunkSize;
using fendry::PassContext;
using fendry::PassFailure;
using fendry::shredPass;
using testing_support::ScriptedOps;
using testing_support::TempFolder;
using Call = ScriptedOps::Call;

namespace {

struct ChunkCase {
    std::int64_t size;
    std::vector<std::size_t> writes;
};

class ShredPassChunks : public ::testing::TestWithParam<ChunkCase> {};

TEST_P(ShredPassChunks, WritesTheWholeLengthInChunksOfAtMostOneMebibyte) {
    const auto& [size, writes] = GetParam();
    TempFolder folder;
    const auto file = folder / "file";
    testing_support::writeFile(file, static_cast<std::size_t>(size), '\0');
    ScriptedOps ops;
    std::vector<std::size_t> randomRequests;
    PassContext context{&ops, [&](std::span<std::byte> bytes) {
                            randomRequests.push_back(bytes.size());
                            return fendry::cryptoRandomBytes(bytes);
                        }};

    ASSERT_TRUE(shredPass(file, 0, 2, context));

    EXPECT_EQ(ops.writeLengths, writes);
    EXPECT_EQ(randomRequests, writes);  // fresh bytes for every chunk
    EXPECT_EQ(ops.count(Call::Sync), 1);
    EXPECT_EQ(ops.count(Call::Close), 1);
    EXPECT_EQ(std::filesystem::file_size(file), static_cast<std::uintmax_t>(size));
    if (size > 0) {
        EXPECT_NE(testing_support::readFile(file),
                  std::string(static_cast<std::size_t>(size), '\0'));
    }
}

constexpr std::size_t MiB = kChunkSize;
INSTANTIATE_TEST_SUITE_P(Sizes, ShredPassChunks,
                         ::testing::Values(ChunkCase{0, {}}, ChunkCase{1, {1}},
                                           ChunkCase{MiB, {MiB}}, ChunkCase{MiB + 1, {MiB, 1}},
                                           ChunkCase{5 * MiB / 2, {MiB, MiB, MiB / 2}}));

TEST(ShredPass, ConsecutivePassesWriteDifferentBytesAndOnlyTheLastRemoves) {
    TempFolder folder;
    const auto file = folder / "file";
    testing_support::writeFile(file, 4096, 'a');
    ScriptedOps ops;
    const PassContext context{&ops};

    ASSERT_TRUE(shredPass(file, 0, 3, context));
    const std::string first = testing_support::readFile(file);
    ASSERT_TRUE(shredPass(file, 1, 3, context));
    const std::string second = testing_support::readFile(file);
    EXPECT_EQ(first.size(), 4096u);
    EXPECT_NE(first, std::string(4096, 'a'));
    EXPECT_NE(first, second);
    EXPECT_TRUE(ops.removed.empty());

    ASSERT_TRUE(shredPass(file, 2, 3, context));
    EXPECT_FALSE(testing_support::entryExists(file));
    EXPECT_EQ(ops.count(Call::SyncFolder), 1);
}

TEST(ShredPass, ShortWritesContinueWhereTheyStopped) {
    TempFolder folder;
    const auto file = folder / "file";
    testing_support::writeFile(file, 10000, '\0');
    ScriptedOps ops;
    ops.maxBytesPerWrite = 3000;

    ASSERT_TRUE(shredPass(file, 0, 2, {&ops}));
    EXPECT_EQ(ops.writeLengths, (std::vector<std::size_t>{10000, 7000, 4000, 1000}));
    EXPECT_EQ(testing_support::readFile(file).find(std::string(64, '\0')), std::string::npos);
}

TEST(ShredPass, FollowsTheSizeThatEachPassReads) {
    TempFolder folder;
    const auto file = folder / "file";
    testing_support::writeFile(file, 100);
    ScriptedOps ops;
    ASSERT_TRUE(shredPass(file, 0, 3, {&ops}));
    testing_support::writeFile(file, 300);
    ASSERT_TRUE(shredPass(file, 1, 3, {&ops}));
    EXPECT_EQ(ops.writeLengths, (std::vector<std::size_t>{100, 300}));
    EXPECT_EQ(std::filesystem::file_size(file), 300u);
}

struct FailureCase {
    const char* name;
    Call call;
    PassFailure::Step step;
    bool written;  // bytes reached the file before the failure
    bool stillPresent;
};

class ShredPassFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(ShredPassFailures, EachFailingStepEndsThePassAndKeepsTheFileAsTheStepLeftIt) {
    const auto& c = GetParam();
    TempFolder folder;
    const auto file = folder / "file";
    const std::string original(3 * kChunkSize, 'o');
    testing_support::writeFile(file, original);
    ScriptedOps ops;
    // A write fails on its second chunk, so the first one is on disk.
    ops.failures[c.call] = {EIO, c.call == Call::Write ? 2 : 0};

    const auto result = shredPass(file, 0, 1, {&ops});

    ASSERT_FALSE(result) << c.name;
    EXPECT_EQ(result.failure.step, c.step);
    EXPECT_EQ(result.failure.error, EIO);
    EXPECT_EQ(testing_support::entryExists(file), c.stillPresent);
    if (c.stillPresent) {
        const std::string now = testing_support::readFile(file);
        EXPECT_EQ(now.size(), original.size());  // never truncated
        EXPECT_EQ(now != original, c.written);
    }
    // Whatever failed, a descriptor that was opened is closed exactly once.
    EXPECT_EQ(ops.count(Call::Close), ops.count(Call::Open) - (c.call == Call::Open ? 1 : 0));
    if (c.call == Call::Write) {
        EXPECT_EQ(result.failure.offset, kChunkSize);
        EXPECT_EQ(testing_support::readFile(file).substr(kChunkSize), original.substr(kChunkSize));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ShredPassFailures,
    ::testing::Values(
        FailureCase{"inspect", Call::StatEntry, PassFailure::Step::Inspect, false, true},
        FailureCase{"open", Call::Open, PassFailure::Step::Open, false, true},
        FailureCase{"size", Call::StatOpen, PassFailure::Step::Size, false, true},
        FailureCase{"write", Call::Write, PassFailure::Step::Write, true, true},
        FailureCase{"sync", Call::Sync, PassFailure::Step::Sync, true, true},
        FailureCase{"close", Call::Close, PassFailure::Step::Close, true, true},
        FailureCase{"remove", Call::Remove, PassFailure::Step::Remove, true, true},
        FailureCase{"sync folder", Call::SyncFolder, PassFailure::Step::SyncFolder, true, false}),
    [](const auto& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

TEST(ShredPass, AFailingRandomSourceStopsThePassWithoutWritingWeakerBytes) {
    TempFolder folder;
    const auto file = folder / "file";
    testing_support::writeFile(file, 2 * kChunkSize, 'o');
    ScriptedOps ops;
    int requests = 0;
    const auto result =
        shredPass(file, 0, 1, {&ops, [&](std::span<std::byte>) { return ++requests < 2; }});
    ASSERT_FALSE(result);
    EXPECT_EQ(result.failure.step, PassFailure::Step::Random);
    EXPECT_EQ(ops.writeLengths.size(), 1u);
    EXPECT_TRUE(testing_support::entryExists(file));
}

TEST(ShredPass, RefusesSpecialFilesFoldersAndLinksWithoutOpeningThem) {
    TempFolder folder;
    const auto target = folder / "target";
    testing_support::writeFile(target, "keep");
    const auto fifo = folder / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto link = folder / "link";
    std::filesystem::create_symlink(target, link);
    const auto sub = folder / "sub";
    std::filesystem::create_directory(sub);

    for (const auto& item : {fifo, link, sub}) {
        ScriptedOps ops;
        const auto result = shredPass(item, 0, 1, {&ops});
        ASSERT_FALSE(result) << item;
        EXPECT_EQ(result.failure.step, PassFailure::Step::NotRegularFile);
        EXPECT_EQ(ops.count(Call::Open), 0) << item;
        EXPECT_TRUE(testing_support::entryExists(item));
    }
    EXPECT_EQ(testing_support::readFile(target), "keep");
}

// An entry inspected as a file but swapped for a link before it is opened.
class SwappedForLinkOps : public ScriptedOps {
public:
    std::filesystem::path target;
    int openForWriting(const std::string& path, int& fd) override {
        std::filesystem::remove(path);
        std::filesystem::create_symlink(target, path);
        return ScriptedOps::openForWriting(path, fd);
    }
};

TEST(ShredPass, NeverWritesThroughALinkSwappedInAfterTheCheck) {
    TempFolder folder;
    const auto target = folder / "target";
    testing_support::writeFile(target, "keep");
    const auto file = folder / "file";
    testing_support::writeFile(file, "soon a link");
    SwappedForLinkOps ops;
    ops.target = target;

    const auto result = shredPass(file, 0, 1, {&ops});

    ASSERT_FALSE(result);
    EXPECT_EQ(result.failure.step, PassFailure::Step::NotRegularFile);
    EXPECT_EQ(testing_support::readFile(target), "keep");
    EXPECT_TRUE(testing_support::entryExists(file));
}

TEST(ShredPass, DescribesFailuresWithTheStepAndTheSystemsReason) {
    EXPECT_EQ(fendry::describe({PassFailure::Step::Write, ENOSPC, 1048576}),
              "writing failed at byte 1048576: No space left on device");
    EXPECT_EQ(fendry::describe({PassFailure::Step::NotRegularFile, 0, 0, S_IFIFO}),
              "is a named pipe, not a regular file, so it was not overwritten");
}

}  // namespace
