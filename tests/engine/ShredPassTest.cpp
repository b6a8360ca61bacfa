#include "ShredPass.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <functional>

#include "ScriptedOps.h"
#include "TempFolder.h"

using fendry::kChunkSize;
using fendry::PassFailure;
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

TEST(ShredPass, WritesTheWholeLengthInChunksOfAtMostOneMebibyteOfFreshBytes) {
    const std::vector<std::pair<std::size_t, std::vector<std::size_t>>> cases{
        {0, {}}, {MiB, {MiB}}, {MiB + 1, {MiB, 1}}, {5 * MiB / 2, {MiB, MiB, MiB / 2}}};
    for (const auto& [size, writes] : cases) {
        TempFolder folder;
        const auto file = folder / "file";
        writeFile(file, size, '\0');
        ScriptedOps ops;
        std::vector<std::size_t> randomRequests;
        const fendry::PassContext context{&ops, [&](std::span<std::byte> bytes) {
                                              randomRequests.push_back(bytes.size());
                                              return fendry::cryptoRandomBytes(bytes);
                                          }};

        ASSERT_TRUE(shredPass(file, 0, 2, context)) << size;
        EXPECT_EQ(ops.writeLengths, writes) << size;
        EXPECT_EQ(randomRequests, writes) << size;
        EXPECT_EQ(ops.count(Call::Sync), 1);
        EXPECT_EQ(readFile(file).size(), size);
        EXPECT_EQ(readFile(file).find(std::string(64, '\0')), std::string::npos);
    }
}

TEST(ShredPass, EachPassWritesNewBytesOverTheSizeItReadsAndOnlyTheLastRemoves) {
    TempFolder folder;
    const auto file = folder / "file";
    writeFile(file, 4096, 'a');
    ScriptedOps ops;
    ops.maxBytesPerWrite = 3000;  // short writes continue where they stopped

    ASSERT_TRUE(shredPass(file, 0, 3, {&ops}));
    const std::string first = readFile(file);
    writeFile(file, first + "grown");
    ASSERT_TRUE(shredPass(file, 1, 3, {&ops}));
    const std::string second = readFile(file);
    EXPECT_EQ(ops.writeLengths, (std::vector<std::size_t>{4096, 1096, 4101, 1101}));
    EXPECT_EQ(second.size(), 4101u);
    EXPECT_NE(first.substr(0, 64), std::string(64, 'a'));
    EXPECT_NE(first.substr(0, 4096), second.substr(0, 4096));
    EXPECT_EQ(ops.count(Call::Remove), 0);

    ASSERT_TRUE(shredPass(file, 2, 3, {&ops}));
    EXPECT_FALSE(entryExists(file));
    EXPECT_EQ(ops.count(Call::SyncFolder), 1);
}

struct FailureCase {
    const char* name;
    Call call;  // the kind of call that fails with EIO
    Step step;
    bool written;  // bytes reached the file before the failure
    bool stillPresent;
};

class ShredPassFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(ShredPassFailures, EachFailingStepEndsThePassAndLeavesTheFileAsTheStepLeftIt) {
    const auto& c = GetParam();
    TempFolder folder;
    const auto file = folder / "file";
    const std::string original(3 * MiB, 'o');
    writeFile(file, original);
    ScriptedOps ops;
    ops.failures[c.call] = {EIO, c.call == Call::Write ? 2 : 0};  // a write fails on chunk 2

    const auto result = shredPass(file, 0, 1, {&ops});

    ASSERT_FALSE(result);
    EXPECT_EQ(result.failure.step, c.step);
    EXPECT_EQ(result.failure.error, EIO);
    EXPECT_EQ(entryExists(file), c.stillPresent);
    if (c.stillPresent) {
        const std::string now = readFile(file);
        EXPECT_EQ(now.size(), original.size());  // never truncated
        EXPECT_EQ(now.substr(0, MiB) != original.substr(0, MiB), c.written);
        EXPECT_EQ(now.substr(MiB) != original.substr(MiB), c.written && c.call != Call::Write);
    }
    // Whatever failed, a descriptor that was opened is closed exactly once.
    EXPECT_EQ(ops.count(Call::Close), ops.count(Call::Open) - (c.call == Call::Open ? 1 : 0));
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ShredPassFailures,
    ::testing::Values(FailureCase{"inspect", Call::StatEntry, Step::Inspect, false, true},
                      FailureCase{"open", Call::Open, Step::Open, false, true},
                      FailureCase{"size", Call::StatOpen, Step::Size, false, true},
                      FailureCase{"write", Call::Write, Step::Write, true, true},
                      FailureCase{"sync", Call::Sync, Step::Sync, true, true},
                      FailureCase{"close", Call::Close, Step::Close, true, true},
                      FailureCase{"remove", Call::Remove, Step::Remove, true, true},
                      FailureCase{"syncFolder", Call::SyncFolder, Step::SyncFolder, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ShredPass, AFailingRandomSourceStopsThePassWithoutWritingOtherBytes) {
    TempFolder folder;
    const auto file = folder / "file";
    writeFile(file, 2 * MiB, 'o');
    ScriptedOps ops;
    int requests = 0;
    const auto result =
        shredPass(file, 0, 1, {&ops, [&](std::span<std::byte>) { return ++requests < 2; }});
    ASSERT_FALSE(result);
    EXPECT_EQ(result.failure.step, Step::Random);
    EXPECT_EQ(ops.writeLengths.size(), 1u);
    EXPECT_EQ(readFile(file).substr(MiB), std::string(MiB, 'o'));
}

// Swaps the entry for a link to `target` after it was inspected as a file.
class SwappedForLinkOps : public ScriptedOps {
public:
    std::filesystem::path target;
    int openForWriting(const std::string& path, int& fd) override {
        std::filesystem::remove(path);
        std::filesystem::create_symlink(target, path);
        return ScriptedOps::openForWriting(path, fd);
    }
};

TEST(ShredPass, NeverOpensSpecialFilesFoldersOrLinksNorWritesThroughALinkSwappedIn) {
    TempFolder folder;
    const auto target = folder / "target";
    writeFile(target, "keep");
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink(target, folder / "link");
    std::filesystem::create_directory(folder / "sub");
    for (const char* name : {"fifo", "link", "sub"}) {
        ScriptedOps ops;
        const auto result = shredPass(folder / name, 0, 1, {&ops});
        ASSERT_FALSE(result) << name;
        EXPECT_EQ(result.failure.step, Step::NotRegularFile);
        EXPECT_EQ(ops.count(Call::Open), 0) << name;
        EXPECT_TRUE(entryExists(folder / name));
    }

    writeFile(folder / "file", "soon a link");
    SwappedForLinkOps swapping;
    swapping.target = target;
    const auto result = shredPass(folder / "file", 0, 1, {&swapping});
    ASSERT_FALSE(result);
    EXPECT_EQ(result.failure.step, Step::NotRegularFile);
    EXPECT_EQ(readFile(target), "keep");
    EXPECT_TRUE(entryExists(folder / "file"));
}

}  // namespace
