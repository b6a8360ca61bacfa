#include "EraseRun.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/mount.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <deque>
#include <functional>
#include <optional>
#include <set>

#include "HeldRun.h"

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
    ASSERT_TRUE(h.deliverUpdates(1) == 1);  // the work list comes first
    ASSERT_NE(h.state().workList, nullptr);
    ASSERT_EQ(h.state().workList->entries.size(), 1u);
    EXPECT_EQ(h.state().workList->pathOf(0), h / "file");
    EXPECT_EQ(h.state().totalFiles, 1);
    // The time remaining is estimated only once a pass has completed.
    h.now += 10s;
    while (h.state().shreddingProgress == 0.0 && h.deliverUpdates(1) == 1) {
        EXPECT_EQ(h.state().estimatedTimeRemaining.has_value(), h.state().shreddingProgress > 0);
    }
    ASSERT_TRUE(h.state().estimatedTimeRemaining.has_value());
    EXPECT_NEAR(*h.state().estimatedTimeRemaining, 60.0, 1e-9);  // 10 s × (7 − 1) ÷ 1
    h.deliverUpdates();

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
    EXPECT_EQ(h.updatesWaiting(), 4u);  // work list, first point, last point, finish
    h.deliverUpdates();

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
    h.runBackgroundWork();
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

// Names go first: each entry is renamed, and a folder is synced once for the new names of what
// is removed from it, then once for the removals; folders have their blocks written home by the
// file system before they go, and the one holding them is synced before it goes itself.
TEST(EraseRun, RenamesEverythingBeforeItGoesAndSyncsEachFolderOnceForEachStep) {
    RunHarness h;
    for (const char* sub : {"a", "b", "c"}) {
        writeFile(h / "sel/mid" / sub / "f", 1);
    }
    h.add("sel");

    h.runToEnd(quick());

    EXPECT_FALSE(entryExists(h / "sel"));
    const std::set<std::string> folders{"a", "b", "c", "mid", "sel"};
    std::vector<std::string> steps;
    std::set<std::string> renamed;
    for (const auto& call : h.ops.log) {
        // Renames when they are done (a random name may be taken: another is tried), the rest
        // when they begin.
        if (call.returned != (call.call == Call::Rename) ||
            (call.call == Call::Rename && call.error != 0)) {
            continue;
        }
        if (call.call == Call::Rename) {
            renamed.insert(call.name);
        } else if (call.call == Call::Remove) {
            EXPECT_EQ(renamed.count(call.name), 1u) << call.name << " went under its own name";
        }
        if (call.call == Call::Rename && call.name != "f") {
            steps.push_back("rename " + call.name);
        } else if (folders.count(call.name) > 0 &&
                   (call.call == Call::Remove || call.call == Call::Sync)) {
            steps.push_back((call.call == Call::Remove ? "remove " : "sync ") + call.name);
        } else if (call.call == Call::SyncFileSystem) {
            steps.push_back("write home");
        }
    }
    // Each leaf: its file's new name synced, its removal synced.
    ASSERT_GE(steps.size(), 6u);
    EXPECT_EQ(std::multiset<std::string>(steps.begin(), steps.begin() + 6),
              (std::multiset<std::string>{"sync a", "sync a", "sync b", "sync b", "sync c",
                                          "sync c"}));
    steps.erase(steps.begin(), steps.begin() + 6);
    struct statfs fs {};
    ASSERT_EQ(::statfs(h.root.path().c_str(), &fs), 0);
    if (fs.f_type == TMPFS_MAGIC) {  // a file system in memory has no blocks to write home
        std::erase(steps, "write home");
    } else {
        ASSERT_EQ(std::count(steps.begin(), steps.end(), "write home"), 3);
    }
    const auto set = [&](std::size_t from) {
        return std::set<std::string>(steps.begin() + from, steps.begin() + from + 3);
    };
    ASSERT_EQ(steps.size(), fs.f_type == TMPFS_MAGIC ? 14u : 17u) << testing::PrintToString(steps);
    std::size_t at = 0;
    EXPECT_EQ(set(at), (std::set<std::string>{"rename a", "rename b", "rename c"}));
    at += 3;
    EXPECT_EQ(steps[at++], "sync mid");
    if (fs.f_type != TMPFS_MAGIC) {
        EXPECT_EQ(steps[at++], "write home");
    }
    EXPECT_EQ(set(at), (std::set<std::string>{"remove a", "remove b", "remove c"}));
    at += 3;
    std::vector<std::string> rest(steps.begin() + at, steps.end());
    std::erase(rest, "write home");
    EXPECT_EQ(rest, (std::vector<std::string>{"sync mid", "rename mid", "sync sel", "remove mid",
                                              "sync sel", "rename sel", "remove sel"}));
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

// What was chosen changed while the run was busy or while the question waited: a folder on the
// way swapped for a link to someone else's folder or for another folder, the item itself
// replaced or moved away. Nothing of theirs is touched, and no folder open ever succeeds
// through the link, with openat2 or without it.
TEST(EraseRun, WhatWasChosenIsReachedOnlyAsItWasChosen) {
    struct Case {
        const char* what;
        const char* chosen;
        bool beforeRun;
        std::function<void(RunHarness&)> change;
        std::optional<Step> step;  // of the first line; none when a link is simply removed
        std::int64_t erased;
        const char* swapped = "";  // the folder a link took the place of
    };
    const auto linkInstead = [](const char* moved) {
        return [moved](RunHarness& h) {
            fs::rename(h / moved, h / "moved-away");
            fs::create_directory_symlink(h / "theirs", h / moved);
        };
    };
    const std::vector<Case> cases{
        {"sub swapped during", "sel", false, linkInstead("sel/sub"), Step::Changed, 2, "sub"},
        {"sel swapped during", "sel", false, linkInstead("sel"), Step::Changed, 1, "sel"},
        {"sub swapped before", "sel", true, linkInstead("sel/sub"), std::nullopt, 2, "sub"},
        {"sel swapped before", "sel", true, linkInstead("sel"), Step::ChangedSinceChosen, 1, "sel"},
        {"parent swapped before", "up/chosen", true, linkInstead("up"), Step::ChangedSinceChosen,
         1, "up"},
        {"parent moved away", "up/chosen", true,
         [](RunHarness& h) { fs::rename(h / "up", h / "moved-away"); }, Step::NotFound, 1},
        {"file replaced", "up/file", true,
         [](RunHarness& h) {
             fs::rename(h / "up/file", h / "moved-away");
             writeFile(h / "up/file", "not yours");
         },
         Step::ChangedSinceChosen, 1},
        {"parent replaced, the file moved into the new one", "up/file", true,
         [](RunHarness& h) {
             fs::rename(h / "up", h / "moved-away");
             fs::create_directory(h / "up");
             fs::rename(h / "moved-away/file", h / "up/file");
         },
         Step::ChangedSinceChosen, 1},
    };
    for (const bool openat2 : {true, false}) {
        for (const Case& c : cases) {
            const std::string what = c.what + std::string(openat2 ? "" : ", no openat2");
            RunHarness h(0ms, 1, openat2);
            writeFile(h / "big", 2 * 1048576);
            writeFile(h / "sel/sub/f", "mine");
            writeFile(h / "sel/g", "mine too");
            writeFile(h / "up/chosen/h", "mine");
            writeFile(h / "up/file", "mine");
            for (const char* theirs : {"theirs/sub/f", "theirs/f", "theirs/g", "theirs/chosen/h"}) {
                writeFile(h / theirs, "not yours");
            }
            h.add("big");
            h.add(c.chosen);
            std::size_t changedAt = SIZE_MAX;
            const auto change = [&] {
                c.change(h);
                changedAt = h.ops.log.size();
            };
            if (c.beforeRun) {
                change();
            } else {
                h.ops.before = [&](Call call, const std::string&) {
                    if (call == Call::Write && h.ops.count(Call::Write) == 1) {
                        change();
                    }
                };
            }
            h.runToEnd(quick());

            for (const char* theirs :
                 {"theirs/sub/f", "theirs/f", "theirs/g", "theirs/chosen/h"}) {
                EXPECT_EQ(readFile(h / theirs), "not yours") << what << ": " << theirs;
            }
            if (std::string(c.chosen) == "up/file") {  // refused, so never written
                const std::string left = readFile(h / "up/file");
                EXPECT_TRUE(left == "mine" || left == "not yours") << what;
            }
            ASSERT_EQ(h.state().failedCount() > 0, c.step.has_value()) << what;
            if (c.step) {
                EXPECT_EQ(h.state().failures[0].failure.step, *c.step) << what;
            }
            EXPECT_EQ(h.state().stats.fileCount, c.erased) << what;
            for (std::size_t i = std::min(changedAt, h.ops.log.size()); i < h.ops.log.size(); ++i) {
                const auto& call = h.ops.log[i];
                EXPECT_FALSE(call.returned && call.error == 0 &&
                             fs::path(call.name).filename() == c.swapped &&
                             (call.call == Call::OpenFolderAt || call.call == Call::OpenFolder))
                    << what << ": opened through the link";
            }
        }
    }
}

// Mounts made for the length of a test, taken away before its folder is.
class Mounts {
public:
    bool bind(const fs::path& from, const fs::path& to) { return add(from, to, nullptr, MS_BIND); }
    bool tmpfs(const fs::path& at) { return add("fendry-test", at, "tmpfs", 0); }
    ~Mounts() {
        for (auto at = points_.rbegin(); at != points_.rend(); ++at) {
            ::umount2(at->c_str(), MNT_DETACH);
        }
    }

private:
    bool add(const fs::path& from, const fs::path& to, const char* type, unsigned long flags) {
        if (::mount(from.c_str(), to.c_str(), type, flags, nullptr) != 0) {
            return false;
        }
        points_.push_back(to);
        return true;
    }
    std::vector<fs::path> points_;
};

// Nothing mounted inside a chosen folder is opened, a folder or a single file (a container's
// bind-mounted files), whether it was there when the folder was listed or came just before it
// was entered or opened; a chosen folder that is a mount point itself is erased inside and
// stays. With openat2 and without it.
TEST(EraseRun, NeverOpensAMountInsideAChosenFolder) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "mounting takes root";
    }
    for (const bool openat2 : {true, false}) {
        for (const bool late : {false, true}) {
            const std::string what = std::string(late ? "mounted late" : "mounted before") +
                                     (openat2 ? "" : ", no openat2");
            RunHarness h(0ms, 1, openat2);
            writeFile(h / "outside/host", "HOST");
            writeFile(h / "outside/dir/x", "theirs");
            writeFile(h / "sel/etc/hosts", "");
            writeFile(h / "sel/own", "mine");
            fs::create_directories(h / "sel/mnt");
            Mounts mounts;
            const auto mountFile = [&] { return mounts.bind(h / "outside/host", h / "sel/etc/hosts"); };
            const auto mountFolder = [&] { return mounts.bind(h / "outside/dir", h / "sel/mnt"); };
            if (late) {
                h.ops.before = [&, file = false, folder = false](Call call,
                                                                 const std::string& name) mutable {
                    if (call == Call::OpenFolderAt && name == "mnt" && !folder) {
                        folder = mountFolder();
                    } else if (call == Call::Open && name == "hosts" && !file) {
                        file = mountFile();
                    }
                };
            } else if (!mountFile() || !mountFolder()) {
                GTEST_SKIP() << "no bind mounts here";
            }
            h.add("sel");

            h.runToEnd(quick());

            EXPECT_EQ(readFile(h / "outside/host"), "HOST") << what;
            EXPECT_EQ(readFile(h / "outside/dir/x"), "theirs") << what;
            EXPECT_EQ(h.state().stats.fileCount, 1) << what;
            const auto lines = h.failures();
            for (const char* mount : {"sel/mnt", "sel/etc/hosts"}) {
                EXPECT_NE(std::find(lines.begin(), lines.end(),
                                    std::pair<std::string, Step>{mount, Step::MountPoint}),
                          lines.end())
                    << what << ": " << mount;
            }
        }
        RunHarness h(0ms, 1, openat2);
        Mounts mounts;
        fs::create_directories(h / "stick");
        ASSERT_TRUE(mounts.tmpfs(h / "stick"));
        writeFile(h / "stick/p", "a");
        writeFile(h / "stick/d/q", "b");
        h.add("stick");
        h.runToEnd(quick());
        EXPECT_EQ(h.state().stats.fileCount, 2) << openat2;
        EXPECT_EQ(h.state().failedCount(), 0) << openat2;
        EXPECT_TRUE(fs::is_empty(h / "stick")) << openat2;
    }
}

// Between the last check of an entry and its renaming or removal another file may take its
// name: it is never counted as erased, never taken for the entry, and the checks just before
// and after each step say so.
TEST(EraseRun, AnEntrySwappedAtItsRenamingOrRemovalIsNeitherCountedNorTakenForIt) {
    struct Case {
        Call at;         // before the n-th call of this kind about the entry, after its passes
        int occurrence;  // 1: while it is renamed; 2: while it is removed
        Step step;
        bool intruderStays;
    };
    for (const Case& c : {Case{Call::OpenEntry, 1, Step::Changed, true},
                          Case{Call::Rename, 1, Step::Changed, true},
                          Case{Call::OpenEntry, 2, Step::Changed, true},
                          Case{Call::StatAt, 2, Step::Changed, true},
                          Case{Call::Remove, 1, Step::NameTaken, false}}) {
        for (const char* name : {"file", "link"}) {
            RunHarness h;
            writeFile(h / "sel/file", 4096, 'o');
            fs::create_symlink("nowhere", h / "sel/link");
            h.add("sel");
            int seen = 0;
            bool held = false;
            std::string intruder;
            h.ops.before = [&](Call call, const std::string& entry) {
                if (entry != name || !intruder.empty()) {
                    return;
                }
                held = held || call == Call::OpenEntry;  // its passes are behind it
                if (held && call == c.at && ++seen == c.occurrence) {
                    intruder = h.ops.realName(name);
                    fs::rename(h / "sel" / intruder, h / "held-away");
                    writeFile(h / "sel" / intruder, "intruder");
                }
            };
            h.runToEnd(quick());

            const std::string what = std::string(name) + " at " + std::to_string(int(c.at)) +
                                     " #" + std::to_string(c.occurrence);
            ASSERT_FALSE(intruder.empty()) << what;
            EXPECT_EQ(h.state().stats.fileCount + h.state().stats.linkCount, 1) << what;
            EXPECT_EQ(h.failures()[0], (std::pair<std::string, Step>{"sel/" + std::string(name),
                                                                     c.step}))
                << what;
            const std::string left = h.ops.realName(name);
            EXPECT_EQ(entryExists(h / "sel" / intruder) || entryExists(h / "sel" / name),
                      c.intruderStays)
                << what;
            EXPECT_TRUE(entryExists(h / "held-away")) << what;
        }
    }
}

// A stop is heeded before every entry, links and empty files too, which no chunk check would
// catch, and during the walk, which then lists no further folder.
TEST(EraseRun, AStopIsHeededBeforeEveryEntryAndDuringTheWalk) {
    for (const std::size_t stopAt : {1, 2}) {
        RunHarness h;
        h.deliverAtOnce = true;
        writeFile(h / "a", "erased");
        fs::create_symlink("nowhere", h / "link");
        writeFile(h / "empty", "");
        for (const char* name : {"a", "link", "empty"}) {
            h.add(name);
        }
        h.run.setOnChange([&] {
            if (h.state().isShredding && h.state().workList &&
                h.state().currentFileIndex == static_cast<std::int64_t>(stopAt)) {
                h.run.stop();
            }
        });
        h.runToEnd(quick());
        EXPECT_TRUE(h.state().stopped) << stopAt;
        EXPECT_FALSE(entryExists(h / "a")) << stopAt;
        EXPECT_EQ(entryExists(h / "link"), stopAt <= 1) << stopAt;
        EXPECT_TRUE(entryExists(h / "empty")) << stopAt;
    }

    RunHarness h;
    for (const char* name : {"sel/a/f", "sel/b/f", "sel/c/f", "sel/d/f"}) {
        writeFile(h / name, "x");
    }
    h.add("sel");
    h.ops.before = [&](Call call, const std::string&) {
        if (call == Call::List) {
            h.run.stop();
        }
    };
    h.runToEnd(quick());
    EXPECT_TRUE(h.state().stopped);
    EXPECT_EQ(h.ops.count(Call::List), 1);
    EXPECT_EQ(h.state().stats.fileCount, 0);
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

TEST(EraseRun, NeverReportsSuccessOverWhatItCouldNotReachReadRenameOrRemove) {
    struct Case {
        const char* what;
        Call call;
        int error;
        const char* name;
        Step step;
        bool fileStays;  // under its own name
    };
    for (const Case& c :
         {Case{"unreadable folder", Call::List, EACCES, "", Step::Unreadable, true},
          Case{"no descriptors left", Call::OpenFolderAt, EMFILE, "sub", Step::Unreadable, true},
          Case{"a mount inside", Call::OpenFolderAt, EXDEV, "sub", Step::MountPoint, true},
          Case{"busy folder", Call::Remove, EBUSY, "sub", Step::FolderRemove, false},
          Case{"a name that cannot change", Call::Rename, EPERM, "f", Step::Rename, true},
          Case{"a file that cannot go", Call::Remove, EPERM, "", Step::Remove, true}}) {
        RunHarness h;
        writeFile(h / "sel/sub/f", "x");
        h.add("sel");
        h.ops.failures[c.call] = {c.error, c.call == Call::List ? 2 : 0, c.name};

        h.runToEnd(quick());

        EXPECT_TRUE(entryExists(h / "sel/sub")) << c.what;
        EXPECT_EQ(entryExists(h / "sel/sub/f"), c.fileStays) << c.what;
        ASSERT_GE(h.state().failedCount(), 1) << c.what;
        EXPECT_EQ(h.state().failures[0].failure.step, c.step) << c.what;
        EXPECT_EQ(h.failures().back(), (std::pair<std::string, Step>{"sel/", Step::FolderKept}))
            << c.what;
    }
}

// Read back after its last pass, a file is removed only when the device returns what was written;
// where the file system will not read past the page cache, the cache lets go of the file first,
// and the run says so.
TEST(EraseRun, AFileReadBackIsRemovedOnlyWhenItReadsAsWritten) {
    struct Case {
        const char* what;
        std::optional<std::int64_t> corruptAt;
        bool directRefused;
    };
    for (const Case& c : {Case{"as written", std::nullopt, false},
                          Case{"a byte changed on the device", 1048576 + 4097, false},
                          Case{"no reading past the cache", std::nullopt, true}}) {
        RunHarness h;
        writeFile(h / "sel/big", 3 * 1048576, 'o');
        writeFile(h / "sel/small", 10);
        h.add("sel");
        if (c.directRefused) {
            h.ops.failures[Call::OpenRead] = {EINVAL, 1, "big"};
        }
        h.ops.before = [&, corrupted = false](Call call, const std::string& name) mutable {
            if (call == Call::Read && name == "big" && c.corruptAt && !corrupted) {
                corrupted = true;
                const int fd = ::open((h / "sel/big").c_str(), O_WRONLY);
                ::pwrite(fd, "!", 1, *c.corruptAt);
                ::fsync(fd);
                ::close(fd);
            }
        };
        h.run.startShredding(h.files, safe(), true);
        h.runBackgroundWork();
        h.deliverUpdates();

        const auto& state = h.state();
        EXPECT_EQ(state.stats.fileCount, c.corruptAt ? 1 : 2) << c.what;
        EXPECT_EQ(entryExists(h / "sel/big"), c.corruptAt.has_value()) << c.what;
        if (c.corruptAt) {
            EXPECT_EQ(state.failures[0].failure.step, Step::ReadBackMismatch) << c.what;
            EXPECT_EQ(state.failures[0].failure.offset, *c.corruptAt) << c.what;
        }
        const auto big = h.state().workList->pathOf(0).filename() == "big" ? 0 : 1;
        EXPECT_EQ(state.results[big], c.corruptAt ? fendry::EntryResult::NotErased
                                                  : fendry::EntryResult::ErasedAndVerified)
            << c.what;
        EXPECT_EQ(state.readThroughCache.size(), c.directRefused ? 1u : 0u) << c.what;
        EXPECT_NE(std::find(h.changesOf(&RunState::currentPass).begin(),
                            h.changesOf(&RunState::currentPass).end(), 7),
                  h.changesOf(&RunState::currentPass).end())
            << c.what << ": reading back shows as a step of its own";
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
    EXPECT_EQ(h.workWaiting(), 1u);
}

}  // namespace
