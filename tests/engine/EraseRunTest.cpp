#include "EraseRun.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <deque>
#include <set>

#include "RunHarness.h"

using fendry::EraseStats;
using Step = fendry::PassFailure::Step;
using fendry::RunState;
using testing_support::entryExists;
using testing_support::quick;
using testing_support::readFile;
using testing_support::RunHarness;
using testing_support::safe;
using testing_support::stealth;
using testing_support::writeFile;
using Call = testing_support::ScriptedOps::Call;
namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

TEST(EraseRun, OneFileWithSafeReportsEveryPassInOrderAndEndsWithItsStats) {
    RunHarness h;
    writeFile(h / "file", 3 * 1048576);
    h.add("file");

    h.startAndWork(safe());
    EXPECT_TRUE(h.state().isShredding);  // nothing reaches the screen until delivered
    EXPECT_EQ(h.state().workList, nullptr);
    ASSERT_TRUE(h.deliverOne());  // the work list comes first
    ASSERT_NE(h.state().workList, nullptr);
    ASSERT_EQ(h.state().workList->entries.size(), 1u);
    EXPECT_EQ(h.state().workList->pathOf(0), h / "file");
    EXPECT_EQ(h.state().totalFiles, 1);
    while (h.deliverOne()) {
    }

    EXPECT_EQ(h.changesOf(&RunState::currentFileIndex), std::vector<std::int64_t>{0});
    EXPECT_EQ(h.changesOf(&RunState::currentPass),
              (std::vector<std::int64_t>{0, 1, 2, 3, 4, 5, 6}));
    std::vector<double> progress{0.0};
    for (int p = 1; p <= 7; ++p) {
        progress.push_back(p / 7.0);
    }
    EXPECT_EQ(h.changesOf(&RunState::shreddingProgress), progress);
    EXPECT_FALSE(h.state().isShredding);
    EXPECT_TRUE(h.state().showCompletionAnimation);
    EXPECT_EQ(h.state().stats, (EraseStats{1, 3 * 1048576}));
    EXPECT_EQ(h.state().failedCount(), 0);
    EXPECT_FALSE(entryExists(h / "file"));
    EXPECT_EQ(h.ops.count(Call::Open), 7);
    EXPECT_EQ(h.files.size(), 1u);  // the pending list stays until "Start Again"
}

TEST(EraseRun, ProgressCountsByPositionJumpingPastFailedItems) {
    RunHarness h;
    for (const char* name : {"a", "b", "c"}) {
        writeFile(h / name, 100);
        h.add(name);
    }
    writeFile(h / "d", 100);
    h.add("d");
    h.ops.failures[Call::Open] = {EACCES, 1, "b"};  // the first pass of "b"
    h.ops.failures[Call::StatAt] = {EIO, 2, "d"};   // the walk's look, then the first pass's

    h.runToEnd(stealth());

    // 140 passes in all; after the 35 of "a" the next step is the first pass of "c".
    const auto steps = h.changesOf(&RunState::shreddingProgress);
    const auto afterA = std::find(steps.begin(), steps.end(), 35 / 140.0);
    ASSERT_NE(afterA, steps.end());
    EXPECT_EQ(*(afterA + 1), 71 / 140.0);
    EXPECT_EQ(steps.back(), 105 / 140.0);  // the last item failed: progress stays below 1
    EXPECT_EQ(h.state().stats, (EraseStats{2, 200}));
    ASSERT_EQ(h.state().failedCount(), 2);
    EXPECT_EQ(h.state().failures[0].item, h / "b");
    EXPECT_EQ(h.state().failures[0].failure.error, EACCES);
    EXPECT_EQ(h.state().failures[1].item, h / "d");
    EXPECT_EQ(h.state().failures[1].failure.step, Step::Inspect);
    EXPECT_TRUE(entryExists(h / "b"));
    EXPECT_TRUE(entryExists(h / "d"));
}

TEST(EraseRun, CoalescedUpdatesShowOnlyReachedPointsAndEndExact) {
    RunHarness h(1h);  // longer than any run: only the first point and the last get through
    for (const char* name : {"a", "b", "c"}) {
        writeFile(h / name, 10);
        h.add(name);
    }
    h.startAndWork(stealth());
    EXPECT_EQ(h.mainQueue.size(), 4u);  // work list, first point, last point, finish
    while (h.deliverOne()) {
    }

    ASSERT_EQ(h.seen.size(), 5u);  // the start, then the four delivered
    EXPECT_EQ(h.seen[2].currentFileIndex, 0);
    EXPECT_EQ(h.seen[2].shreddingProgress, 0.0);
    EXPECT_EQ(h.seen[3].currentFileIndex, 2);
    EXPECT_EQ(h.seen[3].currentPass, 34);
    EXPECT_EQ(h.seen[3].shreddingProgress, 1.0);
    EXPECT_EQ(h.state().stats, (EraseStats{3, 30}));
}

TEST(EraseRun, CoalescedUpdatesNeverLeaveAStalePassOnScreen) {
    RunHarness h(16ms);
    h.deliverAtOnce = true;
    writeFile(h / "big", 3 * 1048576);
    h.add("big");
    h.ops.before = [&](Call call, const std::string&) {
        if (call == Call::Write) {
            h.now += 20ms;  // each chunk takes longer than the interval
        }
    };
    h.run.startShredding(h.files, safe());
    h.background.front()();
    // A pass begins at the same instant the one before it ends, too soon to be sent then;
    // it still reaches the screen while it is being written, and the last point is the end.
    const auto passes = h.changesOf(&RunState::currentPass);
    EXPECT_EQ(passes, (std::vector<std::int64_t>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(h.state().shreddingProgress, 1.0);
}

TEST(EraseRun, AStoppedRunStopsWithinAChunkAndSaysWhatItDidAndLeft) {
    RunHarness h;
    writeFile(h / "a", "erased");
    writeFile(h / "b", 3 * 1048576, 'o');
    writeFile(h / "folder/c", "never reached");
    h.add("a");
    h.add("b");
    h.add("folder");
    h.ops.before = [&](Call call, const std::string&) {
        if (call == Call::Write && h.ops.count(Call::Write) == 7 + 1) {
            h.run.stop();  // while "b" is being written, after the 7 passes of "a"
        }
    };
    h.runToEnd(safe());

    EXPECT_FALSE(entryExists(h / "a"));
    const std::string b = readFile(h / "b");
    EXPECT_EQ(b.size(), 3u * 1048576);
    EXPECT_EQ(b.substr(2 * 1048576), std::string(1048576, 'o'));  // left partly overwritten
    EXPECT_EQ(readFile(h / "folder/c"), "never reached");
    EXPECT_TRUE(h.state().stopped);
    EXPECT_TRUE(h.state().showCompletionAnimation);
    EXPECT_EQ(h.state().stats, (EraseStats{1, 6}));
    EXPECT_EQ(h.state().notReached, 1);
    EXPECT_EQ(h.failures(), (std::vector<std::pair<std::string, Step>>{{"b", Step::Stopped}}));
}

TEST(EraseRun, EstimatesTheRemainingTimeOnlyOnceAPassHasCompleted) {
    RunHarness h;
    writeFile(h / "a", 10);
    h.add("a");
    h.startAndWork(safe());
    h.now += 10s;
    while (h.state().shreddingProgress == 0.0 && h.deliverOne()) {
        if (h.state().shreddingProgress == 0.0) {
            EXPECT_FALSE(h.state().estimatedTimeRemaining.has_value());
        }
    }
    ASSERT_TRUE(h.state().estimatedTimeRemaining.has_value());
    EXPECT_NEAR(*h.state().estimatedTimeRemaining, 60.0, 1e-9);  // 10 s × (7 − 1) ÷ 1
}

TEST(EraseRun, ErasesEachEntryOnceAndRemovesOnlyFoldersItEmptiedDeepestFirst) {
    RunHarness h;
    writeFile(h / "folder/sub/one", 5);
    writeFile(h / "folder/two", 7);
    fs::create_directories(h / "folder/empty");
    writeFile(h / "folder/Tool.app/Contents/bin", 2);  // a folder like any other
    writeFile(h / "after", 3);
    fs::create_directories(h / "only-empty");
    h.add("folder/sub");  // inside "folder", pending before it
    h.add("folder/two");  // also reached through "folder"
    h.add("folder");
    h.add("after");
    h.add("only-empty");
    const std::set<std::string> folders{"sub",      "empty",  "Contents",
                                        "Tool.app", "folder", "only-empty"};
    std::vector<std::string> removedFolders;
    h.ops.before = [&](Call call, const std::string& name) {
        if (call == Call::Remove && folders.count(name) > 0) {
            removedFolders.push_back(name);
        }
    };
    const auto removedAt = [&](const std::string& name) {
        return std::find(removedFolders.begin(), removedFolders.end(), name) -
               removedFolders.begin();
    };

    h.runToEnd(quick());

    EXPECT_EQ(h.state().totalFiles, 4);
    EXPECT_EQ(h.state().stats, (EraseStats{4, 17}));
    EXPECT_EQ(h.failures(), (std::vector<std::pair<std::string, Step>>{}));
    EXPECT_FALSE(entryExists(h / "folder"));
    EXPECT_FALSE(entryExists(h / "only-empty"));
    ASSERT_EQ(removedFolders.size(), folders.size());
    EXPECT_LT(removedAt("Contents"), removedAt("Tool.app"));
    for (const char* inside : {"sub", "empty", "Tool.app"}) {
        EXPECT_LT(removedAt(inside), removedAt("folder")) << inside;
    }
}

TEST(EraseRun, SyncsAFolderOnceForTheFoldersRemovedFromItBeforeItGoesItself) {
    RunHarness h;
    for (const char* sub : {"a", "b", "c"}) {
        writeFile(h / "sel/mid" / sub / "f", 1);
    }
    h.add("sel");

    h.runToEnd(quick());

    EXPECT_FALSE(entryExists(h / "sel"));
    // Removals of folders and syncs of the folders holding them, in order; each leaf's own sync,
    // for the removal of its file, comes before.
    const std::set<std::string> folders{"a", "b", "c", "mid", "sel"};
    std::vector<std::string> steps;
    for (const auto& call : h.ops.log) {
        if (!call.returned && folders.count(call.name) > 0 &&
            (call.call == Call::Remove || call.call == Call::Sync)) {
            steps.push_back((call.call == Call::Remove ? "remove " : "sync ") + call.name);
        }
    }
    ASSERT_GE(steps.size(), 3u);
    EXPECT_EQ(std::set<std::string>(steps.begin(), steps.begin() + 3),
              (std::set<std::string>{"sync a", "sync b", "sync c"}));
    steps.erase(steps.begin(), steps.begin() + 3);
    ASSERT_EQ(steps.size(), 7u);
    EXPECT_EQ(std::set<std::string>(steps.begin(), steps.begin() + 3),
              (std::set<std::string>{"remove a", "remove b", "remove c"}));
    EXPECT_EQ(std::vector<std::string>(steps.begin() + 3, steps.end()),
              (std::vector<std::string>{"sync mid", "remove mid", "sync sel", "remove sel"}));
}

TEST(EraseRun, RemovesLinksAndSpecialFilesAsEntriesAndCountsThemApart) {
    RunHarness h;
    writeFile(h / "outside/secret", "keep me");
    writeFile(h / "outside/dir/inner", "keep me too");
    writeFile(h / "folder/own", 4);
    fs::create_symlink(h / "outside/secret", h / "folder/link");
    ASSERT_EQ(::mkfifo((h / "folder/pipe").c_str(), 0600), 0);  // opening it would block
    fs::create_directory_symlink(h / "outside/dir", h / "dropped-link");
    h.add("folder");
    h.add("dropped-link");

    h.runToEnd(safe());

    EXPECT_EQ(readFile(h / "outside/secret"), "keep me");
    EXPECT_EQ(readFile(h / "outside/dir/inner"), "keep me too");
    EXPECT_FALSE(entryExists(h / "folder"));
    EXPECT_FALSE(entryExists(h / "dropped-link"));
    EXPECT_EQ(h.state().stats, (EraseStats{1, 4, 3}));
    EXPECT_EQ(h.state().failedCount(), 0);
    EXPECT_EQ(h.ops.count(Call::Open), 7);        // only the file was ever opened for writing
    EXPECT_EQ(h.state().shreddingProgress, 1.0);  // the link came last
}

TEST(EraseRun, AFolderSwappedForALinkDuringTheRunIsNeverFollowed) {
    for (const std::string swapped : {"sel/sub", "sel"}) {
        RunHarness h;
        writeFile(h / "big", 2 * 1048576);
        writeFile(h / "sel/sub/f", "mine");
        writeFile(h / "sel/g", "mine too");
        writeFile(h / "theirs/sub/f", "not yours");
        writeFile(h / "theirs/f", "not yours");
        writeFile(h / "theirs/g", "not yours");
        h.add("big");
        h.add("sel");
        h.ops.before = [&](Call call, const std::string&) {
            if (call == Call::Write && h.ops.count(Call::Write) == 1) {
                fs::rename(h / swapped, h / "moved-away");
                fs::create_directory_symlink(h / "theirs", h / swapped);
            }
        };
        h.runToEnd(quick());

        EXPECT_EQ(readFile(h / "theirs/sub/f"), "not yours") << swapped;
        EXPECT_EQ(readFile(h / "theirs/f"), "not yours") << swapped;
        EXPECT_EQ(readFile(h / "theirs/g"), "not yours") << swapped;
        EXPECT_TRUE(entryExists(h / swapped)) << swapped;  // the link stays
        EXPECT_GT(h.state().failedCount(), 0) << swapped;
        EXPECT_EQ(h.state().stats.fileCount, swapped == "sel" ? 1 : 2) << swapped;
    }
}

TEST(EraseRun, RemovesNothingItDidNotOverwriteAndSaysWhyEachItemStayed) {
    RunHarness h;
    writeFile(h / "sel/denied", "x");
    writeFile(h / "sel/a/renamed", "x");
    writeFile(h / "sel/b/ok", "x");
    writeFile(h / "sel/c/last", "x");
    fs::create_directories(h / "sel/d");
    h.add("sel");
    h.ops.failures[Call::Open] = {EACCES, 0, "denied"};
    h.ops.before = [&](Call call, const std::string& name) {
        // After the walk, before its pass: the first pass was that of "denied".
        if (call == Call::StatAt && name == "renamed" && h.ops.count(Call::Open) > 0 &&
            entryExists(h / "sel/a/renamed")) {
            fs::rename(h / "sel/a/renamed", h / "sel/a/new-name");
        }
        if (call == Call::Remove && name == "last") {
            writeFile(h / "sel/c/appeared", "y");
        }
    };

    h.runToEnd(quick());

    EXPECT_EQ(readFile(h / "sel/denied"), "x");
    EXPECT_TRUE(entryExists(h / "sel/a/new-name"));
    EXPECT_TRUE(entryExists(h / "sel/c/appeared"));
    EXPECT_FALSE(entryExists(h / "sel/b"));
    EXPECT_FALSE(entryExists(h / "sel/d"));
    const auto lines = h.failures();
    const auto has = [&](const std::string& item, Step step) {
        return std::find(lines.begin(), lines.end(), std::pair{item, step}) != lines.end();
    };
    EXPECT_TRUE(has("sel/denied", Step::Open));
    EXPECT_TRUE(has("sel/a/renamed", Step::NotFound));
    EXPECT_TRUE(has("sel/a/", Step::FolderKept));
    EXPECT_TRUE(has("sel/c/", Step::FolderAppeared));
    EXPECT_TRUE(has("sel/", Step::FolderKept));
    EXPECT_EQ(lines.size(), 5u);
}

TEST(EraseRun, NeverReportsSuccessOverWhatItCouldNotReachReadOrRemove) {
    struct Case {
        const char* what;
        Call call;
        int error;
        const char* name;
        Step step;
    };
    for (const Case& c :
         {Case{"unreadable folder", Call::List, EACCES, "", Step::Unreadable},
          Case{"no descriptors left", Call::OpenFolderAt, EMFILE, "sub", Step::Unreadable},
          Case{"a mount inside", Call::OpenFolderAt, EXDEV, "sub", Step::MountPoint},
          Case{"busy folder", Call::Remove, EBUSY, "sub", Step::FolderRemove}}) {
        RunHarness h;
        writeFile(h / "sel/sub/f", "x");
        h.add("sel");
        h.ops.failures[c.call] = {c.error, c.call == Call::List ? 2 : 0, c.name};

        h.runToEnd(quick());

        EXPECT_TRUE(entryExists(h / "sel/sub")) << c.what;
        ASSERT_GE(h.state().failedCount(), 1) << c.what;
        EXPECT_EQ(h.state().failures[0].failure.step, c.step) << c.what;
        EXPECT_EQ(h.failures().back(), (std::pair<std::string, Step>{"sel/", Step::FolderKept}))
            << c.what;
    }
}

TEST(EraseRun, OverwritesAHardLinkedFileOnlyWhenEveryNameIsInTheRun) {
    RunHarness h;
    writeFile(h / "sel/shared", "both names chosen");
    fs::create_directories(h / "other");
    fs::create_hard_link(h / "sel/shared", h / "other/shared");
    writeFile(h / "sel/half", "one name chosen");
    fs::create_hard_link(h / "sel/half", h / "elsewhere");
    h.add("sel");
    h.add("other/shared");

    h.runToEnd(safe());

    EXPECT_EQ(readFile(h / "elsewhere"), "one name chosen");
    EXPECT_TRUE(entryExists(h / "sel/half"));
    EXPECT_FALSE(entryExists(h / "sel/shared"));
    EXPECT_FALSE(entryExists(h / "other/shared"));
    EXPECT_EQ(h.state().stats, (EraseStats{1, 17}));  // one file, however many names
    EXPECT_EQ(h.ops.count(Call::Open), 7);
    ASSERT_GE(h.state().failedCount(), 1);
    EXPECT_EQ(h.failures()[0], (std::pair<std::string, Step>{"sel/half", Step::OtherNames}));
    EXPECT_EQ(h.state().failures[0].failure.offset, 1);
}

TEST(EraseRun, ErasesTreesDeeperThanAnyPathWithABoundedNumberOfDescriptors) {
    RunHarness h;
    // Built a level at a time: the whole path, over 4,800 bytes, is longer than any call takes.
    int fd = ::open(h.root.path().c_str(), O_RDONLY | O_DIRECTORY);
    for (int level = 0; level < 600; ++level) {
        const std::string name = level == 0 ? "tree" : "level-" + std::to_string(level % 10);
        ASSERT_EQ(::mkdirat(fd, name.c_str(), 0700), 0);
        const int next = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = next;
    }
    const int file = ::openat(fd, "f", O_WRONLY | O_CREAT, 0600);
    ASSERT_EQ(::write(file, "x", 1), 1);
    ::close(file);
    ::close(fd);
    h.add("tree");

    h.runToEnd(quick());

    EXPECT_EQ(h.state().stats.fileCount, 1);
    EXPECT_EQ(h.state().failedCount(), 0);
    EXPECT_FALSE(entryExists(h / "tree"));
    EXPECT_LE(h.ops.mostOpen, 40);
}

TEST(EraseRun, StartAgainClearsTheResultAndTheNextRunStartsAfresh) {
    RunHarness h;
    fs::create_directories(h / "empty");
    h.add("empty");
    h.add("missing");
    h.runToEnd(quick());
    EXPECT_EQ(h.state().totalFiles, 0);
    ASSERT_EQ(h.state().failedCount(), 1);

    h.run.startAgain();
    EXPECT_EQ(h.state().stats, (EraseStats{0, 0}));
    EXPECT_EQ(h.state().failedCount(), 0);
    EXPECT_FALSE(h.state().showCompletionAnimation);

    h.run.startShredding({fendry::chooseItem(h / "empty-again")}, quick());
    EXPECT_EQ(h.state().shreddingProgress, 0.0);
    EXPECT_FALSE(h.state().estimatedTimeRemaining.has_value());
    EXPECT_TRUE(h.state().failures.empty());
    h.run.startShredding({fendry::chooseItem(h / "other")}, quick());  // ignored while the first is under way
    EXPECT_EQ(h.background.size(), 1u);
}

}  // namespace
